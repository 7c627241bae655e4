// The pupil's moves in the page, for every script that takes the test in a browser: what is on
// screen, answering a window, the whole test with right answers, and a counter filled to the
// brim. `page` is any page that engines.mjs opens, in any of the three engines.
import assert from 'node:assert/strict';
import { right } from '../support/right_answers.mjs';

export const shown = '.window:not([hidden])'; // the window on screen
export const option = (letter) => `${shown} input[aria-label^="${letter}."]`;
export const command = `${shown} [data-name="Command1"]`;
export const labelText = '[data-name="Label2"] span[aria-hidden]'; // what Label2 shows, in a window
export const wrong = (n) => (right[n - 1] === 'А' ? 'Б' : 'А'); // a wrong answer to window n

// The windows on screen, the caption of the one shown and what its Label2 shows (and in which
// face), what was last announced to a screen reader, and whether the end screen is up.
export function state(page) {
  return page.evaluate((shownWindow, labelInWindow) => {
    const frame = document.querySelector(shownWindow);
    const label = frame?.querySelector(labelInWindow);
    return {
      windows: document.querySelectorAll(shownWindow).length,
      caption: frame?.querySelector('.caption').textContent ?? null,
      label: label?.textContent ?? null,
      labelFont: label ? `${getComputedStyle(label).fontWeight} ${getComputedStyle(label).fontStyle}` : null,
      news: document.getElementById('news').textContent.trim(),
      ended: !document.getElementById('end').hidden,
    };
  }, shown, labelText);
}

// Chooses the option of that letter in window n, its right one unless told, and presses «Далее».
export async function answer(page, n, letter = right[n - 1]) {
  await page.click(option(letter));
  await page.click(command);
}

// Window after window, each checked to be the one answered, with right answers up to the result.
// `inWindow(n)` runs in window n before its answer, `answered(n)` after it.
export async function takeWholeTest(page, { inWindow = async () => {}, answered = async () => {} } = {}) {
  for (let n = 1; n <= 10; ++n) {
    assert.equal((await state(page)).caption, String(n));
    await inWindow(n);
    await answer(page, n);
    await answered(n);
  }
}

// A wrong option chosen in window 1 and 32,767 wrong answers given, straight to the program's
// click: the 16-bit counter is full, and the next press of «Далее» overflows it.
export async function fillCounter(page) {
  await page.click(option(wrong(1)));
  await page.evaluate((button) => {
    const press = document.querySelector(button);
    for (let i = 0; i < 32767; ++i) press.click();
  }, command);
}
