// The README's picture of the game in a browser: the real page (build-web/site) served on
// localhost, opened in headless Chromium, started with the cover's click, played for a few seconds
// (running and firing) and photographed whole, page and all.
//   node tools/web-screenshot/main.mjs [browser build] [out.png]   (defaults: build-web, docs/web-page.png)
import { join, resolve } from 'node:path';
import { openBrowser } from '../../web/tests/browser.mjs';
import { serve } from '../../web/tests/static_server.mjs';

const root = resolve(import.meta.dirname, '..', '..');
const [webBuild = join(root, 'build-web'), out = join(root, 'docs', 'web-page.png')] = process.argv.slice(2);
const pause = (ms) => new Promise((done) => setTimeout(done, ms));

const server = await serve(join(webBuild, 'site'));
const { page, problems, close } = await openBrowser({ width: 1400, height: 900 });
try {
  await page.goto(`${server.url}?mode=hd720`, { waitUntil: 'load' });
  await page.waitForSelector('#cover:not([hidden])', { timeout: 120000 });
  await page.click('#cover');
  await page.waitForFunction(() => performance.getEntriesByName('ventora:first-run-frame').length > 0,
                             { timeout: 600000, polling: 200 });
  // Run a little to the right and fire twice, so that a strike is on its way.
  await page.keyboard.down('KeyD');
  for (let i = 0; i < 2; ++i) {
    await pause(1200);
    await page.keyboard.press('KeyJ');
  }
  await page.keyboard.up('KeyD');
  await pause(700);
  await page.screenshot({ path: out });
  if (problems.length > 0) throw new Error(problems.join('; '));
  console.log(`wrote ${out}`);
} finally {
  await close();
  await server.close();
}
