// The SCORM packages in a learning platform of our own (scorm_platform.mjs), framing or opening
// the launch file of each, over http: the whole test in both versions and in the three engines,
// with the platform's record checked after it; in chromium the sittings a platform may give it,
// and the platforms that misbehave; and the manifests.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from '../../ui/web/serve.mjs';
import { engines, inEngine, launch } from './engines.mjs';
import { letters, right } from '../support/right_answers.mjs';
import { packages, platformDir, sitting, theTestIn } from './scorm_platform.mjs';
import { answer as answerWindow, command, wrong } from './walk.mjs';

const build = process.argv[2];
assert.ok(build, 'usage: node scorm_test.mjs BUILD_DIR (where the build wrote the two packages)');
const id = (letter) => 'abc'[letters.indexOf(letter)]; // as the run-times' identifiers allow

let root;
let server;
let chromium;

before(async () => {
  root = platformDir(build);
  server = await serve(root);
  chromium = await launch('chromium');
});

after(async () => {
  await chromium?.close();
  await server?.close();
  if (root) rmSync(root, { recursive: true, force: true });
});

// Answers questions `from` to `to`, each after `wrongs(n)` wrong tries; returns the tries made.
async function answer(page, from, to, wrongs) {
  const tries = [];
  for (let n = from; n <= to; ++n) {
    for (let k = 0; k < wrongs(n); ++k) {
      await answerWindow(theTestIn(page), n, wrong(n));
      tries.push([n, wrong(n), false]);
    }
    assert.equal((await page.evaluate(() => ktPlatform.state())).caption, String(n));
    await answerWindow(theTestIn(page), n);
    tries.push([n, right[n - 1], true]);
  }
  return tries;
}

// «Выход» on the result window.
const exit = (page) => theTestIn(page).click(command);

// The platform's record once the test has finished with it, the run-time having refused nothing.
async function record(page) {
  await page.evaluate(() => ktPlatform.finished);
  assert.deepEqual(await page.evaluate(() => ktPlatform.rejected), []);
  return page.evaluate(() => ktPlatform.data());
}

const named = { 12: '1.2', 2004: '2004' };

// The mark the result window shows for a total of wrong tries: (20 - total) \ 4, cut toward zero.
const markFor = (total) => Math.trunc((20 - total) / 4);

// The run-time keeps a list as an object of numbered members.
const listed = (members) => Object.keys(members).filter((key) => /^\d+$/.test(key)).sort((a, b) => a - b).map((key) => members[key]);

// What each version keeps where, and how it writes a wrong answer and a duration.
const versions = {
  12: {
    score: (cmi) => cmi.core.score,
    statuses: (cmi) => [cmi.core.lesson_status],
    expected: (passed) => [passed ? 'passed' : 'failed'],
    interactions: (cmi) => listed(cmi.interactions).map((i) => [i.id, i.student_response, i.result]),
    wrong: 'wrong',
    session: (cmi) => cmi.core.session_time,
    duration: /^\d{2,4}:\d{2}:\d{2}(\.\d{1,2})?$/,
    exit: (cmi) => cmi.core.exit,
    normal: '',
  },
  2004: {
    score: (cmi) => cmi.score,
    statuses: (cmi) => [cmi.completion_status, cmi.success_status],
    expected: (passed) => ['completed', passed ? 'passed' : 'failed'],
    interactions: (cmi) => listed(cmi.interactions).map((i) => [i.id, i.learner_response, i.result]),
    wrong: 'incorrect',
    session: (cmi) => cmi.session_time,
    duration: /^PT\d+(\.\d{1,2})?S$/,
    exit: (cmi) => cmi.exit,
    normal: 'normal',
  },
};

// The platform's record after a whole sitting of `tries` and «Выход».
function checkRecord(version, cmi, tries) {
  const v = versions[version];
  const total = tries.filter(([, , ok]) => !ok).length;
  const mark = markFor(total);
  const score = v.score(cmi);
  assert.deepEqual([score.raw, score.min, score.max].map(Number), [Math.max(0, mark), 0, 5]);
  if (version === '2004') assert.equal(Number(score.scaled), Math.max(0, mark) / 5);
  assert.deepEqual(v.statuses(cmi), v.expected(mark >= 3));
  assert.deepEqual(v.interactions(cmi), tries.map(([n, letter, ok]) => [`question-${n}`, id(letter), ok ? 'correct' : v.wrong]));
  assert.match(v.session(cmi), v.duration);
  assert.equal(v.exit(cmi), v.normal);
}

for (const engine of engines) {
  test(`in ${engine}, both packages: the whole test, then score, statuses, every try and the session time`, async () => {
    await inEngine(engine, chromium, async (browser) => {
      for (const [version, wrongs] of [['12', () => 1], ['2004', (n) => (n <= 4 ? 1 : 0)]]) {
        const page = await sitting(browser, server.url, version);
        const tries = await answer(page, 1, 10, wrongs);
        const mark = markFor(tries.filter(([, , ok]) => !ok).length);
        await exit(page);
        checkRecord(version, await record(page), tries);
        const { end } = await page.evaluate(() => ktPlatform.state());
        assert.deepEqual(end, ['Тест окончен.', `Оценка: ${mark}`, 'Пройти тест ещё раз можно, открыв его снова в курсе, если учитель это разрешил.']);
        await page.close();
      }
    });
  });
}

// Leaving at question 6 after wrong tries, and opening the test again with what the platform
// kept: the same window, the same counts, and at the end the mark of an unbroken sitting.
for (const version of ['12', '2004']) {
  test(`SCORM ${named[version]}: an attempt left at question 6 goes on where it was left`, async () => {
    const first = await sitting(chromium, server.url, version);
    const before = await answer(first, 1, 5, (n) => n % 3);
    for (let k = 0; k < 2; ++k) await answerWindow(theTestIn(first), 6, wrong(6));
    const left = await first.evaluate(() => ktPlatform.state());
    await first.evaluate(() => ktPlatform.leave());
    const kept = await record(first);
    await first.close();
    assert.equal(versions[version].exit(kept), 'suspend');
    assert.notEqual(kept.suspend_data, '');

    // What a platform hands the next sitting of a suspended attempt.
    const saved = version === '12'
      ? { suspend_data: kept.suspend_data, core: { entry: 'resume', lesson_status: kept.core.lesson_status } }
      : { suspend_data: kept.suspend_data, entry: 'resume', completion_status: kept.completion_status };
    const second = await sitting(chromium, server.url, version, { saved });
    const resumed = await second.evaluate(() => ktPlatform.state());
    assert.deepEqual({ ...resumed, labels: resumed.labels.slice(0, 6) }, { ...left, labels: left.labels.slice(0, 6) });
    const after = await answer(second, 6, 10, () => 0);
    const total = before.filter(([, , ok]) => !ok).length + 2;
    assert.equal((await second.evaluate(() => ktPlatform.state())).label.trim(), String(markFor(total)));
    await exit(second);
    const cmi = await record(second);
    assert.equal(Number(versions[version].score(cmi).raw), Math.max(0, markFor(total)));
    assert.equal(listed(cmi.interactions).length, after.length);
    await second.close();
  });
}

// Thirty wrong tries give the mark -2, which the platform gets as its least score, 0.
test('the run-time found through the opener; a mark below 0 reaches it as 0 and failed', async () => {
  const page = await sitting(chromium, server.url, '2004', { how: 'opener' });
  const tries = await answer(page, 1, 10, () => 3);
  assert.equal((await page.evaluate(() => ktPlatform.state())).label, '-2');
  await exit(page);
  checkRecord('2004', await record(page), tries);
  assert.equal((await page.evaluate(() => ktPlatform.state())).end[1], 'Оценка: -2');
  await page.close();
});

// The end screen, and what the console was told of the platform, for a sitting of right answers.
async function wholeSitting(version, spoil = null) {
  const page = await sitting(chromium, server.url, version, { spoil });
  const { warnings } = page;
  await answer(page, 1, 10, () => 0);
  await exit(page);
  const { end } = await page.evaluate(() => ktPlatform.state());
  await page.close();
  return { end, warnings };
}

test('no platform: nothing is sent, and the end screen is the one the single file shows', async () => {
  const { end, warnings } = await wholeSitting(null);
  assert.deepEqual(end, ['Тест окончен.', 'Оценка: 5', 'Начать заново']);
  assert.deepEqual(warnings, []);
});

// A platform that allows no new attempt opens a finished one again only to be looked at.
test('a platform showing the test for review only is told nothing, and the pupil is told so', async () => {
  const page = await sitting(chromium, server.url, '12', { saved: { core: { lesson_mode: 'review', lesson_status: 'passed' } } });
  await answer(page, 1, 10, () => 1);
  await exit(page);
  const cmi = await record(page);
  assert.deepEqual((await page.evaluate(() => ktPlatform.state())).end, ['Тест окончен.', 'Оценка: 2',
    'Это прохождение не записано: система обучения открыла тест только для просмотра.',
    'Пройти тест ещё раз можно, открыв его снова в курсе, если учитель это разрешил.']);
  assert.deepEqual([cmi.core.lesson_status, cmi.core.score.raw, listed(cmi.interactions).length], ['passed', '', 0]);
  await page.close();
});

// Run-times that fail in each way a platform's can; the spoiling runs in the platform's page.
const spoilt = [
  ['12', 'without any method', () => { globalThis.API = {}; }],
  ['12', 'refusing to start', () => { API.LMSInitialize = () => 'false'; }],
  ['12', 'refusing every value', () => { API.LMSSetValue = () => 'false'; }],
  ['2004', 'throwing on commit', () => { API_1484_11.Commit = () => { throw new Error('the server is gone'); }; }],
  ['2004', 'without a way to finish', () => { delete API_1484_11.Terminate; }],
  ['2004', 'answering slowly', () => {
    const own = API_1484_11.SetValue;
    API_1484_11.SetValue = (...args) => {
      for (const until = performance.now() + 5500; performance.now() < until;); // holds the page
      return own(...args);
    };
  }],
];
for (const [version, what, spoil] of spoilt) {
  test(`a SCORM ${named[version]} run-time ${what}: the pupil still gets the mark, and is told it was not sent`, async () => {
    const { end, warnings } = await wholeSitting(version, spoil);
    assert.deepEqual(end, ['Тест окончен.', 'Оценка: 5', 'Результат не удалось передать в систему обучения.', 'Начать заново']);
    assert.equal(warnings.length, 1, warnings.join('\n'));
  });
}

test('the packages: a well-formed manifest each, its launch file beside it, unique identifiers, the same bytes again', async () => {
  const page = await chromium.open(`${server.url}platform.html`);
  for (const [version, file] of Object.entries(packages)) {
    const entries = execFileSync('python3', ['-c', 'import sys, zipfile; print("\\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))', join(build, file)], { encoding: 'utf8' }).trim().split('\n');
    assert.deepEqual(entries, ['imsmanifest.xml', 'kinematics-test.html']);
    const manifest = readFileSync(join(root, `scorm${version}`, 'imsmanifest.xml'), 'utf8');
    const seen = await page.evaluate((text) => {
      const doc = new DOMParser().parseFromString(text, 'application/xml');
      const all = (selector) => [...doc.querySelectorAll(selector)];
      return {
        broken: doc.getElementsByTagName('parsererror').length > 0,
        identifiers: all('[identifier]').map((e) => e.getAttribute('identifier')),
        references: all('[identifierref]').map((e) => e.getAttribute('identifierref')),
        resources: all('resource').map((e) => [e.getAttribute('identifier'), e.getAttribute('href')]),
        organizations: all('organization').length,
        schemaVersion: doc.querySelector('schemaversion')?.textContent,
      };
    }, manifest);
    assert.equal(seen.broken, false, `${file}: imsmanifest.xml is not well-formed`);
    assert.equal(new Set(seen.identifiers).size, seen.identifiers.length, `${file}: ${seen.identifiers}`);
    assert.equal(seen.organizations, 1);
    assert.deepEqual(seen.resources.map(([resource, href]) => [seen.references.includes(resource), entries.includes(href)]), [[true, true]]);
    assert.equal(seen.schemaVersion, version === '12' ? '1.2' : '2004 4th Edition');
  }
  await page.close();
  const twice = [0, 1].map(() => {
    const dir = mkdtempSync(join(tmpdir(), 'kt-scorm-pack-'));
    execFileSync('node', [new URL('../../ui/web/package_scorm.mjs', import.meta.url).pathname, join(build, 'kinematics-test.html'), dir, 'id', '1.00', 'Тест']);
    const bytes = Object.values(packages).map((file) => readFileSync(join(dir, file)));
    rmSync(dir, { recursive: true, force: true });
    return bytes;
  });
  assert.deepEqual(twice[0], twice[1]);
});
