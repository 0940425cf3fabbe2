// Recordings in and out of the real game in the page: a golden recording dropped on the page plays
// through to its end there and ends as the desktop's check says; a run recorded in the page checks
// out on the desktop game built from the same tree, and given back to the page's file picker once
// the game has quit, plays to the same end.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtemp, readdir, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { openBrowser, watchProblems } from './browser.mjs';
import { PATIENCE, animationFrames, requireGameSite, startGame, waitForState } from './game_page.mjs';
import { requireBuilt, webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const site = requireGameSite(webBuild());
// The desktop game of the same tree: CTest names it; run by hand, the native build beside web/.
const desktop = resolve(process.env.VENTORA_DESKTOP_GAME
                        ?? join(import.meta.dirname, '..', '..', 'build', 'src', 'app', 'ventora'));
requireBuilt('The desktop game', desktop);
// The shortest golden recording: one won fight.
const golden = join(import.meta.dirname, '..', '..', 'tests', 'replays', 'first-fight-won.vrep');

// What the desktop's check says of `file`: "replay ok: <frames> frames, end state <hash>".
function desktopCheck(file) {
  return execFileSync(desktop, ['--replay', file, '--check'], { encoding: 'utf8' }).trim();
}

let server;
let browser;
let closeBrowser;
before(async () => {
  server = await serve(site);
  ({ browser, close: closeBrowser } = await openBrowser());
});
after(async () => {
  await closeBrowser();
  await server.close();
});

// A page of its own in front. The game's line at the end of a playback ("replay ok: …; Escape
// quits") is on its error stream, so it is taken out of the problems and kept in `endLines`.
async function freshPage() {
  const page = await browser.newPage();
  await page.bringToFront();
  const endLines = [];
  page.on('console', (message) => {
    if (/^replay (ok|failed|parted)/.test(message.text())) endLines.push(message.text());
  });
  const problems = watchProblems(page);
  const real = () => problems.filter((line) => !/^console error: replay (ok|failed|parted)/.test(line));
  return { page, endLines, problems: real };
}

// The end line of the playback, once it has come.
async function playedToTheEnd(page, endLines) {
  await waitForState(page, (s) => s.loop === 'replay', 'the playback');
  const deadline = Date.now() + PATIENCE;
  while (endLines.length === 0 && Date.now() < deadline) await animationFrames(page, 10);
  assert.equal(endLines.length, 1, 'the playback reached its end');
  return endLines[0];
}

// Once the game or a playback has ended, the cover offers a new game.
async function playAgainOffered(page) {
  await page.waitForSelector('#cover:not([hidden])', { timeout: PATIENCE });
  assert.equal(await page.$eval('#cover', (cover) => cover.textContent), 'Click to play again');
}

test('a recording dropped on the page before the game starts plays through to the desktop\'s end', async () => {
  const { page, endLines, problems } = await freshPage();
  try {
    await page.goto(`${server.url}?mode=hd720`, { waitUntil: 'load' });
    await page.waitForSelector('#cover:not([hidden])', { timeout: PATIENCE });
    const bytes = (await readFile(golden)).toString('base64');
    await page.evaluate((data) => {
      const file = new File([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))], 'first-fight-won.vrep');
      const dropped = new DataTransfer();
      dropped.items.add(file);
      window.dispatchEvent(new DragEvent('drop', { dataTransfer: dropped, bubbles: true, cancelable: true }));
    }, bytes);
    const end = await playedToTheEnd(page, endLines);
    assert.equal(end, `${desktopCheck(golden)}; Escape quits`);
    assert.equal(await page.$eval('#cover', (cover) => cover.hidden), true, 'the cover gave way');
    // Escape ends the playback, as its line says, and the page offers a game.
    await page.keyboard.press('Escape');
    await playAgainOffered(page);
    assert.deepEqual(problems(), []);
  } finally {
    await page.close();
  }
});

test('a run recorded in the page checks out on the desktop, and plays back to the same end in the page', async () => {
  const { page, endLines, problems } = await freshPage();
  const downloads = await mkdtemp(join(tmpdir(), 'ventora-downloads-'));
  try {
    const cdp = await browser.target().createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await startGame(page, `${server.url}?mode=hd720`, (p) => p.click('#record'));
    // A little of everything the fight takes from the keys: run both ways, jump, fire.
    for (const key of ['KeyD', 'Space', 'KeyA', 'KeyJ', 'ArrowRight']) {
      await page.keyboard.down(key);
      await animationFrames(page, 12);
      await page.keyboard.up(key);
    }
    await page.keyboard.press('Escape');
    await waitForState(page, (s) => s.paused, 'the pause on Escape');
    await page.keyboard.press('Escape');
    await waitForState(page, (s) => s.loop === 'ended', 'the end of the game on Escape in the pause');
    await playAgainOffered(page);
    let names = [];
    for (const deadline = Date.now() + PATIENCE; Date.now() < deadline; await animationFrames(page, 5)) {
      names = (await readdir(downloads)).filter((name) => name.endsWith('.vrep'));
      if (names.length > 0) break;
    }
    assert.equal(names.length, 1, 'the recording was downloaded');
    const recording = join(downloads, names[0]);
    const checked = desktopCheck(recording);
    const frames = Number(/^replay ok: (\d+) frames/.exec(checked)?.[1]);
    assert.ok(frames >= 60, `the desktop's check passes the recording of every frame played: ${checked}`);

    // The game has quit; the recording given back to the file picker plays, to the same end.
    const picker = await page.$('#replay-file');
    await picker.uploadFile(recording);
    assert.equal(await playedToTheEnd(page, endLines), `${checked}; Escape quits`);
    assert.equal(await page.$eval('#cover', (cover) => cover.hidden), true, 'the playback shows');
    assert.deepEqual(problems(), []);
  } finally {
    await page.close();
    await rm(downloads, { recursive: true, force: true });
  }
});
