'use strict';
// Lighthouse (pinned in package.json) on the page as it is served, in its default mobile
// emulation: accessibility, best practices and SEO 100, performance at least 90.
const test = require('node:test');
const assert = require('node:assert');
const { siteDir } = require('./environment');
const SITE = siteDir();
const { SiteServer } = require('./site_server');
const { launch } = require('./browser');

const GOALS = { accessibility: 1, 'best-practices': 1, seo: 1, performance: 0.9 };

test('Lighthouse scores the page 100 for accessibility, best practices and SEO, and at least 90 for performance', { timeout: 300000 }, async () => {
  const { default: lighthouse } = await import('lighthouse');
  const server = await new SiteServer(SITE).start();
  const browser = await launch(['--remote-debugging-port=0']);
  try {
    const port = Number(new URL(browser.wsEndpoint()).port);
    const result = await lighthouse(server.url('index.html'), {
      port, output: 'json', logLevel: 'error', onlyCategories: Object.keys(GOALS),
    });
    const { categories, audits } = result.lhr;
    const scores = Object.fromEntries(Object.keys(GOALS).map((id) => [id, categories[id].score]));
    console.log(`Lighthouse ${result.lhr.lighthouseVersion}: ${Object.entries(scores).map(([id, score]) => `${id} ${Math.round(score * 100)}`).join(', ')}`);
    for (const id of ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time', 'cumulative-layout-shift', 'speed-index']) {
      console.log(`  ${audits[id].title}: ${audits[id].displayValue}`);
    }
    const failing = Object.keys(GOALS).flatMap((id) => categories[id].auditRefs
      .filter((ref) => ref.weight > 0 && audits[ref.id].score !== null && audits[ref.id].score < 1)
      .map((ref) => `${id}/${ref.id}: ${audits[ref.id].title} (${audits[ref.id].displayValue || audits[ref.id].score})`));
    if (failing.length) console.log(`  short of full marks: ${failing.join('; ')}`);
    for (const [id, goal] of Object.entries(GOALS)) {
      assert.ok(scores[id] >= goal, `${id}: ${Math.round(scores[id] * 100)}, below ${goal * 100}`);
    }
  } finally {
    await browser.close();
    await server.stop();
  }
});
