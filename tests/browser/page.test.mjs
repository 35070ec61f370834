// Drives the web page in headless Chromium against a real `velmora-host serve`
// and checks through GET /api that what a user does on the page reaches the
// plugin. Environment: VELMORA_HOST (the velmora-host executable) and
// VELMORA_SESSION (a session file with at least two instances); CHROMIUM
// overrides /usr/bin/chromium.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

const TOTAL_MS = 60_000;
const STEP_MS = 10_000;

// Chromium must not reach out: this machine's network is closed.
const CHROMIUM_ARGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

class Failure extends Error {}
function check(cond, message) {
  if (!cond) throw new Failure(message);
}

function freePort() {
  return new Promise((resolve, reject) => {
    const srv = net.createServer();
    srv.once('error', reject);
    srv.listen(0, '127.0.0.1', () => {
      const { port } = srv.address();
      srv.close(() => resolve(port));
    });
  });
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

let server = null;
let serverLog = '';
let browser = null;

function startServer(host, session, port) {
  server = spawn(host, ['serve', session, '--port', String(port)], { stdio: ['ignore', 'pipe', 'pipe'] });
  const keep = (chunk) => { serverLog = (serverLog + chunk).slice(-4000); };
  server.stdout.on('data', keep);
  server.stderr.on('data', keep);
  server.exited = new Promise((resolve) => server.once('exit', (code, signal) => resolve({ code, signal })));
  server.once('error', (err) => { serverLog += `\ncould not start: ${err.message}`; });
}

async function stopServer() {
  if (!server || server.exitCode !== null || server.signalCode !== null) return;
  server.kill('SIGTERM');
  const done = await Promise.race([server.exited, sleep(5000).then(() => null)]);
  if (!done) {
    server.kill('SIGKILL');
    await server.exited;
  }
}

async function getText(base, p) {
  const res = await fetch(base + p, { signal: AbortSignal.timeout(3000) });
  check(res.ok, `GET ${p} answered ${res.status}`);
  return res.text();
}

async function listing(base) {
  const text = await getText(base, '/api');
  try {
    return JSON.parse(text).instances;
  } catch (err) {
    throw new Failure(`GET /api is not valid JSON (${err.message}): ${text.slice(0, 200)}`);
  }
}

async function waitForApi(base) {
  const until = Date.now() + 15_000;
  let last = '';
  while (Date.now() < until) {
    if (server.exitCode !== null || server.signalCode !== null) {
      throw new Failure(`velmora-host serve exited (${server.exitCode ?? server.signalCode}) before answering`);
    }
    try {
      return await listing(base);
    } catch (err) {
      last = err.message;
    }
    await sleep(100);
  }
  throw new Failure(`GET /api did not answer within 15 s (${last})`);
}

// Polls the listing until pred holds for it; fails with what was seen last.
async function eventually(base, what, pred) {
  const until = Date.now() + STEP_MS;
  let seen;
  while (Date.now() < until) {
    seen = await listing(base);
    if (pred(seen)) return seen;
    await sleep(100);
  }
  throw new Failure(`${what}; GET /api shows otherwise`);
}

const byId = (instances, id) => instances.find((i) => i.id === id);

async function main() {
  const host = process.env.VELMORA_HOST;
  const session = process.env.VELMORA_SESSION;
  check(host && fs.existsSync(host), `VELMORA_HOST must name the velmora-host executable (is "${host ?? ''}")`);
  check(session && fs.existsSync(session), `VELMORA_SESSION must name a session file (is "${session ?? ''}")`);
  const executablePath = process.env.CHROMIUM || '/usr/bin/chromium';
  check(fs.existsSync(executablePath), `${executablePath} is missing: install Debian's chromium package`);

  const port = await freePort();
  const base = `http://127.0.0.1:${port}`;
  startServer(host, session, port);
  const before = await waitForApi(base);
  check(before.length >= 2, `the session must run two instances, GET /api lists ${before.length}`);
  // The second instance, so that a page that always edits the first one fails.
  const target = before[1];
  const other = before[0];

  // launch() gives Chromium a new empty profile of its own.
  browser = await chromium.launch({ executablePath, args: CHROMIUM_ARGS, timeout: STEP_MS });
  const page = await browser.newPage();
  page.setDefaultTimeout(STEP_MS);
  const pageErrors = [];
  page.on('pageerror', (err) => pageErrors.push(err.message));
  page.on('console', (msg) => { if (msg.type() === 'error') pageErrors.push(msg.text()); });
  page.on('dialog', (dialog) => dialog.accept());

  await page.goto(`${base}/`);
  const card = page.getByRole('button', { name: new RegExp(`^Instance ${target.id}\\b`) });
  // The page shows #boot-error when its scripts cannot run; stop at once then.
  const bootError = page.locator('#boot-error');
  try {
    await card.or(bootError).waitFor();
  } catch {
    // Reported below with what the page said.
  }
  if (!(await card.isVisible())) {
    throw new Failure(`the page shows no card for instance ${target.id}${pageErrors.length ? `: ${pageErrors.join(' | ')}` : ''}`);
  }
  await card.click();
  await page.getByRole('heading', { name: `Instance ${target.id}` }).waitFor();

  // Rename an articulation. The name holds what the path decoder treats
  // specially ("&", "?", "+", "%", "/", "=", blanks) and a non-ASCII letter.
  await page.getByRole('tab', { name: 'Articulations' }).click();
  const newName = 'Legato & "Fast"? 50% +/=ü';
  const nameBox = page.getByLabel('Name of articulation 2', { exact: true });
  await nameBox.fill(newName);
  await nameBox.press('Enter');
  await eventually(base, `articulation 2 of instance ${target.id} was not renamed to ${JSON.stringify(newName)}`,
    (list) => byId(list, target.id)?.articulations[1].name === newName);
  let now = await listing(base);
  check(byId(now, other.id).articulations[1].name === other.articulations[1].name,
    `renaming on instance ${target.id} changed instance ${other.id} too`);

  // Switch options both ways, by clicking their labels as a user would.
  await page.getByRole('tab', { name: 'Options' }).click();
  const cases = [
    { label: 'MIDI Extend', key: 'midiextend' },
    { label: 'Optimise automation', key: 'optimiseauto' },
  ];
  for (const { label, key } of cases) {
    const was = byId(now, target.id).options[key];
    await page.locator('label', { hasText: label }).click();
    now = await eventually(base, `clicking "${label}" did not set ${key} of instance ${target.id} to ${!was}`,
      (list) => byId(list, target.id)?.options[key] === !was);
    check(byId(now, other.id).options[key] === other.options[key],
      `switching "${label}" on instance ${target.id} changed instance ${other.id} too`);
    const shown = await page.getByRole('switch', { name: label }).isChecked();
    check(shown === !was, `after the click the page shows "${label}" ${shown ? 'on' : 'off'}`);
  }

  // What the plugin holds is what the page shows after a reload.
  await page.reload();
  await page.getByRole('tab', { name: 'Articulations' }).click();
  const reloaded = await page.getByLabel('Name of articulation 2', { exact: true }).inputValue();
  check(reloaded === newName, `after a reload the page shows the name ${JSON.stringify(reloaded)}`);

  // Download the set: the file is the instance's GET /api/<id>/json.
  const [download] = await Promise.all([
    page.waitForEvent('download'),
    page.getByRole('button', { name: /Download set/ }).click(),
  ]);
  const downloaded = fs.readFileSync(await download.path(), 'utf8');
  check(downloaded === await getText(base, `/api/${target.id}/json`),
    'the downloaded set differs from GET /api/<id>/json');

  // Upload a set of two: it replaces all articulations of the instance.
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-set-'));
  const file = path.join(dir, 'two.zoltartic');
  fs.writeFileSync(file, JSON.stringify([
    { name: 'Spiccato', icon: 2, note: 30, notevel: 90, prog: 5, modw: 64, modc: 1 },
    { name: 'Col legno', note: 31 },
  ]));
  // Chromium reads the file only when the page asks for its text: keep it till then.
  await page.getByLabel('Articulation set file to upload').setInputFiles(file);
  now = await eventually(base, `uploading a set of two did not replace the articulations of instance ${target.id}`,
    (list) => {
      const a = byId(list, target.id)?.articulations;
      return a && a[0].name === 'Spiccato' && a[1].name === 'Col legno' && a[2].name === '';
    }).finally(() => fs.rmSync(dir, { recursive: true, force: true }));
  const [first, second] = byId(now, target.id).articulations;
  check(first.icon === 2 && first.note === 30 && first.notev === 90 && first.prog === 5 && first.modw === 64 && first.modc === 1,
    `the uploaded first articulation arrived as ${JSON.stringify(first)}`);
  check(second.note === 31 && second.icon === 55 && second.notev === 127,
    `the uploaded second articulation arrived as ${JSON.stringify(second)}`);
  check(byId(now, other.id).articulations[0].name === other.articulations[0].name,
    `uploading to instance ${target.id} changed instance ${other.id} too`);

  check(pageErrors.length === 0, `the page reported errors: ${pageErrors.join(' | ')}`);
}

const timer = setTimeout(async () => {
  console.error(`FAIL: the browser test took longer than ${TOTAL_MS / 1000} s`);
  if (browser) await browser.close().catch(() => {});
  await stopServer();
  process.exit(1);
}, TOTAL_MS);

let failed = false;
try {
  await main();
  console.log('PASS: the page renamed an articulation, switched options and moved an articulation set through the API');
} catch (err) {
  failed = true;
  console.error(`FAIL: ${err instanceof Failure ? err.message : err.stack || err}`);
  if (serverLog.trim()) console.error(`--- velmora-host output (last lines) ---\n${serverLog.trim()}`);
} finally {
  if (browser) await browser.close().catch(() => {});
  await stopServer();
  clearTimeout(timer);
}
process.exit(failed ? 1 : 0);
