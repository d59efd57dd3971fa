'use strict';
// Serves the built site from 127.0.0.1 under /banner/, as a site would hold it in a folder of
// its own, plus host pages that embed it (/host/...), and notes every request it answers.
const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.mp3': 'audio/mpeg',
  '.png': 'image/png',
};

class SiteServer {
  constructor(siteDir) {
    this.siteDir = siteDir;
    this.hostPages = new Map();
    this.requests = [];
  }

  // A page outside the site's folder that embeds it, for scrolling it out of view.
  addHostPage(name, html) {
    this.hostPages.set(`/host/${name}`, html);
  }

  async start() {
    this.server = http.createServer((request, response) => this.answer(request, response));
    await new Promise((resolve) => this.server.listen(0, '127.0.0.1', resolve));
    this.origin = `http://127.0.0.1:${this.server.address().port}`;
    return this;
  }

  url(file) {
    return `${this.origin}/banner/${file}`;
  }

  answer(request, response) {
    const pathname = decodeURIComponent(new URL(request.url, this.origin).pathname);
    this.requests.push(pathname);
    if (this.hostPages.has(pathname)) {
      response.writeHead(200, { 'Content-Type': TYPES['.html'] });
      response.end(this.hostPages.get(pathname));
      return;
    }
    const file = pathname.startsWith('/banner/') ? path.join(this.siteDir, pathname.slice(8)) : null;
    if (!file || !file.startsWith(this.siteDir + path.sep) || !fs.existsSync(file)) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  }

  stop() {
    return new Promise((resolve) => this.server.close(resolve));
  }
}

module.exports = { SiteServer };
