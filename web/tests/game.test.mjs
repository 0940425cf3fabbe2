// The game itself in the page: it loads, starts on the click, draws its frames on the canvas, and
// fetches its music once running, without a console error or warning.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { openBrowser, pixelsAt } from './browser.mjs';
import { requireGameSite } from './game_page.mjs';
import { webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const site = requireGameSite(webBuild());

test('the game starts on the click, draws, and fetches its music', async () => {
  const server = await serve(site);
  const { page, problems, close } = await openBrowser();
  try {
    const music = [];
    page.on('requestfinished', (request) => {
      if (request.url().includes('/music/') && request.response()?.ok()) music.push(request.url());
    });
    await page.goto(`${server.url}?mode=hd720`, { waitUntil: 'load' });
    await page.waitForSelector('#cover:not([hidden])', { timeout: 120000 });
    assert.deepEqual(music, [], 'nothing of the music before the game runs');
    await page.click('#cover');
    // Frames show a picture, not one flat colour: a grid of the canvas's pixels, once a second.
    const canvas = await page.$('#canvas');
    const box = await canvas.boundingBox();
    const grid = [];
    for (let y = 0.1; y < 1; y += 0.2) {
      for (let x = 0.1; x < 1; x += 0.2) grid.push([Math.floor(box.width * x), Math.floor(box.height * y)]);
    }
    let colours = 0;
    for (let second = 0; second < 120 && colours <= 3; ++second) {
      await new Promise((r) => setTimeout(r, 1000));
      colours = new Set((await pixelsAt(page, canvas, grid)).map(String)).size;
    }
    assert.ok(colours > 3, `the canvas shows a picture (${colours} colours in a grid of ${grid.length})`);
    await page.waitForFunction(() => performance.getEntriesByType('resource')
      .filter((entry) => entry.name.includes('/music/')).length > 0, { timeout: 120000 });
    assert.deepEqual(problems, []);
  } finally {
    await close();
    await server.close();
  }
});
