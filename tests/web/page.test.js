'use strict';
// The page as a visitor gets it: it loads cleanly from its own folder, is exactly the banner,
// shows its first frame quickly, and says what is wrong when the browser has no WebGL 2.
const test = require('node:test');
const assert = require('node:assert');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');

// The goal is 1.5 s; the test holds the page to twice that, so that a machine shared with other
// work does not fail it, and prints what it measured.
const FIRST_FRAME_LIMIT_MS = 3000;
let server;

test.before(async () => {
  server = await new SiteServer(SITE).start();
});
test.after(() => server.stop());

async function waitingPage(browser, query = '') {
  const page = await openPage(browser);
  await page.goto(server.url(`index.html${query}`));
  await page.waitForFunction(() => window.bannerPage && bannerPage.state !== 'loading', { timeout: 60000 });
  return page;
}

function layout(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('banner');
    const box = canvas.getBoundingClientRect();
    return {
      state: bannerPage.state,
      canvas: [canvas.width, canvas.height],
      box: [box.left, box.top, box.width, box.height],
      scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
      play: !document.getElementById('play').hidden,
      policy: document.querySelector('meta[http-equiv="Content-Security-Policy"]').content,
    };
  });
}

test('the page loads from its own folder without errors and is exactly the banner', { timeout: 120000 }, async () => {
  const browser = await launch();
  try {
    const page = await waitingPage(browser);
    const shape = await layout(page);
    assert.strictEqual(shape.state, 'waiting');
    assert.deepStrictEqual(shape.canvas, [960, 92]);
    assert.deepStrictEqual(shape.box, [0, 0, 960, 92]);
    assert.deepStrictEqual(shape.scroll, [960, 92], 'no scroll bars, nothing around the canvas');
    assert.ok(shape.play, 'the play control is offered');
    assert.match(shape.policy, /default-src 'self'/);
    assert.deepStrictEqual(page.problems, []);
    const folder = server.url('');
    const elsewhere = page.requested.filter((url) => !url.startsWith(folder));
    assert.deepStrictEqual(elsewhere, [], 'every request stays in the page\'s folder');

    // The policy is in force: the page itself cannot reach another origin.
    const blocked = await page.evaluate(() => fetch('http://127.0.0.2:9/').then(() => false, () => true));
    assert.ok(blocked, 'a request to another origin is refused');

    const alt = await waitingPage(browser, '?alt');
    const altShape = await layout(alt);
    assert.deepStrictEqual(altShape.canvas, [960, 89]);
    assert.deepStrictEqual(altShape.box, [0, 0, 960, 89]);
    assert.deepStrictEqual(alt.problems, []);
  } finally {
    await browser.close();
  }
});

test('the first frame is on the canvas soon after navigation', { timeout: 120000 }, async () => {
  const browser = await launch();
  try {
    // A browser starts its GPU process with its first WebGL context; a visitor's has one running.
    const cold = await waitingPage(browser);
    const coldMs = await cold.evaluate(() => bannerPage.firstFrameAt);
    await cold.close();
    const times = [];
    for (let i = 0; i < 3; i++) {
      const page = await waitingPage(browser);
      times.push(await page.evaluate(() => bannerPage.firstFrameAt));
      await page.close();
    }
    times.sort((a, b) => a - b);
    console.log(`first frame after navigation: ${coldMs.toFixed(0)} ms in a fresh browser, ` +
      `${times.map((t) => t.toFixed(0)).join(', ')} ms with its GPU process running`);
    assert.ok(times[1] <= FIRST_FRAME_LIMIT_MS, `median ${times[1].toFixed(0)} ms`);
  } finally {
    await browser.close();
  }
});

test('without WebGL 2 the page shows the device error instead of a blank canvas', { timeout: 60000 }, async () => {
  const browser = await launch(['--disable-webgl2']);
  try {
    const page = await openPage(browser);
    await page.goto(server.url('index.html'));
    await page.waitForSelector('#message:not([hidden])', { timeout: 30000 });
    const text = await page.$eval('#message', (box) => box.innerText);
    assert.match(text, /Init Error/);
    assert.match(text, /Direct3D Device Creating Error - Program Exiting/);
    const shown = await page.$eval('#message', (box) => {
      const r = box.getBoundingClientRect();
      return r.width >= 960 && r.height >= 92 && getComputedStyle(box).visibility === 'visible';
    });
    assert.ok(shown, 'the error covers the banner');
    assert.ok(page.problems.some((line) => line.includes('Direct3D Device Creating Error')),
      'the error is also on the console');
    assert.strictEqual(await page.evaluate(() => bannerPage.state), 'failed');
  } finally {
    await browser.close();
  }
});
