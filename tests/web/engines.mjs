// The three browser engines the site is tried in, behind one small surface, so that one walk
// runs in each: Blink (Debian's chromium) and Gecko (firefox-esr) driven by puppeteer-core, over
// the DevTools protocol and WebDriver BiDi, and WebKit (WebKitGTK's MiniBrowser) driven by
// WebKitWebDriver over W3C WebDriver, under an Xvfb of its own.
//
//   const browser = await launch('webkit');
//   const page = await browser.open(url);      // waits for the first window on screen
//   await page.click(selector);                // a real click at the element's middle
//   const value = await page.evaluate(fn, ...args);
//   page.errors                                // the page's uncaught errors and failed requests,
//                                              // where the protocol reports them (not in WebKit)
//   await page.close(); await browser.close();
//
// An engine that cannot be started is an error, never a skip.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

export const engines = ['chromium', 'firefox', 'webkit'];

const patience = 120000; // a busy machine starts a browser slowly; nothing here waits on a clock
const firstWindow = '.window:not([hidden])';

export function puppeteerOptions(engine) {
  if (engine === 'chromium')
    return { executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--no-first-run', '--disable-gpu'] };
  return {
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    // puppeteer's own profile lets file: pages read each other; the browser's default does not.
    extraPrefsFirefox: { 'security.fileuri.strict_origin_policy': true },
  };
}

async function launchPuppeteer(engine) {
  const profile = mkdtempSync(join(tmpdir(), `kt-${engine}-`));
  const browser = await puppeteer.launch({
    headless: true, userDataDir: profile, timeout: patience, ...puppeteerOptions(engine),
  });
  return {
    engine,
    // `beforeScripts`, when given, runs in the page before any of its own scripts.
    async open(url, viewport = { width: 1024, height: 700 }, beforeScripts = null) {
      const page = await browser.newPage();
      page.setDefaultTimeout(patience);
      const errors = [];
      page.on('pageerror', (error) => errors.push(error.message));
      page.on('requestfailed', (request) => errors.push(`${request.url()}: ${request.failure()?.errorText}`));
      await page.setViewport(viewport);
      if (beforeScripts) await page.evaluateOnNewDocument(beforeScripts);
      await page.goto(url);
      await page.waitForSelector(firstWindow);
      return {
        page, // puppeteer's own, for what only the DevTools protocol can do
        errors,
        click: (selector) => page.click(selector),
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        close: () => page.close(),
      };
    },
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A child process, ended with the browser, and what it said on stderr when it fails.
function start(command, args, options = {}) {
  const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'pipe'], ...options });
  let errors = '';
  child.stderr.on('data', (data) => { errors += data; });
  child.on('error', (error) => { errors += error.message; }); // not there, or not runnable
  const exited = new Promise((resolve) => child.on('close', resolve));
  const failed = (why) => new Error(`${command} ${why}: ${errors.trim().slice(-2000)}`);
  return { child, exited, failed };
}

async function xvfb() {
  const server = start('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp']);
  // Xvfb writes its display number once it accepts clients.
  const display = await new Promise((resolve, reject) => {
    let out = '';
    server.child.stdout.on('data', (data) => {
      out += data;
      if (out.includes('\n')) resolve(`:${out.trim()}`);
    });
    server.exited.then((status) => reject(server.failed(`exited with status ${status}`)));
  });
  return { display, server };
}

async function freePort() {
  const probe = createServer();
  await new Promise((resolve) => probe.listen(0, '127.0.0.1', resolve));
  const { port } = probe.address();
  await new Promise((resolve) => probe.close(resolve));
  return port;
}

async function launchWebKit() {
  const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
  const { display, server } = await xvfb();
  const home = mkdtempSync(join(tmpdir(), 'kt-webkit-'));
  const port = await freePort();
  const driver = start('WebKitWebDriver', [`--port=${port}`], {
    env: { ...process.env, DISPLAY: display, HOME: home, NO_AT_BRIDGE: '1', GDK_BACKEND: 'x11' },
  });
  const base = `http://127.0.0.1:${port}`;
  const sessions = new Set();
  const stop = async () => {
    // A browser left open when its driver goes takes other engines' browsers down with it.
    for (const id of sessions) await command('DELETE', `/session/${id}`).catch(() => {});
    for (const { child, exited } of [driver, server]) {
      if (child.exitCode === null) { child.kill(); await exited; }
    }
    rmSync(home, { recursive: true, force: true });
  };

  // One W3C WebDriver command; a session request without a display hangs, so every request has
  // a time limit.
  async function command(method, path, body) {
    let response;
    for (;;) {
      try {
        response = await fetch(`${base}${path}`, {
          method,
          headers: { 'content-type': 'application/json' },
          body: body === undefined ? undefined : JSON.stringify(body),
          signal: AbortSignal.timeout(patience),
        });
        break;
      } catch (error) { // the driver is not listening yet, unless it is gone
        if (error.name === 'TimeoutError' || driver.child.exitCode !== null)
          throw driver.failed(`did not answer ${method} ${path} (${error.message})`);
        await new Promise((resolve) => { setTimeout(resolve, 50); }); // polls the port, as for Xvfb's display
      }
    }
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebKitWebDriver ${method} ${path}: ${value?.error}: ${value?.message}`);
    return value;
  }

  try {
    await command('GET', '/status');
  } catch (error) {
    await stop();
    throw error;
  }
  return {
    engine: 'webkit',
    async open(url, viewport = { width: 1024, height: 700 }) {
      const { sessionId } = await command('POST', '/session', {
        capabilities: {
          alwaysMatch: {
            'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
            timeouts: { script: patience, pageLoad: patience },
          },
        },
      });
      sessions.add(sessionId);
      const session = (method, path, body) => command(method, `/session/${sessionId}${path}`, body);
      const evaluate = (fn, ...args) =>
        session('POST', '/execute/sync', { script: `return (${fn}).apply(null, arguments);`, args });
      await session('POST', '/window/rect', viewport); // the whole window: its bar takes some of it
      await session('POST', '/url', { url });
      // Waits, in the page, for the first window: the module compiles after the page has loaded.
      await session('POST', '/execute/async', {
        script: `const [selector, done] = arguments;
          const look = () => (document.querySelector(selector) ? done(true) : requestAnimationFrame(look));
          look();`,
        args: [firstWindow],
      });
      return {
        async click(selector) {
          const element = await session('POST', '/element', { using: 'css selector', value: selector });
          await session('POST', `/element/${Object.values(element)[0]}/click`, {});
        },
        evaluate,
        close: () => session('DELETE', '').then(() => sessions.delete(sessionId)),
      };
    },
    close: stop,
  };
}

export function launch(engine) {
  if (engine === 'webkit') return launchWebKit();
  return launchPuppeteer(engine);
}
