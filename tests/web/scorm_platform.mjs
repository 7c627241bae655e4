// A learning platform of our own for the SCORM packages, for their test and their benchmark: a
// folder with a page that holds scorm-again's run-time (a SCORM run-time that platforms embed, so
// that every value the test sends is validated as a platform would) and launches the test from
// each unzipped package, scorm12/ and scorm2004/.
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdtempSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { command, labelText, shown } from './walk.mjs';

export const packages = { 12: 'kinematics-test-scorm12.zip', 2004: 'kinematics-test-scorm2004.zip' };

// The platform's page. engines.mjs opens a page once a `.window` is shown: here, the course page
// the test is framed in.
const platform = `<!DOCTYPE html>
<html lang="ru"><head><meta charset="utf-8"><title>Курс</title><script src="scorm-again.js"></script></head>
<body><section class="window"></section><script>
const shown = ${JSON.stringify(shown)};
const command = ${JSON.stringify(command)};
const labelText = ${JSON.stringify(labelText)};
const ktPlatform = {
  rejected: [],
  spent: 0, // ms inside the run-time's methods
  // A run-time for version '12' or '2004' that keeps every call it refuses, with the data a
  // platform keeps of an earlier sitting.
  setUp(version, saved) {
    const api = version === '12' ? new Scorm12API({ selfReportSessionTime: true }) : new Scorm2004API({ selfReportSessionTime: true });
    if (saved) api.loadFromJSON(saved);
    const error = version === '12' ? 'LMSGetLastError' : 'GetLastError';
    const methods = version === '12' ? ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit']
      : ['Initialize', 'Terminate', 'GetValue', 'SetValue', 'Commit'];
    for (const method of methods) {
      const own = api[method].bind(api);
      api[method] = (...args) => {
        const begun = performance.now();
        const answer = own(...args);
        this.spent += performance.now() - begun;
        const code = api[error]();
        if (String(code) !== '0') this.rejected.push(method + '(' + args.join(', ') + '): ' + code);
        return answer;
      };
    }
    this.finished = new Promise((done) => api.on(methods[1], done));
    this.api = api;
    globalThis[version === '12' ? 'API' : 'API_1484_11'] = api;
  },
  launch(version, how) {
    const url = 'scorm' + version + '/kinematics-test.html';
    if (how === 'opener') {
      this.view = open(url);
      return;
    }
    const frame = document.createElement('iframe');
    frame.src = url;
    frame.style.cssText = 'width: 1000px; height: 640px';
    document.querySelector('.window').append(frame);
    this.view = frame.contentWindow;
  },
  // Resolves once the test has its first window on screen. A window opened on top leaves this
  // page in the background, where it gets no animation frames: it looks again on a timer.
  shown() {
    return new Promise((done) => {
      const look = () => (this.view.document?.querySelector(shown) ? done() : setTimeout(look, 20));
      look();
    });
  },
  state() {
    const d = this.view.document;
    const w = d.querySelector(shown);
    return {
      caption: w?.querySelector('.caption').textContent ?? null,
      label: w?.querySelector(labelText).textContent ?? null,
      labels: [...d.querySelectorAll(labelText)].map((e) => e.textContent),
      end: d.getElementById('end').hidden ? null : [...d.querySelectorAll('#end > :not([hidden])')].map((e) => e.textContent),
    };
  },
  // A click on the element of the test that the selector names.
  click(selector) {
    this.view.document.querySelector(selector).click();
  },
  // The platform's own navigation: the frame goes elsewhere.
  leave() {
    document.querySelector('iframe').src = 'about:blank';
  },
  data() {
    return JSON.parse(JSON.stringify(this.api.cmi));
  },
};
</script></body></html>`;

// The platform's page at `url` in `browser`, with a run-time for `version` ('12' or '2004'; none
// for null) that holds what the platform `saved` of an earlier sitting and that `spoil` (run in the
// page) may break, and the test launched from it, in a frame or through the opener (`how`), with
// its first window on screen. `page.warnings` collects what the test tells the console of the
// platform, where the protocol shows it.
export async function sitting(browser, url, version, { how = 'frame', saved = null, spoil = null } = {}) {
  const page = await browser.open(`${url}platform.html`);
  page.warnings = [];
  page.on?.('console', (message) => { if (/^kinematics-test:/.test(message.text())) page.warnings.push(message.text()); });
  if (version) await page.evaluate((v, s) => ktPlatform.setUp(v, s), version, saved);
  if (spoil) await page.evaluate(spoil);
  await page.evaluate((v, h) => ktPlatform.launch(v ?? '12', h), version, how);
  await page.evaluate(() => ktPlatform.shown());
  return page;
}

// The test inside the platform's page, for walk.mjs's moves: its clicks go to the test's
// document, in the frame or the window the platform opened.
export const theTestIn = (page) => ({
  click: (selector) => page.evaluate((s) => ktPlatform.click(s), selector),
});

// A new folder holding the platform's page and both packages unpacked from BUILD_DIR; the caller
// removes it.
export function platformDir(build) {
  const root = mkdtempSync(join(tmpdir(), 'kt-scorm-'));
  // Python's zipfile unpacks them, checking every entry's CRC on the way.
  for (const [version, file] of Object.entries(packages))
    execFileSync('python3', ['-m', 'zipfile', '-e', join(build, file), join(root, `scorm${version}`)]);
  copyFileSync(createRequire(import.meta.url).resolve('scorm-again'), join(root, 'scorm-again.js'));
  writeFileSync(join(root, 'platform.html'), platform);
  return root;
}
