// The site in Debian's chromium, headless, driven by the DevTools protocol's own mouse and key
// events: the whole test by mouse and by keyboard, the overflow, the letters in front of their
// buttons at device pixel ratios 1 and 2, and the names the accessibility tree gives.
//   node tests/web/browser_test.mjs SITE_DIR
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { serve } from '../../ui/web/serve.mjs';
import { letters, right } from '../support/right_answers.mjs';

const site = process.argv[2];
assert.ok(site, 'usage: node browser_test.mjs SITE_DIR');

const wrong = (n) => (right[n - 1] === 'А' ? 'Б' : 'А');

let server;
let browser;
let profile;

before(async () => {
  server = await serve(site);
  profile = mkdtempSync(join(tmpdir(), 'kt-chromium-'));
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--no-first-run', '--disable-gpu'],
    timeout: 120000, // a busy machine starts a browser slowly; nothing here waits on a clock
  });
});

after(async () => {
  await browser?.close();
  await server?.close();
  if (profile) rmSync(profile, { recursive: true, force: true });
});

// `beforeScripts`, when given, runs in the page before any of its own scripts.
async function open(scale = 1, beforeScripts = null) {
  const page = await browser.newPage();
  page.setDefaultTimeout(120000);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('requestfailed', (request) => errors.push(`${request.url()}: ${request.failure()?.errorText}`));
  await page.setViewport({ width: 1024, height: 700, deviceScaleFactor: scale });
  if (beforeScripts) await page.evaluateOnNewDocument(beforeScripts);
  await page.goto(server.url);
  await page.waitForSelector('.window:not([hidden])');
  page.errors = errors;
  return page;
}

const shown = '.window:not([hidden])';

// The caption of the window on screen, and what its Label2 shows.
function state(page) {
  return page.evaluate((shownWindow) => {
    const frame = document.querySelector(shownWindow);
    const label = frame?.querySelector('[data-name="Label2"] span[aria-hidden]');
    return {
      windows: document.querySelectorAll(shownWindow).length,
      caption: frame?.querySelector('.caption').textContent ?? null,
      label: label?.textContent ?? null,
      news: document.getElementById('news').textContent.trim(),
      ended: !document.getElementById('end').hidden,
    };
  }, shown);
}

const option = (letter) => `${shown} input[aria-label^="${letter}."]`;
const command = `${shown} [data-name="Command1"]`;

async function answerByMouse(page, n, letter) {
  await page.click(option(letter));
  await page.click(command);
}

test('the whole test by mouse: wrong and right answers, the mark, the end', async () => {
  const page = await open();
  for (let n = 1; n <= 10; ++n) {
    assert.deepEqual((await state(page)).caption, String(n));
    await answerByMouse(page, n, wrong(n));
    const marked = await state(page);
    assert.equal(marked.caption, String(n), `window ${n} stays after a wrong answer`);
    assert.match(marked.label, /^(\?\?\?|\?)$/, `window ${n} marks a wrong answer`);
    assert.equal(marked.news, 'Неверно');
    await answerByMouse(page, n, right[n - 1]);
  }
  const result = await state(page);
  assert.equal(result.caption, 'Результат');
  assert.equal(result.windows, 1);
  assert.equal(result.label.trim(), '2'); // ten wrong answers: (20 - 10) \ 4
  assert.equal(result.news, 'Оценка: 2');
  await page.click(command);
  const end = await state(page);
  assert.equal(end.windows, 0);
  assert.ok(end.ended, 'the end screen is shown');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the title bar button ends the test at once', async () => {
  const page = await open();
  await answerByMouse(page, 1, right[0]);
  await page.click(`${shown} .close`);
  const end = await state(page);
  assert.equal(end.windows, 0);
  assert.ok(end.ended);
  await page.close();
});

test('the whole test by keyboard alone', async () => {
  const page = await open();
  const focused = () => page.evaluate(() => document.activeElement?.dataset.name ?? document.activeElement?.id);
  const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };
  // From «Далее» through the statement to the answers, and back.
  const toAnswers = () => keys('Tab', 'Tab');
  const backToCommand = async () => {
    await page.keyboard.down('Shift');
    await keys('Tab', 'Tab');
    await page.keyboard.up('Shift');
  };
  for (let n = 1; n <= 10; ++n) {
    assert.equal(await focused(), 'Command1', `window ${n} opens with the focus on «Далее»`);
    await keys('Tab');
    assert.equal(await focused(), 'Picture1');
    await keys('Tab');
    assert.equal(await focused(), 'Option1');
    await keys('Space');
    for (let k = 0; k < letters.indexOf(right[n - 1]); ++k) await keys('ArrowDown');
    if (n === 1) { // one wrong answer on the way, chosen and then left
      await keys('ArrowUp');
      await backToCommand();
      await keys('Enter');
      assert.match((await state(page)).label, /^(\?\?\?|\?)$/);
      await toAnswers();
      await keys('ArrowDown');
    }
    await backToCommand();
    await keys(n % 2 ? 'Enter' : 'Space');
  }
  const result = await state(page);
  assert.equal(result.caption, 'Результат');
  assert.equal(result.label.trim(), '4'); // one wrong answer: (20 - 1) \ 4
  assert.equal(await focused(), 'Command1');
  await keys('Enter');
  assert.ok((await state(page)).ended);
  assert.equal(await focused(), 'again');
  await page.close();
});

test('the overflow of a counter is reported in a modal dialog, then the test ends', async () => {
  const page = await open();
  await page.click(option(wrong(1)));
  // 32,767 wrong answers fill the 16-bit counter; they go straight to the program's click.
  await page.evaluate((shownWindow) => {
    const button = document.querySelector(`${shownWindow} [data-name="Command1"]`);
    for (let i = 0; i < 32767; ++i) button.click();
  }, shown);
  assert.equal((await state(page)).caption, '1');
  await page.click(command);
  const dialog = await page.evaluate(() => {
    const box = document.getElementById('error');
    return { open: box.open, modal: box.matches(':modal'), text: box.querySelector('.message').textContent };
  });
  assert.deepEqual(dialog, { open: true, modal: true, text: 'Ошибка выполнения 6: Переполнение.' });
  assert.equal((await state(page)).windows, 0);
  await page.keyboard.press('Enter');
  // The dialog reports its closing in a task of its own, after the key's.
  await page.waitForSelector('#end:not([hidden])');
  assert.equal(await page.evaluate(() => document.getElementById('error').open), false);
  await page.close();
});

// Each option button must stand just left of its choice letter, on the choices line: its right
// edge between 19 px before and 2 px inside the letter's first stroke, its middle within 5 px of
// the letter's. The letter is found on a screenshot, with the buttons hidden, as the first dark
// column right of the button's left edge.
async function lettersMeetButtons(page, n) {
  const scale = await page.evaluate(() => devicePixelRatio);
  const boxes = await page.evaluate((shownWindow) => {
    const rect = (e) => { const r = e.getBoundingClientRect(); return { left: r.left, top: r.top, right: r.right, bottom: r.bottom }; };
    const frame = document.querySelector(shownWindow);
    return {
      statement: rect(frame.querySelector('[data-name="Picture1"]')),
      options: ['Option1', 'Option2', 'Option3'].map((name) => rect(frame.querySelector(`[data-name="${name}"]`))),
    };
  }, shown);
  // Style set through the CSSOM, which the page's Content-Security-Policy allows.
  const optionsVisible = (visibility) => page.evaluate((value) => {
    for (const radio of document.querySelectorAll('input[type="radio"]')) radio.style.visibility = value;
  }, visibility);
  await optionsVisible('hidden');
  const s = boxes.statement;
  const png = await page.screenshot({ encoding: 'base64', clip: { x: s.left, y: s.top, width: s.right - s.left, height: s.bottom - s.top } });
  await optionsVisible('');
  // The browser decodes its own screenshot; 1 marks a dark pixel.
  const { width, dark } = await page.evaluate(async (data) => {
    const image = await createImageBitmap(new Blob([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))]));
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    let marks = '';
    for (let i = 0; i < pixels.length; i += 4)
      marks += 0.299 * pixels[i] + 0.587 * pixels[i + 1] + 0.114 * pixels[i + 2] < 110 ? '1' : '0';
    return { width: image.width, dark: marks };
  }, png);
  const height = dark.length / width;
  const isDark = (x, y) => x >= 0 && y >= 0 && x < width && y < height && dark[y * width + x] === '1';
  const failures = [];
  boxes.options.forEach((button, k) => {
    const what = `window ${n} (scale ${scale}) Option${k + 1}`;
    const centre = (button.top + button.bottom) / 2 - s.top;
    const rows = [Math.round((centre - 5) * scale), Math.round((centre + 5) * scale)];
    let column = -1;
    for (let x = Math.floor((button.left - s.left) * scale); x < width && column < 0; ++x)
      for (let y = rows[0]; y <= rows[1] && column < 0; ++y) if (isDark(x, y)) column = x;
    if (column < 0) return failures.push(`${what}: no letter right of the button`);
    // The letter's rows: the run of inked rows through the band, in the letter's first 10 px
    // and no further than 10 px from the button's middle.
    const limit = [Math.round((centre - 10) * scale), Math.round((centre + 10) * scale)];
    const inkAt = (y) => y >= limit[0] && y <= limit[1] &&
      [...Array(Math.ceil(10 * scale)).keys()].some((dx) => isDark(column + dx, y));
    let top = rows[0];
    while (!inkAt(top) && top < rows[1]) ++top;
    let bottom = top;
    while (inkAt(top - 1)) --top;
    while (inkAt(bottom + 1)) ++bottom;
    const letterX = column / scale + s.left;
    const letterMiddle = (top + bottom + 1) / 2 / scale + s.top;
    if (button.right < letterX - 19 || button.right > letterX + 2)
      failures.push(`${what}: button ends at ${button.right}, letter starts at ${letterX}`);
    if (Math.abs((button.top + button.bottom) / 2 - letterMiddle) > 5)
      failures.push(`${what}: button centred at ${(button.top + button.bottom) / 2}, letter at ${letterMiddle}`);
    return undefined;
  });
  return failures;
}

for (const scale of [1, 2]) {
  test(`the letters stand in front of their buttons at device pixel ratio ${scale}`, async () => {
    const page = await open(scale);
    const failures = [];
    for (let n = 1; n <= 10; ++n) {
      failures.push(...(await lettersMeetButtons(page, n)));
      await answerByMouse(page, n, right[n - 1]);
    }
    assert.deepEqual(failures, []);
    await page.close();
  });
}

// The page paints the windows' picture boxes ahead while it is idle; a box painted so must show
// what it shows when painted as its window is shown.
for (const scale of [1, 2]) {
  test(`pictures painted ahead are the pictures painted on showing, at device pixel ratio ${scale}`, async () => {
    const pictures = async (page) => {
      const boxes = [];
      for (let n = 1; n <= 10; ++n) {
        boxes.push(...(await page.$$eval(`${shown} canvas`, (all, m) => all.map((box, i) => [`${m}.${i}`, box.toDataURL()]), n)));
        await answerByMouse(page, n, right[n - 1]);
      }
      await page.close();
      return boxes;
    };
    const onShowing = await pictures(await open(scale, () => { globalThis.requestIdleCallback = () => 0; }));
    const page = await open(scale);
    await page.evaluate((s) => { while (Module._kt_paint_ahead(s)); }, scale);
    const ahead = new Map(await pictures(page));
    assert.ok(onShowing.length > 10, 'the windows have picture boxes');
    assert.deepEqual(onShowing.filter(([box, image]) => ahead.get(box) !== image).map(([box]) => box), []);
  });
}

test('the accessibility tree gives the names the desktop gives', async () => {
  const page = await open();
  const tree = await page.accessibility.snapshot({ interestingOnly: false });
  const nodes = [];
  const walk = (node) => { nodes.push(node); node.children?.forEach(walk); };
  walk(tree);
  const find = (role, name) => nodes.find((node) => node.role === role && node.name === name);
  assert.ok(find('dialog', 'Вопрос 1 из 10'), 'the window');
  assert.ok(find('button', 'Далее'));
  const statement = find('image', 'Вопрос 1');
  assert.match(statement?.description ?? '', /^1\. Какой из графиков \(рис 1\) соответствует равноускоренному/);
  assert.match(find('image', 'Рисунок 1')?.description ?? '', /^График скорости v/);
  for (const name of ['А. 1', 'Б. 2', 'В. 3']) assert.ok(find('radio', name), name);
  await page.close();
});
