// The page's figures (docs/FIGURES.md), taken in headless Chromium: the bytes each file of the page
// costs, raw and gzip -9; launch to the title; the frame rate of the intro typed over the title
// picture (a fresh profile has no save, so Enter at the title starts it); the tab's memory. Nothing
// in the game is changed to measure: a script run before the page's own wraps WebGL's drawing calls
// to count presents (the first draw into the canvas after drawing elsewhere) and the
// requestAnimationFrame ticks that follow one (frames shown), and the CPU time of Chromium's
// processes is read from /proc. With a built desktop game (build/release), Xvfb and xdotool it also
// times the same intro there in each run, through an LD_PRELOAD shim that notes each buffer swap.
// --page-only leaves the desktop out. Prints JSON.
//     node tests/web/figures.mjs [PAGE_FOLDER] [--runs N] [--size WxH] [--page-only] [--profile FILE]
import { spawn, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { loadavg, tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { chromiumFlags, chromiumPath, serveFolder } from './harness.mjs';

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  if (at < 0) return fallback;
  const [value] = args.splice(at, 2).slice(1);
  return value;
};
const runs = Number(option('--runs', '3'));
const [width, height] = option('--size', '1024x768').split('x').map(Number);
const profileFile = option('--profile', null);
const pageOnly = args.includes('--page-only') && args.splice(args.indexOf('--page-only'), 1);
const root = args[0] ?? 'dist/web';
const pause = (ms) => new Promise((done) => setTimeout(done, ms));
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length % 2 ? sorted[(sorted.length - 1) / 2] : (sorted[sorted.length / 2 - 1] + sorted[sorted.length / 2]) / 2;
};
// The two black frames of opening the display and the loader's 15: the title waits for a key after.
const kTitlePresents = 17;
// Each intro line types for more frames than this (some 185 and 90).
const kLeastLineFrames = 60;
const round = (value, digits = 1) => Number(value.toFixed(digits));

// Runs in the page before its own scripts. A present is the first draw into the canvas itself (the
// default framebuffer) after drawing elsewhere; a frame is shown when requestAnimationFrame ticks
// after one.
function countFrames() {
  const seen = { presents: [], shown: [], dirty: false };
  window.figures = seen;
  const gl = WebGLRenderingContext.prototype;
  let intoCanvas = true, counted = false;
  const bind = gl.bindFramebuffer;
  gl.bindFramebuffer = function (target, framebuffer) {
    if (!framebuffer !== intoCanvas) counted = false;
    intoCanvas = !framebuffer;
    return bind.call(this, target, framebuffer);
  };
  for (const name of ['clear', 'drawArrays', 'drawElements']) {
    const draw = gl[name];
    gl[name] = function (...rest) {
      if (intoCanvas && !counted) {
        counted = true;
        seen.presents.push(performance.now());
        seen.dirty = true;
      }
      return draw.apply(this, rest);
    };
  }
  const tick = () => {
    if (seen.dirty) seen.shown.push(performance.now());
    seen.dirty = false;
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
}

function sizes() {
  const files = readdirSync(root).sort().map((name) => {
    const bytes = readFileSync(join(root, name));
    return { name, raw: bytes.length, gzip: gzipSync(bytes, { level: 9 }).length };
  });
  const total = files.reduce((sum, f) => ({ raw: sum.raw + f.raw, gzip: sum.gzip + f.gzip }), { raw: 0, gzip: 0 });
  return { files, total, underLimit: total.gzip <= 1.5 * 1024 * 1024 };
}

// Proportional resident memory (MB) and CPU time (s) of the browser's processes by kind (renderer, gpu-process, ...).
function processFigures(browserPid) {
  const parents = new Map(), byKind = {};
  const pids = readdirSync('/proc').filter((name) => /^\d+$/.test(name)).map(Number);
  for (const pid of pids) {
    try {
      parents.set(pid, Number(/PPid:\s+(\d+)/.exec(readFileSync(`/proc/${pid}/status`, 'utf8'))[1]));
    } catch {
      // A process that ended meanwhile.
    }
  }
  const descends = (pid) => {
    for (let at = pid; at > 1; at = parents.get(at) ?? 0) if (at === browserPid) return true;
    return false;
  };
  for (const pid of pids.filter(descends)) {
    try {
      // Chromium rewrites its processes' titles: the arguments may come as one string.
      const kind = /--type=([\w-]+)/.exec(readFileSync(`/proc/${pid}/cmdline`, 'utf8'))?.[1] ?? 'browser';
      // Proportional: each shared page counted once across the processes sharing it.
      const pss = Number(/Pss:\s+(\d+)/.exec(readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8'))?.[1] ?? 0) / 1024;
      const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      byKind[kind] ??= { pss: 0, cpu: 0 };
      byKind[kind].pss += pss;
      byKind[kind].cpu += (Number(fields[11]) + Number(fields[12])) / 100;
    } catch {
      // Likewise.
    }
  }
  return byKind;
}

async function pageRun(server) {
  const profile = mkdtempSync(join(tmpdir(), 'cairnmark-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath, headless: true, args: chromiumFlags, viewport: { width, height },
  });
  // The browser's own process is the one started with this profile.
  const browserPid = Number(readdirSync('/proc').find((pid) => {
    try {
      return /^\d+$/.test(pid) && readFileSync(`/proc/${pid}/cmdline`, 'utf8').split('\0')
        .some((part) => part === `--user-data-dir=${profile}`) && !readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes('--type=');
    } catch {
      return false;
    }
  }));
  try {
    const page = context.pages()[0] ?? (await context.newPage());
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.addInitScript(countFrames);
    const cdp = await context.newCDPSession(page);
    await cdp.send('Performance.enable');
    await page.goto(server.origin + '/', { waitUntil: 'load' });
    // The title is up once presents stop after the loader's frames: the key wait.
    const quietFor = async (ms, atLeast, limit = 60000) => {
      const end = Date.now() + limit;
      for (;;) {
        const last = await page.evaluate(() => [figures.presents.length, figures.presents.at(-1), performance.now()]);
        if (last[0] >= atLeast && last[2] - last[1] > ms) return;
        if (Date.now() > end) throw new Error('no quiet in presents');
        await pause(100);
      }
    };
    await quietFor(1500, kTitlePresents);
    // From navigation: the first frame shown with the title picture (after the two black ones), and
    // the title ready for its key (the loader's last frame shown).
    const launch = await page.evaluate((count) => ({
      titleMs: figures.shown.find((t) => t > figures.presents[2]),
      readyMs: figures.shown.find((t) => t > figures.presents[count - 1]),
      canvas: [document.querySelector('canvas').width, document.querySelector('canvas').height],
    }), kTitlePresents);
    // What the key wait at the title costs the processes, a second.
    const idleFrom = processFigures(browserPid);
    await pause(3000);
    const idleTo = processFigures(browserPid);
    const idleCpu = Object.fromEntries(Object.keys(idleTo).map((k) => [k, round((idleTo[k].cpu - (idleFrom[k]?.cpu ?? 0)) * 1000 / 3)]));
    const before = processFigures(browserPid);
    if (profileFile) await cdp.send('Profiler.enable').then(() => cdp.send('Profiler.start'));
    // Line 1 of the intro, its last frame held for a key (no frame for 2 s: it has ended, as no
    // frame of a line takes that long); Space then starts line 2.
    const lines = [];
    for (const key of ['Enter', 'Space']) {
      const from = await page.evaluate(() => figures.presents.length);
      await page.keyboard.press(key);
      await quietFor(2000, from + kLeastLineFrames);
      lines.push(await page.evaluate((start) => {
        const presents = figures.presents.slice(start);
        const shown = figures.shown.filter((t) => t >= presents[0] && t <= presents.at(-1) + 50);
        return { presents, shown };
      }, from));
    }
    if (profileFile) writeFileSync(profileFile, JSON.stringify((await cdp.send('Profiler.stop')).profile));
    const after = processFigures(browserPid);
    const metrics = Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
    const wasmBytes = await page.evaluate(() => game.module.HEAP8.buffer.byteLength);
    if (errors.length) throw new Error(errors.join('\n'));
    const frames = lines.reduce((sum, l) => sum + l.presents.length - 1, 0);
    const seconds = lines.reduce((sum, l) => sum + (l.presents.at(-1) - l.presents[0]) / 1000, 0);
    const shown = lines.reduce((sum, l) => sum + l.shown.length - 1, 0);
    const gaps = lines.flatMap((l) => l.presents.slice(1).map((t, i) => t - l.presents[i]));
    // CPU milliseconds each kind of process spent a presented frame.
    const cpu = Object.fromEntries(Object.keys(after).map((k) => [k, round((after[k].cpu - (before[k]?.cpu ?? 0)) * 1000 / frames)]));
    return {
      launch, presentsPerSecond: frames / seconds, shownPerSecond: shown / seconds, frames, seconds,
      gapMedian: median(gaps), gapMax: Math.max(...gaps), cpuMsPerFrame: cpu, idleCpuMsPerSecond: idleCpu,
      memory: {
        jsHeapUsedMB: metrics.JSHeapUsedSize / 2 ** 20, jsHeapTotalMB: metrics.JSHeapTotalSize / 2 ** 20,
        wasmMB: wasmBytes / 2 ** 20, pssMB: Object.fromEntries(Object.entries(after).map(([k, v]) => [k, round(v.pss)])),
      },
    };
  } finally {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  }
}

// The desktop game's intro under Xvfb at the same size, each swap's time noted by the shim.
async function desktopRun() {
  const game = 'build/release/cairnmark';
  if (!existsSync(game) || !existsSync('/usr/bin/Xvfb') || !existsSync('/usr/bin/xdotool')) return null;
  const scratch = mkdtempSync(join(tmpdir(), 'cairnmark-figures-'));
  const shim = join(scratch, 'swap_times.so');
  const built = spawnSync('cc', ['-O2', '-shared', '-fPIC', '-o', shim, 'tools/web_figures/swap_times.c', '-ldl']);
  if (built.status !== 0) throw new Error(`the swap shim did not build: ${built.stderr}`);
  const display = ':' + (90 + Math.floor(Math.random() * 9));
  const xvfb = spawn('Xvfb', [display, '-screen', '0', `${width}x${height}x24`], { stdio: 'ignore' });
  const swaps = join(scratch, 'swaps.txt');
  const env = { ...process.env, DISPLAY: display, LD_PRELOAD: shim, CAIRNMARK_SWAP_TIMES: swaps };
  let gameProcess;
  try {
    await pause(1000);
    const started = process.hrtime.bigint();
    gameProcess = spawn(join(process.cwd(), game), [], { cwd: scratch, env, stdio: 'ignore' });
    const times = () => (existsSync(swaps) ? readFileSync(swaps, 'utf8').trim().split('\n').filter(Boolean).map(Number) : []);
    const now = () => Number(process.hrtime.bigint()) / 1e6;
    const quietFor = async (ms, atLeast) => {
      for (let tries = 0; tries < 600; ++tries) {
        const t = times();
        if (t.length >= atLeast && now() - t.at(-1) > ms) return t;
        await pause(100);
      }
      throw new Error('the desktop game never went quiet');
    };
    const startMs = Number(started) / 1e6;
    const titleTimes = await quietFor(1500, kTitlePresents);
    const lines = [];
    for (const key of ['Return', 'space']) {
      const from = times().length;
      spawnSync('xdotool', ['key', key], { env });
      lines.push((await quietFor(2000, from + kLeastLineFrames)).slice(from));
    }
    const frames = lines.reduce((sum, l) => sum + l.length - 1, 0);
    const seconds = lines.reduce((sum, l) => sum + (l.at(-1) - l[0]) / 1000, 0);
    const peakMB = Number(/VmHWM:\s+(\d+)/.exec(readFileSync(`/proc/${gameProcess.pid}/status`, 'utf8'))[1]) / 1024;
    const ended = new Promise((done) => gameProcess.once('exit', done));
    gameProcess.kill('SIGTERM');
    await ended;
    await pause(500);
    // The first title frame on the screen, by the desktop's own tool, on the same display.
    const tool = spawnSync('build/release/tools/launchtime/cairnmark-launchtime', ['--runs', '1', join(process.cwd(), game)],
      { env: { ...process.env, DISPLAY: display }, encoding: 'utf8' });
    const titleMs = 1000 * Number(/title ([\d.]+) s/.exec(tool.stdout)?.[1] ?? NaN);
    return { titleMs, readyMs: titleTimes.at(-1) - startMs, framesPerSecond: frames / seconds, frames, seconds, peakMB };
  } finally {
    gameProcess?.kill('SIGTERM');
    await pause(500);
    xvfb.kill('SIGTERM');
    rmSync(scratch, { recursive: true, force: true });
  }
}

const report = { date: new Date().toISOString(), load: loadavg().map((l) => round(l, 2)), size: `${width}x${height}`, sizes: sizes(), page: [], desktop: [] };
const server = await serveFolder(root);
try {
  for (let run = 0; run < runs; ++run) {
    report.page.push(await pageRun(server));
    report.desktop.push(pageOnly ? null : await desktopRun());
    console.error(`run ${run + 1}: page ${round(report.page.at(-1).presentsPerSecond)} fps, desktop ${round(report.desktop.at(-1)?.framesPerSecond ?? 0)} fps`);
  }
} finally {
  await server.close();
}
report.loadAfter = loadavg().map((l) => round(l, 2));
console.log(JSON.stringify(report, null, 1));
