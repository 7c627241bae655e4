// The attempt's record on the page. The program tells it what happens (app/page_attempt_reporter.cpp):
// the start, every answer tried, the result, the end. It keeps the mark for the end screen and,
// when the page runs inside a learning platform, passes everything on through the platform's
// SCORM run-time: `API_1484_11` (SCORM 2004) or `API` (SCORM 1.2), found on the chain of parent
// windows or the opener's. Without one nothing is sent or stored. A run-time that fails never
// stops the test: the failure is logged once and the end screen says the result was not sent.
'use strict';

const ktAttempt = (() => {
  const $ = (id) => document.getElementById(id);
  const reach = 10; // windows up a parent chain; a platform nests its frames two or three deep
  const patience = 5000; // ms a call may hold the page before the platform counts as not answering: a
  // platform's commit is a request to its server, which a school's network may take seconds over
  const letters = ['a', 'b', 'c']; // А, Б, В as the run-times' identifiers allow

  // Durations and times as each version writes them.
  const hours = (ms) => {
    const s = ms / 1000;
    const two = (n) => String(Math.floor(n)).padStart(2, '0');
    return `${two(s / 3600)}:${two((s / 60) % 60)}:${two(s % 60)}.${String(Math.floor((ms % 1000) / 10)).padStart(2, '0')}`;
  };
  const seconds = (ms) => `PT${(ms / 1000).toFixed(2)}S`;
  const clock = (date) => date.toTimeString().slice(0, 8);
  const stamp = (date) => `${date.toISOString().slice(0, 22)}Z`;

  // The two versions of the run-time: their methods, and the values they are told (an answer's as
  // the fields of its interaction).
  const versions = [
    {
      api: 'API_1484_11',
      start: 'Initialize', finish: 'Terminate', get: 'GetValue', set: 'SetValue', commit: 'Commit', error: 'GetLastError',
      entry: 'cmi.entry', mode: 'cmi.mode',
      begun: [['cmi.completion_status', 'incomplete'], ['cmi.exit', 'suspend']],
      interaction: (t) => [
        ['id', `question-${t.question}`], ['type', 'choice'], ['description', `{lang=ru}${t.words}`],
        ['learner_response', letters[t.option]], ['correct_responses.0.pattern', letters[t.rightOption]],
        ['result', t.right ? 'correct' : 'incorrect'], ['latency', seconds(t.latency)], ['timestamp', stamp(t.at)],
      ],
      result: (score, passed, session) => [
        ['cmi.score.raw', score], ['cmi.score.min', 0], ['cmi.score.max', 5], ['cmi.score.scaled', score / 5],
        ['cmi.success_status', passed ? 'passed' : 'failed'], ['cmi.completion_status', 'completed'],
        ['cmi.session_time', seconds(session)],
      ],
      left: (normal, session) => [['cmi.exit', normal ? 'normal' : 'suspend'], ['cmi.session_time', seconds(session)]],
    },
    {
      api: 'API',
      start: 'LMSInitialize', finish: 'LMSFinish', get: 'LMSGetValue', set: 'LMSSetValue', commit: 'LMSCommit', error: 'LMSGetLastError',
      entry: 'cmi.core.entry', mode: 'cmi.core.lesson_mode',
      begun: [['cmi.core.lesson_status', 'incomplete'], ['cmi.core.exit', 'suspend']],
      interaction: (t) => [
        ['id', `question-${t.question}`], ['type', 'choice'],
        ['student_response', letters[t.option]], ['correct_responses.0.pattern', letters[t.rightOption]],
        ['result', t.right ? 'correct' : 'wrong'], ['latency', hours(t.latency)], ['time', clock(t.at)],
      ],
      result: (score, passed, session) => [
        ['cmi.core.score.raw', score], ['cmi.core.score.min', 0], ['cmi.core.score.max', 5],
        ['cmi.core.lesson_status', passed ? 'passed' : 'failed'], ['cmi.core.session_time', hours(session)],
      ],
      left: (normal, session) => [['cmi.core.exit', normal ? '' : 'suspend'], ['cmi.core.session_time', hours(session)]],
    },
  ];

  let api = null; // the run-time while it may be talked to
  let version = null;
  let found = false; // a platform was there, whether or not it answered
  let failed = false;
  let looking = false; // the platform shows the test without recording it (review, preview)
  let finished = false;
  let begun = 0; // when this sitting began, for the session time
  let shownAt = 0; // when the window on screen appeared, for each answer's latency
  let interactions = 0;
  let resulted = false;
  const queue = []; // what is yet to be told, in order

  function fail(why) {
    if (!failed) console.warn(`kinematics-test: the learning platform did not take the result: ${why}`);
    failed = true;
  }

  // Parents up to `reach`, and no further than a window of another origin lets the page look.
  function lookUp(start) {
    let view = start;
    for (let hops = 0; view && hops <= reach; ++hops) {
      try {
        for (const v of versions) if (view[v.api]) return [view[v.api], v];
        if (view.parent === view) return null;
        view = view.parent;
      } catch {
        return null;
      }
    }
    return null;
  }

  // One call to the run-time: a missing method, a throw or a call that holds the page too long is
  // a failure; after one so long the platform is not asked again.
  function call(method, ...args) {
    if (!api) return null;
    if (typeof api[method] !== 'function') {
      fail(`it has no ${method}`);
      return null;
    }
    const before = performance.now();
    let answer = null;
    try {
      answer = api[method](...args);
    } catch (error) {
      fail(`${method} threw ${error}`);
    }
    const took = performance.now() - before;
    if (took > patience) {
      fail(`${method} took ${Math.round(took)} ms`);
      api = null;
    }
    return answer;
  }
  const accepted = (answer) => answer === true || String(answer) === 'true';
  function check(method, answer, what) {
    if (!api || accepted(answer)) return;
    fail(`${method}(${what}) answered ${answer}, error ${call(version.error)}`);
  }

  function send(pairs) {
    for (const [name, value] of pairs) check(version.set, call(version.set, name, String(value)), `${name}, ${value}`);
    check(version.commit, call(version.commit, ''), '');
  }

  function flush() {
    while (queue.length) send(queue.shift());
  }
  // After the window has been painted, so that a slow platform does not hold the next question
  // back; a page that paints nothing (hidden) has it told soon all the same.
  function tell(pairs) {
    if (!api || finished || looking) return;
    queue.push(pairs);
    if (queue.length > 1) return;
    requestAnimationFrame(() => setTimeout(flush));
    setTimeout(flush, 250);
  }

  function finish(normal) {
    if (!api || finished) return;
    flush();
    if (!looking) send(version.left(normal, performance.now() - begun));
    check(version.finish, call(version.finish, ''), '');
    finished = true;
  }

  function connect() {
    const [run, v] = lookUp(globalThis) ?? lookUp(globalThis.opener) ?? lookUp(globalThis.top?.opener) ?? [];
    if (!run) return '';
    found = true;
    api = run;
    version = v;
    begun = performance.now();
    const started = call(v.start, '');
    if (!accepted(started)) {
      if (api) fail(`${v.start} answered ${started}`);
      api = null;
      return '';
    }
    // Where no new attempt is allowed, a platform opens the test again only to be looked at.
    looking = ['review', 'browse'].includes(call(v.get, v.mode));
    interactions = Number(call(v.get, 'cmi.interactions._count')) || 0;
    return call(v.get, v.entry) === 'resume' ? String(call(v.get, 'cmi.suspend_data') ?? '') : '';
  }

  // Leaving mid-test (closing the tab, the platform's own navigation) keeps the attempt to
  // continue; after the result there is nothing to continue.
  addEventListener('pagehide', () => finish(resulted));

  return {
    // The choices of an attempt left halfway, as the program wrote them; empty for none.
    saved() {
      try {
        return connect();
      } catch (error) {
        fail(String(error));
        api = null;
        return '';
      }
    },

    complain(why) {
      console.warn(`kinematics-test: starting afresh: ${why}`);
    },

    started() {
      shownAt = performance.now();
      tell(version?.begun ?? []);
    },

    tried(question, option, rightOption, right, words, choices) {
      const now = performance.now();
      const latency = now - shownAt;
      if (right) shownAt = now; // the next window is shown at once
      if (!api || looking) return;
      const n = interactions++;
      const fields = version.interaction({ question, option, rightOption, right, words, latency, at: new Date() });
      tell([...fields.map(([name, value]) => [`cmi.interactions.${n}.${name}`, value]), ['cmi.suspend_data', choices]]);
    },

    // The mark as the window shows it. A platform takes no score below the least it is told of,
    // 0; the window still shows what the test computes.
    result(mark) {
      resulted = true;
      const shown = $('end-mark');
      shown.textContent = `Оценка: ${mark}`;
      shown.hidden = false;
      if (api) tell(version.result(Math.max(0, mark), mark >= 3, performance.now() - begun));
    },

    // «Выход», a window closed, or the program stopped by an error: the attempt ends here.
    ended() {
      finish(true);
      if (!found) return;
      $('end-unsent').hidden = !failed;
      $('end-looking').hidden = !looking;
      // A new attempt is the platform's to give: the pupil opens the test again from the course.
      if (!failed) {
        $('again').hidden = true;
        $('end-again').hidden = false;
      }
    },
  };
})();
