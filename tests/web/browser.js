'use strict';
// Debian's Chromium, headless, with WebGL 2 on its software rasteriser and no network of its own,
// and sound only after a gesture, as a visitor's browser has it (headless would allow it at once);
// pages opened here keep their console messages, uncaught errors and failed requests.
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.BANNER_CHROMIUM || '/usr/bin/chromium';
const FLAGS = [
  '--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--no-first-run', '--disable-quic', '--autoplay-policy=user-gesture-required',
];

async function launch(extraFlags = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'banner-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: false,  // the flags ask for the new headless mode themselves
    args: FLAGS.concat(extraFlags),
    userDataDir: profile,
    defaultViewport: { width: 960, height: 92 },
  });
  browser.on('disconnected', () => {
    fs.rm(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 }, () => {});
  });
  return browser;
}

// A tab that records what the page says and what it fails to load.
async function openPage(browser, viewport) {
  const page = await browser.newPage();
  if (viewport) await page.setViewport(viewport);
  page.problems = [];
  page.requested = [];
  page.on('console', (message) => {
    if (message.type() === 'error') page.problems.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => page.problems.push(`uncaught: ${error.message}`));
  page.on('request', (request) => page.requested.push(request.url()));
  page.on('requestfailed', (request) => page.problems.push(`failed request: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) page.problems.push(`${response.status()}: ${response.url()}`);
  });
  return page;
}

module.exports = { launch, openPage };
