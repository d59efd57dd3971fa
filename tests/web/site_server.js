'use strict';
// Serves the built site under /banner/ as a site would hold it in a folder of its own, sending a
// file's compressed copy (.br, else .gz) beside it when the browser accepts that encoding, as
// nginx's brotli_static/gzip_static or Apache's rewrite rules do; plus host pages that embed it
// (/host/...). The banner is served from 127.0.0.1 and host pages from localhost: two origins.
// Every request it answers is noted; files named in `missing` answer 404.
const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.mp3': 'audio/mpeg',
  '.mp4': 'video/mp4',
  '.vtt': 'text/vtt; charset=utf-8',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.webp': 'image/webp',
};
const ENCODINGS = [['br', '.br'], ['gzip', '.gz']];

class SiteServer {
  constructor(siteDir) {
    this.siteDir = siteDir;
    this.hostPages = new Map();
    this.requests = [];
    this.missing = new Set();
  }

  addHostPage(name, html) {
    this.hostPages.set(`/host/${name}`, html);
  }

  async start() {
    this.server = http.createServer((request, response) => this.answer(request, response));
    await new Promise((resolve) => this.server.listen(0, '127.0.0.1', resolve));
    this.port = this.server.address().port;
    this.origin = `http://127.0.0.1:${this.port}`;
    this.hostOrigin = `http://localhost:${this.port}`;
    return this;
  }

  url(file) {
    return `${this.origin}/banner/${file}`;
  }

  hostUrl(name) {
    return `${this.hostOrigin}/host/${name}`;
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
    if (!file || !file.startsWith(this.siteDir + path.sep) || !fs.existsSync(file) ||
        this.missing.has(path.basename(file))) {
      response.writeHead(404);
      response.end();
      return;
    }
    const headers = {
      'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Vary': 'Accept-Encoding',
    };
    const accepted = (request.headers['accept-encoding'] || '').split(',').map((item) => item.trim().split(';')[0]);
    let body = file;
    for (const [encoding, suffix] of ENCODINGS) {
      if (accepted.includes(encoding) && fs.existsSync(file + suffix)) {
        body = file + suffix;
        headers['Content-Encoding'] = encoding;
        break;
      }
    }
    headers['Content-Length'] = fs.statSync(body).size;
    response.writeHead(200, headers);
    if (request.method === 'HEAD') response.end();
    else fs.createReadStream(body).pipe(response);
  }

  stop() {
    this.server.closeAllConnections();
    return new Promise((resolve) => this.server.close(resolve));
  }
}

module.exports = { SiteServer };
