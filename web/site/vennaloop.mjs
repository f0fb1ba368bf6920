// vennaloop.mjs: the page's side of the game. The WebAssembly core plays and draws; this module
// runs its timer on the animation frames, presents its picture on the canvas, writes the title,
// builds the dialogs from the shared layouts and hands the physical keys over.

const statusLine = document.getElementById('status');
const view = document.getElementById('view');
const mazeCanvas = document.getElementById('maze');
const titleLayer = document.getElementById('title-layer');
const titleCanvas = document.getElementById('title');

/** Says plainly why the game is not there; the page is never left blank. */
function fail(message) {
  statusLine.textContent = message;
  statusLine.hidden = false;
}

class LoadError extends Error {}

// The dialogs' font sizes are in points, at the logical resolution CSS pixels have.
const CSS_DOTS_PER_INCH = 96;

let core, ui, fonts;
let mazeContext, imageData = null;
let openDialog = null;

// ---- Start -------------------------------------------------------------------------------------

async function fetchJson(url) {
  let response;
  try {
    response = await fetch(url);
  } catch (e) {
    throw new LoadError(`the file ${url} did not load`);
  }
  if (!response.ok) throw new LoadError(`the file ${url} did not load (${response.status})`);
  return response.json();
}

async function loadCore() {
  let factory;
  try {
    factory = (await import('./vennaloop_core.mjs')).default;
  } catch (e) {
    throw new LoadError('the file vennaloop_core.mjs did not load');
  }
  let instance;
  try {
    instance = await factory({
      locateFile: (path) => new URL(path, import.meta.url).href,
    });
  } catch (e) {
    throw new LoadError('the file vennaloop_core.wasm did not load');
  }
  return instance;
}

async function start() {
  // Where a browser does load the module from a file, the core and the fonts still will not.
  if (location.protocol === 'file:') {
    fail(statusLine.dataset.fromFile);
    return;
  }
  if (typeof WebAssembly !== 'object') {
    fail('Vennaloop runs as WebAssembly, which this browser does not offer (or has turned off). ' +
         'Use a current browser, or turn WebAssembly on, to play.');
    return;
  }
  try {
    [core, fonts] = await Promise.all([loadCore(), fetchJson('fonts/fonts.json')]);
  } catch (e) {
    if (!(e instanceof LoadError)) throw e;
    fail(`Vennaloop could not start: ${e.message}. Check the connection and reload the page.`);
    return;
  }
  ui = JSON.parse(core.UTF8ToString(core._vl_interface_json()));
  writeHelp();
  // A canvas in step with the page's frames is copied whole for the screen after every change,
  // which costs a large view more than the changes themselves; one out of step (where the
  // browser offers it) is shown as drawn.
  mazeContext = mazeCanvas.getContext('2d', {desynchronized: true});
  core._vl_start();
  statusLine.textContent = '';
  await waitForFonts();
  titleLayer.hidden = !core._vl_title_shown();
  watchSize();
  watchKeys();
  watchTouch();
  requestAnimationFrame(frame);
  keepForOffline();
}

// The title is drawn once, so its faces must be there first. They are added here rather than by
// a style sheet, which would hold up the page's first frame. A face that does not load leaves its
// stand-in, and the page says so.
async function waitForFonts() {
  for (const {family, style, file} of fonts.faces) {
    const source = `url(${JSON.stringify(new URL(`fonts/${file}`, document.baseURI).href)})`;
    document.fonts.add(new FontFace(family, `${source} format("woff2")`, {style, display: 'swap'}));
  }
  const wanted = [];
  for (const item of ui.title.items) {
    wanted.push(fontOf(item.face, item.italic ? 'italic' : 'normal', 20));
  }
  for (const dialog of Object.values(ui.dialogs)) wanted.push(fontOf(dialog.font.face, 'normal', 12));
  const results = await Promise.all(wanted.map((f) => document.fonts.load(f).catch(() => [])));
  if (results.some((faces) => faces.length === 0)) {
    statusLine.textContent = 'A font of the page did not load; the game uses a stand-in.';
    setTimeout(() => { statusLine.textContent = ''; }, 6000);
  }
}

// ---- Picture -----------------------------------------------------------------------------------

// The canvas's backing store is exactly the view's device pixels, so each cell is a square of
// whole device pixels (the zoom in CSS pixels, rounded by the core) and nothing is scaled. The browser's own count of device
// pixels is exact where it has one; an emulated ratio (as in headless testing) leaves it at the
// CSS size, so it is trusted only where it agrees with the ratio.
function deviceSize(cssWidth, cssHeight, exact) {
  const width = Math.round(cssWidth * devicePixelRatio);
  const height = Math.round(cssHeight * devicePixelRatio);
  if (exact && Math.abs(exact.inlineSize - width) <= 1 && Math.abs(exact.blockSize - height) <= 1) {
    return [exact.inlineSize, exact.blockSize];
  }
  return [width, height];
}

function watchSize() {
  let last = null;
  const update = (cssWidth, cssHeight, exact) => {
    const [width, height] = deviceSize(cssWidth, cssHeight, exact);
    if (last && last[0] === width && last[1] === height && last[2] === devicePixelRatio) return;
    last = [width, height, devicePixelRatio];
    resize(width, height);
  };
  const observer = new ResizeObserver((entries) => {
    const entry = entries[entries.length - 1];
    update(entry.contentRect.width, entry.contentRect.height, entry.devicePixelContentBoxSize?.[0]);
  });
  try {
    observer.observe(mazeCanvas, {box: 'device-pixel-content-box'});
  } catch (e) {
    observer.observe(mazeCanvas);
  }
  // A new ratio at the same CSS size (another screen, the browser's zoom) is a new size too.
  const watchRatio = () => {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      update(mazeCanvas.clientWidth, mazeCanvas.clientHeight, null);
      watchRatio();
    }, {once: true});
  };
  watchRatio();
}

function resize(width, height) {
  mazeCanvas.width = width;
  mazeCanvas.height = height;
  imageData = null;
  if (core._vl_resize(width, height, devicePixelRatio)) drawFrame();
  if (core._vl_title_shown()) drawTitle(width);
}

// The image borrows the core's pixels; a grown memory is a new buffer, so it is made again.
function imageOf(pointer, width, height) {
  if (!imageData || imageData.data.buffer !== core.HEAPU8.buffer ||
      imageData.data.byteOffset !== pointer || imageData.width !== width ||
      imageData.height !== height) {
    imageData = new ImageData(
        new Uint8ClampedArray(core.HEAPU8.buffer, pointer, width * height * 4), width, height);
  }
  return imageData;
}

// The canvas's colour for a pixel of the picture (red, green, blue, alpha bytes).
const fillStyles = new Map();
function fillStyleOf(pixel) {
  let style = fillStyles.get(pixel);
  if (!style) {
    style = `rgb(${pixel & 255}, ${(pixel >>> 8) & 255}, ${(pixel >>> 16) & 255})`;
    fillStyles.set(pixel, style);
  }
  return style;
}

// The page's copy of the core's tile, where the view repeats it (view/tiled_picture.h): a changed
// cell is drawn at its few copies in the tile and the tile copied to the view, which costs the
// page far less than drawing every copy of the cell in a large view. A tile the size of the view
// is the view itself.
let tileContext = null;

function tileOf(width, height) {
  if (width === mazeCanvas.width && height === mazeCanvas.height) {
    if (tileContext) tileContext.canvas.width = tileContext.canvas.height = 0;  // its memory back
    return mazeContext;
  }
  tileContext ??= document.createElement('canvas').getContext('2d');
  const canvas = tileContext.canvas;
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  return tileContext;
}

// Fills the runs of squares that start at words[i] (their count, then each its colour, its
// count of squares and theirs); returns where the next list starts.
function fillRuns(context, words, i) {
  for (let run = 0, count = words[i++]; run < count; ++run) {
    context.fillStyle = fillStyleOf(words[i]);
    const end = i + 2 + 4 * words[i + 1];
    for (i += 2; i < end; i += 4) {
      context.fillRect(words[i], words[i + 1], words[i + 2], words[i + 3]);
    }
  }
  return i;
}

/**
 * Brings the canvas up to the game's cell map: the tile whole on a new size, zoom, pixel ratio or
 * stage, otherwise the squares the core redrew in it, filled in their colours; then the tile's
 * copies on the view, and what the view needs of its own (vl_update says how).
 */
function drawFrame() {
  const at = core._vl_update() >> 2;
  const pointer = core._vl_pixels();
  if (!pointer) return;
  const words = core.HEAP32;
  const width = words[at + 1], height = words[at + 2];
  const tile = tileOf(width, height);
  if (words[at]) tile.putImageData(imageOf(pointer, width, height), 0, 0);
  let i = fillRuns(tile, words, at + 3);
  const copies = words[i++];
  mazeContext.imageSmoothingEnabled = false;  // pixel for pixel, as the core drew them
  for (const end = i + 6 * copies; i < end; i += 6) {
    const w = words[i + 2], h = words[i + 3];
    mazeContext.drawImage(tile.canvas, words[i], words[i + 1], w, h, words[i + 4], words[i + 5], w, h);
  }
  fillRuns(mazeContext, words, i);
}

// ---- Title -------------------------------------------------------------------------------------

function quoted(families) {
  return families.map((f) => `"${f}"`).join(', ');
}

function fontOf(face, style, pixels, weight = 400) {
  return `${style} ${weight} ${pixels}px ${quoted(fonts.families[face])}, serif`;
}

function metricsOf(face, style) {
  const byStyle = fonts.metrics[fonts.families[face][0]];
  return byStyle[style] || byStyle.normal;
}

// A font's ascent and descent in pixels at a size, as the desktop's toolkit has them.
function heightAt(metrics, pixels) {
  const scale = pixels / metrics.unitsPerEm;
  const round = metrics.wholePixels ? Math.ceil : (x) => x;
  const ascent = round(metrics.ascent * scale), descent = round(metrics.descent * scale);
  return {ascent, height: Math.round(ascent + descent)};
}

// The game's cell-sized font (ui/font_fit.h): the core picks the size from the heights measured
// here, for every size up to the largest it may try.
function cellSized(metrics, cellHeight) {
  const count = 4 * cellHeight + 1;
  const heights = core._malloc(4 * count);
  for (let size = 1; size <= count; ++size) {
    core.HEAP32[(heights >> 2) + size - 1] = heightAt(metrics, size).height;
  }
  const pixels = core._vl_fit_pixel_size(cellHeight, heights, count);
  core._free(heights);
  return {pixels, ascent: heightAt(metrics, pixels).ascent};
}

// The title's layer lies inside the view with an edge of its own, so its items are placed from
// its own content box, as the desktop's overlay places them from its client area. A view smaller
// than the title's layout (a phone's) cuts it off at its right and bottom, as the desktop does.
function drawTitle(viewWidth) {
  const ratio = viewWidth / Math.max(1, mazeCanvas.clientWidth);
  const width = Math.round(titleCanvas.clientWidth * ratio);
  const height = Math.round(titleCanvas.clientHeight * ratio);
  titleCanvas.width = width;
  titleCanvas.height = height;
  const context = titleCanvas.getContext('2d');
  context.clearRect(0, 0, width, height);
  context.fontKerning = 'none';
  for (const item of ui.title.items) {
    const style = item.italic ? 'italic' : 'normal';
    const metrics = metricsOf(item.face, style);
    const {pixels, ascent} = cellSized(metrics, item.fontHeight);
    // The face is squeezed or stretched to the item's average character width.
    const natural = metrics.averageWidth * pixels / metrics.unitsPerEm;
    const stretch = core._vl_stretch_percent(item.fontWidth, natural) / 100;
    const x = item.align === 'center' ? (item.left + item.right) / 2 :
              item.align === 'right' ? item.right : item.left;
    context.font = fontOf(item.face, style, pixels);
    context.textAlign = item.align;
    context.textBaseline = 'alphabetic';
    context.fillStyle = '#' + item.colour.toString(16).padStart(6, '0');
    const scale = ratio;
    context.setTransform(scale * stretch, 0, 0, scale, scale * x, scale * (item.top + ascent));
    context.fillText(item.text, 0, 0);
  }
  context.setTransform(1, 0, 0, 1, 0, 0);
}

// ---- Timer -------------------------------------------------------------------------------------

// The core's pacer keeps the game's time; the page wakes it on every animation frame, one a
// refresh, and draws when it says so.
function frame() {
  requestAnimationFrame(frame);
  playFrame();
}

/** One frame of the page: the cycles that are due, then the picture if they changed it. */
function playFrame() {
  if (core._vl_wake(performance.now())) drawFrame();
  if (!openDialog && core._vl_dialog_request()) showDialog();
  if (!titleLayer.hidden && !core._vl_title_shown()) titleLayer.hidden = true;
}

// ---- Keys --------------------------------------------------------------------------------------

function watchKeys() {
  const modifiers = (event) => core._vl_modifiers(event.shiftKey ? 1 : 0, event.ctrlKey ? 1 : 0);
  addEventListener('keydown', (event) => {
    modifiers(event);
    if (openDialog || event.defaultPrevented || event.isComposing) return;
    // The core reads the key as the layout gives it, and says which chords are the game's;
    // the rest stay with the browser.
    const taken = core.ccall('vl_key_down', 'number',
                             ['string', 'string', 'number', 'number', 'number', 'number'],
                             [event.code, event.key, event.shiftKey, event.ctrlKey, event.altKey,
                              event.metaKey]);
    if (taken === 1) event.preventDefault();
  });
  addEventListener('keyup', modifiers);
  addEventListener('blur', () => core._vl_modifiers(0, 0));
}

// ---- Touch -------------------------------------------------------------------------------------

// A swipe this long on the view, in CSS pixels, is the arrow key of its direction; a shorter
// touch is a tap, which does nothing.
const SWIPE_PIXELS = 24;
const SWIPE_KEYS = {left: 'ArrowLeft', right: 'ArrowRight', up: 'ArrowUp', down: 'ArrowDown'};

function pressKey(key, shift = false, ctrl = false) {
  core.ccall('vl_press', 'number', ['string', 'number', 'number'], [key, shift, ctrl]);
}

function controlButton(label, caption, chord, action) {
  const button = document.createElement('button');
  button.type = 'button';
  button.dataset.chord = chord;
  button.textContent = label;
  if (caption) {
    const small = document.createElement('small');
    small.textContent = caption;
    button.append(small);
  }
  const act = () => {
    button.blur();  // a focused button would take the keyboard's Space and Enter
    action();
  };
  // A touch acts when the finger lifts from the button, and only there: a finger drawn off it
  // presses nothing. The click the browser makes of a tap is left out: a busy page may see the
  // tap as a long press and get none.
  let touch = null;
  button.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'mouse') touch = event.pointerId;
  });
  button.addEventListener('pointerup', (event) => {
    const box = button.getBoundingClientRect();
    const over = event.clientX >= box.left && event.clientX <= box.right &&
                 event.clientY >= box.top && event.clientY <= box.bottom;
    if (event.pointerId === touch && over) act();
    touch = null;
  });
  button.addEventListener('pointercancel', () => { touch = null; });
  button.addEventListener('click', (event) => {
    if (event.pointerType !== 'touch' && event.pointerType !== 'pen') act();
  });
  return button;
}

// The touch controls' buttons, their labels and the keys they press (as KeyboardEvent.key names
// them, with the modifiers held for them) are the interface data's (ui.touch): the bar has the
// walkers, the growth and the zooms; its last button opens the menu of the rest.
function buildControls() {
  const bar = document.getElementById('controls');
  const menu = document.getElementById('menu');
  const chordOf = ({key, shift, ctrl}) => (ctrl ? 'Ctrl+' : '') + (shift ? 'Shift+' : '') + key;
  // Neighbours with one caption (the zooms) share it: a group with the caption under it.
  const buttons = ui.touch.bar;
  for (let first = 0, end; first < buttons.length; first = end) {
    for (end = first + 1; end < buttons.length && buttons[end].caption === buttons[first].caption;) {
      ++end;
    }
    const run = buttons.slice(first, end).map((button) => {
      const {label, key, shift, ctrl} = button;
      const caption = end - first > 1 ? '' : button.caption;
      return controlButton(label, caption, chordOf(button), () => pressKey(key, shift, ctrl));
    });
    if (run.length === 1) {
      bar.append(run[0]);
      continue;
    }
    const group = document.createElement('div');
    group.className = 'group';
    group.setAttribute('role', 'group');
    const caption = document.createElement('small');
    caption.textContent = buttons[first].caption;
    caption.id = `bar-${first}`;
    group.setAttribute('aria-labelledby', caption.id);
    group.style.setProperty('--buttons', run.length);
    group.append(...run, caption);
    bar.append(group);
  }
  const {label, caption} = ui.touch.menuButton;
  const more = controlButton(label, caption, '', () => showMenu(menu.hidden));
  more.setAttribute('aria-expanded', 'false');
  more.id = 'more';
  bar.append(more);
  const showMenu = (shown) => {
    menu.hidden = !shown;
    more.setAttribute('aria-expanded', String(shown));
  };
  for (const {heading, buttons} of ui.touch.menu) {
    if (heading) {
      const h2 = document.createElement('h2');
      h2.textContent = heading;
      menu.append(h2);
    }
    const row = document.createElement('div');
    row.className = 'row';
    for (const button of buttons) {
      const {label, caption, key, shift, ctrl} = button;
      row.append(controlButton(label, caption, chordOf(button), () => {
        showMenu(false);
        pressKey(key, shift, ctrl);
      }));
    }
    menu.append(row);
  }
  // A touch anywhere else closes the menu.
  addEventListener('pointerdown', (event) => {
    if (!menu.hidden && !menu.contains(event.target) && !more.contains(event.target)) {
      showMenu(false);
    }
  });
}

// The controls are for coarse pointers: a touch screen, or the first touch on any screen.
function useTouch() {
  document.documentElement.classList.add('touch');
}

function watchTouch() {
  buildControls();
  const coarse = matchMedia('(pointer: coarse)');
  if (coarse.matches) useTouch();
  coarse.addEventListener('change', () => coarse.matches && useTouch());
  // A swipe is one finger that starts on the maze, not on the bar or the menu; a second finger
  // (a pinch) makes it none.
  let swipe = null;
  const fingers = new Set();
  addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'mouse') return;
    useTouch();
    fingers.add(event.pointerId);
    if (fingers.size > 1) {
      if (swipe) swipe.void = true;
      return;
    }
    const onControls = event.target instanceof Element && event.target.closest('#controls, #menu');
    if (event.isPrimary && view.contains(event.target) && !onControls) {
      swipe = {id: event.pointerId, x: event.clientX, y: event.clientY, void: false};
    }
  });
  const end = (event) => {
    fingers.delete(event.pointerId);
    if (!swipe || event.pointerId !== swipe.id) return;
    const dx = event.clientX - swipe.x, dy = event.clientY - swipe.y;
    const voided = swipe.void;
    swipe = null;
    if (event.type !== 'pointerup' || openDialog || voided) return;
    if (Math.max(Math.abs(dx), Math.abs(dy)) < SWIPE_PIXELS) return;
    const direction = Math.abs(dx) > Math.abs(dy) ? (dx > 0 ? 'right' : 'left') :
                                                    (dy > 0 ? 'down' : 'up');
    pressKey(SWIPE_KEYS[direction]);
  };
  addEventListener('pointerup', end);
  addEventListener('pointercancel', end);
  // A long press on the maze offers no menu to save the picture.
  view.addEventListener('contextmenu', (event) => event.preventDefault());
}

// ---- Dialogs -----------------------------------------------------------------------------------

// Base units from the dialog font: the mean advance of the 52 letters and the font's height.
function dialogUnits(face, pixels, weight) {
  const context = document.createElement('canvas').getContext('2d');
  const font = `normal ${weight || 400} ${pixels}px ${quoted(fonts.families[face])}, sans-serif`;
  context.font = font;
  const letters = Math.round(context.measureText(ui.baseUnitLetters).width);
  const height = heightAt(metricsOf(face, 'normal'), pixels).height;
  const rect = (x, y, width, height_) => {
    const pointer = core._vl_dialog_rect(x, y, width, height_, letters, height) >> 2;
    return core.HEAP32.subarray(pointer, pointer + 4).slice();
  };
  return {font, rect};
}

function controlElement(control, text) {
  let element;
  let focusable = true;
  switch (control.role) {
    case 'button':
      element = document.createElement('button');
      element.className = 'push' + (control.isDefault ? ' default' : '');
      element.textContent = text;
      element.addEventListener('click', () => closeDialog(ui.answers.ok));
      break;
    case 'icon':
      element = document.createElement('img');
      element.src = new URL('vennaloop.svg', import.meta.url).href;
      element.alt = '';
      focusable = false;  // a focusable image would be no decoration
      break;
    case 'field':
      element = document.createElement('input');
      element.readOnly = true;
      element.value = text;
      break;
    case 'scrollingText':
      element = document.createElement('textarea');
      element.readOnly = true;
      element.wrap = 'off';
      element.value = text;
      break;
    default:
      element = document.createElement('div');
      element.className = 'label';
      element.textContent = text;
      focusable = false;
  }
  element.classList.add('edge-' + control.edge);
  element.style.textAlign = control.align;
  if (focusable) element.tabIndex = control.tabStop ? 0 : -1;
  return element;
}

// The dialog the game opened, built from its layout with the texts the core gives its controls.
function showDialog() {
  const kind = core._vl_dialog_request();
  const name = Object.keys(ui.dialogs).find((key) => ui.dialogs[key].kind === kind);
  const layout = ui.dialogs[name];
  const texts = JSON.parse(core.UTF8ToString(core._vl_dialog_texts_json()));
  const pixels = core._vl_points_to_pixels(layout.font.pointSize, CSS_DOTS_PER_INCH);
  const units = dialogUnits(layout.font.face, pixels, layout.font.weight);

  const dialog = document.createElement('dialog');
  dialog.className = 'window';
  dialog.dataset.name = name;
  dialog.style.font = units.font;
  const caption = document.createElement('div');
  caption.className = 'caption';
  const captionText = document.createElement('span');
  captionText.textContent = layout.caption;
  captionText.id = `${name}-caption`;
  dialog.setAttribute('aria-labelledby', captionText.id);
  const closeBox = document.createElement('button');
  closeBox.textContent = '\u00d7';
  closeBox.tabIndex = -1;
  closeBox.setAttribute('aria-label', 'Close');
  closeBox.addEventListener('click', () => closeDialog(ui.answers.cancel));
  caption.append(captionText, closeBox);

  const client = document.createElement('div');
  client.className = 'client';
  const [, , width, height] = units.rect(0, 0, layout.width, layout.height);
  client.style.width = `${width}px`;
  client.style.height = `${height}px`;
  let first = null;
  for (const [index, control] of layout.controls.entries()) {
    const element = controlElement(control, texts[index]);
    element.id = `${name}-${index}`;
    // A field is named by the label on its row, else by the caption (ui/dialog_layouts.h).
    if ('namedBy' in control) {
      element.setAttribute('aria-labelledby',
                           control.namedBy >= 0 ? `${name}-${control.namedBy}` : captionText.id);
    }
    const [x, y, w, h] = units.rect(control.x, control.y, control.width, control.height);
    element.style.left = `${x}px`;
    element.style.top = `${y}px`;
    if (control.role === 'icon') {
      element.style.width = element.style.height = '32px';  // the standard icon size
    } else {
      element.style.width = `${w}px`;
      element.style.height = `${h}px`;
    }
    if (control.tabStop && !first) first = element;
    client.append(element);
  }
  dialog.append(caption, client);
  // Esc and the close box answer Cancel; Enter presses the default button.
  dialog.addEventListener('cancel', (event) => {
    event.preventDefault();
    closeDialog(ui.answers.cancel);
  });
  // The dialog's keys are its own: none of them reaches the game behind it.
  dialog.addEventListener('keydown', (event) => {
    event.stopPropagation();
    if (event.key === 'Enter') {
      event.preventDefault();
      closeDialog(ui.answers.ok);
    } else if (event.key === 'Escape') {
      event.preventDefault();
      closeDialog(ui.answers.cancel);
    }
  });
  document.body.append(dialog);
  openDialog = dialog;
  dialog.showModal();
  fitDialog(dialog);
  if (first) first.focus();
}

// A dialog larger than the window (a phone's) is shrunk whole to fit it, keeping its layout, by
// the core's rule.
const DIALOG_MARGIN = 8;
function fitDialog(dialog) {
  dialog.style.zoom = '';
  dialog.style.removeProperty('--fit');
  const fit = core._vl_dialog_fit_scale(dialog.offsetWidth, dialog.offsetHeight,
                                        innerWidth - 2 * DIALOG_MARGIN,
                                        innerHeight - 2 * DIALOG_MARGIN);
  if (fit < 1) {
    dialog.style.zoom = String(fit);
    dialog.style.setProperty('--fit', String(fit));
  }
}
addEventListener('resize', () => openDialog && fitDialog(openDialog));

function closeDialog(answer) {
  if (!openDialog) return;
  const dialog = openDialog;
  openDialog = null;
  dialog.close();
  dialog.remove();
  core._vl_dialog_closed(answer);
  // A stage that ended while this one was up opens its result now; else the game goes on a
  // period from now, the pacer making up nothing of the frozen time.
  if (core._vl_dialog_request()) showDialog();
}

// ---- Offline -----------------------------------------------------------------------------------

// After one visit the page starts without a network: the service worker keeps the site. A
// browser may refuse one (a private window, a page not served securely); the game plays on.
function keepForOffline() {
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}

// ---- Help --------------------------------------------------------------------------------------

// What the game tells a new player, from the shared help: the goal, the colours and the keys.
// The Keys panel holds it, and so does the touch menu, whose buttons are the same keys.
function helpContent() {
  const fragment = document.createDocumentFragment();
  const goal = document.createElement('p');
  goal.className = 'goal';
  goal.textContent = ui.goal;
  const layoutNote = document.createElement('p');
  layoutNote.className = 'layout-note';
  layoutNote.textContent = ui.keyLayoutNote;
  const legend = document.createElement('ul');
  legend.className = 'legend';
  for (const {colour, name, meaning} of ui.legend) {
    const item = document.createElement('li');
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = '#' + colour.toString(16).padStart(6, '0');
    item.append(swatch, `${name}: ${meaning}`);
    legend.append(item);
  }
  const table = document.createElement('table');
  for (const key of ui.keyHelp) {
    const row = table.insertRow();
    const keys = document.createElement('th');
    keys.textContent = key.keys;
    row.append(keys);
    row.insertCell().textContent = key.action;
  }
  fragment.append(goal, legend, table, layoutNote);
  return fragment;
}

function writeHelp() {
  document.getElementById('help').append(helpContent());
  const more = document.createElement('details');
  more.className = 'help';
  const summary = document.createElement('summary');
  summary.textContent = ui.touch.helpSummary;
  const swipes = document.createElement('p');
  swipes.textContent = ui.touch.helpNote;
  more.append(summary, swipes, helpContent());
  document.getElementById('menu').append(more);
}

// ---- Faults ------------------------------------------------------------------------------------

addEventListener('error', (event) => {
  fail(`Vennaloop stopped: ${event.message}. Reload the page to play again.`);
});
addEventListener('unhandledrejection', (event) => {
  fail(`Vennaloop stopped: ${event.reason}. Reload the page to play again.`);
});

start().catch((e) => fail(`Vennaloop could not start: ${e.message || e}. Reload the page.`));
