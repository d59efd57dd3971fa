'use strict';
// The page's fixed frames against the capture tool's PNG files of the same frames: one in every
// phase of the show in banner's framing, a few in banner_alt's and a few after 'L' was pressed.
// Each frame's per-channel difference is summed up as its mean and its 99th percentile.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { captureFrames, siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');
const { decodePng } = require('./png');

// The middle of each phase, 0 to 15.
const PHASE_FRAMES = [300, 515, 591, 617, 660, 711, 900, 1300, 1571, 1700, 1846, 1990, 2180,
  2450, 2690, 2860];
const ALT_FRAMES = [0, 515, 711, 1571, 2180, 2860];
const PRESS_L = [2.5];
const PRESSED_FRAMES = [70, 80, 200];

// Measured: the same frame differs by a mean of at most 0.15 and a 99th percentile of at most 2
// (single pixels at edges, where the two rasterisers round differently); frames one step (40 ms)
// apart differ by a mean of 0.31 to 18 and a 99th percentile of 5 to 180. The tolerance lies
// between: a frame off by one step, or anything missing or misplaced, fails it.
const TOLERANCE = { mean: 0.25, p99: 4 };

function difference(page, capture) {
  assert.deepStrictEqual([page.width, page.height], [capture.width, capture.height],
    'the frames differ in size');
  const counts = new Array(256).fill(0);
  let sum = 0;
  for (let i = 0; i < page.rgba.length; i += 4) {
    for (let c = 0; c < 3; c++) {
      const d = Math.abs(page.rgba[i + c] - capture.rgba[i + c]);
      counts[d] += 1;
      sum += d;
    }
  }
  const total = (page.rgba.length / 4) * 3;
  let seen = 0;
  let p99 = 0;
  while (seen + counts[p99] < 0.99 * total) seen += counts[p99++];
  let max = 255;
  while (counts[max] === 0) max--;
  return { mean: sum / total, p99, max };
}

async function pageFrame(browser, server, query, height) {
  const page = await openPage(browser);
  try {
    await page.goto(server.url(`index.html?${query}`));
    await page.waitForSelector('canvas[data-frame-ready], #message:not([hidden])', { timeout: 240000 });
    const failure = await page.$eval('#message', (box) => (box.hidden ? null : box.textContent));
    assert.strictEqual(failure, null, `?${query}: ${failure}`);
    assert.deepStrictEqual(page.problems, []);
    const shot = Buffer.from(await page.screenshot({ type: 'png', clip: { x: 0, y: 0, width: 960, height } }));
    if (process.env.BANNER_FRAME_DIR) {
      fs.writeFileSync(path.join(process.env.BANNER_FRAME_DIR, `page_${query.replace(/[^\w]+/g, '_')}.png`), shot);
    }
    return decodePng(shot);
  } finally {
    await page.close();
  }
}

test('fixed frames match the capture tool frame by frame', { timeout: 900000 }, async () => {
  const server = await new SiteServer(SITE).start();
  const browser = await launch();
  const runs = [
    { label: 'banner', query: (n) => `frame=${n}`, height: 92, frames: PHASE_FRAMES, files: captureFrames({ frames: PHASE_FRAMES }) },
    { label: 'alt', query: (n) => `frame=${n}&alt`, height: 89, frames: ALT_FRAMES, files: captureFrames({ frames: ALT_FRAMES, alt: true }) },
    { label: 'L at 2.5 s', query: (n) => `frame=${n}&press-l=${PRESS_L.join(',')}`, height: 92, frames: PRESSED_FRAMES, files: captureFrames({ frames: PRESSED_FRAMES, pressL: PRESS_L }) },
  ];
  const rows = [];
  try {
    for (const run of runs) {
      for (const frame of run.frames) {
        const shot = await pageFrame(browser, server, run.query(frame), run.height);
        const capture = decodePng(fs.readFileSync(run.files[frame]));
        if (process.env.BANNER_FRAME_DIR) {
          fs.copyFileSync(run.files[frame], path.join(process.env.BANNER_FRAME_DIR, `capture_${run.label.replace(/[^\w]+/g, '_')}_${frame}.png`));
        }
        rows.push({ run: run.label, frame, ...difference(shot, capture) });
      }
    }
  } finally {
    await browser.close();
    await server.stop();
  }
  console.log(`framing     frame   mean    p99   max   (tolerance: mean <= ${TOLERANCE.mean}, p99 <= ${TOLERANCE.p99})`);
  for (const row of rows) {
    console.log(`${row.run.padEnd(10)} ${String(row.frame).padStart(6)} ${row.mean.toFixed(3).padStart(6)} ${String(row.p99).padStart(6)} ${String(row.max).padStart(5)}`);
  }
  for (const row of rows) {
    assert.ok(row.mean <= TOLERANCE.mean && row.p99 <= TOLERANCE.p99,
      `${row.run} frame ${row.frame}: mean ${row.mean.toFixed(3)}, p99 ${row.p99}`);
  }
});
