// The page's own work, with a stand-in module in place of the game (fixtures/page_stand_in.cpp,
// which prints the arguments it was started with): loading, the click-to-play cover, the mode from
// the address or the page's size, the canvas's shape, fullscreen, and the recordings in and out.
import assert from 'node:assert/strict';
import { writeFile, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { openBrowser, pixelsAt } from './browser.mjs';
import { RUNNER, requireBuilt, webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const site = join(webBuild(), 'fixtures', 'page');
requireBuilt('The page with its stand-in module', join(site, 'index.html'), join(site, 'ventora.wasm'), RUNNER);

let server;
before(async () => { server = await serve(site); });
after(async () => { await server.close(); });

// The page at `query` in a browser of the given size, once its cover asks for the click; `lines`
// collects the stand-in's console lines.
async function coveredPage(query = '', size = {}) {
  const opened = await openBrowser(size);
  const lines = [];
  opened.page.on('console', (message) => {
    if (message.text().startsWith('stand-in:')) lines.push(message.text());
  });
  await opened.page.goto(server.url + query, { waitUntil: 'load' });
  await opened.page.waitForSelector('#cover:not([hidden])', { timeout: 60000 });
  assert.equal(await opened.page.$eval('#loading', (e) => e.hidden), true, 'the loading bar is gone');
  return { ...opened, lines };
}

async function started(page, lines) {
  await page.waitForFunction(() => document.querySelector('#cover').hidden);
  for (let i = 0; i < 100 && lines.length === 0; ++i) await new Promise((r) => setTimeout(r, 50));
  return lines[0];
}

test('the page: title, icon and the line on how to play', async () => {
  const { page, problems, close } = await coveredPage();
  try {
    assert.equal(await page.title(), 'Ventora');
    const icon = await page.$eval('link[rel=icon]', (e) => e.href);
    const served = await page.evaluate(async (url) => {
      const image = new Image();
      image.src = url;
      await image.decode();
      return [image.naturalWidth, image.naturalHeight];
    }, icon);
    assert.deepEqual(served, [64, 64]);
    const help = await page.$eval('#help', (e) => e.textContent);
    for (const words of ['Space', 'jump', 'far side of the planet', 'pause', 'fullscreen']) {
      assert.ok(help.includes(words), `the help line names "${words}": ${help}`);
    }
    assert.deepEqual(problems, []);
  } finally {
    await close();
  }
});

test('nothing starts before the click; the click starts it in the mode that fits', async () => {
  const { page, problems, close, lines } = await coveredPage('', { width: 1280, height: 800 });
  try {
    await new Promise((r) => setTimeout(r, 300));
    assert.deepEqual(lines, [], 'main waits for the gesture');
    await page.click('#cover');
    assert.equal(await started(page, lines), 'stand-in: --mode hd720');
    const canvas = await page.$eval('#canvas', (c) => ({
      width: c.width, height: c.height, rendering: getComputedStyle(c).imageRendering,
      box: c.getBoundingClientRect().toJSON(), stage: document.querySelector('#stage').getBoundingClientRect().toJSON(),
    }));
    assert.deepEqual([canvas.width, canvas.height], [1280, 720]);
    assert.equal(canvas.rendering, 'pixelated');
    assert.ok(Math.abs(canvas.box.width / canvas.box.height - 16 / 9) < 0.01, 'the mode\'s shape on screen');
    assert.ok(canvas.box.width <= canvas.stage.width && canvas.box.height <= canvas.stage.height, 'it fits');
    assert.ok(canvas.stage.width - canvas.box.width < 2 || canvas.stage.height - canvas.box.height < 2,
              'it fills the free area across or down');
    const middle = [Math.round(canvas.box.x + canvas.box.width / 2), Math.round(canvas.box.y + canvas.box.height / 2)];
    assert.deepEqual(await pixelsAt(page, null, [middle]), [[51, 102, 153, 255]], 'the module draws on the canvas');
    // A smaller window: the picture follows, still at the mode's shape and filling the free area.
    await page.setViewport({ width: 800, height: 600 });
    await page.waitForFunction(() => {
      const box = document.querySelector('#canvas').getBoundingClientRect();
      const stage = document.querySelector('#stage').getBoundingClientRect();
      return box.width <= stage.width && Math.abs(stage.width - box.width) < 2;
    });
    const smaller = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
    assert.ok(Math.abs(smaller.width / smaller.height - 16 / 9) < 0.01, 'the mode\'s shape after a resize');
    assert.deepEqual(problems, []);
  } finally {
    await close();
  }
});

test('the address or the room on the page chooses the mode; the first key starts the game', async () => {
  const cases = [
    ['?mode=hd1080', 'stand-in: --mode hd1080', [1920, 1080]],
    ['?mode=og', 'stand-in: --mode og', [960, 720]],
    ['?mode=nonsense', 'stand-in: --mode hd720', [1280, 720]],
    // Without a word, a page with room for 1080p unscaled gets it.
    ['', 'stand-in: --mode hd1080', [1920, 1080], { width: 2100, height: 1300 }],
  ];
  for (const [query, line, size, browserSize] of cases) {
    const { page, problems, close, lines } = await coveredPage(query, browserSize);
    try {
      await page.keyboard.press('Space');
      assert.equal(await started(page, lines), line, query);
      assert.deepEqual(await page.$eval('#canvas', (c) => [c.width, c.height]), size, query);
      const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
      assert.ok(Math.abs(box.width / box.height - size[0] / size[1]) < 0.01, `${query}: the mode's shape`);
      assert.deepEqual(problems, [], query);
    } finally {
      await close();
    }
  }
});

test('the fullscreen button and F11 put the game in fullscreen and out again', async () => {
  const { page, problems, close, lines } = await coveredPage();
  try {
    await page.click('#cover');
    await started(page, lines);
    const fullscreen = () => page.evaluate(() => document.fullscreenElement?.id ?? null);
    await page.click('#fullscreen');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    assert.equal(await fullscreen(), 'screen');
    await page.keyboard.press('F11');
    await page.waitForFunction(() => document.fullscreenElement === null);
    await page.keyboard.press('F11');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    assert.equal(await fullscreen(), 'screen');
    assert.deepEqual(problems, []);
  } finally {
    await close();
  }
});

test('recording: the game is started to record; its finished recording downloads', async () => {
  const { page, problems, close, lines } = await coveredPage();
  const downloads = await mkdtemp(join(tmpdir(), 'ventora-downloads-'));
  try {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, eventsEnabled: true });
    const finished = new Promise((done) => cdp.on('Browser.downloadProgress', (e) => {
      if (e.state === 'completed') done(e);
    }));
    const begun = new Promise((begin) => cdp.on('Browser.downloadWillBegin', begin));
    await page.click('#record');
    await page.click('#cover');
    assert.equal(await started(page, lines), 'stand-in: --mode hd720 --record /run.vrep');
    assert.equal(await page.$eval('#record', (e) => e.disabled), true, 'no change once the run began');
    // The game writes the recording and hands it over when the run ends.
    await page.evaluate(() => {
      Module.FS.writeFile('/run.vrep', new Uint8Array([86, 82, 69, 80, 1, 2, 3]));
      Module.ventoraRecordingDone('/run.vrep');
    });
    const download = await begun;
    assert.match(download.suggestedFilename, /^ventora-.*\.vrep$/);
    await finished;
    assert.deepEqual(problems, []);
  } finally {
    await close();
    await rm(downloads, { recursive: true, force: true });
  }
});

test('a recording chosen or dropped plays back: before the start, or in place of the game', async () => {
  const folder = await mkdtemp(join(tmpdir(), 'ventora-replay-'));
  const file = join(folder, 'run.vrep');
  const bytes = [86, 82, 69, 80, 9, 8, 7, 6];
  await writeFile(file, Buffer.from(bytes));
  const { page, problems, close, lines } = await coveredPage();
  try {
    const picker = await page.$('#replay-file');
    await picker.uploadFile(file);
    assert.equal(await started(page, lines), 'stand-in: --mode hd720 --replay /replay.vrep');
    assert.deepEqual(await page.evaluate(() => Array.from(Module.FS.readFile('/replay.vrep'))), bytes);
    // Dropped on the page while it runs: the running module is handed the file.
    await page.evaluate((data) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([new Uint8Array(data)], 'other.vrep'));
      window.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, cancelable: true }));
    }, bytes.slice().reverse());
    for (let i = 0; i < 100 && lines.length < 2; ++i) await new Promise((r) => setTimeout(r, 50));
    assert.equal(lines[1], 'stand-in: replay /replay.vrep');
    assert.deepEqual(await page.evaluate(() => Array.from(Module.FS.readFile('/replay.vrep'))), bytes.slice().reverse());
    assert.deepEqual(problems, []);
  } finally {
    await close();
    await rm(folder, { recursive: true, force: true });
  }
});
