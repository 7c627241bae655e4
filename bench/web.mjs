// The browser build's budgets, in Debian's chromium, headless, over localhost: what the page
// transfers up to window "1", from a server that compresses with gzip and from one that
// compresses nothing, the time from navigation to window "1" painted and ready, and from a click
// on «Далее» to the next window painted. Prints a Markdown section.
//   node bench/web.mjs SITE_DIR [RUNS] [DESKTOP_STARTUP_MS]
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { serve } from '../ui/web/serve.mjs';
import { launch } from '../tests/web/engines.mjs';
import { shown, takeWholeTest } from '../tests/web/walk.mjs';
import { loadAverageNote, median } from './statistics.mjs';

const [site, runsArgument, desktopStartup] = process.argv.slice(2);
const runs = Number(runsArgument ?? 20);

// In the page from its first script on: each click's time stamp as a user-timing mark, so that it
// lands in the browser's trace on the trace's own clock beside the page's `kt-shown-N` marks, and
// the moment its handling is over.
const probe = () => {
  addEventListener('click', (event) => performance.mark('kt-click', { startTime: event.timeStamp }), true);
  addEventListener('click', () => performance.mark('kt-clicked'));
};

// The trace's frames: for each frame the compositor began, when its main-thread part was committed
// (the page's style, layout and paint done) and when it was presented on screen, or null when it
// was dropped or brought nothing new.
function framesOf(events) {
  const open = new Map();
  const frames = [];
  for (const e of events.filter((x) => x.cat.includes('benchmark') && (x.ph === 'b' || x.ph === 'e'))
    .sort((a, b) => a.ts - b.ts)) {
    const key = `${e.pid}:${e.id2?.local ?? e.id}`;
    if (e.name === 'PipelineReporter') {
      if (e.ph === 'b') open.set(key, { state: e.args?.frame_reporter?.state, committed: null, presented: null });
      else if (open.has(key)) {
        const frame = open.get(key);
        open.delete(key);
        if (frame.state?.startsWith('STATE_PRESENTED') && frame.committed !== null) frames.push({ ...frame, presented: e.ts });
      }
    } else if (e.name === 'SendBeginMainFrameToCommit' && e.ph === 'e' && open.has(key)) {
      open.get(key).committed = e.ts;
    }
  }
  return frames.sort((a, b) => a.presented - b.presented);
}

// The page's user-timing marks, in trace time (µs), by name.
function marksOf(events) {
  const marks = new Map();
  for (const e of events.filter((x) => x.cat === 'blink.user_timing').sort((a, b) => a.ts - b.ts)) {
    if (!marks.has(e.name)) marks.set(e.name, []);
    marks.get(e.name).push(e.ts);
  }
  return marks;
}

// From `since` to the window's showing, to the commit of the first frame that holds it, and to
// that frame on screen, in ms.
function timesOf(frames, since, shown) {
  const frame = frames.find((f) => f.committed > shown);
  if (!frame) throw new Error(`no presented frame after the window was shown (${frames.length} frames, last committed ${frames.at(-1)?.committed - shown} µs after)`);
  return { shown: (shown - since) / 1000, painted: (frame.committed - since) / 1000, presented: (frame.presented - since) / 1000 };
}

const fixed = (value, digits = 1) => value.toFixed(digits);

// What reaches the page, file by file, from navigation to window "1" shown: with the cache off
// and past the service worker, as on a first visit.
async function transferred(compress) {
  const server = await serve(site, 0, { compress });
  const page = await chromium.open(null);
  await page.setCacheEnabled(false);
  const client = await page.createCDPSession();
  await client.send('Network.enable');
  await client.send('Network.setBypassServiceWorker', { bypass: true });
  const urls = new Map();
  const bytes = new Map();
  client.on('Network.responseReceived', ({ requestId, response }) => urls.set(requestId, response.url));
  client.on('Network.loadingFinished', ({ requestId, encodedDataLength }) => bytes.set(requestId, encodedDataLength));
  await page.goto(server.url);
  await page.waitForSelector(shown);
  const files = new Map([...bytes].map(([id, size]) => [new URL(urls.get(id) ?? '').pathname, size]));
  await page.close();
  await server.close();
  return files;
}

const loadAverage = loadAverageNote();
const server = await serve(site);
const chromium = await launch('chromium');
try {
  const compressed = await transferred(true);
  const plain = await transferred(false);
  const page = await chromium.open(null, { beforeScripts: probe });
  await page.setCacheEnabled(false);
  const client = await page.createCDPSession();
  await client.send('Network.setBypassServiceWorker', { bypass: true });

  const startups = [];
  const moves = Array.from({ length: 10 }, () => []);
  const options = []; // the clicks on an option, which only the browser answers, by repainting it
  for (let run = 0; run < runs; ++run) {
    await page.tracing.start({ categories: ['benchmark', 'blink.user_timing'] });
    await page.goto(server.url);
    await page.evaluate(() => performance.mark('kt-navigation', { startTime: 0 }));
    await takeWholeTest(page, {
      answered: (n) => page.waitForFunction((form) => performance.getEntriesByName(`kt-shown-${form}`).length > 0, {}, n),
    });
    // Two frames after the last one, so that the result's window is on screen before the trace ends.
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    const { traceEvents } = JSON.parse(Buffer.from(await page.tracing.stop()).toString());
    const frames = framesOf(traceEvents);
    const marks = marksOf(traceEvents);
    const clicks = marks.get('kt-click');
    const handled = marks.get('kt-clicked');
    startups.push(timesOf(frames, marks.get('kt-navigation')[0], marks.get('kt-shown-0')[0]));
    for (let n = 1; n <= 10; ++n) { // the clicks come in pairs: the right option, then «Далее»
      options.push(timesOf(frames, clicks[2 * n - 2], handled[2 * n - 2]));
      moves[n - 1].push(timesOf(frames, clicks[2 * n - 1], marks.get(`kt-shown-${n}`)[0]));
    }
  }
  const files = [...plain].sort((a, b) => b[1] - a[1]);
  const total = (sizes) => [...sizes.values()].reduce((sum, bytes) => sum + bytes, 0);
  const version = await chromium.puppeteer.version();

  const lines = [];
  lines.push('## The browser build', '');
  lines.push(`Measured by \`bench/web.mjs\` in Debian's chromium (${version}), headless, with the site`);
  lines.push('served over localhost by `ui/web/serve.mjs` with gzip, the cache off and the service worker bypassed; ' +
    `${runs} page loads, each followed by a pass through the test with right answers. ` +
    loadAverage(), '');
  lines.push('### What the page transfers up to window "1" (headers included)', '');
  lines.push('From a server that compresses nothing (as a stock nginx or Apache does `application/wasm`, ' +
    'or `python3 -m http.server` everything), and from one that compresses with gzip. The module comes ' +
    'gzip-compressed either way; the page inflates it.', '');
  lines.push('| file | as it is, KiB | with gzip, KiB |', '|---|---|---|');
  for (const [path, bytes] of files) lines.push(`| ${path} | ${fixed(bytes / 1024)} | ${fixed((compressed.get(path) ?? 0) / 1024)} |`);
  lines.push(`| **all** | **${fixed(total(plain) / 1024)}** (budget: 300) | **${fixed(total(compressed) / 1024)}** |`, '');
  const singleFile = join(site, '..', 'kinematics-test.html');
  lines.push(`The single file, \`${singleFile.split('/').slice(-2).join('/')}\`, holds all of it in ` +
    `${fixed(statSync(singleFile).size / 1024)} KiB (budget: 512).`, '');
  const column = (times, key) => times.map((t) => t[key]);
  // A table's times: the medians of the three, then the slowest on screen.
  const row = (times, digits) => [...['shown', 'painted', 'presented'].map((key) => median(column(times, key))),
    Math.max(...column(times, 'presented'))].map((ms) => fixed(ms, digits)).join(' | ');
  lines.push('### Start-up to window "1" on screen and ready for input', '');
  lines.push('From navigation to the window shown (built, painted into its canvases, focused), to the commit ' +
    'of the first frame that holds it (the page\'s style, layout and paint done), and to that frame ' +
    'presented on screen, from the browser\'s own trace of its frames.', '');
  lines.push('| | shown, median (ms) | painted, median (ms) | on screen, median (ms) | on screen, slowest (ms) | target |',
    '|---|---|---|---|---|---|');
  lines.push(`| browser: from navigation | ${row(startups, 1)} | at most 300 |`);
  if (desktopStartup) lines.push(`| desktop: from the process start to its first paint (above) | | ${desktopStartup} | | | |`);
  lines.push('');
  lines.push('### From the click on «Далее» to the next window on screen', '');
  lines.push('From the click event\'s time stamp to the next window shown (our handler done), to the commit ' +
    'of the first frame that holds it, and to that frame presented; target: median at most 8 ms. ' +
    'The frame clock of headless chromium runs at 60 Hz, so a window shown at a random moment waits ' +
    '8.3 ms on average for the next frame to begin.', '');
  lines.push('| move | shown, median (ms) | painted, median (ms) | on screen, median (ms) | on screen, slowest (ms) |',
    '|---|---|---|---|---|');
  moves.forEach((times, i) => lines.push(`| ${i + 1}->${i === 9 ? 'Результат' : i + 2} | ${row(times, 2)} |`));
  const all = moves.flat();
  lines.push(`| all moves | ${row(all, 2)} |`);
  lines.push(`| for comparison: a click on an option, which only the browser answers | ${row(options, 2)} |`);
  const floor = median(column(options, 'presented'));
  lines.push('', `Our own part of a move, from the click's time stamp to the window shown, is ` +
    `${fixed(median(column(all, 'shown')), 2)} ms (median), of which ${fixed(median(column(options, 'shown')), 2)} ms ` +
    'is the browser handing the click over (the option click\'s figure). A click on an option takes ' +
    `${fixed(floor, 2)} ms to reach the screen with none of our code running` +
    (floor > 8 ? ': in this browser nothing a click changes reaches the screen within 8 ms.' : '.'));
  console.log(lines.join('\n'));
} finally {
  await chromium.close();
  await server.close();
}
