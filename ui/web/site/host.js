// The page's side of the window interface. The program (kinematics-test.wasm) decides what every
// window holds and what every click means; this script only makes the elements it asks for,
// paints picture boxes by calling back into it, and passes clicks and closing on.
'use strict';

// The whole test at one scale, as large as the view allows: every window's places, sizes and
// text are its CSS pixels at scale 1 times one factor, the largest at which the largest window,
// frame and title bar included, fits the view with a margin. Places and sizes fall on whole
// device pixels, so that canvases are copied pixel for pixel.
const ktFit = (() => {
  const margin = 8; // CSS pixels on every side of the largest window
  const around = { width: 4, height: 26 }; // a client area's borders and title bar at scale 1
  const smallest = 12 / 16; // below it the windows' 16 px text gets hard to read
  const boxes = new Map(); // element -> [left, top, width, height] at scale 1
  const fonts = new Map(); // element -> pixel size at scale 1
  const targets = []; // the round buttons' touch targets
  let largest = null;
  let factor = 1;
  let laidAt = ''; // the factor and device pixel ratio everything is laid out at
  let border = 2; // the window's border, and below the title bar's height, as laid out
  let bar = 22;

  const ratio = () => globalThis.devicePixelRatio || 1;
  const snap = (length) => Math.round(length * ratio()) / ratio();
  // The layout viewport: pinch zoom leaves it as it is, so a pupil can still zoom in to read.
  const view = () => ({ width: document.documentElement.clientWidth, height: document.documentElement.clientHeight });

  // A box's size is rounded as its canvas's pixels are.
  function lay(element, [left, top, width, height]) {
    Object.assign(element.style, {
      left: `${snap(left * factor)}px`, top: `${snap(top * factor)}px`,
      width: `${snap(width * factor)}px`, height: `${snap(height * factor)}px`,
    });
  }

  function measure() {
    const { width, height } = view();
    // A view of no size (a hidden frame) still gets windows of some size.
    factor = largest ? Math.max(0.1, Math.min((width - 2 * margin) / (largest.width + around.width),
      (height - 2 * margin) / (largest.height + around.height))) : 1;
    if (laidAt === `${factor} ${ratio()}`) return;
    laidAt = `${factor} ${ratio()}`;
    const desk = document.getElementById('desk');
    desk.style.setProperty('--kt-factor', factor);
    border = Math.max(1 / ratio(), snap(2 * factor));
    bar = snap(22 * factor);
    desk.style.setProperty('--kt-border', `${border}px`);
    desk.style.setProperty('--kt-bar', `${bar}px`);
    for (const [element, box] of boxes) lay(element, box);
    for (const [element, size] of fonts) element.style.fontSize = `${size * factor}px`;
    targets.forEach(layTarget);
  }

  // A round button's touch target: over the picture its letter is drawn in, from the button to
  // the next button on its line (or as far again past the last one), at least 24 CSS pixels each
  // way, and kept inside that picture so as to cover no other control. In CSS pixels as laid out.
  function layTarget({ label, option, line, picture }) {
    const laid = (element) => {
      const [left, top, width, height] = ['left', 'top', 'width', 'height'].map((side) => parseFloat(element.style[side]));
      return { left, top, right: left + width, bottom: top + height, width, height };
    };
    const [box, area] = [laid(option), laid(picture)];
    const k = line.indexOf(option);
    const step = line.length > 1 ? (laid(line.at(-1)).left - laid(line[0]).left) / (line.length - 1) : area.width;
    const right = Math.min(area.right, k + 1 < line.length ? laid(line[k + 1]).left : box.left + step);
    const tall = Math.min(area.height, Math.max(box.height, 24));
    // The button itself may reach past its picture's edge, and its target with it.
    const top = Math.min(box.top, Math.max(area.top, Math.min(snap(box.top + box.height / 2 - tall / 2), area.bottom - tall)));
    const bottom = Math.max(box.bottom, top + tall);
    Object.assign(label.style, {
      left: `${box.left}px`, top: `${top}px`, width: `${Math.max(right - box.left, 24)}px`, height: `${bottom - top}px`,
    });
  }

  return {
    // The device pixels per CSS pixel the windows' pictures are painted at.
    scale: () => factor * ratio(),
    factor: () => factor,

    setLargest(width, height) {
      largest = { width, height };
      measure();
    },

    place(element, left, top, width, height) {
      boxes.set(element, [left, top, width, height]);
      lay(element, boxes.get(element));
    },

    setFont(element, size) {
      fonts.set(element, size);
      element.style.fontSize = `${size * factor}px`;
    },

    // Each round button gets a label over its letter and answer; a tap there chooses it. The mouse
    // goes through the labels (style.css), so it clicks what it clicked before.
    addTargets(client, form) {
      const controls = [...client.children];
      const options = controls.filter((c) => c.type === 'radio');
      const middle = (c) => { const [left, top, width, height] = boxes.get(c); return [left + width / 2, top + height / 2]; };
      const within = (c, [x, y]) => { const [left, top, width, height] = boxes.get(c); return x >= left && x < left + width && y >= top && y < top + height; };
      for (const option of options) {
        const [, y] = middle(option);
        const line = options.filter((o) => Math.abs(middle(o)[1] - y) < boxes.get(option)[3])
          .sort((a, b) => boxes.get(a)[0] - boxes.get(b)[0]);
        const picture = controls.find((c) => c.tagName === 'CANVAS' && within(c, middle(option)));
        if (!picture) continue;
        option.id = `kt-${form}-${option.dataset.name}`;
        const label = document.createElement('label');
        label.className = 'target';
        label.htmlFor = option.id;
        label.setAttribute('aria-hidden', 'true');
        label.style.zIndex = option.style.zIndex;
        option.before(label);
        const target = { label, option, line, picture };
        targets.push(target);
        layTarget(target);
      }
    },

    // Re-measures the view and puts the window on screen in its middle, on whole device pixels.
    centre(root, client) {
      measure();
      const { width, height } = view();
      // Its size from its parts, without making the browser lay out the page in between.
      const [, , clientWidth, clientHeight] = boxes.get(client);
      const box = { width: 2 * border + snap(clientWidth * factor), height: 2 * border + bar + snap(clientHeight * factor) };
      const left = Math.max(0, snap((width - box.width) / 2));
      const top = Math.max(0, snap((height - box.height) / 2));
      Object.assign(root.style, { left: `${left}px`, top: `${top}px` });
      const turn = document.getElementById('turn');
      turn.hidden = factor >= smallest;
      turn.style.top = `${top + box.height}px`;
    },
  };
})();

const ktHost = (() => {
  const windows = new Map(); // form -> { root, client, controls, pictures }
  const images = [];
  const blocks = new Map(); // `${image} ${whole}` -> the image enlarged in whole-pixel blocks
  let context = null; // the canvas being painted
  let lastFont = '';
  const painting = []; // the canvases set aside while an image is painted
  let ended = false;
  let errorShown = false;
  let newsTurn = false;

  const $ = (id) => document.getElementById(id);
  const { place } = ktFit;

  function control(form, index) {
    const frame = windows.get(form);
    return index < 0 ? frame.root : frame.controls.get(index);
  }

  function paint(form, picture) {
    const scale = ktFit.scale();
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
    const scale = ktFit.scale();
    for (const picture of windows.get(form).pictures)
      if (picture.scale !== scale) paint(form, picture);
  }

  // A new view (resizing, turning the device, zooming) gets a new factor, and the window on
  // screen is centred and painted again.
  function refit() {
    for (const [form, frame] of windows) {
      if (frame.root.hidden) continue;
      ktFit.centre(frame.root, frame.client);
      paintWindow(form);
    }
    paintAheadWhenIdle();
  }

  // Zooming and moving to another screen change the device pixels per CSS pixel.
  function watchScale() {
    matchMedia(`(resolution: ${globalThis.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
      refit();
      watchScale();
    }, { once: true });
  }

  // While the page has nothing else to do, the program paints the windows' pictures ahead, a box
  // at a time, so that a click waits for none of them (and for at most one box being painted).
  // One chain of it at a time, however often the view changes.
  const whenIdle = globalThis.requestIdleCallback ?? ((task) => setTimeout(task, 50));
  let aheadQueued = false;
  function paintAhead() {
    aheadQueued = false;
    if (Module._kt_paint_ahead(ktFit.scale())) paintAheadWhenIdle();
  }
  function paintAheadWhenIdle() {
    if (aheadQueued) return;
    aheadQueued = true;
    whenIdle(paintAhead);
  }

  function showEnd() {
    $('end').hidden = false;
    $('again').focus();
  }

  return {
    setLargestWindow(width, height) {
      ktFit.setLargest(width, height);
    },

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
      if (kind === 'picture') {
        element = document.createElement('canvas');
        element.tabIndex = 0;
        element.setAttribute('role', 'img');
        frame.pictures.push({ canvas: element, control: index, width, height, scale: 0 });
        place(element, left, top, width, height);
      } else if (kind === 'label') { // what it shows, and what a screen reader says for it
        element = document.createElement('div');
        element.className = 'label';
        const shown = document.createElement('span');
        shown.setAttribute('aria-hidden', 'true');
        const spoken = document.createElement('span');
        spoken.className = 'unseen';
        shown.textContent = spoken.textContent = text;
        element.append(shown, spoken);
        place(element, left, top, width, height);
      } else if (kind === 'button') {
        element = document.createElement('button');
        element.type = 'button';
        element.textContent = text;
        element.addEventListener('click', () => { if (!ended) Module._kt_click(form, index); });
        place(element, left, top, width, height);
      } else { // 'option': one group per window
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
      ktFit.setFont(control(form, index), pixelSize);
      Object.assign(control(form, index).style, {
        fontFamily: `"${family}"`,
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
      if (!frame.targeted) { // its controls are all there now
        ktFit.addTargets(frame.client, form);
        frame.targeted = true;
      }
      ktFit.centre(root, frame.client);
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
      image.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
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

    // A bitmap at a whole scale is drawn in whole-pixel blocks. At any other scale it is drawn
    // smoothly from its blocks at the whole part of the scale, so that it keeps its size in its
    // box and only the blocks' edges are blended, over at most one device pixel.
    drawImage(index, left, top, scale) {
      const image = images[index];
      const whole = Math.floor(scale);
      if (whole === scale || whole < 2) {
        context.imageSmoothingEnabled = whole !== scale;
        context.drawImage(image, left, top, image.width * scale, image.height * scale);
        context.imageSmoothingEnabled = false;
        return;
      }
      // Enlarged once for each whole part, not at every paint.
      const key = `${index} ${whole}`;
      if (!blocks.has(key)) {
        const enlarged = document.createElement('canvas');
        enlarged.width = image.width * whole;
        enlarged.height = image.height * whole;
        const enlarging = enlarged.getContext('2d');
        enlarging.imageSmoothingEnabled = false;
        enlarging.drawImage(image, 0, 0, enlarged.width, enlarged.height);
        blocks.set(key, enlarged);
      }
      context.imageSmoothingEnabled = true;
      context.drawImage(blocks.get(key), left, top, image.width * scale, image.height * scale);
      context.imageSmoothingEnabled = false;
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
      addEventListener('resize', refit);
      globalThis.visualViewport?.addEventListener('resize', refit); // pinch zoom
      watchScale();
      paintAheadWhenIdle();
    },
  };
})();

// The faces (program.css) are fetched while the module compiles; the first window waits for both
// (loader.js).
const ktFaces = Promise.all([...document.fonts].map((face) => face.load()));

