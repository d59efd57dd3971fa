'use strict';
// The banner on host pages of another origin, embedded with README's snippet as it stands (its
// sandbox and allow tokens included): in a phone's column and on a 2x desktop screen, and steered
// by the host page's messages. BANNER_SHOT_DIR, when set, receives screenshots.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');
const { ONE_PROCESS_FLAGS, readmeSnippet } = require('./embedding');
const { decodePng } = require('./png');
const { apart, sleep } = require('./together');

let server;
let browser;

function hostPage(snippet, extra = '') {
  return `<!doctype html><html lang="en"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1"><title>A host</title><link rel="icon" href="data:,"></head>
<body style="margin:0;font:16px/1.5 sans-serif">
<main style="max-width:960px;margin:0 auto;padding:0 16px">
<h1>News of the day</h1><p>Some text above the banner, as a column of a site would have it.</p>
${snippet}
<p>More text below it.</p>${extra}</main></body></html>`;
}

test.before(async () => {
  server = await new SiteServer(SITE).start();
  const snippet = readmeSnippet(server.url('index.html'));
  server.addHostPage('column.html', hostPage(snippet));
  // The host's script starts the banner by itself, without anyone's gesture, once it is ready;
  // a frame of the banner's own origin that is not its parent tries to start it before that.
  server.addHostPage('remote.html', hostPage(snippet, `
<button id="host-play" type="button">Play the banner</button>
<iframe title="another frame" src="${server.origin}/host/stranger.html" style="width:10px;height:10px"></iframe>
<script>
  window.events = [];
  const banner = document.querySelector('iframe[sandbox]');
  window.send = (type) => banner.contentWindow.postMessage({ type }, '*');
  addEventListener('message', (event) => {
    if (event.source !== banner.contentWindow) return;
    window.events.push(event.data);
    if (event.data.type !== 'banner:ready') return;
    banner.contentWindow.postMessage('banner:play', '*');
    banner.contentWindow.postMessage({ type: 'banner:launch' }, '*');
    setTimeout(() => {
      window.strangerIgnored = !window.events.some((e) => e.type === 'banner:playing');
      send('banner:play');
    }, 1500);
  });
  document.getElementById('host-play').addEventListener('click', () => { send('banner:unmute'); send('banner:play'); });
</script>`));
  server.addHostPage('stranger.html', `<!doctype html><title>stranger</title><script>
  let tries = 0;
  const timer = setInterval(() => {
    parent.frames[0].postMessage({ type: 'banner:play' }, '*');
    if (++tries === 40) clearInterval(timer);
  }, 100);
</script>`);
  browser = await launch(ONE_PROCESS_FLAGS);
});
test.after(async () => {
  await browser.close();
  await server.stop();
});

async function bannerFrame(page) {
  await page.waitForFunction((origin) => [...document.querySelectorAll('iframe')].some((f) => f.src.startsWith(origin)),
    {}, server.origin);
  for (let i = 0; i < 100; i++) {
    const frame = page.frames().find((f) => f.url().startsWith(server.url('index.html')));
    if (frame) {
      await frame.waitForFunction(() => window.bannerPage && bannerPage.state, { timeout: 20000 });
      return frame;
    }
    await sleep(100);
  }
  throw new Error('the banner\'s frame never appeared');
}

async function shot(page, name, clip) {
  if (!process.env.BANNER_SHOT_DIR) return;
  await page.screenshot({ path: path.join(process.env.BANNER_SHOT_DIR, name), clip });
}

test('in a phone\'s column the banner fits, is sharp to the pixels the phone can give, and plays when tapped', { timeout: 120000 }, async () => {
  const page = await openPage(browser, { width: 375, height: 667, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await page.goto(server.hostUrl('column.html'));
  const frame = await bannerFrame(page);
  for (const width of [375, 320]) {
    await page.setViewport({ width, height: 667, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
    await sleep(300);
    const fit = await page.evaluate(() => {
      const box = document.querySelector('iframe').getBoundingClientRect();
      return { scroll: document.documentElement.scrollWidth, view: innerWidth, width: box.width, height: box.height };
    });
    assert.ok(fit.scroll <= fit.view, `${width} px: the host page does not scroll sideways (${fit.scroll} > ${fit.view})`);
    assert.strictEqual(fit.width, width - 32, 'the banner fills the column');
    assert.ok(Math.abs(fit.height - fit.width * 92 / 960) <= 1, `${width} px: the banner keeps its shape (${fit.width} x ${fit.height})`);
    const inside = await frame.evaluate(() => {
      const stage = document.getElementById('stage').getBoundingClientRect();
      const buttons = [...document.querySelectorAll('#controls button:not([hidden])')].map((b) => b.getBoundingClientRect());
      return { stage: [stage.width, stage.height], buttons: buttons.map((b) => [b.width, b.height, b.right <= stage.right, b.bottom <= stage.bottom]) };
    });
    assert.ok(Math.abs(inside.stage[0] - fit.width) < 1 && Math.abs(inside.stage[1] - fit.height) <= 1, 'the picture fills the frame');
    assert.strictEqual(inside.buttons.length, 2);
    for (const [w, h, inRight, inBottom] of inside.buttons) {
      assert.ok(w >= 24 && h >= 24 && inRight && inBottom, `a control is ${w} x ${h} px, within the banner`);
    }
  }
  await page.setViewport({ width: 375, height: 667, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await frame.waitForFunction(() => document.querySelector('#poster img').complete, { timeout: 10000 });
  const box = await (await page.$('iframe')).boundingBox();
  await shot(page, 'phone-poster.png', { x: 0, y: box.y - 40, width: 375, height: box.height + 80 });
  await frame.tap('#play');
  await frame.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
  await sleep(3000);
  const buffer = await frame.evaluate(() => [document.getElementById('banner').width, document.getElementById('banner').height]);
  assert.deepStrictEqual(buffer, [686, 66], 'the drawing buffer: the column\'s 343 px at twice the CSS pixels, in the show\'s shape');
  assert.ok(await apart(frame) < 40, 'the show plays with its music');
  await shot(page, 'phone.png', { x: 0, y: box.y - 40, width: 375, height: box.height + 80 });
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});

// How sharp a picture is: the largest step between neighbouring pixels against its brightest
// value. A picture drawn at half the pixels and stretched by the browser or by a blit steps by at
// most half of that (each pixel between two drawn ones is a blend of them); one drawn at the
// screen's own pixels steps from an edge of an object to the black behind it at once.
function sharpness(png) {
  const { width, height, rgba } = png;
  let brightest = 0;
  let step = 0;
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const i = (y * width + x) * 4;
      for (let c = 0; c < 3; c++) {
        brightest = Math.max(brightest, rgba[i + c]);
        if (x + 1 < width) step = Math.max(step, Math.abs(rgba[i + c] - rgba[i + 4 + c]));
        if (y + 1 < height) step = Math.max(step, Math.abs(rgba[i + c] - rgba[i + width * 4 + c]));
      }
    }
  }
  return step / brightest;
}

test('on a 2x desktop screen the show is drawn at the screen\'s pixels, in the same framing', { timeout: 120000 }, async () => {
  const page = await openPage(browser, { width: 1280, height: 700, deviceScaleFactor: 2 });
  await page.goto(server.hostUrl('column.html'));
  const frame = await bannerFrame(page);
  const box = await (await page.$('iframe')).boundingBox();
  assert.deepStrictEqual([box.width, Math.round(box.height)], [960, 92]);
  await frame.click('#play');
  await frame.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
  await sleep(3000);
  await frame.click('#play');
  await frame.waitForFunction(() => bannerPage.state === 'paused', { timeout: 5000 });
  const buffer = await frame.evaluate(() => [document.getElementById('banner').width, document.getElementById('banner').height]);
  assert.deepStrictEqual(buffer, [1920, 184]);
  await shot(page, 'desktop-2x.png', { x: box.x - 16, y: box.y - 30, width: 992, height: box.height + 60 });
  // The show alone, left of the controls.
  const picture = decodePng(Buffer.from(await page.screenshot({ type: 'png', clip: { x: box.x, y: box.y, width: 820, height: box.height } })));
  const measured = sharpness(picture);
  console.log(`2x: the largest step between neighbouring pixels is ${(measured * 100).toFixed(0)}% of the brightest`);
  assert.ok(measured > 0.7, 'the picture has edges one screen pixel wide');
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});

test('the host page plays, pauses and mutes the banner, and hears what it does; no other window can', { timeout: 120000 }, async () => {
  const page = await openPage(browser, { width: 1000, height: 700 });
  const earlier = server.requests.length;
  // Puppeteer's own evaluations count as the visitor's gestures: until the banner has started,
  // the host is read through DevTools without one.
  const session = await page.createCDPSession();
  const read = async (expression) => (await session.send('Runtime.evaluate', { expression, returnByValue: true })).result.value;
  await page.goto(server.hostUrl('remote.html'));
  const deadline = Date.now() + 30000;
  while (!(await read('window.events && window.events.some((e) => e.type === "banner:playing")'))) {
    assert.ok(Date.now() < deadline, `the banner did not start: ${JSON.stringify(await read('window.events'))}`);
    await sleep(200);
  }
  assert.strictEqual(await read('window.strangerIgnored'), true, 'a frame that is not the parent cannot start it');
  const playing = await read('window.events.find((e) => e.type === "banner:playing")');
  assert.strictEqual(playing.muted, true, 'without a gesture the banner plays muted');
  const frame = await bannerFrame(page);
  const events = () => page.evaluate(() => window.events.map((e) => e.type));
  const last = () => page.evaluate(() => window.events[window.events.length - 1]);
  await sleep(1500);
  await page.evaluate(() => send('banner:pause'));
  await page.waitForFunction(() => window.events.some((e) => e.type === 'banner:paused'), { timeout: 5000 });
  const paused = await last();
  const stood = await frame.evaluate(() => bannerPage.showTime());
  assert.ok(paused.time >= 1 && Math.abs(paused.time * 1000 - stood) < 50, `paused at ${paused.time} s of the show`);
  await sleep(1000);
  assert.strictEqual(await frame.evaluate(() => bannerPage.showTime()), stood, 'the show stands still');
  assert.ok(!server.requests.slice(earlier).includes('/banner/music.mp3'), 'no music fetched while muted');

  // The visitor presses the host's button: with allow="autoplay" the banner may sound.
  await page.click('#host-play');
  await page.waitForFunction(() => window.events.filter((e) => e.type === 'banner:playing').length === 2, { timeout: 30000 });
  await frame.waitForFunction(() => bannerPage.music.position() !== null, { timeout: 30000 });
  assert.strictEqual(await frame.evaluate(() => bannerPage.muted()), false);
  await sleep(500);
  assert.ok(await apart(frame) < 40, 'the music joined where the show stood');
  await page.evaluate(() => send('banner:mute'));
  await frame.waitForFunction(() => bannerPage.muted(), { timeout: 5000 });
  assert.strictEqual(await frame.evaluate(() => bannerPage.state), 'playing', 'muting does not stop the show');

  await frame.focus('#banner');
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => window.events.some((e) => e.type === 'banner:ended'), { timeout: 5000 });
  assert.deepStrictEqual(await events(), ['banner:ready', 'banner:playing', 'banner:paused', 'banner:playing', 'banner:ended']);
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});
