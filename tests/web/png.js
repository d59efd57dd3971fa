'use strict';
// Reads 8-bit, non-interlaced PNG files (grey, RGB, grey with alpha, RGBA) into RGBA pixels:
// what the capture tool and Chromium's screenshots write.
const zlib = require('zlib');

const CHANNELS = { 0: 1, 2: 3, 4: 2, 6: 4 };

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

function unfilter(data, width, height, channels) {
  const stride = width * channels;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = data[y * (stride + 1)];
    const row = data.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; x++) {
      const left = x >= channels ? out[y * stride + x - channels] : 0;
      const up = y > 0 ? out[(y - 1) * stride + x] : 0;
      const upLeft = y > 0 && x >= channels ? out[(y - 1) * stride + x - channels] : 0;
      const predictor = [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)][filter];
      if (predictor === undefined) throw new Error(`PNG row filter ${filter} is not known`);
      out[y * stride + x] = (row[x] + predictor) & 0xff;
    }
  }
  return out;
}

function decodePng(file) {
  if (file.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG file');
  let offset = 8;
  let header = null;
  const compressed = [];
  while (offset < file.length) {
    const length = file.readUInt32BE(offset);
    const type = file.toString('ascii', offset + 4, offset + 8);
    const body = file.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8],
        colour: body[9], interlace: body[12] };
    } else if (type === 'IDAT') {
      compressed.push(body);
    } else if (type === 'IEND') {
      break;
    }
    offset += 12 + length;
  }
  const channels = header && CHANNELS[header.colour];
  if (!channels || header.depth !== 8 || header.interlace !== 0) {
    throw new Error('only 8-bit, non-interlaced grey or colour PNG files are read');
  }
  const { width, height } = header;
  const raw = unfilter(zlib.inflateSync(Buffer.concat(compressed)), width, height, channels);
  const rgba = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; i++) {
    const p = raw.subarray(i * channels, (i + 1) * channels);
    const grey = channels <= 2;
    rgba[i * 4] = p[0];
    rgba[i * 4 + 1] = grey ? p[0] : p[1];
    rgba[i * 4 + 2] = grey ? p[0] : p[2];
    rgba[i * 4 + 3] = channels === 2 ? p[1] : channels === 4 ? p[3] : 255;
  }
  return { width, height, rgba };
}

module.exports = { decodePng };
