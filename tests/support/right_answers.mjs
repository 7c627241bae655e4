// The letter of each question's right option, А, Б or В, for the scripts that answer in a
// browser, from the answer sheet, which write_answer_sheet makes from the tests' own right answers
// (right_answers.h).
import { readFileSync } from 'node:fs';

const sheet = JSON.parse(readFileSync(new URL('./answer_sheet.json', import.meta.url), 'utf8'));
export const letters = ['А', 'Б', 'В'];
export const right = sheet.windows.filter((window) => window.letter).map((window) => window.letter);
