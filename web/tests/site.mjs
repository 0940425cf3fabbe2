// Where the browser tests find what they load, and what they do when it is not there: the browser
// build (make web) may not be there, and then a test skips (status 77), under CI too: `make test`
// does not build it, `make test-web` does.
import { existsSync } from 'node:fs';
import { join, resolve } from 'node:path';

export const SKIP = 77;

// puppeteer-core, as `npm ci` in web/tests installs it.
export const RUNNER = join(import.meta.dirname, 'node_modules', 'puppeteer-core');

// The browser build's folder: the first argument, else build-web beside web/.
export function webBuild() {
  return resolve(process.argv[2] ?? join(import.meta.dirname, '..', '..', 'build-web'));
}

// Ends the process, skipped, unless every path exists.
export function requireBuilt(what, ...paths) {
  const missing = paths.filter((path) => !existsSync(path));
  if (missing.length === 0) return;
  console.log(`skipped: ${what} is not built (missing ${missing.join(', ')}); run make web`);
  process.exit(SKIP);
}
