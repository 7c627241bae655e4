// The sheet of right answers (right_answers.h), read for the scripts that answer in a browser:
// the letter of each question's right option, А, Б or В.
import { readFileSync } from 'node:fs';

const sheet = readFileSync(new URL('./right_answers.h', import.meta.url), 'utf8');
export const letters = ['А', 'Б', 'В'];
// One row per window: the mark each option writes, nullptr for the right one.
const rows = [...sheet.matchAll(/\{((?:"[?]+"|nullptr), (?:"[?]+"|nullptr), (?:"[?]+"|nullptr))\}/g)];
export const right = rows.map((row) => letters[row[1].split(', ').indexOf('nullptr')]);
if (right.length !== 10 || right.includes(undefined)) throw new Error(`right_answers.h: ${right.length} answers instead of 10`);
