'use strict';
// What the tests of the banner on other sites share: README's embedding snippet, as a site owner
// copies it; the bytes a page transfers, counted from Chromium's own network events; and
// axe-core's WCAG 2 A and AA rules run on the banner.
const fs = require('fs');
const path = require('path');

const README = path.join(__dirname, '..', '..', 'README.md');
const SNIPPET_SOURCE = 'https://example.org/banner/index.html';

// The iframe element that README tells site owners to copy, pointing at the given address.
function readmeSnippet(src) {
  const text = fs.readFileSync(README, 'utf8');
  const match = /<iframe src="https:\/\/example\.org\/banner\/index\.html"[\s\S]*?<\/iframe>/.exec(text);
  if (!match) throw new Error('README has no embedding snippet');
  return match[0].split(SNIPPET_SOURCE).join(src);
}

// Cross-origin frames get processes of their own in Chromium, and their requests reach only
// their own DevTools session, nor does an emulated device's pixel ratio reach them; with one
// process for the page and its frames, the page's session sees every request and the frames the
// device's pixels. How the browser lays out its processes changes nothing the page does.
const ONE_PROCESS_FLAGS = ['--disable-site-isolation-trials', '--disable-features=IsolateOrigins,site-per-process'];

// Every response the page and its frames finish loading: url, bytes transferred (headers and the
// encoded body) and when it was asked for (the browser's monotonic seconds).
async function recordTransfers(page) {
  const session = await page.createCDPSession();
  const asked = new Map();
  const transfers = [];
  session.on('Network.requestWillBeSent', (event) => {
    asked.set(event.requestId, { url: event.request.url, at: event.timestamp });
  });
  session.on('Network.loadingFinished', (event) => {
    const request = asked.get(event.requestId);
    if (request) transfers.push({ ...request, bytes: event.encodedDataLength });
  });
  await session.send('Network.enable');
  return { session, transfers };
}

// axe-core's rules for WCAG 2.0, 2.1 and 2.2 at levels A and AA, in the given page or frame (the
// page must bypass its Content-Security-Policy for axe's script to be added).
async function axeViolations(target) {
  await target.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const results = await target.evaluate(() => axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] },
  }));
  return results.violations.map((violation) =>
    `${violation.id}: ${violation.help} (${violation.nodes.map((node) => node.target.join(' ')).join(', ')})`);
}

module.exports = { readmeSnippet, ONE_PROCESS_FLAGS, recordTransfers, axeViolations };
