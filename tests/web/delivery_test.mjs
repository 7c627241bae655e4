// How the test reaches a pupil: the single file opened from disk in chromium, in Firefox (with
// its strict file:// origins) and in WebKit, the site from a server that compresses nothing, offline after one
// visit and replaced by a new build, the words the pupil reads when something fails, no breach of
// the page's security policy, and no accessibility violation that axe-core finds on any screen.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { AxePuppeteer } from '@axe-core/puppeteer';
import { serve } from '../../ui/web/serve.mjs';
import { engines, inEngine, launch } from './engines.mjs';
import { answer, command, fillCounter, shown, state, takeWholeTest, wrong } from './walk.mjs';

const [site, singleFile] = process.argv.slice(2);
assert.ok(site && singleFile, 'usage: node delivery_test.mjs SITE_DIR SINGLE_FILE');

let chromium;
let server;
before(async () => {
  chromium = await launch('chromium');
  server = await serve(site, 0, { compress: false });
});
after(async () => {
  await chromium?.close();
  await server?.close();
});

// Every breach of the page's security policy, kept in the page for the test to read.
function recordRefusals() {
  globalThis.ktRefused = [];
  addEventListener('securitypolicyviolation', (e) => globalThis.ktRefused.push(`${e.violatedDirective} ${e.blockedURI}`));
}

// A page of `browser`'s that records every breach of its security policy and every uncaught error
// (in chromium and Firefox).
const open = (browser, url, { beforeScripts = [], context } = {}) =>
  browser.open(url, { beforeScripts: [recordRefusals, beforeScripts].flat(), context });

// A blank page of chromium's, as `open` makes it, in a context of its own: without the service
// worker an earlier visit left. Closing its context closes it.
const openFresh = async (beforeScripts) =>
  open(chromium, null, { beforeScripts, context: await chromium.puppeteer.createBrowserContext() });

// Right answers through all ten windows to the mark, with the security policy unbroken all along
// where the engine tells of it (not in WebKit, whose WebDriver does not see the page's console).
async function takeWholeTestUnbroken(page) {
  await takeWholeTest(page);
  const result = await state(page);
  assert.deepEqual([result.caption, result.label.trim()], ['Результат', '5']);
  if (!page.errors) return;
  assert.deepEqual(await page.evaluate(() => globalThis.ktRefused), []);
  assert.deepEqual(page.errors, []);
}

// The site's own page from disk shows that the browser keeps file:// origins strict.
const heading = (page) => page.waitForSelector('#loading.failed')
  .then(() => page.$eval('#loading-heading', (e) => e.textContent));

test('the single file: at most 512 KiB, and from disk the whole test, in chromium, Firefox and WebKit', async () => {
  assert.ok(statSync(singleFile).size <= 512 * 1024, `${singleFile}: ${statSync(singleFile).size} bytes`);
  for (const engine of engines) {
    await inEngine(engine, chromium, async (browser) => {
      const page = await open(browser, pathToFileURL(singleFile).href);
      await takeWholeTestUnbroken(page);
      if (engine === 'webkit') return;
      await page.goto(pathToFileURL(join(site, 'index.html')).href);
      assert.match(await heading(page), /^Страница открыта с диска/);
      await page.close();
    });
  }
});

test('from a server that compresses nothing, at most 300 KiB reach the page before window 1', async () => {
  const page = await openFresh();
  const client = await page.createCDPSession();
  await client.send('Network.enable');
  let received = 0;
  client.on('Network.loadingFinished', ({ encodedDataLength }) => { received += encodedDataLength; });
  await page.goto(server.url);
  await page.waitForSelector(shown);
  assert.ok(received > 100 * 1024 && received <= 300 * 1024, `${received} bytes`);
  await takeWholeTestUnbroken(page);
  await page.browserContext().close();
});

test('until window 1 is ready the pupil reads «Загрузка теста…» over a progress bar', async () => {
  const page = await openFresh();
  await page.setRequestInterception(true);
  let held;
  const moduleAsked = new Promise((asked) => page.on('request', (request) => {
    if (request.url().endsWith('.wasm.gz')) asked(held = request);
    else request.continue();
  }));
  await page.goto(server.url, { waitUntil: 'domcontentloaded' });
  await moduleAsked;
  const loading = () => page.evaluate(() => ({
    shown: !document.getElementById('loading').hidden,
    heading: document.getElementById('loading-heading').textContent,
    bar: !document.getElementById('loading-progress').hidden,
  }));
  assert.deepEqual(await loading(), { shown: true, heading: 'Загрузка теста…', bar: true });
  await held.continue();
  await page.waitForSelector(shown);
  assert.equal((await loading()).shown, false);
  await page.browserContext().close();
});

// What the pupil reads in place of the test, for each way it can fail.
const failures = [
  ['the module missing', /^Не найден файл «kinematics-test\.wasm\.gz» \(ответ сервера: 404\)/,
    { module: (request) => request.respond({ status: 404, body: 'no such file' }) }],
  ['the network gone', /^Нет связи с сервером/, { module: (request) => request.abort('internetdisconnected') }],
  ['a policy without wasm-unsafe-eval', /^Политика безопасности сайта/, {
    page: (request) => request.respond({
      status: 200, contentType: 'text/html; charset=utf-8', body: readFileSync(join(site, 'index.html')),
      headers: { 'Content-Security-Policy': "script-src 'self'" },
    }),
  }],
  ['no WebAssembly', /^Этот браузер не выполняет WebAssembly/, { beforeScripts: () => { delete globalThis.WebAssembly; } }],
  ['a fault in a host call', /^Сбой в программе: the host failed\./, {
    afterStart: (page) => page.evaluate(() => { ktWindows.show = () => { throw new Error('the host failed'); }; }),
  }],
];
for (const [what, expected, { module, page: document, beforeScripts, afterStart }] of failures) {
  test(`${what}: the pupil reads what failed and what to try`, async () => {
    const page = await openFresh(beforeScripts);
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      const path = new URL(request.url()).pathname;
      if (path.endsWith('.wasm.gz') && module) module(request);
      else if (path === '/' && document) document(request);
      else request.continue();
    });
    await page.goto(server.url);
    if (afterStart) {
      await page.waitForSelector(shown);
      await afterStart(page);
      await answer(page, 1);
    }
    await heading(page);
    const told = await page.evaluate((shownWindow) => ({
      role: document.getElementById('loading').getAttribute('role'),
      heading: document.getElementById('loading-heading').textContent,
      advice: document.getElementById('loading-advice').textContent,
      retry: !document.getElementById('retry').hidden,
      windows: document.querySelectorAll(shownWindow).length,
    }), shown);
    assert.match(told.heading, expected);
    assert.ok(told.advice.length > 20, told.advice);
    assert.deepEqual({ ...told, heading: '', advice: '' }, { role: 'alert', heading: '', advice: '', retry: true, windows: 0 });
    await page.browserContext().close();
  });
}

test('offline after one visit: a reload and the whole test; a new build replaces the old', async (t) => {
  const copy = mkdtempSync(join(tmpdir(), 'kt-site-'));
  t.after(() => rmSync(copy, { recursive: true, force: true }));
  cpSync(site, copy, { recursive: true });
  let own = await serve(copy, 0, { compress: false });
  const page = await open(chromium, own.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await own.close();
  await page.reload();
  await page.waitForSelector(shown);
  await takeWholeTestUnbroken(page);
  await page.click(command);
  await page.click('#again');
  await page.waitForSelector(shown);
  assert.equal((await state(page)).caption, '1');
  // A new build on the same server, with the network back: the next visit shows it, and once its
  // worker has kept its own files, the old build's are gone and the new one works offline.
  const edit = (file, from, to) => writeFileSync(join(copy, file), readFileSync(join(copy, file), 'utf8').replace(from, to));
  edit('index.html', '<title>Тест по кинематике</title>', '<title>Новая сборка</title>');
  edit('service-worker.js', /const build = '[0-9a-f]+';/, "const build = 'new';");
  own = await serve(copy, Number(new URL(own.url).port), { compress: false });
  await page.reload();
  assert.equal(await page.title(), 'Новая сборка');
  await page.waitForFunction(async () => (await caches.keys()).join() === 'kinematics-test-new', { polling: 50 });
  await own.close();
  await page.reload();
  await page.waitForSelector(shown);
  assert.equal(await page.title(), 'Новая сборка');
  await page.close();
});

test('axe-core finds no violation on window 1, a wrong mark, the result, the error and the end', async () => {
  const page = await open(chromium, server.url);
  const violations = [];
  const audit = async (where) => {
    const { violations: found } = await new AxePuppeteer(page).analyze();
    violations.push(...found.map((v) => `${where}: ${v.id} (${v.nodes.map((n) => n.target).join(', ')})`));
  };
  await audit('window 1');
  await answer(page, 1, wrong(1));
  await audit('a wrong mark');
  await takeWholeTest(page);
  await audit('Результат');
  await page.click(command);
  await audit('the end');
  // The error dialog: a counter's overflow, as in browser_test.mjs.
  await page.click('#again');
  await page.waitForSelector(shown);
  await fillCounter(page);
  await page.click(command);
  await page.waitForSelector('#error[open]');
  await audit('the error dialog');
  assert.deepEqual(violations, []);
  await page.close();
});
