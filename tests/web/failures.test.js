'use strict';
// When the banner cannot play: each failure leaves the poster and a short sentence, never a blank
// box, an unhandled rejection or the program's own error text (that goes to the console). Without
// WebGL 2 it offers the show as a video, fetched only then; a program that cannot be found or
// music that cannot be fetched (offline) are offered again, and fetched again when asked; a lost WebGL context holds the show's
// clock and the music, which go on where they stood when it comes back.
const test = require('node:test');
const assert = require('node:assert');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');
const { axeViolations } = require('./embedding');
const { apart, sleep } = require('./together');

let server;
test.before(async () => {
  server = await new SiteServer(SITE).start();
});
test.after(() => server.stop());

// What a visitor sees: which picture, the sentence, and whether any of the program's own words
// made it onto the page.
function seen(page) {
  return page.evaluate(() => {
    const poster = document.querySelector('#poster img');
    const shown = getComputedStyle(document.getElementById('poster')).display !== 'none';
    return {
      state: bannerPage.state,
      picture: document.getElementById('stage').dataset.picture,
      poster: shown && poster.complete && poster.naturalWidth === 960,
      sentence: document.getElementById('message').hidden ? null : document.getElementById('message').textContent,
      internal: /Error|Direct3D|status|wasm|\.js/.test(document.body.innerText),
      play: document.getElementById('play').hidden ? null : document.getElementById('play').getAttribute('aria-label'),
    };
  });
}

// Problems other than those the failure itself makes: the program's lines on the console and the
// requests refused on purpose are expected; anything uncaught is not.
function unexpected(page, expected) {
  return page.problems.filter((line) => !expected.some((pattern) => pattern.test(line)));
}

test('without WebGL 2 the poster stays, a sentence says why, and the show comes as a video', { timeout: 120000 }, async () => {
  const browser = await launch(['--disable-webgl2']);
  try {
    const page = await openPage(browser, { width: 960, height: 92 });
    await page.setBypassCSP(true);
    await page.goto(server.url('index.html'));
    await page.waitForFunction(() => document.querySelector('script[src="banner.js"]'), { timeout: 20000 });
    await page.click('#play');
    await page.waitForFunction(() => bannerPage.state === 'failed', { timeout: 30000 });
    const failed = await seen(page);
    assert.deepStrictEqual(failed, { state: 'failed', picture: 'poster', poster: true, internal: false,
      sentence: 'This browser cannot draw the show in 3D. Here it is as a video.', play: 'Play the video' });
    assert.ok(page.problems.some((line) => /Direct3D Device Creating Error/.test(line)), 'the program\'s error is on the console');
    assert.ok(!page.requested.some((url) => url.endsWith('banner.mp4')), 'no video fetched before it is asked for');
    assert.deepStrictEqual(await axeViolations(page), [], 'axe-core, the fallback offered');
    if (process.env.BANNER_SHOT_DIR) await page.screenshot({ path: `${process.env.BANNER_SHOT_DIR}/no-webgl2.png` });

    await page.click('#play');
    await page.waitForFunction(() => bannerPage.state === 'playing' && document.getElementById('video').currentTime > 1, { timeout: 30000 });
    assert.strictEqual((await seen(page)).picture, 'video');
    assert.deepStrictEqual(await axeViolations(page), [], 'axe-core, the video playing');
    await page.click('#play');
    await page.waitForFunction(() => bannerPage.state === 'paused' && document.getElementById('video').paused, { timeout: 5000 });
    assert.deepStrictEqual(unexpected(page, [/Init Error/, /the program ended/]), []);
  } finally {
    await browser.close();
  }
});

test('a program that is not found, or music that cannot be fetched, leaves the poster and an offer to try again', { timeout: 120000 }, async () => {
  const browser = await launch();
  try {
    server.missing.add('banner.wasm');
    const missing = await openPage(browser, { width: 960, height: 92 });
    await missing.goto(server.url('index.html'));
    await missing.waitForFunction(() => bannerPage.state === 'failed', { timeout: 20000 });
    assert.deepStrictEqual(await seen(missing), { state: 'failed', picture: 'poster', poster: true, internal: false,
      sentence: 'The show could not be loaded. Please try again.', play: 'Try again' });
    server.missing.clear();
    await missing.click('#play');
    await missing.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
    assert.deepStrictEqual(unexpected(missing, [/404: .*banner\.wasm/, /failed request: .*banner\.wasm/, /Failed to load resource/, /banner: banner\.wasm: 404/]), []);

    const offline = await openPage(browser, { width: 960, height: 92 });
    await offline.goto(server.url('index.html'));
    await offline.waitForFunction(() => document.querySelector('script[src="banner.js"]') && window.createBannerModule, { timeout: 20000 });
    await sleep(1000);
    await offline.setOfflineMode(true);
    await offline.click('#play');
    await offline.waitForFunction(() => bannerPage.state === 'failed', { timeout: 30000 });
    assert.deepStrictEqual(await seen(offline), { state: 'failed', picture: 'poster', poster: true, internal: false,
      sentence: 'The music could not be loaded. Try again, or mute it to watch without sound.', play: 'Try again' });
    await offline.setOfflineMode(false);
    await offline.click('#play');
    await offline.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
    await sleep(500);
    assert.ok(await apart(offline) < 40, 'tried again, the show plays with its music');
    assert.deepStrictEqual(unexpected(offline, [/failed request: .*music\.mp3/, /ERR_INTERNET_DISCONNECTED/, /banner: Failed to fetch/]), []);
  } finally {
    server.missing.clear();
    await browser.close();
  }
});

test('a lost WebGL context holds the show and its music; they go on where they stood when it comes back', { timeout: 180000 }, async () => {
  const browser = await launch();
  try {
    const page = await openPage(browser, { width: 960, height: 92 });
    await page.goto(server.url('index.html'));
    await page.waitForFunction(() => document.querySelector('script[src="banner.js"]'), { timeout: 20000 });
    await page.click('#play');
    await page.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
    await sleep(3000);
    await page.evaluate(() => {
      window.loseContext = document.getElementById('banner').getContext('webgl2').getExtension('WEBGL_lose_context');
      window.loseContext.loseContext();
    });
    await page.waitForFunction(() => !bannerPage.running(), { timeout: 5000 });
    const lost = await page.evaluate(() => ({ show: bannerPage.showTime(), music: bannerPage.music.position(), frames: bannerPage.frameTimes.length }));
    assert.deepStrictEqual(await seen(page), { state: 'playing', picture: 'poster', poster: true, internal: false,
      sentence: 'The show waits while the browser restores its graphics.', play: 'Pause' });
    await sleep(1500);
    const still = await page.evaluate(() => ({ show: bannerPage.showTime(), music: bannerPage.music.position(), frames: bannerPage.frameTimes.length }));
    assert.deepStrictEqual(still, lost, 'the show\'s clock, the music and the frames stand still');

    await page.evaluate(() => window.loseContext.restoreContext());
    await page.waitForFunction((before) => bannerPage.running() && bannerPage.frameShowTimes.length > before,
      { timeout: 60000 }, lost.frames);
    // The first frame drawn after it came back, by the show's clock: a frame's time on from
    // where it stood, more if the page's turn comes late on a busy machine.
    const back = await page.evaluate((before) => bannerPage.frameShowTimes[before], lost.frames);
    assert.ok(back > lost.show && back - lost.show < 300, `the show goes on where it stood (${lost.show} ms, then ${back} ms)`);
    await sleep(1500);
    assert.ok(await apart(page) < 40, 'with its music');
    const after = await seen(page);
    assert.deepStrictEqual([after.picture, after.sentence], ['show', null]);
    assert.ok(await page.evaluate(() => bannerPage.frameTimes.length) > 20, 'frames are drawn again');
    assert.deepStrictEqual(page.problems, []);
  } finally {
    await browser.close();
  }
});
