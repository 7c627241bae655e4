// The sheet of right answers (right_answers.h), read for the scripts that answer in a browser:
// the letter of each question's right option, А, Б or В.
import { readFileSync } from 'node:fs';

const sheet = readFileSync(new URL('./right_answers.h', import.meta.url), 'utf8');
const list = /kRightOption = \{([^}]*)\}/.exec(sheet);
if (!list) throw new Error('right_answers.h: no kRightOption list');
export const letters = ['А', 'Б', 'В'];
export const right = [...list[1].matchAll(/ControlId::Option([123])/g)].map((m) => letters[m[1] - 1]);
if (right.length !== 10) throw new Error(`right_answers.h: ${right.length} answers instead of 10`);
