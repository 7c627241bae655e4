// The site in real browsers: the whole test by mouse in each of the three engines; then, in
// Debian's chromium, headless and driven by the DevTools protocol's own mouse, touch and key
// events, the test on a table of devices (the factor, every control on screen, the touch
// targets, the letters in front of their buttons), by keyboard, the overflow, and the names the
// accessibility tree gives.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { serve } from '../../ui/web/serve.mjs';
import { engines, inEngine, launch } from './engines.mjs';
import { answer, command, fillCounter, option, shown, state, takeWholeTest, wrong } from './walk.mjs';
import { letters, right } from '../support/right_answers.mjs';

const site = process.argv[2];
assert.ok(site, 'usage: node browser_test.mjs SITE_DIR');

let server;
let chromium;

before(async () => {
  server = await serve(site);
  chromium = await launch('chromium');
});

after(async () => {
  await chromium?.close();
  await server?.close();
});

// A page of chromium's, as puppeteer drives it, with its first window on screen.
const open = (viewport, beforeScripts) => chromium.open(server.url, { viewport, beforeScripts });

// What `read` gives once it gives something, asked again each 50 ms for ten seconds at most.
async function whenSome(read) {
  for (let tries = 0; tries < 200; ++tries) {
    const value = await read();
    if (value !== null) return value;
    await new Promise((resolve) => { setTimeout(resolve, 50); });
  }
  return null;
}

// How far, in whole CSS pixels, the window on screen stands from the middle of the view.
function centred(shownWindow) {
  const box = document.querySelector(shownWindow).getBoundingClientRect();
  const view = document.documentElement;
  return [Math.trunc(box.left + box.right - view.clientWidth), Math.trunc(box.top + box.bottom - view.clientHeight)]
    .map((twice) => Math.trunc(twice / 2));
}

for (const engine of engines) {
  test(`the whole test by mouse in ${engine}: wrong and right answers, the mark, the end`, async () => {
    await inEngine(engine, chromium, async (browser) => {
      const page = await browser.open(server.url);
      await takeWholeTest(page, {
        inWindow: async (n) => {
          assert.deepEqual(await page.evaluate(centred, shown), [0, 0], `window ${n} stands in the middle of the view`);
          await answer(page, n, wrong(n));
          const marked = await state(page);
          assert.equal(marked.caption, String(n), `window ${n} stays after a wrong answer`);
          assert.match(marked.label, /^(\?\?\?|\?)$/, `window ${n} marks a wrong answer`);
          assert.equal(marked.news, 'Неверно');
        },
      });
      const result = await state(page);
      assert.equal(result.caption, 'Результат');
      assert.equal(result.windows, 1);
      assert.equal(result.label.trim(), '2'); // ten wrong answers: (20 - 10) \ 4
      assert.equal(result.labelFont, '700 normal'); // the mark's face: bold, upright
      assert.equal(result.news, 'Результат теста. Оценка: 2'); // told as the window appears
      await page.click(command);
      const end = await state(page);
      assert.equal(end.windows, 0);
      assert.ok(end.ended, 'the end screen is shown');
      assert.deepEqual(page.errors ?? [], []);
      // «Начать заново», clicked, starts again with «Далее» focused and its ring plainly seen.
      await page.click('#again');
      const ring = await whenSome(() => page.evaluate((shownWindow) => {
        const frame = document.querySelector(shownWindow);
        const focus = document.activeElement;
        if (!frame?.contains(focus)) return null;
        const style = getComputedStyle(focus);
        return [frame.querySelector('.caption').textContent, focus.dataset.name, focus.matches(':focus-visible'),
          style.outlineStyle, parseFloat(style.outlineWidth) >= 2];
      }, shown).catch(() => null)); // nothing while the page reloads
      assert.deepEqual(ring, ['1', 'Command1', true, 'solid', true]);
      await page.close();
    });
  });
}

test('the title bar button ends the test at once', async () => {
  const page = await open();
  await answer(page, 1);
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
  // From the answers back through the statement to «Далее».
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
      await keys('Tab', 'Tab', 'ArrowDown'); // to the answers again, and the next one
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
  await fillCounter(page);
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
// the letter's, all of them at scale 1 and as many times that as the page's factor. The letter is
// found on a screenshot, with the buttons hidden, as the first dark column right of the button's
// left edge. `seen` is the window's layout.
async function lettersMeetButtons(page, n, seen) {
  const scale = await page.evaluate(() => devicePixelRatio);
  const px = (length) => Math.max(1, length * seen.factor);
  const showOptions = (visibility) => page.evaluate((value) => {
    for (const option of document.querySelectorAll('input[type="radio"]')) option.style.visibility = value;
  }, visibility);
  await showOptions('hidden');
  const s = control(seen, 'Picture1');
  const png = await page.screenshot({ encoding: 'base64', clip: { x: s.left, y: s.top, width: s.right - s.left, height: s.bottom - s.top } });
  await showOptions('');
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
  ['Option1', 'Option2', 'Option3'].map((name) => control(seen, name)).forEach((button, k) => {
    const what = `window ${n} (scale ${scale}) Option${k + 1}`;
    const centre = (button.top + button.bottom) / 2 - s.top;
    const rows = [Math.round((centre - px(5)) * scale), Math.round((centre + px(5)) * scale)];
    let column = -1;
    for (let x = Math.floor((button.left - s.left) * scale); x < width && column < 0; ++x)
      for (let y = rows[0]; y <= rows[1] && column < 0; ++y) if (isDark(x, y)) column = x;
    if (column < 0) return failures.push(`${what}: no letter right of the button`);
    // The letter's rows: the run of inked rows through the band, in the letter's first 10 px
    // and no further than 10 px from the button's middle.
    const limit = [Math.round((centre - px(10)) * scale), Math.round((centre + px(10)) * scale)];
    const inkAt = (y) => y >= limit[0] && y <= limit[1] &&
      [...Array(Math.ceil(px(10) * scale)).keys()].some((dx) => isDark(column + dx, y));
    let top = rows[0];
    while (!inkAt(top) && top < rows[1]) ++top;
    let bottom = top;
    while (inkAt(top - 1)) --top;
    while (inkAt(bottom + 1)) ++bottom;
    const letterX = column / scale + s.left;
    const letterMiddle = (top + bottom + 1) / 2 / scale + s.top;
    if (button.right < letterX - px(19) || button.right > letterX + px(2))
      failures.push(`${what}: button ends at ${button.right}, letter starts at ${letterX}`);
    if (Math.abs((button.top + button.bottom) / 2 - letterMiddle) > px(5))
      failures.push(`${what}: button centred at ${(button.top + button.bottom) / 2}, letter at ${letterMiddle}`);
    return undefined;
  });
  return failures;
}

// Where every control of the window on screen is, in CSS pixels of the view, with the view's
// size, the page's factor and whether the line that suggests turning the device is shown.
function layout(page) {
  return page.evaluate((shownWindow) => {
    const rect = (e) => { const r = e.getBoundingClientRect(); return { left: r.left, top: r.top, right: r.right, bottom: r.bottom }; };
    const frame = document.querySelector(shownWindow);
    const turn = document.getElementById('turn');
    return {
      view: { width: document.documentElement.clientWidth, height: document.documentElement.clientHeight },
      factor: ktFit.factor(),
      window: rect(frame),
      controls: [...frame.querySelectorAll('.client > :not(.target), .close')].map((e) => ({ name: e.dataset.name ?? 'close', kind: e.tagName, ...rect(e) })),
      targets: [...frame.querySelectorAll('.target')].map((e) => ({ name: e.htmlFor.replace(/^.*-/, ''), ...rect(e) })),
      turn: turn && !turn.hidden ? rect(turn) : null,
    };
  }, shown);
}

const inside = (box, area) => box.left >= area.left - 0.5 && box.top >= area.top - 0.5 &&
  box.right <= area.right + 0.5 && box.bottom <= area.bottom + 0.5;
const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
  Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
const middle = (box) => ({ x: (box.left + box.right) / 2, y: (box.top + box.bottom) / 2 });
const control = (seen, name) => seen.controls.find((c) => c.name === name);

// The devices a pupil opens the test on. Phones and tablets are tapped, the rest clicked; the
// phone upright is turned on its side at window 6. The letters are checked at the smallest
// factor and the largest.
const phoneUpright = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const phoneOnSide = { ...phoneUpright, width: 844, height: 390 };
const devices = [
  { name: 'phone upright, then on its side', viewport: phoneUpright, turned: phoneOnSide, letters: true },
  { name: 'phone on its side', viewport: phoneOnSide },
  { name: 'tablet', viewport: { width: 768, height: 1024, deviceScaleFactor: 2, isMobile: true, hasTouch: true } },
  { name: 'laptop', viewport: { width: 1366, height: 768 } },
  { name: 'classroom board', viewport: { width: 1920, height: 1080 }, letters: true },
];

for (const device of devices) {
  test(`on a ${device.name}: one factor, every control on screen, targets and letters in place`, async () => {
    const page = await open(device.viewport);
    const touch = device.viewport.hasTouch;
    const press = async (selector) => {
      if (!touch) return page.click(selector);
      const { x, y } = middle(await page.$eval(selector, (e) => e.getBoundingClientRect().toJSON()));
      return page.touchscreen.tap(x, y);
    };
    const failures = [];
    const factors = [];
    const sizes = [];
    for (let n = 1; n <= 11; ++n) {
      if (n === 6 && device.turned) {
        const before = await page.evaluate(() => ktFit.factor());
        await page.setViewport(device.turned);
        await page.waitForFunction((factor) => ktFit.factor() !== factor, {}, before); // the page's resize
      }
      const seen = await layout(page);
      const what = `window ${n} at ${seen.view.width}×${seen.view.height}`;
      const view = { left: 0, top: 0, right: seen.view.width, bottom: seen.view.height };
      factors.push(seen.factor);
      sizes.push({ view, width: seen.window.right - seen.window.left, height: seen.window.bottom - seen.window.top });
      for (const control of seen.controls)
        if (!inside(control, view)) failures.push(`${what}: ${control.name} is off screen`);
      const windowMiddle = middle(seen.window);
      if (Math.abs(windowMiddle.x - seen.view.width / 2) > 1 || (!seen.turn && Math.abs(windowMiddle.y - seen.view.height / 2) > 1))
        failures.push(`${what}: the window is not centred`);
      if (Boolean(seen.turn) !== seen.factor < 0.75 || (seen.turn && !(inside(seen.turn, view) && seen.turn.top >= seen.window.bottom)))
        failures.push(`${what}: the line on turning the device is ${seen.turn ? 'shown' : 'missing'}`);
      for (const button of seen.controls.filter((c) => c.kind === 'INPUT' && !seen.targets.some((t) => t.name === c.name)))
        failures.push(`${what}: ${button.name} has no touch target`);
      for (const target of seen.targets) {
        const option = control(seen, target.name);
        if (target.right - target.left < 24 - 0.5 || target.bottom - target.top < 24 - 0.5 || !inside(option, target))
          failures.push(`${what}: the target of ${target.name} is too small`);
        // Its own picture, and what the button itself reaches over, it may cover.
        const covered = seen.controls.filter((c) => overlap(c, target) && !overlap(c, option) && !(c.kind === 'CANVAS' && inside(target, c)));
        covered.forEach((c) => failures.push(`${what}: the target of ${target.name} covers ${c.name}`));
      }
      if (touch) { // the close button's target reaches 12 px from its middle each way
        const close = middle(control(seen, 'close'));
        const hits = await page.evaluate(({ x, y }) => [[-11, -11], [11, 11]].map(([dx, dy]) =>
          document.elementFromPoint(x + dx, y + dy)?.className), close);
        if (hits.some((hit) => hit !== 'close')) failures.push(`${what}: the close button's target is ${hits}`);
      }
      if (n === 11) break;
      if (device.letters) failures.push(...(await lettersMeetButtons(page, n, seen)));
      const name = `Option${letters.indexOf(right[n - 1]) + 1}`;
      const button = control(seen, name);
      if (touch) { // a tap on the answer's letter and text chooses it
        const end = seen.targets.find((t) => t.name === name)?.right ?? button.right + 20 * seen.factor;
        await page.touchscreen.tap((button.right + end) / 2, middle(button).y);
        if (!(await page.$eval(option(right[n - 1]), (e) => e.checked))) {
          failures.push(`${what}: a tap on ${right[n - 1]} chose nothing`);
          await press(option(right[n - 1]));
        }
      } else { // the mouse chooses by the round button alone, as on the desktop
        await page.mouse.click(button.right + 12 * seen.factor, middle(button).y);
        if (await page.$eval(option(right[n - 1]), (e) => e.checked)) failures.push(`${what}: a click on a letter chose it`);
        await press(option(right[n - 1]));
      }
      await press(command);
    }
    assert.deepEqual(failures, []);
    assert.equal((await state(page)).caption, 'Результат');
    const [first, last] = [factors[0], factors.at(-1)];
    assert.ok(factors.every((f) => f === (factors.indexOf(f) < 5 ? first : last)), `one factor for all the windows: ${factors}`);
    // The largest window fits its view with a margin of 8 px, and does not fit a larger factor.
    for (const part of device.turned ? [sizes.slice(0, 5), sizes.slice(5)] : [sizes]) {
      const { view } = part[0];
      const widest = Math.max(...part.map((size) => size.width));
      const tallest = Math.max(...part.map((size) => size.height));
      assert.ok(widest <= view.right - 16 + 1 && tallest <= view.bottom - 16 + 1, `${widest}×${tallest} in ${view.right}×${view.bottom}`);
      assert.ok(widest >= view.right - 16 - 2 || tallest >= view.bottom - 16 - 2, `${widest}×${tallest} could be larger in ${view.right}×${view.bottom}`);
    }
    await page.close();
  });
}

// The page paints the windows' picture boxes ahead while it is idle; a box painted so must show
// what it shows when painted as its window is shown.
for (const scale of [1, 2]) {
  test(`pictures painted ahead are the pictures painted on showing, at device pixel ratio ${scale}`, async () => {
    const pictures = async (page) => {
      const boxes = [];
      await takeWholeTest(page, {
        inWindow: async (n) => boxes.push(...(await page.$$eval(`${shown} canvas`, (all, m) => all.map((box, i) => [`${m}.${i}`, box.toDataURL()]), n))),
      });
      await page.close();
      return boxes;
    };
    const viewport = { width: 1024, height: 700, deviceScaleFactor: scale };
    const onShowing = await pictures(await open(viewport, () => { globalThis.requestIdleCallback = () => 0; }));
    const page = await open(viewport);
    await page.evaluate(() => { while (Module._kt_paint_ahead(ktFit.scale())); });
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
