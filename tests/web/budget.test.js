'use strict';
// What the banner costs a visitor, as transferred (the server sends the site's compressed copies,
// as any web server or CDN would), counted from Chromium's own network events for a host page of
// another origin that embeds it 5000 px below the fold, without loading="lazy" (the banner's own
// laziness is what is measured): out of view, then scrolled into view with nobody touching it,
// then after someone points at the play control and plays it with sound.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');
const { ONE_PROCESS_FLAGS, recordTransfers } = require('./embedding');
const { sleep } = require('./together');

const KB = 1000;
const BUDGET = {
  outOfView: 60 * KB,
  inView: 400 * KB,
  inViewRequests: 10,
};

test('out of view the banner costs the page and its poster; in view its program, politely; the music only on asking', { timeout: 180000 }, async () => {
  const server = await new SiteServer(SITE).start();
  server.addHostPage('far.html', `<!doctype html><html lang="en"><title>host</title><link rel="icon" href="data:,">
<body style="margin:0"><div style="height:5000px"></div>
<iframe src="${server.url('index.html')}" title="banner" allow="autoplay"
 style="display:block;width:100%;aspect-ratio:960/92;border:0"></iframe></body></html>`);
  const browser = await launch(ONE_PROCESS_FLAGS);
  try {
    const page = await openPage(browser, { width: 1000, height: 700 });
    const { transfers } = await recordTransfers(page);
    const banner = () => transfers.filter((t) => t.url.startsWith(server.url('')));
    const sum = (list) => list.reduce((total, t) => total + t.bytes, 0);
    const names = (list) => list.map((t) => t.url.slice(server.url('').length)).sort();

    await page.goto(server.hostUrl('far.html'), { waitUntil: 'load' });
    await sleep(3000);
    const outOfView = banner();
    const frame = page.frames().find((f) => f.url().startsWith(server.url('')));
    const loadedAt = await frame.evaluate(() => performance.timeOrigin + performance.getEntriesByType('navigation')[0].loadEventEnd);

    await page.evaluate(() => window.scrollTo(0, 5000));
    await frame.waitForFunction(() => window.bannerPage && document.querySelector('script[src="banner.js"]'), { timeout: 20000 });
    await sleep(4000);
    const inView = banner();
    // When the browser asked for the program, on the frame's clock: after the frame's load.
    const programAsked = await frame.evaluate(() => performance.getEntriesByType('resource')
      .filter((entry) => /banner\.(js|wasm)$/.test(entry.name))
      .map((entry) => performance.timeOrigin + entry.startTime));

    await frame.hover('#play');
    await frame.waitForFunction(() => performance.getEntriesByType('resource').some((e) => e.name.endsWith('music.mp3')), { timeout: 10000 });
    await frame.click('#play');
    await frame.waitForFunction(() => bannerPage.state === 'playing' && bannerPage.music.position() !== null, { timeout: 30000 });
    await sleep(1000);
    const played = banner();

    const rows = [['out of view', outOfView], ['in view, idle', inView], ['after play with sound', played]];
    console.log('state                  requests  transferred');
    for (const [label, list] of rows) {
      console.log(`${label.padEnd(22)} ${String(list.length).padStart(8)}  ${(sum(list) / KB).toFixed(1).padStart(8)} kB  ${names(list).join(' ')}`);
    }

    assert.deepStrictEqual(names(outOfView), ['banner.css', 'index.html', 'page.js', 'poster.webp'],
      'out of view: only the page, its style and script, and the poster');
    assert.ok(sum(outOfView) <= BUDGET.outOfView, `out of view: ${sum(outOfView)} bytes`);
    assert.deepStrictEqual(names(inView), ['banner.css', 'banner.js', 'banner.wasm', 'index.html', 'page.js', 'poster.webp']);
    assert.ok(sum(inView) <= BUDGET.inView, `in view: ${sum(inView)} bytes`);
    assert.ok(inView.length <= BUDGET.inViewRequests, `in view: ${inView.length} requests`);
    assert.strictEqual(programAsked.length, 2);
    assert.ok(programAsked.every((at) => at >= loadedAt), 'the program is asked for after the page\'s load');
    assert.deepStrictEqual(names(played), names(inView.concat([{ url: server.url('music.mp3') }])),
      'playing with sound adds the music and nothing else');
    const text = inView.filter((t) => !/\.(webp|jpg|png|mp3|mp4)$/.test(t.url));
    for (const t of text) {
      const size = fs.statSync(`${SITE}/${t.url.slice(server.url('').length)}`).size;
      assert.ok(t.bytes < 0.6 * size, `${t.url} comes compressed: ${t.bytes} of ${size} bytes`);
    }
    assert.deepStrictEqual(page.problems, []);
  } finally {
    await browser.close();
    await server.stop();
  }
});
