// A static file server on localhost for the built site: what `make web-serve` runs and what the
// browser tests load pages from. Plain files, no special headers: the site needs none.
//   node static_server.mjs <folder> [port]   serves until interrupted and prints its address
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.mp3': 'audio/mpeg',
  '.json': 'application/json',
  '.vrep': 'application/octet-stream',
};

// The file a request names inside `root`, or null for one outside it.
function fileFor(root, url) {
  const path = decodeURIComponent(new URL(url, 'http://localhost').pathname);
  const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
  return file === root || file.startsWith(root + sep) ? file : null;
}

// Serves `folder` on 127.0.0.1 (port 0: any free one); resolves to { url, close() }.
export async function serve(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    const file = fileFor(root, request.url);
    try {
      if (!file || !(await stat(file)).isFile()) throw new Error('not a file');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-store',
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found\n');
    }
  });
  await new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', done);
  });
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => server.close(done)),
  };
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) {
    console.error('usage: node static_server.mjs <folder> [port]');
    process.exit(2);
  }
  try {
    await stat(join(folder, 'index.html'));
  } catch {
    console.error(`static_server: no index.html in ${folder} (build it with make web)`);
    process.exit(1);
  }
  const { url } = await serve(folder, Number(port ?? 8080));
  console.log(`Serving ${resolve(folder)} at ${url} (Ctrl+C stops)`);
}
