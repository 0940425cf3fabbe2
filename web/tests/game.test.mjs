// The game itself in the page: it loads, starts on the click, draws its frames on the canvas, and
// plays while its music is still on the way: the tracks are fetched once it runs and join it when
// they are in, heard in the samples that reach the speakers; no console error or warning.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { openBrowser, pixelsAt } from './browser.mjs';
import {
  PATIENCE, animationFrames, gameState, meterTheSpeakers, requireGameSite, startGame, waitForState,
} from './game_page.mjs';
import { webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const site = requireGameSite(webBuild());

test('the game starts on the click, draws, and plays while its music arrives, which then joins', async () => {
  const server = await serve(site);
  const { page, problems, close } = await openBrowser();
  try {
    // The music's requests are held back until the test lets them through, as a slow network would.
    const held = [];
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (request.url().includes('/music/')) held.push(request);
      else request.continue();
    });
    await page.evaluateOnNewDocument(meterTheSpeakers);

    await startGame(page, `${server.url}?mode=hd720`, async () => {
      assert.deepEqual(held, [], 'nothing of the music before the game runs');
    });
    assert.ok(held.length > 0, 'the music is asked for once the game runs');
    // Frames show a picture, not one flat colour: a grid of the canvas's pixels.
    const canvas = await page.$('#canvas');
    const box = await canvas.boundingBox();
    const grid = [];
    for (let y = 0.1; y < 1; y += 0.2) {
      for (let x = 0.1; x < 1; x += 0.2) grid.push([Math.floor(box.width * x), Math.floor(box.height * y)]);
    }
    const colours = new Set((await pixelsAt(page, canvas, grid)).map(String)).size;
    assert.ok(colours > 3, `the canvas shows the fight (${colours} colours in a grid of ${grid.length})`);

    // Without its music the fight sounds only now and then (its effects)...
    const sounding = (since, until) => page.evaluate(
      (from, to) => window.ventoraSoundingShare(from, to ?? performance.now(), 0.01), since, until);
    const now = () => page.evaluate(() => performance.now());
    await animationFrames(page, 30);
    const heldFrom = await now();
    await animationFrames(page, 120);
    const state = await gameState(page);
    assert.equal(state.music, 'fetching');
    assert.equal(state.screen, 'fight', 'the fight goes on while the music is held back');
    const withoutMusic = await sounding(heldFrom);
    assert.ok(withoutMusic < 0.5, `the effects alone sound in ${withoutMusic} of the blocks`);

    // ...and once the tracks are in and checked they join it: music reaches the speakers, block
    // after block.
    for (const request of held.splice(0)) request.continue();
    await waitForState(page, (s) => s.music !== 'fetching', 'the music joining');
    assert.equal((await gameState(page)).music, 'joined');
    // A new run (R): the playlist is not held for the defeat cue, should the idle player have lost
    // meanwhile.
    await page.keyboard.press('KeyR');
    await waitForState(page, (s) => s.screen === 'fight' && s.turn === 0, 'the new run');
    const restartedAt = await now();
    await animationFrames(page, 120);
    const withMusic = await sounding(restartedAt);
    assert.ok(withMusic > 0.8, `with the music, ${withMusic} of the blocks sound`);
    assert.deepEqual(problems, []);
  } finally {
    await close();
    await server.close();
  }
});
