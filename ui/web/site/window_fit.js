// Fits the windows to the view and places them: the whole test at one scale, as large as the view
// allows. Every window's places, sizes and text are its CSS pixels at scale 1 times one factor, the
// largest at which the largest window, frame and title bar included, fits the view with a margin.
// Places and sizes fall on whole device pixels, so that canvases are copied pixel for pixel.
'use strict';

const ktFit = (() => {
  const margin = 8; // CSS pixels on every side of the largest window
  const smallestFactor = 12 / 16; // below it the windows' 16 px text gets hard to read
  const boxAtScaleOne = new Map(); // element -> [left, top, width, height]
  const fontSizeAtScaleOne = new Map(); // element -> pixel size
  const touchTargets = []; // the round buttons' labels, with what each is fitted to
  let chromeAtScaleOne = null; // the frame's border, the title bar and the touch target (program.css)
  let largestClient = null;
  let factor = 1;
  let fittedTo = ''; // the factor and device pixel ratio everything is placed at
  let borderWidth = 0; // the frame's border and the title bar's height, as placed
  let titleBarHeight = 0;

  const ratio = () => globalThis.devicePixelRatio || 1;
  const snap = (length) => Math.round(length * ratio()) / ratio();
  // The layout viewport: pinch zoom leaves it as it is, so a pupil can still zoom in to read.
  const view = () => ({ width: document.documentElement.clientWidth, height: document.documentElement.clientHeight });

  function chrome() {
    if (!chromeAtScaleOne) {
      const style = getComputedStyle(document.documentElement);
      const length = (name) => parseFloat(style.getPropertyValue(`--kt-${name}`));
      chromeAtScaleOne = { border: length('border-width'), titleBar: length('title-bar-height'), touchTarget: length('touch-target') };
    }
    return chromeAtScaleOne;
  }

  // A box's size is rounded as its canvas's pixels are.
  function placeAtFactor(element, [left, top, width, height]) {
    Object.assign(element.style, {
      left: `${snap(left * factor)}px`, top: `${snap(top * factor)}px`,
      width: `${snap(width * factor)}px`, height: `${snap(height * factor)}px`,
    });
  }

  function measure() {
    const { width, height } = view();
    const { border, titleBar } = chrome();
    // A view of no size (a hidden frame) still gets windows of some size.
    factor = largestClient ? Math.max(0.1, Math.min((width - 2 * margin) / (largestClient.width + 2 * border),
      (height - 2 * margin) / (largestClient.height + 2 * border + titleBar))) : 1;
    if (fittedTo === `${factor} ${ratio()}`) return;
    fittedTo = `${factor} ${ratio()}`;
    const desk = document.getElementById('desk');
    desk.style.setProperty('--kt-factor', factor);
    borderWidth = Math.max(1 / ratio(), snap(border * factor));
    titleBarHeight = snap(titleBar * factor);
    desk.style.setProperty('--kt-border', `${borderWidth}px`);
    desk.style.setProperty('--kt-bar', `${titleBarHeight}px`);
    for (const [element, box] of boxAtScaleOne) placeAtFactor(element, box);
    for (const [element, size] of fontSizeAtScaleOne) element.style.fontSize = `${size * factor}px`;
    touchTargets.forEach(placeTouchTarget);
  }

  // A round button's touch target: over the picture its letter is drawn in, from the button to
  // the next button on its line (or as far again past the last one), at least the touch target's
  // size each way, and kept inside that picture so as to cover no other control. In CSS pixels as
  // placed.
  function placeTouchTarget({ label, option, line, picture }) {
    const placed = (element) => {
      const [left, top, width, height] = ['left', 'top', 'width', 'height'].map((side) => parseFloat(element.style[side]));
      return { left, top, right: left + width, bottom: top + height, width, height };
    };
    const { touchTarget } = chrome();
    const [box, area] = [placed(option), placed(picture)];
    const place = line.indexOf(option);
    const step = line.length > 1 ? (placed(line.at(-1)).left - placed(line[0]).left) / (line.length - 1) : area.width;
    const right = Math.min(area.right, place + 1 < line.length ? placed(line[place + 1]).left : box.left + step);
    const height = Math.min(area.height, Math.max(box.height, touchTarget));
    // The button itself may reach past its picture's edge, and its target with it.
    const top = Math.min(box.top, Math.max(area.top, Math.min(snap(box.top + box.height / 2 - height / 2), area.bottom - height)));
    const bottom = Math.max(box.bottom, top + height);
    Object.assign(label.style, {
      left: `${box.left}px`, top: `${top}px`, width: `${Math.max(right - box.left, touchTarget)}px`, height: `${bottom - top}px`,
    });
  }

  return {
    // The device pixels per CSS pixel the windows' pictures are painted at.
    scale: () => factor * ratio(),
    factor: () => factor,

    setLargest(width, height) {
      largestClient = { width, height };
      measure();
    },

    place(element, left, top, width, height) {
      boxAtScaleOne.set(element, [left, top, width, height]);
      placeAtFactor(element, boxAtScaleOne.get(element));
    },

    setFontSize(element, size) {
      fontSizeAtScaleOne.set(element, size);
      element.style.fontSize = `${size * factor}px`;
    },

    // Each round button gets a label over its letter and answer; a tap there chooses it. The mouse
    // goes through the labels (style.css), so it clicks what it clicked before.
    addTouchTargets(client, form) {
      const controls = [...client.children];
      const options = controls.filter((control) => control.type === 'radio');
      const middle = (control) => { const [left, top, width, height] = boxAtScaleOne.get(control); return [left + width / 2, top + height / 2]; };
      const holds = (control, [x, y]) => { const [left, top, width, height] = boxAtScaleOne.get(control); return x >= left && x < left + width && y >= top && y < top + height; };
      for (const option of options) {
        const [, y] = middle(option);
        const line = options.filter((other) => Math.abs(middle(other)[1] - y) < boxAtScaleOne.get(option)[3])
          .sort((a, b) => boxAtScaleOne.get(a)[0] - boxAtScaleOne.get(b)[0]);
        const picture = controls.find((control) => control.tagName === 'CANVAS' && holds(control, middle(option)));
        if (!picture) continue;
        option.id = `kt-${form}-${option.dataset.name}`;
        const label = document.createElement('label');
        label.className = 'target';
        label.htmlFor = option.id;
        label.setAttribute('aria-hidden', 'true');
        label.style.zIndex = option.style.zIndex;
        option.before(label);
        const touchTarget = { label, option, line, picture };
        touchTargets.push(touchTarget);
        placeTouchTarget(touchTarget);
      }
    },

    // Re-measures the view and puts the window on screen in its middle, on whole device pixels.
    centre(root, client) {
      measure();
      const { width, height } = view();
      // Its size from its parts, without making the browser lay out the page in between.
      const [, , clientWidth, clientHeight] = boxAtScaleOne.get(client);
      const outer = {
        width: 2 * borderWidth + snap(clientWidth * factor),
        height: 2 * borderWidth + titleBarHeight + snap(clientHeight * factor),
      };
      const left = Math.max(0, snap((width - outer.width) / 2));
      const top = Math.max(0, snap((height - outer.height) / 2));
      Object.assign(root.style, { left: `${left}px`, top: `${top}px` });
      const turnHint = document.getElementById('turn');
      turnHint.hidden = factor >= smallestFactor;
      turnHint.style.top = `${top + outer.height}px`;
    },
  };
})();
