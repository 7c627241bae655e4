// The page's side of the window interface. The program (kinematics-test.wasm) decides what every
// window holds and what every click means; this script only makes the elements it asks for,
// paints picture boxes by calling back into it, and passes clicks and closing on.
'use strict';

const ktHost = (() => {
  const windows = new Map(); // form -> { root, client, controls, pictures }
  const images = [];
  let context = null; // the canvas being painted
  let lastFont = '';
  const painting = []; // the canvases set aside while an image is painted
  let ended = false;
  let errorShown = false;
  let newsTurn = false;

  const $ = (id) => document.getElementById(id);
  const place = (element, left, top, width, height) =>
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });

  function control(form, index) {
    const frame = windows.get(form);
    return index < 0 ? frame.root : frame.controls.get(index);
  }

  function paint(form, picture) {
    const scale = globalThis.devicePixelRatio || 1;
    const { canvas } = picture;
    canvas.width = Math.round(picture.width * scale);
    canvas.height = Math.round(picture.height * scale);
    context = canvas.getContext('2d');
    context.imageSmoothingEnabled = false;
    lastFont = '';
    Module._kt_paint(form, picture.control, scale);
    context = null;
    picture.scale = scale;
  }

  function paintWindow(form) {
    const scale = globalThis.devicePixelRatio || 1;
    for (const picture of windows.get(form).pictures)
      if (picture.scale !== scale) paint(form, picture);
  }

  // Zooming and moving to another screen change the device pixels per CSS pixel.
  function watchScale() {
    matchMedia(`(resolution: ${globalThis.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
      for (const [form, frame] of windows) if (!frame.root.hidden) paintWindow(form);
      watchScale();
      whenIdle(paintAhead);
    }, { once: true });
  }

  // While the page has nothing else to do, the program paints the windows' pictures ahead, a box
  // at a time, so that a click waits for none of them (and for at most one box being painted).
  const whenIdle = globalThis.requestIdleCallback ?? ((task) => setTimeout(task, 50));
  function paintAhead() {
    if (Module._kt_paint_ahead(globalThis.devicePixelRatio || 1)) whenIdle(paintAhead);
  }

  function showEnd() {
    $('end').hidden = false;
    $('again').focus();
  }

  return {
    createWindow(form, title, width, height) {
      const root = document.createElement('section');
      root.className = 'window';
      root.hidden = true;
      root.setAttribute('role', 'dialog');
      const bar = document.createElement('div');
      bar.className = 'title';
      const caption = document.createElement('span');
      caption.className = 'caption';
      caption.textContent = title;
      const close = document.createElement('button');
      close.type = 'button';
      close.className = 'close';
      close.tabIndex = -1; // as a title bar's button, reached by the mouse only
      close.setAttribute('aria-label', 'Закрыть');
      close.textContent = '×';
      close.addEventListener('click', () => Module._kt_closed_by_user(form));
      bar.append(caption, close);
      const client = document.createElement('div');
      client.className = 'client';
      place(client, 0, 0, width, height);
      client.style.position = 'relative';
      root.append(bar, client);
      $('desk').append(root);
      windows.set(form, { root, client, controls: new Map(), pictures: [] });
    },

    addControl(form, index, name, kind, left, top, width, height, layer, text) {
      const frame = windows.get(form);
      let element;
      if (kind === 0) { // picture box
        element = document.createElement('canvas');
        element.tabIndex = 0;
        element.setAttribute('role', 'img');
        frame.pictures.push({ canvas: element, control: index, width, height, scale: 0 });
        place(element, left, top, width, height);
      } else if (kind === 1) { // label: what it shows, and what a screen reader says for it
        element = document.createElement('div');
        element.className = 'label';
        const shown = document.createElement('span');
        shown.setAttribute('aria-hidden', 'true');
        const spoken = document.createElement('span');
        spoken.className = 'unseen';
        shown.textContent = spoken.textContent = text;
        element.append(shown, spoken);
        place(element, left, top, width, height);
      } else if (kind === 2) { // command button
        element = document.createElement('button');
        element.type = 'button';
        element.textContent = text;
        element.addEventListener('click', () => { if (!ended) Module._kt_click(form, index); });
        place(element, left, top, width, height);
      } else { // option button: one group per window
        element = document.createElement('input');
        element.type = 'radio';
        element.name = `form${form}`;
        place(element, left, top, width, height);
      }
      element.dataset.name = name;
      element.style.zIndex = layer;
      frame.client.append(element);
      frame.controls.set(index, element);
    },

    setFont(form, index, family, pixelSize, bold, italic, underline, strikethrough) {
      Object.assign(control(form, index).style, {
        fontFamily: `"${family}"`,
        fontSize: `${pixelSize}px`,
        fontWeight: bold ? '700' : '400',
        fontStyle: italic ? 'italic' : 'normal',
        textDecoration: [underline && 'underline', strikethrough && 'line-through'].filter(Boolean).join(' ') || 'none',
      });
    },

    setStyle(form, index, colour, alignment) {
      Object.assign(control(form, index).style, { color: colour, textAlign: alignment });
    },

    describe(form, index, name, description) {
      const element = control(form, index);
      if (name) element.setAttribute('aria-label', name);
      if (description) element.setAttribute('aria-description', description);
    },

    setText(form, index, text, spoken) {
      const element = control(form, index);
      if (element.classList.contains('label')) {
        element.children[0].textContent = text;
        element.children[1].textContent = spoken;
      } else {
        element.textContent = text;
      }
    },

    // Two turns, so that the same words twice in a row are news twice.
    announce(text) {
      newsTurn = !newsTurn;
      $('news').textContent = newsTurn ? text : `${text}\u00a0`;
    },

    isChecked(form, index) {
      return control(form, index).checked;
    },

    show(form, focus) {
      const frame = windows.get(form);
      const { root } = frame;
      root.hidden = false;
      if (!frame.placed) { // centred the first time, on whole CSS pixels so that canvases stay sharp
        frame.placed = true;
        root.style.left = `${Math.max(0, Math.floor((innerWidth - root.offsetWidth) / 2))}px`;
        root.style.top = `${Math.max(0, Math.floor((innerHeight - root.offsetHeight) / 2))}px`;
      }
      paintWindow(form);
      if (focus >= 0) control(form, focus).focus();
      performance.mark(`kt-shown-${form}`);
    },

    hide(form) {
      windows.get(form).root.hidden = true;
    },

    end() {
      ended = true;
      for (const frame of windows.values()) frame.root.hidden = true;
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

    defineImage(rgba, width, height) {
      const image = document.createElement('canvas');
      image.width = width;
      image.height = height;
      image.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer), width, height), 0, 0);
      images.push(image);
      return images.length - 1;
    },

    beginImage(width, height, again) {
      const image = again >= 0 ? images[again] : document.createElement('canvas');
      image.width = width;
      image.height = height;
      painting.push([context, lastFont]);
      context = image.getContext('2d');
      context.imageSmoothingEnabled = false;
      lastFont = '';
      if (again >= 0) return again;
      images.push(image);
      return images.length - 1;
    },

    endImage() {
      [context, lastFont] = painting.pop();
    },

    fillRect(left, top, width, height, colour) {
      context.fillStyle = colour;
      context.fillRect(left, top, width, height);
    },

    drawImage(index, left, top, scale) {
      const image = images[index];
      context.drawImage(image, left, top, image.width * scale, image.height * scale);
    },

    clip(left, top, width, height) {
      context.save();
      context.beginPath();
      context.rect(left, top, width, height);
      context.clip();
    },

    unclip() {
      context.restore();
      lastFont = '';
    },

    drawCharacter(family, weight, italic, pixelSize, scaleX, scaleY, x, y, character) {
      const font = `${italic ? 'italic ' : ''}${weight} ${pixelSize}px "${family}"`;
      if (font !== lastFont) {
        context.font = font;
        context.fontKerning = 'none'; // the advances are stored; the font must not move glyphs
        context.fillStyle = '#000000';
        lastFont = font;
      }
      context.setTransform(scaleX, 0, 0, scaleY, x, y);
      context.fillText(String.fromCharCode(character), 0, 0);
      context.setTransform(1, 0, 0, 1, 0, 0);
    },

    start() {
      $('again').addEventListener('click', () => location.reload());
      watchScale();
      whenIdle(paintAhead);
    },
  };
})();

// The faces (program.css) are fetched while the module compiles; the first window waits for both.
const ktFaces = Promise.all([...document.fonts].map((face) => face.load()));

var Module = {
  onRuntimeInitialized() {
    ktFaces.finally(() => {
      ktHost.start();
      Module._kt_start();
    });
  },
};
