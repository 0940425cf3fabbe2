// The browser draws the game as the desktop does: the fight docs/screens pictures (tools/screenshots,
// the desktop's renderer into an offscreen target) drawn again in the page by the browser build
// (fixtures/fight_picture.cpp: the same run from the same clock, through the same renderer on
// WebGL2), read back from the canvas and compared pixel by pixel.
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { openBrowser } from './browser.mjs';
import { readPng, writePng } from './png.mjs';
import { RUNNER, requireBuilt, webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const fixture = join(webBuild(), 'fixtures', 'fight');
const screens = join(import.meta.dirname, '..', '..', 'docs', 'screens');
requireBuilt('The fight picture fixture', join(fixture, 'index.html'), join(fixture, 'module.wasm'), RUNNER);

// How far the browser's picture may stray, per mode: the share of pixels whose colour differs at
// all, and the largest difference of one channel (0..255). None at all: both pictures come from
// the same renderer on the same rasteriser (Mesa's llvmpipe, under the desktop's offscreen GL and
// under Chromium's ANGLE), and they were measured equal to the bit in both modes, run after run.
// A small tolerance would not help another rasteriser either: on SwiftShader about 0.8 % of the
// pixels differ, many by over 200 (pixel-art edges and planet texels falling the other way).
const CASES = [
  { mode: 'og', share: 0, largest: 0 },
  { mode: 'hd1080', share: 0, largest: 0 },
];

// The pixels two pictures of one size differ in (any of R, G, B), and the largest channel gap.
function difference(a, b) {
  let differing = 0;
  let largest = 0;
  for (let i = 0; i < a.rgba.length; i += 4) {
    let gap = 0;
    for (let c = 0; c < 3; ++c) gap = Math.max(gap, Math.abs(a.rgba[i + c] - b.rgba[i + c]));
    if (gap > 0) ++differing;
    largest = Math.max(largest, gap);
  }
  return { differing, share: differing / (a.width * a.height), largest };
}

// The picture the fixture drew for `mode` on the canvas, as { width, height, rgba }.
async function browserPicture(page, url, mode) {
  await page.goto(`${url}?args=${mode}`, { waitUntil: 'load' });
  await page.waitForFunction(() => window.Module?.ventoraResult, { timeout: 120000, polling: 200 });
  const result = await page.evaluate(() => {
    const { error, width, height, rgba } = Module.ventoraResult;
    if (error) return { error };
    let text = '';
    const chunk = 0x8000;  // characters a call may take as arguments
    for (let i = 0; i < rgba.length; i += chunk) text += String.fromCharCode(...rgba.subarray(i, i + chunk));
    return { width, height, base64: btoa(text) };
  });
  if (result.error) throw new Error(result.error);
  const rgba = new Uint8Array(Buffer.from(result.base64, 'base64'));
  return { width: result.width, height: result.height, rgba };
}

let server;
let browser;
before(async () => {
  server = await serve(fixture);
  browser = await openBrowser({ width: 1920, height: 1080 });
});
after(async () => {
  await browser.close();
  await server.close();
});

for (const { mode, share, largest } of CASES) {
  test(`the ${mode} fight in the browser matches the desktop's picture`, async () => {
    const desktop = readPng(readFileSync(join(screens, `${mode}-fight.png`)));
    const drawn = await browserPicture(browser.page, server.url, mode);
    assert.deepEqual([drawn.width, drawn.height], [desktop.width, desktop.height]);
    const found = difference(drawn, desktop);
    const saved = join(tmpdir(), `ventora-browser-${mode}-fight.png`);
    writeFileSync(saved, writePng(drawn));
    console.log(`${mode}: ${found.differing} of ${drawn.width * drawn.height} pixels differ ` +
                `(${(found.share * 100).toFixed(4)} %), the largest channel by ${found.largest}; ` +
                `the browser's picture: ${saved}`);
    assert.ok(found.share <= share, `at most ${share * 100} % of the pixels may differ`);
    assert.ok(found.largest <= largest, `no channel may differ by more than ${largest}`);
    assert.deepEqual(browser.problems, []);
  });
}
