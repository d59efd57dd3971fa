'use strict';
// What the browser tests need from the builds: the site (scripts/build-web.sh) and the native
// capture tool, named by BANNER_SITE_DIR and BANNER_CAPTURE. Without them a test file ends with
// status 77, which CTest counts as skipped, and says why.
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');

const SKIPPED = 77;

function skip(reason) {
  console.log(reason);
  process.exit(SKIPPED);
}

// The site's folder, once the site and the tests' node packages are there.
function siteDir() {
  const dir = process.env.BANNER_SITE_DIR;
  if (!dir || !fs.existsSync(path.join(dir, 'index.html'))) {
    skip(`no site in ${dir}: build it with scripts/build-web.sh`);
  }
  for (const name of ['puppeteer-core', 'axe-core', 'lighthouse']) {
    try {
      require.resolve(name);
    } catch {
      skip(`no ${name} in tests/web/node_modules: run scripts/setup-web.sh`);
    }
  }
  return path.resolve(dir);
}

function captureTool() {
  const tool = process.env.BANNER_CAPTURE;
  if (!tool || !fs.existsSync(tool)) {
    skip(`no capture tool at ${tool}`);
  }
  return tool;
}

// The capture tool's PNG files of the given frames: { frame number: path }.
function captureFrames({ frames, alt = false, pressL = [] }) {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'banner-capture-'));
  const args = ['--frame', frames.join(','), '--out', out];
  if (alt) args.push('--alt');
  if (pressL.length) args.push('--press-l', pressL.join(','));
  execFileSync(captureTool(), args, { stdio: ['ignore', 'ignore', 'inherit'] });
  const files = {};
  for (const name of fs.readdirSync(out)) {
    const match = /_(\d{5})_/.exec(name);
    if (match) files[Number(match[1])] = path.join(out, name);
  }
  return files;
}

module.exports = { siteDir, captureTool, captureFrames };
