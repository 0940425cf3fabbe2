// The golden replays under Node.js, checked by the game built as WebAssembly (`--replay --check`):
// the simulation in wasm must end each one in the state the desktop recorded.
import { execFileSync } from 'node:child_process';
import { readdirSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { requireBuilt, webBuild } from './site.mjs';

const game = join(webBuild(), 'node', 'ventora.js');
requireBuilt('The game for Node.js', game);
const replays = join(import.meta.dirname, '..', '..', 'tests', 'replays');

for (const name of readdirSync(replays).filter((file) => file.endsWith('.vrep'))) {
  test(name, () => {
    const told = execFileSync(process.execPath, [game, '--replay', join(replays, name), '--check'],
                              { encoding: 'utf8' });
    assert.match(told, /^replay ok: /);
  });
}
