'use strict';
// The page as a visitor gets it: it loads cleanly from its own folder, is exactly the banner in
// its shape, and before any script has run shows the poster, the capture tool's frame at 19 s,
// with a text alternative.
const test = require('node:test');
const assert = require('node:assert');
const { captureFrames, siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');
const { decodePng } = require('./png');

const POSTER_FRAME = 475;
let server;

test.before(async () => {
  server = await new SiteServer(SITE).start();
});
test.after(() => server.stop());

function layout(page) {
  return page.evaluate(() => {
    const stage = document.getElementById('stage').getBoundingClientRect();
    return {
      state: bannerPage.state,
      box: [stage.left, stage.top, stage.width, stage.height],
      scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
      play: !document.getElementById('play').hidden,
      policy: document.querySelector('meta[http-equiv="Content-Security-Policy"]').content,
    };
  });
}

test('the page loads from its own folder without errors and is exactly the banner', { timeout: 120000 }, async () => {
  const browser = await launch();
  try {
    for (const [query, height] of [['', 92], ['?alt', 89]]) {
      const page = await openPage(browser, { width: 960, height: 92 });
      await page.goto(server.url(`index.html${query}`));
      await page.waitForFunction(() => window.createBannerModule, { timeout: 20000 });
      const shape = await layout(page);
      assert.strictEqual(shape.state, 'idle');
      assert.deepStrictEqual(shape.box, [0, 0, 960, height]);
      assert.deepStrictEqual(shape.scroll, [960, 92], 'no scroll bars, nothing around the banner');
      assert.ok(shape.play, 'the play control is offered');
      assert.match(shape.policy, /default-src 'self'/);
      assert.deepStrictEqual(page.problems, []);
      const folder = server.url('');
      const elsewhere = page.requested.filter((url) => !url.startsWith(folder));
      assert.deepStrictEqual(elsewhere, [], 'every request stays in the page\'s folder');
      // The policy is in force: the page itself cannot reach another origin.
      const blocked = await page.evaluate(() => fetch('http://127.0.0.2:9/').then(() => false, () => true));
      assert.ok(blocked, 'a request to another origin is refused');
      await page.close();
    }
  } finally {
    await browser.close();
  }
});

test('before any script runs, the banner is its poster: the capture tool\'s frame, with a text alternative', { timeout: 120000 }, async () => {
  const capture = decodePng(require('fs').readFileSync(captureFrames({ frames: [POSTER_FRAME] })[POSTER_FRAME]));
  const browser = await launch();
  try {
    const page = await openPage(browser, { width: 960, height: 92 });
    await page.setJavaScriptEnabled(false);
    await page.goto(server.url('index.html'), { waitUntil: 'load' });
    const alt = await page.$eval('#poster img', (img) => img.alt);
    assert.ok(alt.length > 40 && /gear wheels/.test(alt), `the poster says what it shows: "${alt}"`);
    assert.ok(!page.requested.some((url) => /banner\.(js|wasm)|music/.test(url)), 'nothing but the page and its poster');
    const png = Buffer.from(await page.screenshot({ type: 'png', clip: { x: 0, y: 0, width: 960, height: 92 } }));
    if (process.env.BANNER_SHOT_DIR) require('fs').writeFileSync(`${process.env.BANNER_SHOT_DIR}/poster.png`, png);
    const shot = decodePng(png);
    // Measured: the poster differs from the frame by a mean of 0.63 (lossy compression blurs its
    // edges); a black banner by 6.5, and the frame 0.2 s later by 4.9.
    let sum = 0;
    for (let i = 0; i < shot.rgba.length; i += 4) {
      for (let c = 0; c < 3; c++) sum += Math.abs(shot.rgba[i + c] - capture.rgba[i + c]);
    }
    const mean = sum / (960 * 92 * 3);
    console.log(`the poster differs from the capture tool's frame ${POSTER_FRAME} by a mean of ${mean.toFixed(2)}`);
    assert.ok(mean < 1.5, `the poster is the capture tool's frame ${POSTER_FRAME} (mean difference ${mean.toFixed(2)})`);
  } finally {
    await browser.close();
  }
});
