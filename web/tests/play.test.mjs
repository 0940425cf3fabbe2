// The game itself in the page, played: the run keys turn the planet under the player, the page
// going out of sight pauses the fight as leaving the desktop's window does, a jump is heard in the
// samples that reach the speakers, and a controller reaches the game through the Gamepad API.
// Starting the game costs the most here (the module compiled, every shader warmed up), so the tests
// share one started game, each from a new run (R). Its page has no music, so that what is heard is
// the effects alone, a meter on what reaches the speakers, and a stand-in controller at rest.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { openBrowser } from './browser.mjs';
import {
  PATIENCE, animationFrames, brightness, canvasBrightness, canvasGrid, gameState, meterTheSpeakers,
  requireGameSite, startGame, turnedBy, waitForState,
} from './game_page.mjs';
import { webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const site = requireGameSite(webBuild());
// Frames a key is held for: few enough that the boss, starting on the far side, cannot reach the
// player within them even at the longest step a frame may take.
const HELD = 20;

// Runs in the page before its scripts. Headless Chromium has no controller and a test cannot plug
// one in, so this stands in for the browser's device behind the Gamepad API: a pad in the standard
// layout that navigator.getGamepads reports from the start. It is the only way to reach SDL's
// game-controller path (the browser's gamepad events and polls) in a headless browser; everything
// after navigator.getGamepads is the real game's. window.ventoraPad.button(i, down) and
// .stick(x, y) move it, with a new timestamp as a real pad reports a change.
function standInPad() {
  const pad = {
    id: 'Stand-in pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
    timestamp: performance.now(), axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  navigator.getGamepads = () => [pad, null, null, null];
  window.ventoraPad = {
    button(i, down) {
      pad.buttons[i] = { pressed: down, touched: down, value: down ? 1 : 0 };
      pad.timestamp = performance.now();
    },
    stick(x, y) {
      pad.axes = [x, y, 0, 0];
      pad.timestamp = performance.now();
    },
  };
}

let server;
let browser;
let page;
let problems;
let closeBrowser;
let musicRefused = 0;
before(async () => {
  server = await serve(site);
  ({ browser, page, problems, close: closeBrowser } = await openBrowser());
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (!request.url().includes('/music/')) return request.continue();
    ++musicRefused;
    return request.respond({ status: 404, body: 'no music in these tests' });
  });
  await page.evaluateOnNewDocument(meterTheSpeakers);
  await page.evaluateOnNewDocument(standInPad);
  await startGame(page, `${server.url}?mode=hd720`);
});
after(async () => {
  await closeBrowser();
  await server.close();
});

// The problems that came while `check` ran; the missing music's are none.
async function problemsOf(check) {
  const before = problems.length;
  await check();
  return problems.slice(before).filter((line) => !/music|track|status of 404/i.test(line));
}

// R: a new run, its first fight, the planet not turned yet.
async function restart() {
  await page.keyboard.press('KeyR');
  return waitForState(page, (s) => s.screen === 'fight' && s.turn === 0 && !s.paused, 'the restarted fight');
}

// How far the planet turns while `key` is held for HELD frames, from a new run.
async function turnWhileHeld(key) {
  const from = await restart();
  if (key) await page.keyboard.down(key);
  await animationFrames(page, HELD);
  if (key) await page.keyboard.up(key);
  return turnedBy(from.turn, (await gameState(page)).turn);
}

test('the run keys turn the planet under the player, each its way, and nothing else turns it', async () => {
  assert.deepEqual(await problemsOf(async () => {
    assert.equal(await turnWhileHeld(null), 0, 'no key: the planet stays');
    // Running right turns the planet back under the player, left forwards.
    for (const [key, way] of [['KeyD', -1], ['ArrowRight', -1], ['KeyA', 1], ['ArrowLeft', 1]]) {
      const turned = await turnWhileHeld(key);
      assert.equal(Math.sign(turned), way, `${key} turns the planet ${way < 0 ? 'back' : 'forwards'} (by ${turned})`);
    }
    assert.equal(await turnWhileHeld('KeyJ'), 0, 'firing does not run');
  }), []);
});

test('out of sight or on Escape the fight pauses under the veil and stays still until P', async () => {
  // Another tab in front hides this one, as a player switching tabs does.
  const hideBehindAnotherTab = async () => {
    const other = await browser.newPage();
    await other.bringToFront();
    // Polled on a timer: a page out of sight gets no animation frames.
    await page.waitForFunction(() => document.visibilityState === 'hidden', { polling: 100, timeout: PATIENCE });
    await other.close();
    await page.bringToFront();
  };
  const pressEscape = () => page.keyboard.press('Escape');
  assert.deepEqual(await problemsOf(async () => {
    for (const [how, pause] of [['out of sight', hideBehindAnotherTab], ['Escape', pressEscape]]) {
      const running = await restart();
      await animationFrames(page, 2);
      const lit = await canvasBrightness(page);
      await pause();
      await waitForState(page, (s) => s.paused, `the pause (${how})`);
      await page.keyboard.down('KeyD');
      await animationFrames(page, HELD);
      const paused = await gameState(page);
      assert.equal(paused.turn, running.turn, `${how}: a held run key moves nothing in the pause`);
      const veiled = await canvasBrightness(page);
      assert.ok(veiled < 0.6 * lit, `${how}: the veil darkens the picture (${veiled.toFixed(1)} of ${lit.toFixed(1)})`);
      await page.keyboard.press('KeyP');
      await waitForState(page, (s) => !s.paused, `the end of the pause (${how})`);
      await animationFrames(page, HELD);
      const resumed = await gameState(page);
      await page.keyboard.up('KeyD');
      assert.ok(turnedBy(running.turn, resumed.turn) < 0, `${how}: after P the held key runs again`);
    }
  }), []);
});

test('the sound runs after the click, and a jump is heard over the quiet before it', async () => {
  assert.deepEqual(await problemsOf(async () => {
    assert.ok(musicRefused > 0, 'the game asked for its music, and got none');
    assert.equal(await page.evaluate(() => window.ventoraAudioContext?.state), 'running', 'the audio context runs');
    // Both windows are short: within them the boss, starting on the far side, cannot reach the
    // player, whose hurt would be heard too.
    await restart();
    // Quiet first: the fight standing still, as heard, for 20 blocks of samples (about half a second).
    const quietFrom = await page.evaluate(() => performance.now());
    await page.waitForFunction((since) => window.ventoraBlocksSince(since) >= 20, { timeout: PATIENCE }, quietFrom);
    const jumpAt = await page.evaluate(() => performance.now());
    const quiet = await page.evaluate((since, until) => window.ventoraLoudest(since, until), quietFrom, jumpAt);
    await page.keyboard.press('Space');
    await waitForState(page, (s) => s.height > 0, 'the jump');
    await page.waitForFunction((since) => window.ventoraBlocksSince(since) >= 30, { timeout: PATIENCE }, jumpAt);
    const jump = await page.evaluate((since) => window.ventoraLoudest(since, performance.now()), jumpAt);
    assert.ok(jump > 0.02 && jump > 10 * quiet, `the jump is heard: its loudest sample ${jump}, before it ${quiet}`);
  }), []);
});

// Where the light letters of the hints' line are, on a fine grid over the line at the top left.
async function hintInk() {
  const pixels = await canvasGrid(page, { area: [0.03, 0.04, 0.44, 0.08], columns: 200, rows: 8 });
  return pixels.map((pixel) => brightness(pixel) > 150);
}

// The standard layout's buttons.
const SOUTH = 0;
const START = 9;

test('a controller plays: its stick runs, South jumps, Start pauses, and the hints name its buttons', async () => {
  const pad = (call) => page.evaluate(`window.ventoraPad.${call}`);
  assert.deepEqual(await problemsOf(async () => {
    const fresh = await restart();
    assert.equal(fresh.pad, null, 'the keyboard\'s hints while the keyboard plays');
    const hintsBefore = await hintInk();
    // A real stick at rest never reads quite zero, and SDL takes the first value an axis reports as
    // its rest: the pad reports its resting wobble before the stick is pushed, as a real one does.
    await pad('stick(0.003, -0.002)');
    await animationFrames(page, 2);
    assert.equal((await gameState(page)).pad, null, 'a resting stick is no use of the pad');
    for (const [x, way] of [[1, -1], [-1, 1]]) {
      const from = await gameState(page);
      await pad(`stick(${x}, 0)`);
      await animationFrames(page, HELD);
      await pad('stick(0, 0)');
      const to = await gameState(page);
      assert.equal(Math.sign(turnedBy(from.turn, to.turn)), way, `the stick at ${x} turns the planet`);
      assert.equal(to.pad, 'xbox', 'the hints name the pad\'s buttons once it plays');
    }
    const hintsAfter = await hintInk();
    const changed = hintsAfter.filter((ink, i) => ink !== hintsBefore[i]).length;
    assert.ok(changed > 0.05 * hintsAfter.length, `the line of hints was written anew (${changed} of ${hintsAfter.length} points)`);
    await pad(`button(${SOUTH}, true)`);
    await waitForState(page, (s) => s.height > 0, 'the pad\'s jump');
    await pad(`button(${SOUTH}, false)`);
    for (const paused of [true, false]) {
      await pad(`button(${START}, true)`);
      await waitForState(page, (s) => s.paused === paused, paused ? 'Start pausing' : 'Start resuming');
      await pad(`button(${START}, false)`);
      await animationFrames(page, 2);
    }
    await page.keyboard.press('KeyW');
    await waitForState(page, (s) => s.pad === null, 'the keyboard\'s hints again once a key is used');
  }), []);
});
