// The three browser engines the site is tried in, behind one small surface, so that one walk
// runs in each: Blink (Debian's chromium) and Gecko (firefox-esr) driven by puppeteer-core, over
// the DevTools protocol and WebDriver BiDi, and WebKit (WebKitGTK's MiniBrowser) driven by
// selenium-webdriver through WebKitWebDriver, on the X server that the test runs on
// (tests/e2e/drive.sh COMMAND starts one). Every browser the tests open is opened here.
//
//   const browser = await launch('webkit');
//   const page = await browser.open(url);      // waits for the first window on screen
//   await page.click(selector);                // a real click at the element's middle
//   const value = await page.evaluate(fn, ...args);
//   page.errors                                // the page's uncaught errors and failed requests,
//                                              // where the protocol reports them (not in WebKit)
//   await page.close(); await browser.close();
//
// In chromium and Firefox, `browser.puppeteer` is puppeteer's own browser and each page is
// puppeteer's own, for what only their protocols do. An engine that cannot be started is an
// error, never a skip.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { Builder, By } from 'selenium-webdriver';
import { DriverService } from 'selenium-webdriver/remote/index.js';
import { shown } from './walk.mjs';

export const engines = ['chromium', 'firefox', 'webkit'];

const patience = 120000; // a busy machine starts a browser slowly; nothing here waits on a clock
const defaultViewport = { width: 1024, height: 700 };

const puppeteerOptions = {
  chromium: { executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--no-first-run', '--disable-gpu'] },
  firefox: {
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    // puppeteer's own profile lets file: pages read each other; the browser's default does not.
    extraPrefsFirefox: { 'security.fileuri.strict_origin_policy': true },
  },
};

async function launchPuppeteer(engine) {
  const profile = mkdtempSync(join(tmpdir(), `kt-${engine}-`));
  const browser = await puppeteer.launch({ headless: true, userDataDir: profile, timeout: patience, ...puppeteerOptions[engine] });
  return {
    puppeteer: browser,
    // A page of `context` (the browser's default one unless given), with `beforeScripts` (a
    // function or a list of them) run in it before any of its own scripts; at `url`, when given,
    // with its first window on screen.
    async open(url, { viewport = defaultViewport, beforeScripts = [], context = browser } = {}) {
      const page = await context.newPage();
      page.setDefaultTimeout(patience);
      page.errors = [];
      page.on('pageerror', (error) => page.errors.push(error.message));
      page.on('requestfailed', (request) => page.errors.push(`${request.url()}: ${request.failure()?.errorText}`));
      await page.setViewport(viewport);
      for (const script of [beforeScripts].flat()) await page.evaluateOnNewDocument(script);
      if (url) await page.goto(url);
      if (url) await page.waitForSelector(shown);
      return page;
    },
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

async function launchWebKit() {
  if (!process.env.DISPLAY) throw new Error('WebKit needs an X server: run the test through tests/e2e/drive.sh');
  const home = mkdtempSync(join(tmpdir(), 'kt-webkit-'));
  const driverService = new DriverService.Builder('/usr/bin/WebKitWebDriver')
    .setLoopback(true)
    .setEnvironment({ ...process.env, HOME: home, NO_AT_BRIDGE: '1', GDK_BACKEND: 'x11' })
    .setStdio(['ignore', 'ignore', 'inherit']) // what the driver says goes with the test's output
    .build();
  const sessions = new Set();
  const stop = async () => {
    // A browser left open when its driver goes takes other engines' browsers down with it.
    for (const session of sessions) await session.quit().catch(() => {});
    await driverService.kill();
    rmSync(home, { recursive: true, force: true });
  };
  let address;
  try {
    address = await driverService.start(patience);
  } catch (error) {
    await stop();
    throw new Error(`WebKitWebDriver did not start: ${error.message}`);
  }
  return {
    async open(url, { viewport = defaultViewport } = {}) {
      const session = await new Builder().usingServer(address).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] },
        timeouts: { script: patience, pageLoad: patience },
      }).build();
      sessions.add(session);
      await session.manage().window().setRect(viewport); // the whole window: its bar takes some of it
      await session.get(url);
      // Waits, in the page, for the first window: the module compiles after the page has loaded.
      await session.executeAsyncScript((selector, done) => {
        const look = () => (document.querySelector(selector) ? done(true) : requestAnimationFrame(look));
        look();
      }, shown);
      return {
        click: (selector) => session.findElement(By.css(selector)).click(),
        evaluate: (fn, ...args) => session.executeScript(fn, ...args),
        close: () => session.quit().then(() => sessions.delete(session)),
      };
    },
    close: stop,
  };
}

export const launch = (engine) => (engine === 'webkit' ? launchWebKit() : launchPuppeteer(engine));

// Runs `use(browser)` in a browser of `engine`: `chromium`, which the caller keeps open, for
// chromium, else one launched for it and closed after.
export async function inEngine(engine, chromium, use) {
  const browser = engine === 'chromium' ? chromium : await launch(engine);
  try {
    return await use(browser);
  } finally {
    if (browser !== chromium) await browser.close();
  }
}
