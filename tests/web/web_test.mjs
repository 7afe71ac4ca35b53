// The browser build, played in Debian's Chromium (headless, driven by playwright-core) from the
// page served on 127.0.0.1, and its simulator run under node.
//
//   node tests/web/web_test.mjs WEB_BUILD DESKTOP_BUILD
//
// Every check starts from empty browser storage, as a new player does. The figures a check
// measures (load time, pass time, pacing) are printed beside their budgets as it goes; they are
// measurements, not pass-or-fail conditions, since a busy machine slows any of them.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const source = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const webBuild = path.resolve(process.argv[2] || 'build-web');
const desktopBuild = path.resolve(process.argv[3] || 'build');
const site = path.join(webBuild, 'site');
const playerFolder = '/home/web_user/.local/share/pibo2';
const configFolder = '/home/web_user/.config/pibo2';

let server;
let origin;
let browser;

before(async () => {
  server = spawn('node', [path.join(source, 'web/serve.mjs'), site, '0']);
  origin = await new Promise((resolve, reject) => {
    server.stdout.once('data', (line) => resolve(/http:\/\/[\d.:]+/.exec(String(line))[0]));
    server.once('exit', () => reject(new Error('the server did not start')));
  });
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    // The machine has no network beyond loopback: Chromium's own calls home stay off.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.kill();
});

// A page of the game in its own browser context (its own storage), with every console error and
// uncaught exception kept for the check's end.
async function openPage(context, query = '') {
  const page = await context.newPage();
  page.problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') page.problems.push(message.text());
  });
  page.on('pageerror', (error) => page.problems.push(error.message));
  await loadGame(page, query);
  return page;
}

// Loads the page, waits for the data, and starts the game the way a player does (a click).
async function loadGame(page, query = '') {
  await page.goto(`${origin}/${query}`);
  await page.waitForFunction(() => document.getElementById('status').textContent.startsWith('Click'),
    null, { timeout: 30000 });
  await page.click('#cover');
  await waitFor(page, (s) => s.running);
}

function gameStatus(page) {
  return page.evaluate(() => JSON.parse(Module.UTF8ToString(Module._pibo_status())));
}

async function waitFor(page, condition, timeout = 20000) {
  const end = Date.now() + timeout;
  for (;;) {
    const status = await gameStatus(page);
    if (condition(status)) return status;
    if (Date.now() > end) throw new Error(`still waiting; the game is at ${JSON.stringify(status)}`);
    await page.waitForTimeout(50);
  }
}

async function readPlayerFile(page, name, folder = playerFolder) {
  return page.evaluate(([folder, file]) => {
    try {
      return Array.from(Module.FS.readFile(`${folder}/${file}`));
    } catch {
      return null;
    }
  }, [folder, name]);
}

// How many times the page has copied the game's files to the browser's storage, and a wait for
// the next copy.
function storedCount(page) {
  return page.evaluate(() => window.piboStoredFiles || 0);
}
async function waitForStoredFiles(page, count) {
  await page.waitForFunction((n) => (window.piboStoredFiles || 0) > n, count, { timeout: 10000 });
}

function assertNoProblems(page) {
  assert.deepEqual(page.problems, [], 'errors on the console');
}

test('the site is within its size budget', () => {
  const gzipped = (file) => zlib.gzipSync(fs.readFileSync(path.join(site, file)), { level: 9 }).length;
  const wasm = gzipped('pibo2.wasm');
  const data = gzipped('pibo2.data');
  console.log(`# sizes: wasm ${fs.statSync(path.join(site, 'pibo2.wasm')).size} bytes ` +
    `(${wasm} gzipped), data ${fs.statSync(path.join(site, 'pibo2.data')).size} bytes ` +
    `(${data} gzipped)`);
  assert.ok(wasm <= 2 * 1024 * 1024, `wasm ${wasm} bytes gzipped`);
  assert.ok(data <= 12 * 1024 * 1024, `data ${data} bytes gzipped`);
  // The browser's own main loop runs the game; nothing is rewound through Asyncify.
  assert.ok(!/asyncify_start_unwind/i.test(fs.readFileSync(path.join(site, 'pibo2.js'), 'utf8')));
});

test('the title frame is the desktop game\'s title frame', async () => {
  const context = await browser.newContext({ viewport: { width: 1100, height: 700 } });
  const page = await openPage(context);
  await page.waitForFunction(() => window.piboPasses().times.length >= 3);
  // From the start of navigation to the end of the game's first pass, less the time the page
  // waited for the player's click: the loading, then the start of the game.
  const [ready, started, firstFrame] = await page.evaluate(() => {
    const passes = window.piboPasses();
    return [window.piboReadyAt, window.piboStartedAt, passes.starts[0] + passes.times[0]];
  });
  const startTime = ready + (firstFrame - started);
  console.log(`# first title frame ${startTime.toFixed(0)} ms after loading began (loaded in ` +
    `${ready.toFixed(0)} ms, game started in ${(firstFrame - started).toFixed(0)} ms); ` +
    `budget 3000 ms`);

  // Compared in the game's own colours (16-bit RGB565): the desktop's picture and the canvas
  // widen them to 24 bits each by its own rounding, at most one step apart.
  const golden = fs.readFileSync(path.join(source, 'tests/render/golden/title.png')).toString('base64');
  const differing = await page.evaluate(async (png) => {
    const pixels = async (drawable) => {
      const canvas = document.createElement('canvas');
      canvas.width = 800;
      canvas.height = 600;
      const context2d = canvas.getContext('2d');
      context2d.drawImage(drawable, 0, 0);
      return context2d.getImageData(0, 0, 800, 600).data;
    };
    const image = new Image();
    image.src = `data:image/png;base64,${png}`;
    await image.decode();
    const want = await pixels(image);
    const got = await pixels(document.getElementById('canvas'));
    let count = 0;
    for (let i = 0; i < want.length; i += 4) {
      if (want[i] >> 3 !== got[i] >> 3 || want[i + 1] >> 2 !== got[i + 1] >> 2 ||
          want[i + 2] >> 3 !== got[i + 2] >> 3) count++;
    }
    return count;
  }, golden);
  assert.equal(differing, 0, `${differing} pixels differ from the desktop's title`);
  assertNoProblems(page);
  await context.close();
});

test('F1, Space and Right lead into level 1 and the hero runs', async () => {
  const context = await browser.newContext({ viewport: { width: 1100, height: 700 } });
  const page = await openPage(context);
  await page.keyboard.press('F1');
  await waitFor(page, (s) => s.waiting === 'stage preview');
  await page.keyboard.press('Space');
  const standing = await waitFor(page, (s) => s.playing && s.level === 1 && s.waiting === '');
  const passesBefore = (await page.evaluate(() => window.piboPasses().starts.length));
  await page.keyboard.down('ArrowRight');
  await page.waitForTimeout(1500);
  await page.keyboard.up('ArrowRight');
  await page.waitForTimeout(3000);
  const ran = await gameStatus(page);
  assert.ok(ran.x > standing.x + 100, `the hero went from ${standing.x} to ${ran.x}`);

  const passes = await page.evaluate(() => window.piboPasses());
  const starts = passes.starts.slice(passesBefore);
  const times = passes.times.slice(passesBefore).sort((a, b) => a - b);
  const gaps = starts.slice(1).map((start, i) => start - starts[i]);
  const even = gaps.filter((gap) => Math.abs(gap - 30) <= 4).length / gaps.length;
  const median = times[times.length >> 1];
  console.log(`# play: ${gaps.length} passes, ${(even * 100).toFixed(1)} % of them 30 ± 4 ms ` +
    `apart (budget 95 %); pass time median ${median.toFixed(2)} ms (budget 1 ms), 95th ` +
    `percentile ${times[Math.floor(times.length * 0.95)].toFixed(2)} ms`);
  assertNoProblems(page);
  await context.close();
});

test('options changed with F3 and settings changed with F4 survive a reload', async () => {
  const context = await browser.newContext({ viewport: { width: 1100, height: 700 } });
  const page = await openPage(context);
  const before = await readPlayerFile(page, 'Options_zt.dat');
  const stored = await storedCount(page);
  await page.keyboard.press('F3');
  await waitFor(page, (s) => s.waiting === 'window');
  // The focus starts on "Sound Effects": Space unticks it, Enter is OK.
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  await waitFor(page, (s) => s.waiting === '');
  await waitForStoredFiles(page, stored);
  const changed = await readPlayerFile(page, 'Options_zt.dat');
  assert.ok(changed !== null, 'no options file was written');
  assert.notDeepEqual(changed, before);
  // The focus starts on the music's "-": Space turns it down to 90 %; four Tabs reach the first
  // box, where Enter is OK (on a button it presses that button).
  const storedBeforeSettings = await storedCount(page);
  await page.keyboard.press('F4');
  await waitFor(page, (s) => s.waiting === 'window');
  await page.keyboard.press('Space');
  for (let i = 0; i < 4; ++i) await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  await waitFor(page, (s) => s.waiting === '');
  await waitForStoredFiles(page, storedBeforeSettings);

  await page.reload();
  await loadGame(page);
  assert.deepEqual(await readPlayerFile(page, 'Options_zt.dat'), changed);
  const settings = await readPlayerFile(page, 'settings.ini', configFolder);
  assert.ok(settings !== null && Buffer.from(settings).toString().includes('Music=90\n'),
    'the settings did not survive the reload');
  // The window opens again with the option as it was left.
  await page.keyboard.press('F3');
  await waitFor(page, (s) => s.waiting === 'window');
  await page.waitForTimeout(200);
  await page.locator('#canvas').screenshot({ path: path.join(webBuild, 'options-after-reload.png') });
  await page.keyboard.press('Escape');
  await waitFor(page, (s) => s.waiting === '');
  assertNoProblems(page);
  await context.close();
});

test('a high score entered survives a reload', { timeout: 120000 }, async () => {
  const context = await browser.newContext({ viewport: { width: 1100, height: 700 } });
  const page = await openPage(context, '?develop');
  await page.keyboard.press('F1');
  await waitFor(page, (s) => s.waiting === 'stage preview');
  await page.keyboard.press('Space');
  await waitFor(page, (s) => s.playing && s.waiting === '');
  // Develop mode's F8 gives 1000 points: 7000 is in the table. Then the bombs end the game.
  for (let i = 0; i < 7; ++i) await page.keyboard.press('F8');
  await waitFor(page, (s) => s.score >= 7000);
  await waitFor(page, (s) => s.waiting === 'window', 90000);
  const stored = await storedCount(page);
  await page.keyboard.type('Webby');
  await page.keyboard.press('Enter');
  await waitFor(page, (s) => !s.playing && s.waiting === '', 20000);
  await waitForStoredFiles(page, stored);

  await page.goto('about:blank');
  await loadGame(page);
  const table = await readPlayerFile(page, 'HighScores_zt.dat');
  assert.ok(table !== null, 'no high-score file');
  assert.ok(Buffer.from(table).includes('Webby'), 'the name is not in the table');
  await page.waitForTimeout(300);
  await page.locator('#canvas').screenshot({ path: path.join(webBuild, 'title-after-high-score.png') });
  assertNoProblems(page);
  await context.close();
});

test('the simulator as WebAssembly prints what the desktop simulator prints', () => {
  const folder = path.join(desktopBuild, 'game');
  const runs = [
    ['--level', '1', '--seed', '1', '--frames', '400', '--trace', '--keys',
      path.join(source, 'tests/sim/level01_all_gems.keys')],
    ['--level', '7', '--seed', '145', '--frames', '640', '--trace', '--keys',
      path.join(source, 'tests/sim/level07_all_gems.keys')],
    ['--soak', '1', '--seed', '7'],
  ];
  for (const args of runs) {
    const desktop = spawnSync(path.join(folder, 'pibo-sim'), [...args, '--folder', folder]);
    const web = spawnSync('node', [path.join(webBuild, 'node/pibo-sim.js'), ...args, '--folder', folder]);
    assert.equal(desktop.status, 0, String(desktop.stderr));
    assert.equal(web.status, 0, String(web.stderr));
    // A soak's memory figures are the system's own; everything else is the game's.
    const game = (output) => String(output).replace(/,"(residentKB|peakKB|peakGrowthKB)":\d+/g, '');
    assert.ok(game(web.stdout) === game(desktop.stdout), `pibo-sim ${args.join(' ')} differs`);
    assert.ok(desktop.stdout.length > 1000);
  }
});
