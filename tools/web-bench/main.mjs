// The browser build's speed beside the desktop's, measured on this machine in one run:
//   - the scripted fight's frame time (p50, p95) at hd720 and hd1080: the desktop game's
//     (`bench --fight`, offscreen) and the browser's (fight_bench.cpp in headless Chromium, WebGL2
//     through ANGLE on the same Mesa llvmpipe), each frame from its update until its pixels are done;
//   - the time from opening the page on localhost to the game's first frame and to the run's first
//     frame, in a fresh browser profile each time, the cover clicked as soon as it shows;
//   - the bytes the page loads before its first frame, gzip-compressed as a static host serves them.
// Slow and machine-dependent: not part of the tests.
//   node tools/web-bench/main.mjs [--frames N] [--loads N] [native build] [browser build]
//   (defaults: 240 frames a mode, 3 page loads, build and build-web beside tools/)
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { loadavg } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { openBrowser } from '../../web/tests/browser.mjs';
import { serve } from '../../web/tests/static_server.mjs';

const MODES = ['hd720', 'hd1080'];
const root = resolve(import.meta.dirname, '..', '..');

function options(argv) {
  const chosen = { frames: 240, loads: 3, native: join(root, 'build'), web: join(root, 'build-web') };
  const folders = [];
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--frames') chosen.frames = Number(argv[++i]);
    else if (argv[i] === '--loads') chosen.loads = Number(argv[++i]);
    else folders.push(resolve(argv[i]));
  }
  [chosen.native = chosen.native, chosen.web = chosen.web] = folders;
  if (!(chosen.frames >= 10) || !(chosen.loads >= 1)) {
    console.error('usage: main.mjs [--frames N (at least 10)] [--loads N] [native build] [browser build]');
    process.exit(2);
  }
  return chosen;
}

// The q-quantile as the desktop's benchmark takes it: the sorted sample at floor(q × (n − 1)).
function quantile(values, q) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(q * (sorted.length - 1))];
}

function median(values) {
  return quantile(values, 0.5);
}

// { mode: { p50, p95 } } of the desktop's game frames.
function desktopFrames(nativeBuild, frames) {
  const out = execFileSync(join(nativeBuild, 'tools', 'bench'), ['--fight', String(frames), ...MODES],
                           { encoding: 'utf8' });
  const times = {};
  for (const line of out.trim().split('\n')) {
    const [mode, , p50, , p95] = line.split(' ');
    times[mode] = { p50: Number(p50), p95: Number(p95) };
  }
  return times;
}

// { mode: { p50, p95, stepped, issued, interval } } of the browser's frames; `stepped`: the p50
// time until the update and the draw list were done, `issued`: until the frame's GL calls were
// made too (the rest is the wait for the GPU process);
// `interval`: the p50 time between the starts of two animation frames, which the browser paces at
// the display's rate at best.
async function browserFrames(webBuild, frames) {
  const server = await serve(join(webBuild, 'tools', 'web-bench'));
  const { page, problems, close } = await openBrowser({ width: 1920, height: 1080 });
  const times = {};
  try {
    for (const mode of MODES) {
      await page.goto(`${server.url}?args=${mode},${frames}`, { waitUntil: 'load' });
      await page.waitForFunction(() => window.Module?.ventoraResult, { timeout: 600000, polling: 500 });
      const result = await page.evaluate(() => Module.ventoraResult);
      if (result.error) throw new Error(`the browser's fight in ${mode}: ${result.error}`);
      times[mode] = { p50: quantile(result.work, 0.5), p95: quantile(result.work, 0.95),
                      stepped: quantile(result.stepped, 0.5), issued: quantile(result.issued, 0.5),
                      interval: quantile(result.intervals, 0.5) };
    }
    if (problems.length > 0) throw new Error(`the browser's fight said: ${problems.join('; ')}`);
  } finally {
    await close();
    await server.close();
  }
  return times;
}

// Set on every page before its own scripts: when the cover showed and when it was clicked, on
// the page's clock (milliseconds from the start of the navigation).
function watchCover() {
  window.ventoraStartUp = {};
  document.addEventListener('DOMContentLoaded', () => {
    const cover = document.getElementById('cover');
    new MutationObserver(() => {
      if (!cover.hidden && window.ventoraStartUp.coverShown === undefined) {
        window.ventoraStartUp.coverShown = performance.now();
      }
    }).observe(cover, { attributes: true, attributeFilter: ['hidden'] });
    cover.addEventListener('click', () => { window.ventoraStartUp.clicked = performance.now(); }, true);
  });
}

// One load of the real page in a fresh profile: the start-up's times in ms, and the files it had
// loaded by its first frame.
async function loadPage(siteUrl) {
  const { page, problems, close } = await openBrowser({ width: 1920, height: 1080 });
  try {
    await page.evaluateOnNewDocument(watchCover);
    await page.goto(`${siteUrl}?mode=hd720`, { waitUntil: 'domcontentloaded' });
    await page.waitForSelector('#cover:not([hidden])', { timeout: 120000, polling: 'mutation' });
    await page.click('#cover');
    await page.waitForFunction(() => performance.getEntriesByName('ventora:first-run-frame').length > 0,
                               { timeout: 600000, polling: 100 });
    const load = await page.evaluate(() => {
      const at = (name) => performance.getEntriesByName(name)[0].startTime;
      const firstFrame = at('ventora:first-frame');
      const music = performance.getEntriesByType('resource')
        .filter((entry) => entry.name.includes('/music/'));
      return {
        musicFetched: Math.max(...music.map((entry) => entry.responseEnd)),
        ...window.ventoraStartUp,
        firstFrame,
        firstRunFrame: at('ventora:first-run-frame'),
        files: [location.href.split('?')[0], ...performance.getEntriesByType('resource')
          .filter((entry) => entry.responseEnd <= firstFrame).map((entry) => entry.name)],
      };
    });
    if (problems.length > 0) throw new Error(`the page said: ${problems.join('; ')}`);
    return load;
  } finally {
    await close();
  }
}

// Each file's size as served and gzip-compressed (level 6, the usual default of static hosts).
function fileSizes(site, urls) {
  return [...new Set(urls)].map((url) => {
    let path = decodeURIComponent(new URL(url).pathname);
    if (path.endsWith('/')) path += 'index.html';
    const bytes = readFileSync(join(site, path));
    return { path, raw: bytes.length, gzip: gzipSync(bytes, { level: 6 }).length };
  });
}

const mb = (bytes) => (bytes / 1e6).toFixed(2);
const ms = (value) => value.toFixed(2).padStart(7);
const s = (value) => (value / 1000).toFixed(2);

const chosen = options(process.argv.slice(2));
for (const [path, how] of [[join(chosen.native, 'tools', 'bench'), 'cmake --build build --target bench'],
                           [join(chosen.web, 'tools', 'web-bench', 'module.wasm'), 'make web'],
                           [join(chosen.web, 'site', 'ventora.wasm'), 'make web']]) {
  if (!existsSync(path)) {
    console.error(`web-bench: ${path} is missing (${how} builds it)`);
    process.exit(1);
  }
}
console.log(`load average at the start: ${loadavg().map((l) => l.toFixed(2)).join(' ')} ` +
            `(${chosen.frames} frames a mode)`);
const desktop = desktopFrames(chosen.native, chosen.frames);
const browser = await browserFrames(chosen.web, chosen.frames);
console.log('\nthe scripted fight, ms a frame (update, drawing, GPU done):');
console.log('mode    | desktop p50     p95 | browser p50     p95 | p50 ratio | in the browser, p50: ' +
            'update+list, +GL calls, frame interval');
for (const mode of MODES) {
  const d = desktop[mode];
  const b = browser[mode];
  console.log(`${mode.padEnd(7)} |     ${ms(d.p50)} ${ms(d.p95)} |     ${ms(b.p50)} ${ms(b.p95)} | ` +
              `${(b.p50 / d.p50).toFixed(2).padStart(8)}x | ` +
              `${ms(b.stepped)} ${ms(b.issued)} ${ms(b.interval)}`);
}

const site = join(chosen.web, 'site');
const server = await serve(site);
const loads = [];
try {
  for (let i = 0; i < chosen.loads; ++i) loads.push(await loadPage(server.url));
} finally {
  await server.close();
}
console.log('\nthe page on localhost (hd720), ms from the start of the navigation; ' +
            `median of ${loads.length} loads, ` +
            'each in a fresh profile:');
for (const [what, key] of [['cover shown (the module loaded and compiled)', 'coverShown'],
                           ['cover clicked by the harness', 'clicked'],
                           ['first frame shown', 'firstFrame'],
                           ['the music fetched (it is asked for after that frame)', 'musicFetched'],
                           ['first frame of the run (music fetched and decoded)', 'firstRunFrame']]) {
  console.log(`  ${what.padEnd(52)} ${ms(median(loads.map((l) => l[key])))}   (each: ` +
              `${loads.map((l) => s(l[key])).join(', ')} s)`);
}
console.log(`  the player's click wait in it (cover shown to click): ` +
            `${ms(median(loads.map((l) => l.clicked - l.coverShown)))}`);

const files = fileSizes(site, loads[0].files);
console.log('\nloaded before the first frame (music excluded: it is fetched after):');
const sizes = (name, raw, gzip) => `  ${name.padEnd(16)} ${mb(raw).padStart(7)} MB, gzip ${mb(gzip).padStart(7)} MB`;
for (const f of files) console.log(sizes(f.path, f.raw, f.gzip));
const total = (key) => files.reduce((sum, f) => sum + f[key], 0);
console.log(sizes('total', total('raw'), total('gzip')));
