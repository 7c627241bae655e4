// The cost of the calls from the module to the page: every picture box of the eleven windows
// painted ahead through them, in Debian's chromium, headless, for one or two builds of the site in
// turn (to compare a change with what it replaces in one run). Each build is timed painting into
// real canvases, and with the canvases' drawing calls made to do nothing, which leaves the
// program's own painting and the calls between it and the page. Prints a Markdown table.
//   node bench/web_bridge.mjs SITE_DIR [OTHER_SITE_DIR] [ROUNDS]
import { serve } from '../ui/web/serve.mjs';
import { launch } from '../tests/web/engines.mjs';
import { median } from './statistics.mjs';

const args = process.argv.slice(2);
const rounds = /^\d+$/.test(args.at(-1) ?? '') ? Number(args.pop()) : 30;
const sites = args;
if (sites.length === 0) {
  console.error('usage: node bench/web_bridge.mjs SITE_DIR [OTHER_SITE_DIR] [ROUNDS]');
  process.exit(2);
}

// In the page: the milliseconds it takes to paint every box ahead, at scales that change each
// time so that every box is painted again; the first pass, which also reads the pictures, is left
// out.
const paintEveryBox = (passes, drawNothing) => {
  if (drawNothing)
    for (const name of ['fillRect', 'drawImage', 'fillText', 'save', 'restore', 'beginPath', 'rect', 'clip', 'setTransform'])
      CanvasRenderingContext2D.prototype[name] = () => {};
  const times = [];
  for (let pass = 0; pass <= passes; ++pass) {
    const scale = 2 + (pass % 2);
    const start = performance.now();
    while (Module._kt_paint_ahead(scale));
    if (pass > 0) times.push(performance.now() - start);
  }
  return times;
};

const servers = await Promise.all(sites.map((site) => serve(site)));
const chromium = await launch('chromium');
try {
  const times = sites.map(() => ({ real: [], drawingNothing: [] }));
  for (let round = 0; round < rounds; ++round) {
    // Each build goes first in every other round.
    const turns = [...servers.entries()];
    for (const [index, server] of round % 2 ? turns.reverse() : turns) {
      for (const drawNothing of [false, true]) {
        // The page paints nothing ahead on its own while it is measured.
        const page = await chromium.open(server.url, { beforeScripts: () => { globalThis.requestIdleCallback = () => 0; } });
        const passes = await page.evaluate(paintEveryBox, 4, drawNothing);
        times[index][drawNothing ? 'drawingNothing' : 'real'].push(...passes);
        await page.close();
      }
    }
  }
  console.log('| site | every box painted, median (ms) | with the canvases drawing nothing, median (ms) |');
  console.log('|---|---|---|');
  sites.forEach((site, index) => console.log(`| ${site} | ${median(times[index].real).toFixed(2)} | ` +
    `${median(times[index].drawingNothing).toFixed(2)} |`));
} finally {
  await chromium.close();
  await Promise.all(servers.map((server) => server.close()));
}
