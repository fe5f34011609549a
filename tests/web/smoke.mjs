// A look at the built page (dist/web/, or the folder given) in headless Chromium: waits for the
// title in the canvas and keeps its picture, plays a new game into the market and out, ends it with
// Escape in town (saved), downloads the save and the recording (replayed by the desktop replay tool
// when it is built), reloads and resumes. Pictures and the recording go to the folder given second.
//     node tests/web/smoke.mjs [PAGE_FOLDER] [PICTURE_FOLDER]
import { spawnSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { writeFile, mkdir } from 'node:fs/promises';
import { openPage } from './harness.mjs';

const root = process.argv[2] ?? 'dist/web';
const shots = process.argv[3] ?? 'build/web-shots';
await mkdir(shots, { recursive: true });
const pause = (ms) => new Promise((done) => setTimeout(done, ms));

// A black canvas makes a PNG of a few hundred bytes; the title picture, tens of kilobytes.
async function waitForPicture(session, name, what) {
  const png = await session.waitFor(async () => {
    const shot = await session.screenshotCanvas();
    return shot.length > 20000 ? shot : null;
  }, { what, timeout: 60000, every: 250 });
  await writeFile(`${shots}/${name}.png`, png);
  return png;
}
async function saveInPage(session) {
  return session.page.evaluate(() => {
    try { return Array.from(Module.FS.readFile('/cairnmark/save.dat')); } catch { return null; }
  });
}

const started = Date.now();
const session = await openPage(root);
try {
  await waitForPicture(session, '1-title', 'the title');
  console.log(`title after ${Date.now() - started} ms`);
  // The title waits for a key once loading is done; each intro line is skipped by Space.
  await pause(4000);
  await session.press('Enter');
  for (const line of ['1', '2']) {
    await pause(1500);
    await writeFile(`${shots}/2-intro-${line}.png`, await session.screenshotCanvas());
    await session.press('Space');
  }
  await pause(2000);
  await writeFile(`${shots}/2-town.png`, await session.screenshotCanvas());
  await session.press('2');
  await pause(2000);
  await writeFile(`${shots}/3-market.png`, await session.screenshotCanvas());
  await session.press('Escape');
  await pause(2000);
  await session.press('Escape');
  await pause(3000);
  await writeFile(`${shots}/3-ended.png`, await session.screenshotCanvas());
  const save = await session.waitFor(() => saveInPage(session), { what: 'save.dat after Escape in town' });
  console.log(`saved: ${save.length} bytes`);
  // The game just played, as cairnmark --record writes it, replays on the desktop to the same end.
  const recording = await session.download('download-recording');
  await writeFile(`${shots}/page.rec`, recording);
  const downloaded = await session.download('download-save');
  if (Buffer.compare(downloaded, Buffer.from(save)) !== 0) throw new Error('the downloaded save differs');
  const replay = 'build/release/tools/replay/cairnmark-replay';
  if (existsSync(replay)) {
    const run = spawnSync(replay, ['--recording', `${shots}/page.rec`], { encoding: 'utf8' });
    console.log(`desktop replay of the page's recording: exit ${run.status} ${run.stdout}${run.stderr}`);
    if (run.status !== 0) throw new Error('the recording did not replay');
  }
  await pause(500);
  await session.reload();
  const kept = await session.waitFor(() => saveInPage(session), { what: 'save.dat after the reload' });
  if (Buffer.compare(Buffer.from(kept), Buffer.from(save)) !== 0) throw new Error('the save kept differs');
  await waitForPicture(session, '4-title-again', 'the title after the reload');
  await session.press('Enter');
  await pause(2000);
  await writeFile(`${shots}/5-resumed.png`, await session.screenshotCanvas());
} finally {
  console.log('page console:\n' + session.console.join('\n'));
  await session.close();
}
