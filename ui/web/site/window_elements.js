// The windows' elements. The program (kinematics-test.wasm) decides what every window holds and
// what every click means; this script makes the elements it asks for and passes clicks and closing
// on. A window is known by the number the program built it with, a control by its place in the
// window's description.
'use strict';

const ktWindows = (() => {
  const frames = new Map(); // form -> its window's elements: { root, client, controls: place -> element, hasTouchTargets }
  let ended = false;
  let errorShown = false;
  let newsTwin = false; // which of two spellings the news was last given in

  const $ = (id) => document.getElementById(id);

  function element(form, control) {
    const frame = frames.get(form);
    return control < 0 ? frame.root : frame.controls.get(control);
  }

  // A new view (resizing, turning the device, zooming) gets a new factor, and the window on
  // screen is centred and painted again.
  function refit() {
    for (const [form, frame] of frames) {
      if (frame.root.hidden) continue;
      ktFit.centre(frame.root, frame.client);
      ktPainter.paintWindow(form);
    }
    ktPainter.paintAheadWhenIdle();
  }

  // Zooming and moving to another screen change the device pixels per CSS pixel.
  function watchScale() {
    matchMedia(`(resolution: ${globalThis.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
      refit();
      watchScale();
    }, { once: true });
  }

  function showEnd() {
    $('end').hidden = false;
    $('again').focus();
  }

  // An element with those properties and attributes.
  function make(tag, properties, attributes = {}) {
    const made = Object.assign(document.createElement(tag), properties);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    return made;
  }

  function makeControl(form, control, kind, text, width, height) {
    if (kind === 'picture') {
      const canvas = make('canvas', { tabIndex: 0 }, { role: 'img' });
      ktPainter.addBox(form, canvas, control, width, height);
      return canvas;
    }
    if (kind === 'label') { // what it shows, and what a screen reader says for it
      const label = make('div', { className: 'label' });
      label.append(make('span', { textContent: text }, { 'aria-hidden': 'true' }), make('span', { className: 'unseen', textContent: text }));
      return label;
    }
    if (kind === 'button') {
      const button = make('button', { type: 'button', textContent: text });
      button.addEventListener('click', () => { if (!ended) Module._kt_click(form, control); });
      return button;
    }
    return make('input', { type: 'radio', name: `form${form}` }); // 'option': one group per window
  }

  return {
    create(form, title, width, height) {
      const root = make('section', { className: 'window', hidden: true }, { role: 'dialog' });
      // As a title bar's button, the close button is reached by the mouse only.
      const close = make('button', { type: 'button', className: 'close', tabIndex: -1, textContent: '×' }, { 'aria-label': 'Закрыть' });
      close.addEventListener('click', () => Module._kt_closed_by_user(form));
      const titleBar = make('div', { className: 'title' });
      titleBar.append(make('span', { className: 'caption', textContent: title }), close);
      const client = make('div', { className: 'client' });
      ktFit.place(client, 0, 0, width, height);
      root.append(titleBar, client);
      $('desk').append(root);
      frames.set(form, { root, client, controls: new Map(), hasTouchTargets: false });
    },

    // After the controls added before it: the page's order is the tab order and the reading order.
    addControl(form, control, name, kind, left, top, width, height, layer, text) {
      const made = makeControl(form, control, kind, text, width, height);
      ktFit.place(made, left, top, width, height);
      made.dataset.name = name;
      made.style.zIndex = layer;
      const frame = frames.get(form);
      frame.client.append(made);
      frame.controls.set(control, made);
    },

    setFont(form, control, family, pixelSize, bold, italic, underline, strikethrough) {
      const styled = element(form, control);
      ktFit.setFontSize(styled, pixelSize);
      Object.assign(styled.style, {
        fontFamily: `"${family}"`,
        fontWeight: bold ? '700' : '400',
        fontStyle: italic ? 'italic' : 'normal',
        textDecoration: [underline && 'underline', strikethrough && 'line-through'].filter(Boolean).join(' ') || 'none',
      });
    },

    setStyle(form, control, colour, alignment) {
      Object.assign(element(form, control).style, { color: colour, textAlign: alignment });
    },

    // Empty words leave the element's own.
    describe(form, control, name, description) {
      const described = element(form, control);
      if (name) described.setAttribute('aria-label', name);
      if (description) described.setAttribute('aria-description', description);
    },

    setText(form, control, text, spoken) {
      const changed = element(form, control);
      if (changed.classList.contains('label')) {
        changed.children[0].textContent = text;
        changed.children[1].textContent = spoken;
      } else {
        changed.textContent = text;
      }
    },

    // Two spellings, so that the same words twice in a row are news twice.
    announce(text) {
      newsTwin = !newsTwin;
      $('news').textContent = newsTwin ? text : `${text}\u00a0`;
    },

    isChecked(form, control) {
      return element(form, control).checked;
    },

    show(form, focus) {
      const frame = frames.get(form);
      frame.root.hidden = false;
      if (!frame.hasTouchTargets) { // its controls are all there now
        ktFit.addTouchTargets(frame.client, form);
        frame.hasTouchTargets = true;
      }
      ktFit.centre(frame.root, frame.client);
      ktPainter.paintWindow(form);
      if (focus >= 0) element(form, focus).focus();
      performance.mark(`kt-shown-${form}`);
    },

    hide(form) {
      frames.get(form).root.hidden = true;
    },

    end() {
      ended = true;
      for (const frame of frames.values()) frame.root.hidden = true;
      if (!errorShown) showEnd();
    },

    reportError(title, message) {
      const dialog = $('error');
      dialog.querySelector('.caption').textContent = title;
      dialog.querySelector('.message').textContent = message;
      dialog.setAttribute('aria-label', title);
      errorShown = true;
      dialog.addEventListener('close', () => { errorShown = false; if (ended) showEnd(); }, { once: true });
      dialog.showModal();
    },

    start() {
      $('again').addEventListener('click', () => location.reload());
      addEventListener('resize', refit);
      globalThis.visualViewport?.addEventListener('resize', refit); // pinch zoom
      watchScale();
      ktPainter.paintAheadWhenIdle();
    },
  };
})();
