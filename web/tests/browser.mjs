// Debian's Chromium, headless, with WebGL2 on the machine's software renderer (ANGLE over Mesa's
// llvmpipe), driven through puppeteer-core. Each launch gets a fresh profile, removed on close.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const CHROMIUM = process.env.VENTORA_CHROMIUM ?? '/usr/bin/chromium';

const FLAGS = [
  '--headless=new',
  '--no-sandbox',
  // ANGLE on EGL reaches llvmpipe; without the blocklist override there is no WebGL2 at all.
  '--ignore-gpu-blocklist',
  '--use-angle=gl-egl',
  '--autoplay-policy=no-user-gesture-required',
  // Nothing but the page under test talks to the network.
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--disable-quic',
];

// The console errors, warnings and uncaught exceptions of `page`, one line each, as they come.
export function watchProblems(page) {
  const problems = [];
  page.on('console', (message) => {
    // SDL2's audio for the browser plays through a ScriptProcessorNode, which Chromium warns of.
    if (message.text().startsWith('The ScriptProcessorNode is deprecated')) return;
    if (message.type() === 'error' || message.type() === 'warn') {
      problems.push(`console ${message.type()}: ${message.text()}`);
    }
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) =>
    problems.push(`request failed: ${request.url()} (${request.failure()?.errorText})`));
  return problems;
}

// A browser and a page whose problems (see watchProblems) are collected in `problems`.
export async function openBrowser({ width = 1280, height = 800 } = {}) {
  const { default: puppeteer } = await import('puppeteer-core');
  const profile = await mkdtemp(join(tmpdir(), 'ventora-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    args: [...FLAGS, `--user-data-dir=${profile}`, `--window-size=${width},${height}`],
    defaultViewport: { width, height },
    headless: true,
  });
  const page = await browser.newPage();
  const problems = watchProblems(page);
  const close = async () => {
    await browser.close();
    await rm(profile, { recursive: true, force: true });
  };
  return { browser, page, problems, close };
}

// The RGBA bytes of the pixels at `points` ([x, y] each) of one PNG screenshot of `element` (or of
// the whole page), read back in the page itself so that no PNG decoder is needed here.
export async function pixelsAt(page, element, points) {
  const png = await (element ?? page).screenshot({ encoding: 'base64' });
  return page.evaluate(async (data, where) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const { data: rgba, width } = context.getImageData(0, 0, image.width, image.height);
    return where.map(([x, y]) => Array.from(rgba.subarray((y * width + x) * 4, (y * width + x) * 4 + 4)));
  }, png, points);
}
