// Paints the windows' picture boxes: the program (kinematics-test.wasm) draws each box through the
// calls below into the canvas being painted, at the device pixels the fit asks for; bitmaps are
// kept as images of the page, and boxes painted ahead while the page is idle are copied whole.
'use strict';

const ktPainter = (() => {
  const boxesOfWindow = new Map(); // form -> [{ canvas, control, width, height, scale }]
  const images = []; // canvases, by the number the program knows each by
  const enlargedImages = new Map(); // `${image} ${whole scale}` -> the image enlarged in whole-pixel blocks
  const outerCanvases = []; // the canvases set aside while an image is painted
  let context = null; // of the canvas being painted

  // A canvas of that size, made over or new, that the calls below paint into.
  function paintInto(canvas, width, height) {
    canvas.width = width;
    canvas.height = height;
    context = canvas.getContext('2d');
    context.imageSmoothingEnabled = false;
    return canvas;
  }

  function paintBox(form, box) {
    const scale = ktFit.scale();
    paintInto(box.canvas, Math.round(box.width * scale), Math.round(box.height * scale));
    Module._kt_paint(form, box.control, scale);
    context = null;
    box.scale = scale;
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

  const newImage = (width, height) => Object.assign(document.createElement('canvas'), { width, height });
  // The number the program knows a new image by.
  const kept = (image) => images.push(image) - 1;

  return {
    paintAheadWhenIdle,

    addBox(form, canvas, control, width, height) {
      if (!boxesOfWindow.has(form)) boxesOfWindow.set(form, []);
      boxesOfWindow.get(form).push({ canvas, control, width, height, scale: 0 });
    },

    // Paints the window's boxes that were painted at another scale, or not yet.
    paintWindow(form) {
      const scale = ktFit.scale();
      for (const box of boxesOfWindow.get(form) ?? [])
        if (box.scale !== scale) paintBox(form, box);
    },

    defineImage(rgba, width, height) {
      const image = newImage(width, height);
      image.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
      return kept(image);
    },

    // Paints into a blank image, new or the one numbered `reused`, until endImage().
    beginImage(width, height, reused) {
      outerCanvases.push(context);
      const image = paintInto(images[reused] ?? document.createElement('canvas'), width, height);
      return reused >= 0 ? reused : kept(image);
    },

    endImage() {
      context = outerCanvases.pop();
    },

    fillRect(left, top, width, height, colour) {
      context.fillStyle = colour;
      context.fillRect(left, top, width, height);
    },

    // A bitmap at a whole scale is drawn in whole-pixel blocks. At any other scale it is drawn
    // smoothly from its blocks at the whole part of the scale, so that it keeps its size in its
    // box and only the blocks' edges are blended, over at most one device pixel.
    drawImage(number, left, top, scale) {
      const image = images[number];
      const whole = Math.floor(scale);
      // Enlarged once for each whole part, not at every paint.
      const key = `${number} ${whole}`;
      if (whole !== scale && whole >= 2 && !enlargedImages.has(key)) {
        const enlarged = newImage(image.width * whole, image.height * whole);
        const enlarging = enlarged.getContext('2d');
        enlarging.imageSmoothingEnabled = false;
        enlarging.drawImage(image, 0, 0, enlarged.width, enlarged.height);
        enlargedImages.set(key, enlarged);
      }
      context.imageSmoothingEnabled = whole !== scale;
      context.drawImage(enlargedImages.get(key) ?? image, left, top, image.width * scale, image.height * scale);
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
    },

    // The program sets it only when it changes, and again after each unclip(), which restores the
    // canvas's own.
    setCharacterFont(family, weight, italic, pixelSize) {
      context.font = `${italic ? 'italic ' : ''}${weight} ${pixelSize}px "${family}"`;
      context.fontKerning = 'none'; // the advances are stored; the font must not move glyphs
      context.fillStyle = '#000000';
    },

    drawCharacter(scaleX, scaleY, x, y, character) {
      context.setTransform(scaleX, 0, 0, scaleY, x, y);
      context.fillText(String.fromCharCode(character), 0, 0);
      context.setTransform(1, 0, 0, 1, 0, 0);
    },
  };
})();
