// The built page (dist/web/, or the folder given) in one headless Chromium, step by step: the title,
// a game played with real keys and saved, its recording replayed by the desktop's replay tool to the
// same save, a reload that resumes, uploads taken, repaired and refused, a recording watched, and
// a game left by reloading the tab saved.
// Exit status 0 only when every step holds; each failure names its step.
//     node tests/web/page_test.mjs [PAGE_FOLDER]
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { existsSync } from 'node:fs';
import { mkdtemp, readFile, rm, writeFile, mkdir } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { comparePixels, openPage } from './harness.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const root = resolve(process.argv[2] ?? join(repo, 'dist/web'));
const replayTool = join(repo, 'build/release/tools/replay/cairnmark-replay');
const work = await mkdtemp(join(tmpdir(), 'cairnmark-page-test-'));
const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');
const same = (a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b)) === 0;

// The desktop's replay tool in a folder of its own; returns its status, output and the save it left.
async function desktop(name, args, save = null) {
  if (!existsSync(replayTool)) throw new Error(`${replayTool} is not built (cmake --build --preset release)`);
  const folder = join(work, name);
  await mkdir(folder, { recursive: true });
  if (save) await writeFile(join(folder, 'save.dat'), save);
  const run = spawnSync(replayTool, [...args.map((a) => a.replace('{dir}', folder))], { encoding: 'utf8' });
  const out = `${run.stdout ?? ''}${run.stderr ?? ''}`.trim();
  const left = existsSync(join(folder, 'save.dat')) ? await readFile(join(folder, 'save.dat')) : null;
  return { status: run.status, out, save: left };
}

const failures = [];
let session = null;
async function step(name, what, body) {
  try {
    await body();
    console.log(`ok   ${name}: ${what}`);
  } catch (error) {
    failures.push(name);
    console.log(`FAIL ${name}: ${what}\n     ${String(error.message ?? error).replaceAll('\n', '\n     ')}`);
  }
}
const pageSave = () => session.download('download-save');
// Enter at the title, then the first menu: a resumed game's is the town, with no intro before it.
async function resumeToTown() {
  await session.pressTaken('Enter');
  const passed = await session.pressInMenu('Escape');
  if (passed !== 0) throw new Error(`${passed} other key waits (a new game's intro) came before the town`);
  await session.waitForState('ended');
}

// What one step leaves for a later one.
let desktopTitle = null;
let desktopSave = null;
let recording = null;
let keptSave = null;

try {
  session = await openPage(root, { timeout: 60000 });

  await step('a', 'the title shows in the canvas, as the desktop draws it', async () => {
    const shots = join(work, 'title-shots');
    await mkdir(shots, { recursive: true });
    const run = await desktop('title', ['--keys', '', '--shots', shots, '--dir', '{dir}']);
    if (run.status !== 0) throw new Error(`the replay tool drawing the title exited ${run.status}: ${run.out}`);
    desktopTitle = await session.decodePng(await readFile(join(shots, '0001.png')));
    await session.waitForState('playing');
    // The canvas at the picture's own size, so its pixels are the picture's.
    // (The width first: the line of keys below it wraps by the width.)
    const { height } = session.page.viewportSize();
    await session.page.setViewportSize({ width: desktopTitle.width, height });
    const lines = await session.page.evaluate(() => document.body.clientHeight - document.getElementById('canvas').clientHeight);
    await session.page.setViewportSize({ width: desktopTitle.width, height: desktopTitle.height + lines });
    let last = null;
    await session.waitFor(async () => {
      const shown = await session.decodePng(await session.screenshotCanvas());
      last = comparePixels(shown, desktopTitle);
      return last.differing < 0.01;
    }, { what: 'the canvas to show the title', every: 250 }).catch((error) => {
      throw new Error(`${error.message}; last look: ${JSON.stringify(last)}`);
    });
  });

  await step('b', 'keys play a new game (the market in and out); Escape in town saves and ends it', async () => {
    await session.pressTaken('Enter');
    const intro = await session.pressInMenu('2');
    if (intro === 0) throw new Error("a new game reached the town without its intro's key waits");
    await session.pressInMenu('Escape');
    await session.pressInMenu('Escape');
    await session.waitForState('ended');
    const end = (await session.recording()).trimEnd().split('\n').slice(-2);
    if (!/^end \d+ escape$/.test(end[0]) || !/^save [0-9a-f]{64}$/.test(end[1])) {
      throw new Error(`the recording ends ${JSON.stringify(end)}`);
    }
    if (!(await session.page.locator('#play-again').isVisible())) throw new Error('#play-again is not shown');
  });

  await step('c', "the downloaded recording replays on the desktop to the downloaded save's hash", async () => {
    recording = await session.download('download-recording');
    keptSave = await pageSave();
    const file = join(work, 'page.rec');
    await writeFile(file, recording);
    const hash = recording.toString('utf8').trimEnd().split('\n').at(-1);
    if (hash !== `save ${sha256(keptSave)}`) throw new Error(`the recording ends "${hash}", the save's SHA-256 is ${sha256(keptSave)}`);
    const run = await desktop('replay', ['--recording', file]);
    if (run.status !== 0) throw new Error(`cairnmark-replay --recording exited ${run.status}: ${run.out}`);
  });

  await step('d', 'after a reload Enter resumes the kept save (the town, no intro) and saves it unchanged', async () => {
    await session.reload();
    await session.waitForState('playing');
    if (!same(await pageSave(), keptSave)) throw new Error('the save kept over the reload differs');
    await resumeToTown();
    if (!same(await pageSave(), keptSave)) throw new Error('the resumed game saved another hero');
  });

  await step('e', 'an uploaded save from the desktop is played from', async () => {
    const made = await desktop('made', ['--clock', '99', '--keys', 'enter z lshift+g lshift+g esc', '--dir', '{dir}']);
    if (made.status !== 0 || !made.save) throw new Error(`the replay tool making a save exited ${made.status}: ${made.out}`);
    desktopSave = made.save;
    const asked = await session.answerDialog(true, () => session.upload('upload-save', desktopSave, 'save.dat'));
    if (!asked) throw new Error('no question before replacing the kept save');
    await session.waitForState('playing');
    if (!same(await pageSave(), desktopSave)) throw new Error('the uploaded save was not kept');
    await resumeToTown();
    if (!same(await pageSave(), desktopSave)) throw new Error("the game played did not save the uploaded hero");
  });

  await step('f', 'a declined upload changes nothing; a damaged one is refused (the kept save survives) or repaired as on the desktop', async () => {
    if (!desktopSave) throw new Error('no save from step e');
    const before = await pageSave();
    const stateBefore = await session.state();
    await session.answerDialog(false, () => session.upload('upload-save', Buffer.from('not a save'), 'save.dat'));
    if ((await session.state()) !== stateBefore || !same(await pageSave(), before)) throw new Error('declining the upload changed the page');

    await session.answerDialog(true, () => session.upload('upload-save', Buffer.from([1, 2, 3]), 'save.dat'));
    const refused = await session.waitFor(async () => {
      const text = await session.status();
      return text.startsWith('the uploaded save was not taken: ') ? text : null;
    }, { what: '#status to say the upload was not taken' });
    if (!refused.includes('too short')) throw new Error(`#status gives no reason: "${refused}"`);
    await session.waitForState('playing');
    if (!same(await pageSave(), before)) throw new Error('the refused upload changed the kept save');

    // A whole save with bytes after it: the loader drops them and says so.
    const damaged = Buffer.concat([desktopSave, Buffer.from('extra')]);
    const onDesktop = await desktop('repaired', ['--keys', 'enter esc', '--dir', '{dir}'], damaged);
    const reason = /\(([^)]*)\)/.exec(onDesktop.out)?.[1];
    if (onDesktop.status !== 0 || !reason) throw new Error(`the desktop loading the damaged save said: ${onDesktop.out}`);
    await session.answerDialog(true, () => session.upload('upload-save', damaged, 'save.dat'));
    await session.waitFor(async () => (await session.status()).includes(reason),
      { what: `#status to give the repair ("${reason}")` });
    await session.waitForState('playing');
    await resumeToTown();
    if (!same(await pageSave(), onDesktop.save)) throw new Error('the repaired game saved otherwise than the desktop');
  });

  await step('g', 'a recording is watched to its end as recorded, the save untouched', async () => {
    if (!recording) throw new Error('no recording from step c');
    await session.waitForState('ended');
    const before = await pageSave();
    await session.upload('watch-recording', recording, 'cairnmark.rec');
    await session.waitForState('watching');
    await session.waitFor(async () => (await session.state()) === 'ended',
      { what: 'the watched recording to end', timeout: 180000, every: 250 });
    if (!same(await pageSave(), before)) throw new Error('watching changed the save');
    const said = await session.status();
    if (!said.includes('the recording played to its end as recorded')) throw new Error(`#status after watching: "${said}"`);
    await session.press('Enter');
    await session.waitForState('playing');
  });

  await step('h', 'a new game left by reloading the tab is saved as a closed window saves it', async () => {
    // A browser of its own: a profile that has never saved.
    const fresh = await openPage(root, { timeout: 60000 });
    try {
      await fresh.waitForState('playing');
      await fresh.pressTaken('Enter');
      const intro = await fresh.pressInMenu('z');
      if (intro === 0) throw new Error('a fresh profile had a save');
      await fresh.reload();
      await fresh.waitForState('playing');
      await fresh.download('download-save');
      await fresh.pressTaken('Enter');
      if ((await fresh.pressInMenu('Escape')) !== 0) throw new Error('the game left by the reload was not resumed in town');
      await fresh.waitForState('ended');
    } finally {
      await fresh.close();
    }
  });
} catch (error) {
  failures.push('setup');
  console.log(`FAIL the page could not be opened: ${error.message}`);
} finally {
  if (failures.length && session) console.log('page console:\n  ' + session.console.slice(-30).join('\n  '));
  await session?.close();
  await rm(work, { recursive: true, force: true });
}
console.log(failures.length ? `page test: ${failures.join(', ')} failed` : 'page test: every step holds');
process.exit(failures.length ? 1 : 0);
