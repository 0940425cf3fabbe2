// Where the browser tests find what they load, and what they do when it is not there: the browser
// build (make web) may not exist on a developer's machine, and then a test skips (status 77);
// under CI, where `make test` builds it first, a missing piece fails instead.
import { existsSync } from 'node:fs';
import { join, resolve } from 'node:path';

export const SKIP = 77;

// puppeteer-core, as `npm ci` in web/tests installs it.
export const RUNNER = join(import.meta.dirname, 'node_modules', 'puppeteer-core');

// The browser build's folder: the first argument, else build-web beside web/.
export function webBuild() {
  return resolve(process.argv[2] ?? join(import.meta.dirname, '..', '..', 'build-web'));
}

// Ends the process unless every path exists: a skip on a developer's machine, a failure under CI.
export function requireBuilt(what, ...paths) {
  const missing = paths.filter((path) => !existsSync(path));
  if (missing.length === 0) return;
  const line = `${what} is not built (missing ${missing.join(', ')}); run make web`;
  if (process.env.CI) {
    console.error(`FAIL: ${line}`);
    process.exit(1);
  }
  console.log(`skipped: ${line}`);
  process.exit(SKIP);
}
