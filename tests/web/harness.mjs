// The browser side of the web tests: serves a folder on 127.0.0.1, drives Debian's Chromium
// (headless, through playwright-core, no browser of its own) on a page from it, and gives the steps a
// test takes there. Any page error, crash or request that leaves the folder's server fails the next step.
import { createServer } from 'node:http';
import { mkdtemp, readFile, rm, stat } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { extname, join, resolve, sep } from 'node:path';
import { chromium } from 'playwright-core';

export const chromiumPath = '/usr/bin/chromium';
// Where the page's program in the canvas (the page's `game`) keeps its recording, in its memory.
export const recordingPath = '/tmp/cairnmark.rec';

// The recording's token for a Playwright key name.
const tokens = { Enter: 'enter', Escape: 'esc', Space: 'space', ArrowUp: 'up', ArrowDown: 'down' };
export function tokenOf(key) {
  return tokens[key] ?? key.toLowerCase();
}

// How far two pictures of one size differ: the share of pixels with a channel off by more than
// `near`, and the largest difference of any channel.
export function comparePixels(a, b, near = 24) {
  if (a.width !== b.width || a.height !== b.height) return { differing: 1, largest: 255 };
  let differing = 0;
  let largest = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    let off = 0;
    for (let c = 0; c < 3; ++c) off = Math.max(off, Math.abs(a.data[i + c] - b.data[i + c]));
    largest = Math.max(largest, off);
    if (off > near) ++differing;
  }
  return { differing: differing / (a.width * a.height), largest };
}

// Without the background-networking flags Chromium keeps dialling hosts this machine cannot reach.
export const chromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

const mimeTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.css': 'text/css; charset=utf-8',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.ico': 'image/x-icon',
  '.svg': 'image/svg+xml',
  '.txt': 'text/plain; charset=utf-8',
};

// Serves root's files (index.html for a folder) on a free port; nothing outside root, nothing cached.
export async function serveFolder(root) {
  const base = resolve(root);
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
      let file = resolve(base, '.' + path);
      const inside = file === base || file.startsWith(base + sep);
      if (!inside || (request.method !== 'GET' && request.method !== 'HEAD')) throw new Error('refused');
      if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': mimeTypes[extname(file).toLowerCase()] ?? 'application/octet-stream',
        'Content-Length': body.length,
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
    server.listen(0, '127.0.0.1', done);
  });
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    close: () => new Promise((done) => server.close(() => done())),
  };
}

// Serves root, starts Chromium with a fresh profile and opens path there. The returned session's
// steps throw on the first page error seen; close() always ends the browser and the server.
export async function openPage(root, { path = '/', viewport = { width: 1024, height: 768 }, timeout = 30000 } = {}) {
  const server = await serveFolder(root);
  const profile = await mkdtemp(join(tmpdir(), 'cairnmark-chromium-'));
  let context;
  try {
    context = await chromium.launchPersistentContext(profile, {
      executablePath: chromiumPath, headless: true, args: chromiumFlags, viewport, acceptDownloads: true,
    });
  } catch (error) {
    await server.close();
    await rm(profile, { recursive: true, force: true });
    throw error;
  }
  const page = context.pages()[0] ?? (await context.newPage());
  page.setDefaultTimeout(timeout);
  const consoleLines = [];
  const errors = [];
  page.on('console', (message) => consoleLines.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
  page.on('crash', () => errors.push('the page crashed'));
  // A dialog is answered only inside answerDialog; any other one is an error (and dismissed).
  let dialogAnswer = null;
  page.on('dialog', async (dialog) => {
    const answer = dialogAnswer;
    dialogAnswer = null;
    if (!answer) errors.push(`unexpected ${dialog.type()} dialog: ${dialog.message()}`);
    await (answer?.accept ? dialog.accept() : dialog.dismiss());
    answer?.done(dialog.message());
  });
  // Everything the page loads comes from its own folder: any other request is refused and reported.
  await context.route('**/*', (route) => {
    const url = route.request().url();
    if (url.startsWith(server.origin + '/')) return route.continue();
    errors.push(`request outside the page's folder: ${url}`);
    return route.abort();
  });

  const check = () => {
    if (errors.length) throw new Error(`${errors.join('\n')}\nconsole:\n${consoleLines.join('\n')}`);
  };
  const session = {
    page,
    origin: server.origin,
    console: consoleLines,
    errors,
    check,

    // Presses each key in turn (Playwright's names: 'Enter', 'Escape', 'ArrowDown', 'Alt+Enter', 'a').
    async press(...keys) {
      for (const key of keys) {
        check();
        await page.keyboard.press(key);
      }
      check();
    },
    async hold(key) { check(); await page.keyboard.down(key); },
    async release(key) { check(); await page.keyboard.up(key); },

    // Polls condition (a function here, may be async) until it returns a true value, which is returned.
    async waitFor(condition, { what = 'the condition', timeout: limit = timeout, every = 50 } = {}) {
      const end = Date.now() + limit;
      for (;;) {
        check();
        const value = await condition();
        if (value) return value;
        if (Date.now() > end) throw new Error(`timed out after ${limit} ms waiting for ${what}`);
        await new Promise((done) => setTimeout(done, every));
      }
    },
    // Waits until fn(arg), run in the page, returns a true value, and returns that value.
    async waitInPage(fn, arg, { timeout: limit = timeout } = {}) {
      check();
      const handle = await page.waitForFunction(fn, arg, { timeout: limit, polling: 50 });
      const value = await handle.jsonValue();
      await handle.dispose();
      check();
      return value;
    },

    async mustHave(id) {
      check();
      if ((await page.locator(`#${id}`).count()) === 0) throw new Error(`the page has no #${id}`);
    },
    // Clicks the element with this id and returns the bytes of the download it starts.
    async download(id) {
      await session.mustHave(id);
      const [started] = await Promise.all([page.waitForEvent('download', { timeout: 15000 }), page.click(`#${id}`)]);
      const failure = await started.failure();
      if (failure) throw new Error(`download from #${id} failed: ${failure}`);
      const bytes = await readFile(await started.path());
      check();
      return bytes;
    },
    // Gives the <input type=file> with this id one file with these bytes.
    async upload(id, bytes, name = 'upload.bin') {
      await session.mustHave(id);
      await page.setInputFiles(`#${id}`, { name, mimeType: 'application/octet-stream', buffer: Buffer.from(bytes) });
      check();
    },
    // Runs action, answers the confirm (or alert) dialog it opens, and returns the dialog's message.
    async answerDialog(accept, action) {
      check();
      let timer;
      const shown = new Promise((done, fail) => {
        dialogAnswer = { accept, done };
        timer = setTimeout(() => fail(new Error('no dialog was opened')), timeout);
      });
      shown.catch(() => {});
      try {
        await action();
        return await shown;
      } finally {
        clearTimeout(timer);
        dialogAnswer = null;
        check();
      }
    },

    // The game's recording so far, as the page keeps it (the file #download-recording hands out).
    async recording() {
      check();
      return page.evaluate((path) => {
        try { return new TextDecoder().decode(window.game.module.FS.readFile(path)); } catch { return ''; }
      }, recordingPath);
    },
    // Presses key once and returns the recording's line for it once the game saw it (with @N when it
    // came between frames), or null when the game did not see it within `settle` ms.
    async pressOnce(key, { settle = 2000 } = {}) {
      const pattern = new RegExp(`^\\d+ ${tokenOf(key)}(@\\d+)?$`);
      const before = (await session.recording()).split('\n').length;
      await session.press(key);
      return session.waitFor(async () => {
        const lines = (await session.recording()).split('\n').slice(before - 1);
        return lines.find((line) => pattern.test(line)) ?? null;
      }, { what: `the game to see ${key}`, timeout: settle }).catch(() => null);
    },
    // Presses key until the game takes it inside a key wait (its line has no @N). A press between
    // frames is forgotten when the next wait starts, so only keys that do nothing between frames may
    // be pressed this way (Enter at the title, letters and numbers; never Escape or Space, which end
    // or skip a typed message).
    async pressTaken(key, { timeout: limit = timeout } = {}) {
      const end = Date.now() + limit;
      let presses = 0;
      while (Date.now() < end) {
        const line = await session.pressOnce(key);
        ++presses;
        if (line && !line.includes('@')) return line;
        await new Promise((done) => setTimeout(done, 100));
      }
      throw new Error(`the game never took ${key} at a key wait (${presses} presses in ${limit} ms)`);
    },
    // Presses key in the next menu. A menu answers a key it has no use for ('z') by naming the
    // numbers it takes and waiting again within a frame or two, where any other wait (an intro
    // line's) is followed by a typed message of many frames: z is pressed until two are taken within
    // a few frames, and key then until the menu takes it (a press between two of its frames does
    // nothing, so even Escape may be pressed again). Returns how many other waits were passed.
    async pressInMenu(key, { rounds = 20 } = {}) {
      const frameOf = (line) => Number(line.split(' ')[0]);
      const taken = [];
      let last = frameOf(await session.pressTaken('z'));
      for (let passed = 0; passed < rounds;) {
        const next = frameOf(await session.pressTaken('z'));
        taken.push(next);
        if (next - last <= 20) {
          await session.pressTaken(key);
          return passed;
        }
        last = next;
        ++passed;
      }
      throw new Error(`no menu took two keys within a few frames; z taken at frames ${taken.join(', ')}`);
    },
    async state() { check(); return page.evaluate(() => document.body.dataset.state ?? ''); },
    async waitForState(...states) {
      return session.waitFor(async () => {
        const now = await session.state();
        return states.includes(now) ? now : null;
      }, { what: `the page's state to become ${states.join(' or ')} (it is ${await session.state()})` });
    },
    async status() { check(); return page.locator('#status').textContent(); },
    // A PNG's pixels, decoded by the browser: { width, height, data } with data RGBA, a row at a time.
    async decodePng(png) {
      const decoded = await page.evaluate(async (base64) => {
        const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        let text = '';
        for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
        return { width: bitmap.width, height: bitmap.height, data: btoa(text) };
      }, Buffer.from(png).toString('base64'));
      return { ...decoded, data: Buffer.from(decoded.data, 'base64') };
    },

    // The canvas as shown, one PNG pixel per CSS pixel (whole pixels: the lines below it may leave
    // it a fraction of one taller).
    async screenshotCanvas(selector = 'canvas') {
      check();
      const box = await page.locator(selector).boundingBox();
      if (!box) throw new Error(`the page shows no ${selector}`);
      const clip = { x: Math.round(box.x), y: Math.round(box.y), width: Math.floor(box.width), height: Math.floor(box.height) };
      const png = await page.screenshot({ type: 'png', clip });
      check();
      return png;
    },
    async reload() {
      check();
      await page.reload({ waitUntil: 'load' });
      check();
    },
    async close() {
      try {
        await context.close();
      } finally {
        await server.close();
        await rm(profile, { recursive: true, force: true });
      }
    },
  };
  await page.goto(server.origin + path, { waitUntil: 'load' });
  check();
  return session;
}
