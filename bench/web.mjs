// The browser build's budgets, in Debian's chromium, headless, over localhost: what the page
// transfers (gzip, as the server sends it), the time from navigation to window "1" painted and
// ready, and from a click on «Далее» to the next window painted. Prints a Markdown section.
//   node bench/web.mjs SITE_DIR [RUNS] [DESKTOP_STARTUP_MS]
import { createRequire } from 'node:module';
import { mkdtempSync, rmSync } from 'node:fs';
import { loadavg, tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from '../ui/web/serve.mjs';
import { right } from '../tests/support/right_answers.mjs';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const [site, runsArgument, desktopStartup] = process.argv.slice(2);
const runs = Number(runsArgument ?? 20);

// In the page from its first script on: the time each window was first painted (the frame after
// the one in which it was shown), and the time stamp of each click on «Далее».
const probe = () => {
  globalThis.ktBench = { painted: {}, clicks: [] };
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      const form = entry.name.replace('kt-shown-', '');
      requestAnimationFrame(() => setTimeout(() => { ktBench.painted[form] = performance.now(); }));
    }
  }).observe({ type: 'mark' });
  addEventListener('click', (event) => ktBench.clicks.push(event.timeStamp), true);
};

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const fixed = (value, digits = 1) => value.toFixed(digits);

const loadBefore = loadavg()[0];
const server = await serve(site);
const profile = mkdtempSync(join(tmpdir(), 'kt-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
  args: ['--no-sandbox', '--no-first-run', '--disable-gpu'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 700 });
  await page.setCacheEnabled(false);
  await page.evaluateOnNewDocument(probe);
  const client = await page.createCDPSession();
  await client.send('Network.enable');
  const transferred = new Map();
  client.on('Network.loadingFinished', ({ requestId, encodedDataLength }) => transferred.set(requestId, encodedDataLength));
  const urls = new Map();
  client.on('Network.responseReceived', ({ requestId, response }) => urls.set(requestId, response.url));

  const startups = [];
  const moves = Array.from({ length: 10 }, () => []);
  for (let run = 0; run < runs; ++run) {
    transferred.clear();
    await page.goto(server.url);
    await page.waitForFunction(() => ktBench.painted[0] !== undefined);
    startups.push(await page.evaluate(() => ktBench.painted[0]));
    for (let n = 1; n <= 10; ++n) {
      await page.click(`.window:not([hidden]) input[aria-label^="${right[n - 1]}."]`);
      await page.click('.window:not([hidden]) [data-name="Command1"]');
      await page.waitForFunction((form) => ktBench.painted[form] !== undefined, {}, n);
      moves[n - 1].push(await page.evaluate((form) => ktBench.painted[form] - ktBench.clicks.at(-1), n));
    }
  }
  const files = [...transferred].map(([id, bytes]) => [new URL(urls.get(id) ?? '').pathname, bytes])
    .sort((a, b) => b[1] - a[1]);
  const total = files.reduce((sum, [, bytes]) => sum + bytes, 0);
  const version = await browser.version();

  const lines = [];
  lines.push('## The browser build', '');
  lines.push(`Measured by \`bench/web.mjs\` in Debian's chromium (${version}), headless, with the site`);
  lines.push('served over localhost by `ui/web/serve.mjs` with gzip and the cache off; ' +
    `${runs} page loads, each followed by a pass through the test with right answers. ` +
    `The machine's load average (1 min) was ${fixed(loadBefore, 2)} before and ${fixed(loadavg()[0], 2)} after.`, '');
  lines.push('### What the page transfers (gzip, headers included)', '');
  lines.push('| file | KiB |', '|---|---|');
  for (const [path, bytes] of files) lines.push(`| ${path} | ${fixed(bytes / 1024)} |`);
  lines.push(`| **all** | **${fixed(total / 1024)}** (budget: 1024) |`, '');
  lines.push('### Start-up to window "1" painted and ready for input', '');
  lines.push('| | median (ms) | slowest (ms) | target |', '|---|---|---|---|');
  lines.push(`| browser: from navigation | ${fixed(median(startups))} | ${fixed(Math.max(...startups))} | at most 300 |`);
  if (desktopStartup) lines.push(`| desktop: from the process start (above) | ${desktopStartup} | | |`);
  lines.push('');
  lines.push('### From the click on «Далее» to the next window painted', '');
  lines.push('From the click event\'s time stamp to the end of the frame that shows the next window; ' +
    'target: median at most 8 ms.', '');
  lines.push('| move | median (ms) | slowest (ms) |', '|---|---|---|');
  moves.forEach((times, i) => {
    lines.push(`| ${i + 1}->${i === 9 ? 'Результат' : i + 2} | ${fixed(median(times), 2)} | ${fixed(Math.max(...times), 2)} |`);
  });
  console.log(lines.join('\n'));
} finally {
  await browser.close();
  await server.close();
  rmSync(profile, { recursive: true, force: true });
}
