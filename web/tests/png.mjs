// PNG files as RGBA bytes and back, for the picture checks: 8-bit RGB or RGBA, not interlaced
// (what stb_image_write and Chromium write). Node's zlib does the compression.
import { deflateSync, inflateSync } from 'node:zlib';

const SIGNATURE = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);

// { width, height, rgba } of a PNG's bytes; an Error naming what is not supported.
export function readPng(bytes) {
  if (!SIGNATURE.equals(bytes.subarray(0, 8))) throw new Error('not a PNG file');
  let header = null;
  const data = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8], colour: body[9],
                 interlace: body[12] };
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  if (!header || header.depth !== 8 || ![2, 6].includes(header.colour) || header.interlace !== 0) {
    throw new Error('only 8-bit RGB or RGBA PNGs without interlacing are read here');
  }
  const { width, height } = header;
  const channels = header.colour === 6 ? 4 : 3;
  const stride = width * channels;
  const raw = inflateSync(Buffer.concat(data));
  const rgba = new Uint8Array(width * height * 4);
  let previous = new Uint8Array(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const row = new Uint8Array(stride);
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? row[x - channels] : 0;
      const up = previous[x];
      const upLeft = x >= channels ? previous[x - channels] : 0;
      row[x] = line[x] + [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)][filter];
    }
    for (let x = 0; x < width; ++x) {
      for (let c = 0; c < 4; ++c) rgba[(y * width + x) * 4 + c] = c < channels ? row[x * channels + c] : 255;
    }
    previous = row;
  }
  return { width, height, rgba };
}

function paeth(left, up, upLeft) {
  const p = left + up - upLeft;
  const [a, b, c] = [Math.abs(p - left), Math.abs(p - up), Math.abs(p - upLeft)];
  return a <= b && a <= c ? left : b <= c ? up : upLeft;
}

// The bytes of an RGBA PNG of `picture` ({ width, height, rgba }).
export function writePng({ width, height, rgba }) {
  const raw = Buffer.alloc(height * (width * 4 + 1));
  for (let y = 0; y < height; ++y) {
    Buffer.from(rgba.buffer, rgba.byteOffset + y * width * 4, width * 4).copy(raw, y * (width * 4 + 1) + 1);
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 6, 0, 0, 0], 8);
  return Buffer.concat([SIGNATURE, chunk('IHDR', header), chunk('IDAT', deflateSync(raw)),
                        chunk('IEND', Buffer.alloc(0))]);
}

function chunk(type, body) {
  const length = Buffer.alloc(4);
  length.writeUInt32BE(body.length);
  const typed = Buffer.concat([Buffer.from(type, 'latin1'), body]);
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(typed));
  return Buffer.concat([length, typed, crc]);
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}
