// The harness on its own: a tiny SDL2 + OpenGL ES 3.0 program (fixtures/clear_colour.cpp) served
// from localhost, loaded in the headless Chromium, must report a WebGL2 context, show its clear
// colour and say nothing on the console but its own line.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { test } from 'node:test';
import { openBrowser, pixelsAt } from './browser.mjs';
import { RUNNER, requireBuilt, webBuild } from './site.mjs';
import { serve } from './static_server.mjs';

const fixtures = join(webBuild(), 'fixtures');
requireBuilt('The harness fixture', join(fixtures, 'index.html'), join(fixtures, 'clear_colour.wasm'), RUNNER);

test('a WebGL2 program clears the canvas to its colour', async () => {
  const server = await serve(fixtures);
  const { page, problems, close } = await openBrowser();
  try {
    const context = new Promise((found) => page.on('console', (message) => {
      if (message.text().startsWith('clear_colour:')) found(message.text());
    }));
    await page.goto(server.url, { waitUntil: 'load' });
    assert.match(await context, /^clear_colour: OpenGL ES 3\.0 \(WebGL 2\.0/);
    const canvas = await page.$('#canvas');
    // The clear colour (0.2, 0.4, 0.6) as 8-bit values, in the middle and at a corner.
    const colour = [51, 102, 153, 255];
    assert.deepEqual(await pixelsAt(page, canvas, [[160, 100], [2, 2], [317, 197]]), [colour, colour, colour]);
    assert.deepEqual(problems, []);
  } finally {
    await close();
    await server.close();
  }
});
