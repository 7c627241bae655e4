// What reporting to a learning platform adds to a move, in Debian's chromium, headless: the test
// launched from each SCORM package in a platform's page with scorm-again's run-time, against the
// same launch file with no platform, in turn in the same run. For each move (a right answer's
// click on «Далее»): the click's handler, the time to the animation frame that draws the next
// window, the time until the page is free again (the report told after that frame), and the time
// spent inside the run-time. Prints a Markdown section.
//   node bench/scorm.mjs BUILD_DIR [ROUNDS]
import { rmSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { serve } from '../ui/web/serve.mjs';
import { launch } from '../tests/web/engines.mjs';
import { packages, platformDir, sitting } from '../tests/web/scorm_platform.mjs';
import { right } from '../tests/support/right_answers.mjs';
import { command, option } from '../tests/web/walk.mjs';
import { loadAverageNote, median } from './statistics.mjs';

const [build, roundsArgument] = process.argv.slice(2);
const rounds = Number(roundsArgument ?? 10);
const root = platformDir(build);
const server = await serve(root);
const browser = await launch('chromium');
const loadAverage = loadAverageNote();

// One move in the platform's page, timed on its clock: the option (walk.mjs's selector) chosen,
// then «Далее».
const move = (chosen, next) => new Promise((done) => {
  ktPlatform.click(chosen);
  const spent = ktPlatform.spent;
  const begun = performance.now();
  ktPlatform.click(next);
  const handler = performance.now() - begun;
  ktPlatform.view.requestAnimationFrame(() => {
    const frame = performance.now() - begun;
    setTimeout(() => done({ handler, frame, free: performance.now() - begun, runTime: ktPlatform.spent - spent }));
  });
});

const conditions = [['none', null], ['SCORM 1.2', '12'], ['SCORM 2004', '2004']];
const times = new Map(conditions.map(([name]) => [name, []]));
for (let round = 0; round < rounds; ++round) {
  for (const [name, version] of conditions) {
    const page = await sitting(browser, server.url, version);
    for (let n = 1; n <= 10; ++n) times.get(name).push(await page.evaluate(move, option(right[n - 1]), command));
    await page.close();
  }
}
await browser.close();
await server.close();
rmSync(root, { recursive: true, force: true });

const kib = (file) => (statSync(join(build, file)).size / 1024).toFixed(1);
console.log(`### The SCORM packages

Measured by \`bench/scorm.mjs\` in Debian's chromium, headless, over localhost: ${rounds} sittings of
ten right answers for each case, the cases in turn; medians of ${rounds * 10} moves, in ms, on the
platform page's clock. ${loadAverage()}

| Package | Size (KiB) |
|---|---:|
${Object.values(packages).map((file) => `| ${file} | ${kib(file)} |`).join('\n')}
| for comparison: kinematics-test.html | ${kib('kinematics-test.html')} |

| Reporting to | handler | to the next frame | until the page is free | inside the run-time |
|---|---:|---:|---:|---:|
${conditions.map(([name]) => {
  const t = times.get(name);
  return `| ${name === 'none' ? 'no platform (as before)' : name} | ${['handler', 'frame', 'free', 'runTime'].map((k) => median(t.map((x) => x[k])).toFixed(2)).join(' | ')} |`;
}).join('\n')}

The handler includes telling the page's record (and, in a platform, queueing the report); the
report itself is told to the run-time after the frame that draws the next window, so it shows in
the time until the page is free and in the run-time's own column, not in the time to the screen.`);
