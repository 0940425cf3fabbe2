// The real game in the page, driven as a player drives it (the cover's click, keys, files) and
// watched through the one query the page build exports for that: ventora_state
// (src/app/web_main.cpp), a line of JSON with the loop, the screen, the pause, the planet's turn,
// the player's height and the controller the hints name.
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pixelsAt } from './browser.mjs';
import { RUNNER, SKIP, requireBuilt } from './site.mjs';

// Every wait allows this much: the browser's software WebGL2 on a busy two-core machine may crawl.
export const PATIENCE = 120000;

// The site with the game's module in `build`; ends the process, skipped, without one.
export function requireGameSite(build) {
  const site = join(build, 'site');
  // The browser build makes the game's module only when configured to (VENTORA_WEB_GAME).
  const asked = join(build, 'web_game.txt');
  if (existsSync(asked) && readFileSync(asked, 'utf8').trim() !== 'ON') {
    console.log('skipped: the browser build was configured without the game (VENTORA_WEB_GAME=OFF)');
    process.exit(SKIP);
  }
  requireBuilt('The game for the browser', join(site, 'index.html'), join(site, 'ventora.wasm'), RUNNER);
  return site;
}

export async function gameState(page) {
  return JSON.parse(await page.evaluate(() => window.Module.ccall('ventora_state', 'string')));
}

// The game's state once `wanted(state)` holds; `what` names it when it never does.
export async function waitForState(page, wanted, what, timeout = PATIENCE) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const state = await gameState(page);
    if (wanted(state)) return state;
    if (Date.now() > deadline) throw new Error(`${what} never came; the game's last state: ${JSON.stringify(state)}`);
    await new Promise((r) => setTimeout(r, 100));
  }
}

// Resolves once the page has had `count` more animation frames: the game steps once in each, so
// this waits for game frames however slowly they come.
export function animationFrames(page, count) {
  return page.evaluate((n) => new Promise((done) => {
    const next = () => (--n <= 0 ? done() : requestAnimationFrame(next));
    requestAnimationFrame(next);
  }), count);
}

// Loads the site at `url` in `page`, lets `beforeClick(page)` set the page up, clicks the cover and
// resolves with the state of the first fight once it runs.
export async function startGame(page, url, beforeClick = async () => {}) {
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForSelector('#cover:not([hidden])', { timeout: PATIENCE });
  await beforeClick(page);
  await page.click('#cover');
  return waitForState(page, (s) => s.loop === 'running' && s.screen === 'fight', 'the first fight');
}

// How far the planet turned from `from` to `to` (radians, kept in [0, 2π)), the short way round:
// in (−π, π].
export function turnedBy(from, to) {
  const d = (to - from) % (2 * Math.PI);
  return d > Math.PI ? d - 2 * Math.PI : d <= -Math.PI ? d + 2 * Math.PI : d;
}

// The canvas's pixels ([r, g, b, a] each) from one screenshot, on a grid of `columns` × `rows`
// cell middles over `area`: [left, top, right, bottom] as fractions of the canvas's size.
export async function canvasGrid(page, { area = [0, 0, 1, 1], columns = 16, rows = 9 } = {}) {
  const canvas = await page.$('#canvas');
  const { width, height } = await canvas.boundingBox();
  const [left, top, right, bottom] = area;
  const grid = [];
  for (let row = 0.5; row < rows; ++row) {
    for (let column = 0.5; column < columns; ++column) {
      grid.push([Math.floor(width * (left + ((right - left) * column) / columns)),
                 Math.floor(height * (top + ((bottom - top) * row) / rows))]);
    }
  }
  return pixelsAt(page, canvas, grid);
}

export const brightness = ([r, g, b]) => (r + g + b) / 3;

// The mean brightness (0 to 255) of the canvas on a 16 × 9 grid.
export async function canvasBrightness(page) {
  const pixels = await canvasGrid(page);
  return pixels.reduce((sum, pixel) => sum + brightness(pixel), 0) / pixels.length;
}

// Runs in the page before its scripts: every node that feeds the speakers (SDL's audio node) feeds
// a meter too, which keeps the loudest sample of each block it hears with the time it heard it.
// window.ventoraLoudest(since, until) is the loudest sample heard between two performance.now()s,
// window.ventoraBlocksSince(since) how many blocks were heard since one, and
// window.ventoraSoundingShare(since, until, level) the share of the blocks heard between two times
// whose loudest sample is over `level` (music sounds all the time, an effect now and then).
export function meterTheSpeakers() {
  const connect = AudioNode.prototype.connect;
  const blocks = [];
  AudioNode.prototype.connect = function connectAndMeter(target, ...rest) {
    if (target instanceof AudioDestinationNode) {
      const meter = this.context.createScriptProcessor(1024, 2, 2);  // its output stays silent
      meter.onaudioprocess = (event) => {
        let loudest = 0;
        for (let c = 0; c < event.inputBuffer.numberOfChannels; ++c) {
          for (const sample of event.inputBuffer.getChannelData(c)) loudest = Math.max(loudest, Math.abs(sample));
        }
        blocks.push([performance.now(), loudest]);
      };
      connect.call(this, meter);
      connect.call(meter, target);
      window.ventoraAudioContext = this.context;
    }
    return connect.call(this, target, ...rest);
  };
  window.ventoraLoudest = (since, until) => blocks
    .filter(([at]) => at >= since && at < until)
    .reduce((loudest, [, level]) => Math.max(loudest, level), 0);
  window.ventoraBlocksSince = (since) => blocks.filter(([at]) => at >= since).length;
  window.ventoraSoundingShare = (since, until, level) => {
    const heard = blocks.filter(([at]) => at >= since && at < until);
    return heard.length === 0 ? 0 : heard.filter(([, loudest]) => loudest > level).length / heard.length;
  };
}
