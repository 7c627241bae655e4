// Brings the program in: fetches its module (kept gzip-compressed, so that a server that
// compresses nothing sends little), shows how much of it has come, compiles it and starts the
// test once the faces are there. Whatever fails on the way, or later inside the program, the
// pupil is told in words what it was and what to try, in place of the loading screen.
// The single file (@KT_PROGRAM_NAME@.html) carries the module in the page, in #kt-module.
'use strict';

const ktLoader = (() => {
  const moduleFile = '@KT_PROGRAM_NAME@.wasm.gz';
  const singleFile = '@KT_PROGRAM_NAME@.html';
  const $ = (id) => document.getElementById(id);
  let failed = false;
  let refused = false; // the page's security policy refused to compile code
  let lostScript = null; // why a script of the page did not load: everything after follows from it

  // A failure the pupil is to read: a heading and what to do.
  class PupilMessage extends Error {
    constructor(heading, advice) {
      super(`${heading} ${advice}`);
      Object.assign(this, { heading, advice });
    }
  }
  const pressStartAgain = 'Нажмите «Начать заново».';
  const missing = (file, status) => new PupilMessage(`Не найден файл «${file}» (ответ сервера: ${status}).`,
    `Скопируйте на сервер всю папку теста, ничего не пропуская, или откройте тест одним файлом: ${singleFile}.`);
  const unreachable = (file) => (location.protocol === 'file:'
    ? new PupilMessage('Страница открыта с диска, и браузер не даёт ей читать соседние файлы.',
      `Откройте вместо неё файл ${singleFile}: в нём весь тест. Или откройте тест с веб-сервера.`)
    : new PupilMessage(`Нет связи с сервером: файл «${file}» не получен.`, `Проверьте подключение к сети. ${pressStartAgain}`));
  const tooOld = () => new PupilMessage('Этот браузер не выполняет WebAssembly, без которого тест не работает.',
    'Откройте тест в современном браузере: Chromium, Chrome, Firefox, Safari или Edge.');
  const forbidden = () => new PupilMessage('Политика безопасности сайта (Content-Security-Policy) запрещает запускать WebAssembly.',
    `Администратору сервера: добавьте в её script-src источник 'wasm-unsafe-eval'. Или откройте тест одним файлом: ${singleFile}.`);
  const fault = (error) => new PupilMessage(`Сбой в программе: ${String(error?.message ?? error).replace(/\.$/, '')}.`, pressStartAgain);

  // Anything thrown while the module is compiled or started: a policy's refusal, or a fault.
  function explain(error) {
    if (error instanceof PupilMessage) return error;
    if (typeof WebAssembly !== 'object') return tooOld(); // the module's script stumbles first
    if (refused || /Content.Security|CSP|unsafe-eval/i.test(String(error?.message))) return forbidden();
    return fault(error);
  }

  function fail(message) {
    if (lostScript && message !== lostScript) return;
    if (failed) return;
    failed = true;
    for (const window of document.querySelectorAll('.window')) window.hidden = true;
    const panel = $('loading');
    panel.setAttribute('role', 'alert');
    panel.classList.add('failed');
    $('loading-heading').textContent = message.heading;
    $('loading-advice').textContent = message.advice;
    $('loading-progress').hidden = true;
    $('retry').hidden = false;
    panel.hidden = false;
    $('retry').focus();
  }

  // Where a file could not be fetched: gone from the server, or the server out of reach.
  function whyNotFetched(file) {
    return fetch(file, { method: 'HEAD', cache: 'no-store' }).then((response) =>
      (response.ok ? fault(new Error(`файл «${file}» не выполнен`)) : missing(file, response.status)), () => unreachable(file));
  }

  // The module's bytes as they come, counted on the progress bar when the size is known.
  async function fetchModule() {
    const lost = () => { throw unreachable(moduleFile); };
    const response = await fetch(moduleFile).catch(lost);
    if (!response.ok) throw missing(moduleFile, response.status);
    // A server may inflate the file on the way (Content-Encoding): its length no longer counts.
    const size = response.headers.get('Content-Encoding') ? 0 : Number(response.headers.get('Content-Length'));
    const bar = $('loading-progress');
    const reader = response.body.getReader();
    const chunks = [];
    let received = 0;
    for (;;) {
      const chunk = await reader.read().catch(lost);
      if (chunk.done) break;
      chunks.push(chunk.value);
      received += chunk.value.length;
      if (size > 0) bar.value = Math.min(received / size, 1);
    }
    return new Blob(chunks);
  }

  function fromPage(element) {
    const binary = atob(element.textContent.trim());
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return new Blob([bytes]);
  }

  // The module itself: inflated here unless the server already did.
  async function moduleBytes() {
    if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function') throw tooOld();
    const inPage = $('kt-module');
    // A server that compresses the file once more on the way, for a browser that leaves a
    // gzip file's own encoding alone (WebKit's network library does), leaves a layer for us too.
    let blob = inPage ? fromPage(inPage) : await fetchModule();
    for (let layer = 0; layer < 2; ++layer) {
      const magic = new Uint8Array(await blob.slice(0, 2).arrayBuffer());
      if (magic[0] !== 0x1f || magic[1] !== 0x8b) break; // gzip's own first two bytes
      blob = await new Response(blob.stream().pipeThrough(new DecompressionStream('gzip'))).blob();
    }
    return blob.arrayBuffer();
  }

  addEventListener('securitypolicyviolation', (event) => { refused ||= /eval/.test(event.blockedURI); });
  // A script of the page that did not load, and any fault left uncaught: in a click, a host
  // call, a picture painted ahead.
  addEventListener('error', (event) => {
    const file = event.target?.getAttribute?.('src');
    if (file) {
      lostScript ??= whyNotFetched(file);
      lostScript.then((message) => { lostScript = message; fail(message); });
    }
    else if (event.error !== undefined || event.message) fail(explain(event.error ?? event.message));
  }, true);
  addEventListener('unhandledrejection', (event) => fail(explain(event.reason)));

  $('retry').addEventListener('click', () => location.reload());
  // The faces (program.css) are fetched while the module compiles; the first window waits for both.
  const faces = Promise.all([...document.fonts].map((face) => face.load()));
  const moduleLoaded = moduleBytes();
  moduleLoaded.catch(() => {}); // reported when the program asks for it

  return {
    instantiate(imports, ready) {
      moduleLoaded.then((bytes) => WebAssembly.instantiate(bytes, imports))
        .then(({ instance, module: compiled }) => ready(instance, compiled))
        .catch((error) => fail(explain(error)));
      return {};
    },
    run() {
      if (failed) return;
      // A face that did not come is replaced by the browser's own; the test goes on.
      const start = () => {
        try {
          ktWindows.start();
          Module._kt_start();
        } catch (error) {
          fail(explain(error));
          return;
        }
        if (failed) return;
        $('loading').hidden = true;
        // Over http(s) the site's files are kept for the network's absence; the single file needs none.
        if (!$('kt-module') && location.protocol.startsWith('http') && navigator.serviceWorker)
          navigator.serviceWorker.register('service-worker.js').catch((error) => console.warn('kept for offline: no;', error));
      };
      faces.then(start, start);
    },
  };
})();

var Module = {
  instantiateWasm: ktLoader.instantiate,
  onRuntimeInitialized: ktLoader.run,
};
