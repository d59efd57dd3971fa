'use strict';
// The controls, by keyboard and by pointer, with axe-core's WCAG 2 A and AA rules in every state:
// before playing, playing, paused, ended. Play, pause (the show's clock and the music stand still
// together), mute (the show goes on, the music keeps its place), Escape and play again; the focus
// stays where the visitor put it, and shows.
const test = require('node:test');
const assert = require('node:assert');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');
const { axeViolations } = require('./embedding');
const { apart, sleep } = require('./together');

function now(page) {
  return page.evaluate(() => ({
    state: bannerPage.state,
    show: bannerPage.showTime(),
    music: bannerPage.music.position(),
    focus: document.activeElement.id,
    play: document.getElementById('play').getAttribute('aria-label'),
    muted: document.getElementById('mute').getAttribute('aria-pressed'),
  }));
}

// Whether the focused element shows a focus indicator: a ring of its own, or the canvas's ring
// drawn over the banner.
function focusShows(page) {
  return page.evaluate(() => {
    const focused = document.activeElement;
    if (focused.id === 'banner') {
      const ring = getComputedStyle(document.getElementById('stage'), '::after');
      return ring.content !== 'none' && parseFloat(ring.borderTopWidth) >= 2;
    }
    const style = getComputedStyle(focused);
    return style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2;
  });
}

async function assertAccessible(page, state) {
  assert.deepStrictEqual(await axeViolations(page), [], `axe-core, ${state}`);
}

test('the banner is played, paused, muted and ended by keyboard and by pointer, accessibly in every state', { timeout: 180000 }, async () => {
  const server = await new SiteServer(SITE).start();
  const browser = await launch();
  try {
    const page = await openPage(browser, { width: 960, height: 92 });
    await page.setBypassCSP(true);  // for axe-core's script
    await page.goto(server.url('index.html'));
    await page.waitForFunction(() => document.querySelector('script[src="banner.js"]') && bannerPage.state === 'idle', { timeout: 20000 });
    await assertAccessible(page, 'before playing');

    // Tab reaches the show, then the play control; Enter plays, and the focus stays.
    await page.keyboard.press('Tab');
    assert.strictEqual((await now(page)).focus, 'banner');
    assert.ok(await focusShows(page), 'the canvas shows its focus');
    await page.keyboard.press('Tab');
    assert.strictEqual((await now(page)).focus, 'play');
    assert.ok(await focusShows(page), 'the play control shows its focus');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
    await sleep(1500);
    let at = await now(page);
    assert.deepStrictEqual([at.focus, at.play], ['play', 'Pause']);
    assert.ok(await apart(page) < 40, 'the show and the music play together');
    await assertAccessible(page, 'playing');

    // Space on the focused control pauses: the show's clock and the music stand still.
    await page.keyboard.press('Space');
    await page.waitForFunction(() => bannerPage.state === 'paused', { timeout: 5000 });
    await sleep(300);
    const paused = await now(page);
    await sleep(1000);
    at = await now(page);
    assert.deepStrictEqual([at.show, at.music, at.play, at.focus], [paused.show, paused.music, 'Play', 'play']);
    await assertAccessible(page, 'paused');

    // The pointer resumes it from where it stood.
    await page.click('#play');
    await page.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.running(), { timeout: 5000 });
    await sleep(1000);
    at = await now(page);
    assert.ok(at.show - paused.show >= 800 && at.show - paused.show < 1600, `went on from where it stood (${at.show - paused.show} ms later)`);
    assert.ok(await apart(page) < 40, 'with its music');

    // Mute by keyboard: a toggle; the show goes on and the music keeps its place, silent.
    await page.keyboard.press('Tab');
    assert.strictEqual((await now(page)).focus, 'mute');
    await page.keyboard.press('Space');
    at = await now(page);
    assert.deepStrictEqual([at.muted, at.state, at.focus], ['true', 'playing', 'mute']);
    await sleep(1000);
    assert.ok((await now(page)).show - at.show >= 800, 'the show goes on muted');
    assert.ok(await apart(page) < 40, 'the music keeps its place');
    await page.click('#mute');
    assert.strictEqual((await now(page)).muted, 'false');

    // On the show itself, Space pauses and plays; Escape ends the show, the focus stays put.
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    assert.strictEqual((await now(page)).focus, 'banner');
    await page.keyboard.press('Space');
    await page.waitForFunction(() => bannerPage.state === 'paused', { timeout: 5000 });
    await page.keyboard.press('Space');
    await page.waitForFunction(() => bannerPage.state === 'playing', { timeout: 5000 });
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => bannerPage.state === 'ended', { timeout: 5000 });
    at = await now(page);
    assert.deepStrictEqual([at.focus, at.play, at.music], ['banner', 'Play again', null]);
    await assertAccessible(page, 'ended');

    await page.click('#play');
    await page.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
    await sleep(1000);
    at = await now(page);
    assert.ok(at.show >= 800 && at.show < 2500, `played again from the start (${at.show} ms)`);
    assert.deepStrictEqual(page.problems, []);
  } finally {
    await browser.close();
    await server.stop();
  }
});
