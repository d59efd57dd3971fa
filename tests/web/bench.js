'use strict';
// Not a test: plays the whole show in the page's benchmark (index.html?bench) in headless
// Chromium and prints its table, with the machine's load. scripts/bench-web.sh runs it.
const os = require('os');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch, openPage } = require('./browser');

async function main() {
  const alt = process.argv.includes('--alt');
  const untilAt = process.argv.indexOf('--until');
  const until = untilAt > 0 ? `&until=${Number(process.argv[untilAt + 1])}` : '';
  const server = await new SiteServer(SITE).start();
  const browser = await launch();
  try {
    // The GPU process starts with the first WebGL context; the page's start-up is measured with
    // it running, as in a browser that has shown a page before.
    const warm = await openPage(browser);
    await warm.goto(server.url('index.html?frame=0'));
    await warm.waitForFunction(() => window.bannerPage && bannerPage.state !== 'loading' && bannerPage.state !== 'playing', { timeout: 60000 });
    await warm.close();
    const page = await openPage(browser);
    await page.goto(server.url(`index.html?bench${alt ? '&alt' : ''}${until}`));
    await page.waitForFunction(() => bannerPage.benchTable !== null || bannerPage.state === 'failed',
      { timeout: 0, polling: 1000 });
    const table = await page.evaluate(() => bannerPage.benchTable);
    if (!table) throw new Error(`the benchmark failed: ${page.problems.join('; ')}`);
    const load = os.loadavg().map((value) => value.toFixed(2)).join(' ');
    console.log(`${os.cpus().length} x ${os.cpus()[0].model}, load average ${load}, ` +
      `Chromium ${(await browser.version()).replace(/^[^/]*\//, '')}`);
    console.log(table);
  } finally {
    await browser.close();
    await server.stop();
  }
}

main().catch((error) => {
  console.error(`bench-web: ${error.message}`);
  process.exit(1);
});
