// page_test.mjs: the page in a real browser (headless Chromium or Firefox ESR, as
// VENNALOOP_BROWSER says): it starts clean, shows the title and grows the maze, takes the game's
// keys and leaves the browser its own, runs the three dialogs and the stage flow, draws exactly
// what the core draws through play, resizes and pixel ratios, plays by touch on a phone, fits a
// small screen, starts offline after one visit, and says so when it cannot run. VENNALOOP_SITE
// names the built site, VENNALOOP_TEST_CORE the core's test build served in its core's place
// (browser.mjs); the page as shipped, without it, plays too and carries none of it.
import assert from 'node:assert/strict';
import {cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {after, before, describe, it} from 'node:test';
import {createRequire} from 'node:module';
import {pathToFileURL} from 'node:url';

import {serveSite, stopServing} from '../serve.mjs';
import {writeServiceWorker} from '../write_worker.mjs';
import {CAN, ENGINE, TEST_CORE, openBrowser, openPage, state, waitForGame} from './browser.mjs';

const SITE = process.env.VENNALOOP_SITE;
if (!SITE) throw new Error('VENNALOOP_SITE must name the built site');

let session;
before(async () => {
  session = await openBrowser(SITE);
});
after(async () => {
  await session?.close();
});

async function startGame(options) {
  const opened = await openPage(session, options);
  await opened.page.goto(session.url);
  await waitForGame(opened.page);
  return opened;
}

function waitFor(page, predicate, arg) {
  return page.waitForFunction(predicate, {polling: 'raf', timeout: 15000}, arg);
}

// Past the title, as a player who waited for it would be.
async function pastTitle(page) {
  await waitFor(page, () => globalThis.vennaloop.state().elapsedCycles > 0);
}

async function press(page, code, {shift = false, ctrl = false} = {}) {
  if (shift) await page.keyboard.down('Shift');
  if (ctrl) await page.keyboard.down('Control');
  await page.keyboard.press(code);
  // The game reads the modifiers when the key's tick runs: hold them until it has.
  await nextTicks(page, 2);
  if (ctrl) await page.keyboard.up('Control');
  if (shift) await page.keyboard.up('Shift');
}

// Waits until the game has played `count` more ticks.
async function nextTicks(page, count) {
  const start = await page.evaluate(() => globalThis.vennaloop.state().titleTicks);
  await waitFor(page, ([from, n]) => globalThis.vennaloop.state().titleTicks >= from + n,
                [start, count]);
}

// Holds the canvas against the core's own rendering of the same cell map at the same zoom.
function compareWithCore(page) {
  return page.evaluate(() => {
    const {core} = globalThis.vennaloop;
    const canvas = document.getElementById('maze');
    const {width, height} = canvas;
    const pixels = canvas.getContext('2d').getImageData(0, 0, width, height).data;
    const zoom = globalThis.vennaloop.state().zoom;
    const pointer = core._vl_reference_render(width, height, zoom, devicePixelRatio);
    const reference = core.HEAPU32.subarray(pointer >> 2, (pointer >> 2) + width * height);
    const bytes = core.HEAPU8.subarray(pointer, pointer + 4 * width * height);
    const uncovered = core._vl_uncovered_pixel();
    let mismatches = 0, first = null, covered = 0, stale = 0;
    for (let i = 0; i < width * height; ++i) {
      const value = reference[i];
      if (value === uncovered) {
        // No cell there: the page's own frames keep it black, so no old cell lingers.
        stale += pixels[4 * i] + pixels[4 * i + 1] + pixels[4 * i + 2] !== 0 ||
                 pixels[4 * i + 3] !== 255;
        continue;
      }
      ++covered;
      // The reference is in the canvas's byte order: red, green, blue, alpha.
      if (pixels[4 * i] !== bytes[4 * i] || pixels[4 * i + 1] !== bytes[4 * i + 1] ||
          pixels[4 * i + 2] !== bytes[4 * i + 2]) {
        if (!first) first = {x: i % width, y: Math.floor(i / width), want: value.toString(16)};
        ++mismatches;
      }
    }
    const colours = new Set(reference).size;
    return {width, height, zoom, mismatches, first, colours, covered, stale};
  });
}

function openDialog(page) {
  return page.evaluate(() => {
    const dialog = document.querySelector('dialog[open]');
    if (!dialog) return null;
    return {
      name: dialog.dataset.name,
      caption: dialog.querySelector('.caption span').textContent,
      fields: [...dialog.querySelectorAll('input')].map((input) => input.value),
      labels: [...dialog.querySelectorAll('.label')].map((label) => label.textContent),
      focused: document.activeElement?.textContent || document.activeElement?.tagName,
    };
  });
}

async function waitForDialog(page, name) {
  await waitFor(page, (n) => document.querySelector('dialog[open]')?.dataset.name === n, name);
  return openDialog(page);
}

// Gives the page windowRectOf(element): its box in the window's CSS pixels. WebKit measures an
// element under CSS zoom (a shrunk dialog) in its own unzoomed pixels, the others in the window's.
async function measureInWindowPixels(page) {
  await page.evaluate(() => {
    if (globalThis.windowRectOf) return;
    const probe = document.createElement('div');
    probe.style.cssText = 'position: absolute; zoom: 0.5; width: 100px';
    document.body.append(probe);
    const unzoomed = probe.getBoundingClientRect().width === 100;
    probe.remove();
    globalThis.windowRectOf = (element) => {
      let scale = 1;
      for (let at = element; unzoomed && at; at = at.parentElement) {
        scale *= Number(getComputedStyle(at).zoom) || 1;
      }
      const {left, top, width, height} = element.getBoundingClientRect();
      return {left: left * scale, top: top * scale, width: width * scale, height: height * scale,
              right: (left + width) * scale, bottom: (top + height) * scale};
    };
  });
}

// The open dialog as a reader and a finger meet it: every text that is one line on the desktop
// (labels, buttons, the caption) set on one line, from its line boxes, and clear of the other
// controls; every field showing its whole text; and every button, the close box too, taking a
// finger anywhere in a 24 x 24 CSS pixel square about its centre, moved inside the dialog where
// the button lies at its edge.
async function assertDialogLaidOut(page, what) {
  await measureInWindowPixels(page);
  const found = await page.evaluate(() => {
    const dialog = document.querySelector('dialog[open]');
    const controls = [...dialog.querySelectorAll('.client > *')];
    const overlaps = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 &&
                               a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
    const faults = [];
    for (const element of [dialog.querySelector('.caption span'),
                           ...dialog.querySelectorAll('.label, button.push')]) {
      const range = document.createRange();
      range.selectNodeContents(element);
      const lines = new Set([...range.getClientRects()].filter((box) => box.width > 0)
                                .map((box) => Math.round(box.top)));
      const text = range.getBoundingClientRect();
      if (lines.size !== 1) faults.push(`"${element.textContent}" is set on ${lines.size} lines`);
      const hit = controls.find((other) => other !== element &&
                                           overlaps(text, other.getBoundingClientRect()));
      if (hit) faults.push(`"${element.textContent}" runs into ${hit.id}`);
      if (element.scrollWidth > element.clientWidth + 1 && element.tagName === 'SPAN') {
        faults.push(`the caption "${element.textContent}" is cut off`);
      }
    }
    for (const field of dialog.querySelectorAll('input')) {
      if (field.scrollWidth > field.clientWidth + 1) faults.push(`"${field.value}" overflows its field`);
    }
    // Inside the dialog's edge, which is no button's; in the window's pixels, as fingers are.
    const frame = globalThis.windowRectOf(dialog);
    const zoom = frame.width / dialog.offsetWidth;
    const inner = {left: frame.left + dialog.clientLeft * zoom, top: frame.top + dialog.clientTop * zoom};
    inner.right = inner.left + dialog.clientWidth * zoom;
    inner.bottom = inner.top + dialog.clientHeight * zoom;
    const within = (from, low, high) => Math.min(Math.max(from, low), high - 24);
    for (const button of dialog.querySelectorAll('button')) {
      const {left, top, width, height} = globalThis.windowRectOf(button);
      const x = within(left + width / 2 - 12, inner.left, inner.right);
      const y = within(top + height / 2 - 12, inner.top, inner.bottom);
      for (const [dx, dy] of [[0.5, 0.5], [23.5, 0.5], [0.5, 23.5], [23.5, 23.5]]) {
        if (!button.contains(document.elementFromPoint(x + dx, y + dy))) {
          faults.push(`"${button.textContent}" (${width.toFixed(1)} x ${height.toFixed(1)}) ` +
                      `misses a finger at ${(x + dx - left).toFixed(1)}, ${(y + dy - top).toFixed(1)}`);
          break;
        }
      }
    }
    return faults;
  });
  assert.deepEqual(found, [], what);
}

// What axe-core finds wrong in the page as it is now, rule by rule with the elements at fault.
const AXE_SOURCE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
async function accessibilityViolations(page) {
  await page.evaluate((source) => {
    if (!globalThis.axe) (0, eval)(source);
  }, AXE_SOURCE);
  return page.evaluate(async () => {
    const {violations} = await globalThis.axe.run(document, {resultTypes: ['violations']});
    return violations.map(({id, impact, nodes}) =>
      `${impact} ${id}: ${nodes.map((node) => node.target.join(' ')).join(', ')}`);
  });
}

async function waitForNoDialog(page) {
  await waitFor(page, () => !document.querySelector('dialog[open]'));
}

describe(`the page in ${ENGINE}`, () => {
  it('loads with no console errors, shows the title, then grows the maze', async () => {
    const {page, errors} = await startGame();
    const early = await state(page);
    assert.ok(early.titleTicks < 59, `the title phase is still on (tick ${early.titleTicks})`);
    const title = await page.evaluate(() => {
      const canvas = document.getElementById('title');
      const item = globalThis.vennaloop.ui.title.items[1];  // the big red name
      const data = canvas.getContext('2d').getImageData(
          item.left, item.top, item.right - item.left, item.bottom - item.top).data;
      let red = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i + 3] === 255 && data[i] === 255 && data[i + 1] === 0) ++red;
      }
      return {hidden: canvas.parentElement.hidden, red};
    });
    assert.equal(title.hidden, false);
    assert.ok(title.red > 1000, `the name is written in red (${title.red} pixels)`);

    await pastTitle(page);
    assert.equal(await page.evaluate(() => document.getElementById('title-layer').hidden), true);
    const openCells = () => page.evaluate(() => {
      const canvas = document.getElementById('maze');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let black = 0;
      for (let i = 0; i < data.length; i += 4) black += data[i] + data[i + 1] + data[i + 2] === 0;
      return black;
    });
    const first = await openCells();
    await nextTicks(page, 20);
    const later = await openCells();
    assert.ok(later > first, `the maze grows (${first} then ${later} open pixels)`);
    assert.equal(await page.evaluate(() => document.getElementById('status').textContent), '');
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('finishes the maze on S, and zooms on 1, 2 and 3 exactly as the core draws', async () => {
    const {page, errors} = await startGame();
    await pastTitle(page);
    await press(page, 'KeyS');
    await waitFor(page, () => globalThis.vennaloop.state().mazeFinished);
    for (const zoom of [3, 2, 1]) {
      await press(page, `Digit${zoom}`);
      await waitFor(page, (z) => globalThis.vennaloop.state().zoom === z, zoom);
      await nextTicks(page, 1);
      const result = await compareWithCore(page);
      assert.equal(result.zoom, zoom);
      assert.equal(result.mismatches, 0, JSON.stringify(result.first));
      assert.ok(result.colours >= 3, 'walls, open cells and walkers are all drawn');
      // Cells cover all but at most two columns and two rows.
      assert.ok(result.covered >= (result.width - 2) * (result.height - 2));
    }
    // Zoom 3 draws each cell as a 3 x 3 block: the centre cell's block is one colour.
    await press(page, 'Digit3');
    await nextTicks(page, 1);
    const block = await page.evaluate(() => {
      const canvas = document.getElementById('maze');
      const left = Math.floor(canvas.width / 2) - 1, top = Math.floor(canvas.height / 2) - 1;
      const data = canvas.getContext('2d').getImageData(left, top, 3, 3).data;
      return new Set(Array.from({length: 9}, (_, i) => data.slice(4 * i, 4 * i + 3).join())).size;
    });
    assert.equal(block, 1);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('takes the walking keys, and the speed keys with Shift, Ctrl and their stand-ins', async () => {
    const {page} = await startGame();
    await pastTitle(page);
    const modes = [['KeyF', 2], ['KeyW', 3], ['KeyN', 1], ['KeyR', 0], ['ArrowUp', 1]];
    for (const [code, mode] of modes) {
      await press(page, code);
      assert.equal((await state(page)).moveMode, mode, code);
    }
    const speeds = [
      [{code: 'Digit2', shift: true}, 20],
      [{code: 'Digit1', ctrl: true}, 100],  // headless Chromium lets Ctrl+digit through
      [{code: 'Digit3', shift: true, ctrl: true}, 3],
      [{code: 'Digit8'}, 200],  // the stand-in for Ctrl+2
      [{code: 'Digit7', shift: true}, 1],  // the stand-in with Shift: Ctrl+Shift+1
      [{code: 'Digit9'}, 300],
    ];
    for (const [key, period] of speeds) {
      await press(page, key.code, key);
      assert.equal((await state(page)).timerPeriod, period, JSON.stringify(key));
      assert.equal((await state(page)).zoom, 1, 'a speed key leaves the zoom');
    }
    // Ctrl+V is the window's: it opens nothing, while V does.
    await press(page, 'KeyV', {ctrl: true});
    assert.equal(await openDialog(page), null);
    await page.close();
  });

  it('takes only the game\'s chords and leaves the browser its shortcuts', async () => {
    const {page, errors} = await startGame();
    await pastTitle(page);
    // A listener after the page's sees whether the page took the key, then keeps the browser
    // from acting on it, so the test's page is not reloaded or searched.
    await page.evaluate(() => {
      globalThis.taken = [];
      addEventListener('keydown', (event) => {
        if (!/^(Shift|Control|Alt|Meta)/.test(event.code)) {
          globalThis.taken.push([event.code, event.ctrlKey, event.defaultPrevented]);
        }
        event.preventDefault();
      });
    });
    await press(page, 'KeyW');
    for (const code of ['KeyR', 'KeyF', 'KeyS', 'KeyN', 'KeyA']) await press(page, code, {ctrl: true});
    await press(page, 'Digit2', {ctrl: true});
    for (const modifier of ['Alt', 'Meta']) {
      await page.keyboard.down(modifier);
      await page.keyboard.press('KeyN');
      await page.keyboard.up(modifier);
    }
    await nextTicks(page, 2);
    const taken = await page.evaluate(() => globalThis.taken);
    assert.deepEqual(taken, [
      ['KeyW', false, true], ['KeyR', true, false], ['KeyF', true, false], ['KeyS', true, false],
      ['KeyN', true, false], ['KeyA', true, false], ['Digit2', true, true], ['KeyN', false, false],
      ['KeyN', false, false],
    ]);
    const after = await state(page);
    assert.equal(after.moveMode, 3, 'the explorer still walks');
    assert.equal(after.mazeFinished, false);
    assert.equal(after.timerPeriod, 200);
    assert.equal(await openDialog(page), null);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('reads a letter by the key\'s label and a digit by its place, on AZERTY and Dvorak',
     async () => {
    const {page, errors} = await startGame();
    await pastTitle(page);
    await page.evaluate(() => globalThis.vennaloop.pause(true));
    // [code, key, Shift, the game key it is, or null for none], as the two layouts send them.
    const presses = [
      // AZERTY
      ['KeyQ', 'a', false, 'KeyA'], ['KeyZ', 'w', false, 'KeyW'], ['KeyW', 'z', false, null],
      ['KeyA', 'q', false, null], ['KeyQ', 'A', true, 'KeyA'], ['Digit2', 'é', false, 'Digit2'],
      ['Digit1', '&', false, 'Digit1'], ['Digit3', '3', true, 'Digit3'],
      // Dvorak
      ['Semicolon', 's', false, 'KeyS'], ['KeyS', 'o', false, null], ['Comma', 'w', false, 'KeyW'],
      ['Period', 'v', false, 'KeyV'], ['KeyV', 'k', false, null], ['KeyF', 'u', false, null],
      ['KeyY', 'f', false, 'KeyF'], ['KeyO', 'r', false, 'KeyR'], ['KeyL', 'n', false, 'KeyN'],
    ];
    const results = await page.evaluate((cases) => {
      const {ui, state} = globalThis.vennaloop;
      const gameKey = (name) => ui.keys.find((binding) => binding.name === name).gameKey;
      const send = (code, key, shiftKey) => !window.dispatchEvent(
          new KeyboardEvent('keydown', {code, key, shiftKey, bubbles: true, cancelable: true}));
      return cases.map(([code, key, shift, wanted]) => {
        send('ArrowUp', 'ArrowUp', false);  // a known key first, so "none" shows as it staying
        const taken = send(code, key, shift);
        const read = state().pendingKey;
        return [code, key, taken, read === gameKey(wanted ?? 'ArrowUp') && taken === !!wanted];
      });
    }, presses);
    assert.deepEqual(results.filter((result) => !result[3]), []);
    await page.evaluate(() => globalThis.vennaloop.pause(false));
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('opens the about box on V and the profile on A, frozen while they are up', async () => {
    const {page, errors} = await startGame();
    const ui = await page.evaluate(() => globalThis.vennaloop.ui);
    await pastTitle(page);
    await page.keyboard.press('KeyV');
    const about = await waitForDialog(page, 'about');
    assert.equal(about.caption, ui.dialogs.about.caption);
    assert.deepEqual(about.labels, [ui.aboutVersionLine, ui.copyright]);
    assert.equal(about.focused, 'OK');
    await assertDialogLaidOut(page, 'about');
    const frozen = (await state(page)).titleTicks;
    await new Promise((done) => setTimeout(done, 300));
    assert.equal((await state(page)).titleTicks, frozen, 'no tick while a dialog is up');
    await page.keyboard.press('Escape');
    await waitForNoDialog(page);
    await nextTicks(page, 2);

    await page.keyboard.press('KeyA');
    const author = await waitForDialog(page, 'author');
    assert.equal(author.caption, ui.dialogs.author.caption);
    assert.equal(author.focused, 'OK', 'the profile opens with the focus on OK');
    await assertDialogLaidOut(page, 'author');
    const box = await page.evaluate(() => {
      const text = document.querySelector('dialog[open] textarea');
      text.scrollTop = 400;
      return {value: text.value, readOnly: text.readOnly, scrolled: text.scrollTop,
              overflow: text.scrollHeight > text.clientHeight};
    });
    assert.equal(box.value, ui.authorProfile);
    assert.ok(box.readOnly && box.overflow && box.scrolled > 0, 'read-only and scrollable');
    await page.keyboard.press('Enter');
    await waitForNoDialog(page);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('gives up on Esc; Esc returns to the stage, Enter starts the next one', async () => {
    const {page, errors} = await startGame();
    const ui = await page.evaluate(() => globalThis.vennaloop.ui);
    await pastTitle(page);
    await nextTicks(page, 5);
    await page.keyboard.press('Escape');
    const result = await waitForDialog(page, 'stageResult');
    const before = await state(page);
    assert.equal(result.caption, 'Go To Next Stage');
    assert.deepEqual(result.fields, [
      ui.stageMessages[1][0], ui.stageMessages[1][1], String(before.elapsedCycles), '0',
      String(before.hitPoints), '30',
    ]);
    assert.deepEqual(result.labels,
                     ['Elapsed Cycle:', 'Skipped Cycle:', 'Current HP:', 'NextStageAliens:']);
    assert.deepEqual(result.fields.slice(0, 2),
                     ['あきらめるな。まだまだだ！', 'Neverrrr, Give Up! Go To Next.']);
    assert.equal(before.dialogOpen, true);
    await assertDialogLaidOut(page, 'stageResult');

    await page.keyboard.press('Escape');
    await waitForNoDialog(page);
    await nextTicks(page, 3);
    const back = await state(page);
    assert.ok(back.elapsedCycles > before.elapsedCycles, 'the same stage goes on');

    await page.keyboard.press('Escape');
    await waitForDialog(page, 'stageResult');
    // No tick may run between the answer and the look at it.
    await page.evaluate(() => globalThis.vennaloop.pause(true));
    await page.keyboard.press('Enter');
    await waitForNoDialog(page);
    const next = await state(page);
    await page.evaluate(() => globalThis.vennaloop.pause(false));
    assert.equal(next.elapsedCycles, 0, 'a new stage');
    assert.equal(next.timerPeriod, 16);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('tells the goal, the colours the maze draws and every key, in the panel and the menu',
     async () => {
    const {page, errors} = await startGame();
    await pastTitle(page);
    await press(page, 'KeyS');  // the whole maze, with the goal and every alien on it
    await nextTicks(page, 2);
    const help = await page.evaluate(() => {
      const canvas = document.getElementById('maze');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      const drawn = new Set();
      for (let i = 0; i < data.length; i += 4) drawn.add(`rgb(${data[i]}, ${data[i + 1]}, ${data[i + 2]})`);
      const of = (selector) => {
        const panel = document.querySelector(selector);
        return {
          goal: panel.querySelector('.goal').textContent,
          swatches: [...panel.querySelectorAll('.swatch')].map((s) => getComputedStyle(s).backgroundColor),
          keys: [...panel.querySelectorAll('tr')].map((row) => row.cells[0].textContent),
          layout: panel.querySelector('.layout-note').textContent,
        };
      };
      return {drawn: [...drawn].sort(), panel: of('#help'), menu: of('#menu .help')};
    });
    const ui = await page.evaluate(() => globalThis.vennaloop.ui);
    assert.deepEqual(help.menu, help.panel);
    assert.equal(help.panel.goal, ui.goal);
    assert.deepEqual(help.panel.keys, ui.keyHelp.map((key) => key.keys));
    assert.equal(help.panel.layout, ui.keyLayoutNote);
    // The legend names every colour on the maze, and no other.
    assert.deepEqual([...help.panel.swatches].sort(), help.drawn);
    assert.equal(help.drawn.length, 5);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('is installable: its manifest names it, its icons load at every size, it shows standalone', async () => {
    const {page, errors} = await startGame();
    const manifest = await page.evaluate(async () => {
      const link = document.querySelector('link[rel=manifest]');
      const json = await (await fetch(link.href)).json();
      // Each icon as the browser decodes it: its pixel size.
      for (const icon of json.icons) {
        const image = new Image();
        image.src = new URL(icon.src, link.href).href;
        await image.decode();
        icon.decoded = `${image.naturalWidth}x${image.naturalHeight}`;
      }
      return json;
    });
    assert.equal(manifest.name, 'Vennaloop');
    assert.equal(manifest.display, 'standalone');
    assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/);
    // The sizes launchers ask for, plain and maskable; every one decodes at its stated size.
    for (const [sizes, purpose] of [['192x192', undefined], ['512x512', undefined],
                                    ['192x192', 'maskable'], ['512x512', 'maskable']]) {
      assert.ok(manifest.icons.some((icon) => icon.sizes === sizes && icon.purpose === purpose),
                `${sizes} ${purpose || 'any'}`);
    }
    for (const icon of manifest.icons) {
      if (icon.sizes !== 'any') assert.equal(icon.decoded, icon.sizes, icon.src);
    }
    // What a search result and a shared link show of the page.
    const description = await page.$eval('meta[name=description]', (meta) => meta.content);
    assert.ok(description.length > 50, description);
    if (CAN.devTools) {
      const devTools = await page.createCDPSession();
      const {installabilityErrors} = await devTools.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors, []);
    }
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('makes up a few ticks at most after the page was blocked', async () => {
    const {page} = await startGame();
    await pastTitle(page);
    const cycles = await page.evaluate(async () => {
      const {state} = globalThis.vennaloop;
      const frame = () => new Promise((done) => requestAnimationFrame(done));
      await frame();
      const before = state().elapsedCycles;
      const start = performance.now();
      while (performance.now() - start < 1000) {}  // a page blocked for a second
      await frame();
      return state().elapsedCycles - before;
    });
    // A second at 16 ms would owe 62 ticks; a frame's share and two more are made up, a frame
    // being taken as slow as a busy machine makes it.
    assert.ok(cycles >= 1 && cycles <= 8, `${cycles} ticks after the block`);
    await page.close();
  });

  it('draws what the core draws through random play, resizes and zooms at ratios 1 to 3',
     async () => {
    const seed = Number(process.env.VENNALOOP_SEED || Date.now() % 100000);
    console.log(`random play seed ${seed} (VENNALOOP_SEED replays it)`);
    let random = seed;
    const next = (n) => {
      random = (random * 1103515245 + 12345) % 2147483648;
      return Math.floor(random / 2147483648 * n);
    };
    const {page, errors} = await startGame({width: 700, height: 500});
    await pastTitle(page);
    const keys = ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', ' ', 'KeyN', 'KeyF',
                  'KeyW', 'KeyR', 'Digit1', 'Digit2', 'Digit3'];
    const ratios = new Set();
    for (let step = 0; step < 14; ++step) {
      // Every other step a new size or pixel ratio; keys in between, the maze growing all along.
      if (step % 2 === 0) {
        // An engine that keeps the page's ratio and a least width plays at those.
        const [width, height] = [Math.max(240 + next(480), CAN.minWidth), 200 + next(320)];
        const ratio = CAN.ratioChange ? 1 + (step / 2) % 3 : 1;
        ratios.add(ratio);
        await page.setViewport({width, height, deviceScaleFactor: ratio});
        // The view has a 2 pixel edge on each side; the picture lies within it.
        const want = [(width - 4) * ratio, (height - 4) * ratio];
        await waitFor(page, ([w, h]) => {
          const canvas = document.getElementById('maze');
          return canvas.width === w && canvas.height === h;
        }, want);
      }
      await press(page, keys[next(keys.length)]);
      await nextTicks(page, 1 + next(6));
      const result = await compareWithCore(page);
      const label = `seed ${seed} step ${step}: ${result.width}x${result.height} zoom ${result.zoom}`;
      assert.equal(result.mismatches, 0, `${label}: ${JSON.stringify(result.first)}`);
      assert.equal(result.stale, 0, label);
      assert.ok(result.covered >= (result.width - 12) * (result.height - 12), label);
    }
    assert.equal(ratios.size, CAN.ratioChange ? 3 : 1);
    assert.deepEqual(errors, []);
    await page.close();
  });
});

describe(`the page in ${ENGINE} on a phone`, () => {
  // The page's own picture of itself: where things are, in CSS pixels, and what moved.
  const layout = async (page) => {
    await measureInWindowPixels(page);
    return page.evaluate(() => {
      const box = (selector) => {
        const element = document.querySelector(selector);
        if (!element || getComputedStyle(element).display === 'none') return null;
        const {left, top, right, bottom} = globalThis.windowRectOf(element);
        return {left, top, right, bottom};
      };
      return {
        view: box('#view'), controls: box('#controls'), dialog: box('dialog[open]'),
        help: box('#help'), window: {left: 0, top: 0, right: innerWidth, bottom: innerHeight},
        scrolled: [scrollX, scrollY], scale: visualViewport.scale, url: location.href,
        history: history.length, sameDocument: globalThis.marker === true,
      };
    });
  };
  const inside = (box, outer) => box.left >= outer.left && box.top >= outer.top &&
                                 box.right <= outer.right && box.bottom <= outer.bottom;
  const tap = (page, chord) => page.tap(`button[data-chord="${chord}"]`);

  // A finger drawn across the middle of `box` (the view's by default).
  async function swipe(page, [dx, dy], box = null) {
    const {view} = await layout(page);
    const {left, top, right, bottom} =
        box ? {left: box.x, top: box.y, right: box.x + box.width, bottom: box.y + box.height} : view;
    const x = (left + right) / 2, y = (top + bottom) / 2;
    await page.touchscreen.touchStart(x, y);
    for (let step = 1; step <= 4; ++step) await page.touchscreen.touchMove(x + dx * step / 4, y + dy * step / 4);
    await page.touchscreen.touchEnd();
  }
  const SWIPES = {ArrowRight: [120, 10], ArrowLeft: [-120, -10], ArrowDown: [10, 120],
                  ArrowUp: [-10, -120]};

  const noTouch = !CAN.touch && 'the engine\'s driver dispatches no touch';

  it('plays by touch: swipes are arrows, the bar and its menu press the rest', {skip: noTouch},
     async () => {
    const {page, errors} = await openPage(session, {width: 390, height: 844, ratio: 3, touch: true});
    await page.goto(session.url);
    await waitForGame(page);
    await page.evaluate(() => { globalThis.marker = true; });
    const ui = await page.evaluate(() => globalThis.vennaloop.ui);
    if (CAN.touchScreen) {
      assert.ok((await layout(page)).controls, 'a touch screen shows the controls at once');
    } else {
      assert.equal((await layout(page)).controls, null);
      await page.touchscreen.tap(100, 100);  // a tap on the maze does nothing but show them
    }
    await pastTitle(page);
    const start = await layout(page);
    assert.ok(start.controls && start.view.bottom <= start.controls.top, 'the bar is under the view');
    // The bar shows the interface data's buttons, each its label and its caption or its group's.
    const bar = await page.$$eval('#controls button', (buttons) => buttons.map((b) =>
      b.textContent + (b.closest('.group')?.querySelector(':scope > small').textContent ?? '')));
    assert.deepEqual(bar, [...ui.touch.bar, ui.touch.menuButton].map((b) => b.label + b.caption));
    assert.equal(start.controls.bottom, start.window.bottom);
    // On either phone every caption is 12 px or more and whole, and every button a finger wide.
    for (const [width, height] of [[360, 640], [390, 844]]) {
      await page.setViewport({width, height, deviceScaleFactor: 3, hasTouch: true, isMobile: true});
      await waitFor(page, (w) => innerWidth === w, width);
      const faults = await page.evaluate(() => {
        const found = [];
        for (const caption of document.querySelectorAll('#controls small')) {
          const size = parseFloat(getComputedStyle(caption).fontSize);
          if (size < 12) found.push(`"${caption.textContent}" is ${size} px`);
          if (caption.scrollWidth > caption.clientWidth) found.push(`"${caption.textContent}" is cut`);
        }
        for (const button of document.querySelectorAll('#controls button')) {
          const {width, height, right} = button.getBoundingClientRect();
          if (width < 24 || height < 24 || right > innerWidth) {
            found.push(`${button.textContent}: ${width.toFixed(1)} x ${height.toFixed(1)}`);
          }
        }
        return found;
      });
      assert.deepEqual(faults, [], `the bar at ${width} x ${height}`);
    }

    await tap(page, 's');
    await waitFor(page, () => globalThis.vennaloop.state().mazeFinished);
    // At zoom 1 a cell is 3 x 3 device pixels: every run of one colour along a row of the canvas
    // is a whole number of cells, and the canvas is the core's picture.
    const centreRow = await page.evaluate(() => {
      const canvas = document.getElementById('maze');
      const y = Math.floor(canvas.height / 2);
      const row = canvas.getContext('2d').getImageData(0, y, canvas.width, 1).data;
      const runs = [];
      for (let x = 0, run = 1; x < canvas.width; ++x, ++run) {
        const same = x + 1 < canvas.width && row.slice(4 * x, 4 * x + 3).join() ===
                                              row.slice(4 * x + 4, 4 * x + 7).join();
        if (!same) runs.push(run), run = 0;
      }
      return {width: canvas.width, runs};
    });
    assert.equal(centreRow.width, (390 - 4) * 3);
    // Runs inside the row (the first and last may be cut by the view's edge).
    const inner = centreRow.runs.slice(1, -1);
    assert.ok(inner.length > 20 && inner.every((run) => run % 3 === 0),
              JSON.stringify(inner.slice(0, 30)));
    const picture = await compareWithCore(page);
    assert.equal(picture.mismatches, 0, JSON.stringify(picture.first));
    // Each swipe leaves its arrow for the next tick, as the key would.
    await page.evaluate(() => globalThis.vennaloop.pause(true));
    for (const [code, move] of Object.entries(SWIPES)) {
      await swipe(page, move);
      const key = ui.keys.find((binding) => binding.name === code).gameKey;
      assert.equal((await state(page)).pendingKey, key, code);
    }
    await page.evaluate(() => globalThis.vennaloop.pause(false));
    const cells = new Set([(await state(page)).playerCell]);
    for (const move of Object.values(SWIPES)) {
      await swipe(page, move);
      await nextTicks(page, 3);
      cells.add((await state(page)).playerCell);
    }
    assert.ok(cells.size > 1, 'the player ran along a corridor');

    // Nothing scrolled, zoomed or left the page. (Neither headless engine carries out a pinch
    // or an edge swipe's navigation, so those rest on the page's touch-action and
    // overscroll-behavior.)
    const after = await layout(page);
    assert.deepEqual([after.scrolled, after.scale, after.url, after.history, after.sameDocument],
                     [[0, 0], 1, start.url, start.history, true]);

    // The bar and the menu press what the keyboard would.
    const pressed = [
      ['w', (s) => s.moveMode === 3], ['2', (s) => s.zoom === 2],
      ['Shift+2', (s) => s.timerPeriod === 20], ['Ctrl+3', (s) => s.timerPeriod === 300],
      ['Ctrl+Shift+1', (s) => s.timerPeriod === 1], ['r', (s) => s.moveMode === 0],
    ];
    for (const [chord, done] of pressed) {
      if (chord.includes('+')) await tap(page, '');  // the menu
      await tap(page, chord);
      await waitFor(page, (source) => (0, eval)(source)(globalThis.vennaloop.state()),
                    done.toString());
      assert.equal((await layout(page)).controls !== null, true);
    }
    for (const [chord, name] of [['v', 'about'], ['a', 'author'], ['Escape', 'stageResult']]) {
      await tap(page, '');
      await tap(page, chord);
      await waitForDialog(page, name);
      const shown = await layout(page);
      assert.ok(inside(shown.dialog, shown.window), `${name}: ${JSON.stringify(shown.dialog)}`);
      await assertDialogLaidOut(page, `${name} at 390 x 844`);
      // The profile's text still scrolls under a finger (Firefox scrolls nothing by a
      // dispatched touch).
      if (name === 'author' && CAN.touchScreen) {
        const text = await (await page.$('dialog[open] textarea')).boundingBox();
        await swipe(page, [0, -text.height * 0.6], text);
        // Until the fling is over: a tap during one only stops it.
        const scrolled = () => page.$eval('dialog[open] textarea', (area) => area.scrollTop);
        for (let last = -1, now = await scrolled(); now !== last; now = await scrolled()) {
          last = now;
          await new Promise((done) => setTimeout(done, 150));
        }
        assert.ok(await scrolled() > 0);
      }
      await page.tap('dialog[open] button.push');
      await waitForNoDialog(page);
    }
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('never misfires: two fingers move nobody, and a drag off a button presses nothing',
     {skip: noTouch}, async () => {
    const {page, errors} = await openPage(session, {width: 390, height: 844, ratio: 3, touch: true});
    await page.goto(session.url);
    await waitForGame(page);
    if (!CAN.touchScreen) await page.touchscreen.tap(100, 100);  // shows the controls
    await pastTitle(page);
    await page.evaluate(() => globalThis.vennaloop.pause(true));
    const {view} = await layout(page);
    const x = (view.left + view.right) / 2, y = (view.top + view.bottom) / 2;
    // A pinch, as the browser reports two fingers: the second comes down while the first moves.
    const pinch = ([x1, y1], [x2, y2]) => page.evaluate((a, b, from) => {
      const maze = document.getElementById('maze');
      const send = (type, id, primary, [px, py]) => maze.dispatchEvent(new PointerEvent(type, {
        bubbles: true, pointerId: id, pointerType: 'touch', isPrimary: primary, clientX: px,
        clientY: py}));
      send('pointerdown', 11, true, from[0]);
      send('pointerdown', 12, false, from[1]);
      send('pointermove', 11, true, a);
      send('pointermove', 12, false, b);
      send('pointerup', 12, false, b);
      send('pointerup', 11, true, a);
    }, [x1, y1], [x2, y2], [[x, y - 20], [x, y + 20]]);
    const cases = [
      ['a pinch open', () => pinch([x, y - 200], [x, y + 200])],
      ['a pinch closed', () => pinch([x - 5, y - 2], [x + 5, y + 2])],
      ['a drag from S up into the maze', async () => {
        const s = await page.$eval('button[data-chord="s"]', (b) => {
          const r = b.getBoundingClientRect();
          return {x: r.left + r.width / 2, y: r.top + r.height / 2};
        });
        await page.touchscreen.touchStart(s.x, s.y);
        for (let step = 1; step <= 4; ++step) await page.touchscreen.touchMove(s.x, s.y - 50 * step);
        await page.touchscreen.touchEnd();
      }],
    ];
    const before = await state(page);
    for (const [what, act] of cases) {
      await act();
      const now = await state(page);
      assert.equal(now.pendingKey, 0, `${what} pressed a key`);
      assert.equal(now.mazeFinished, before.mazeFinished, `${what} finished the maze`);
    }
    // A swipe alone still counts.
    await swipe(page, SWIPES.ArrowUp);
    assert.notEqual((await state(page)).pendingKey, 0, 'a one-finger swipe is an arrow');
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('gives axe-core nothing to report: at rest, the Keys, each dialog, the touch menu', async () => {
    const {page, errors} = await startGame();
    await pastTitle(page);
    const found = {};
    found['at rest'] = await accessibilityViolations(page);
    await page.evaluate(() => { document.getElementById('help').open = true; });
    found['the Keys'] = await accessibilityViolations(page);
    await page.evaluate(() => { document.getElementById('help').open = false; });
    for (const [code, name] of [['KeyV', 'about'], ['KeyA', 'author'], ['Escape', 'stageResult']]) {
      await page.keyboard.press(code);
      await waitForDialog(page, name);
      found[name] = await accessibilityViolations(page);
      await page.keyboard.press('Enter');
      await waitForNoDialog(page);
    }
    await page.close();

    // The touch menu as a finger opens it; dispatched, as not every engine's driver can touch.
    const phone = await openPage(session, {width: 390, height: 844, ratio: 2, touch: CAN.touch});
    await phone.page.goto(session.url);
    await waitForGame(phone.page);
    await pastTitle(phone.page);
    await phone.page.evaluate(() => {
      const maze = document.getElementById('maze');
      for (const type of ['pointerdown', 'pointerup']) {
        maze.dispatchEvent(new PointerEvent(type, {bubbles: true, pointerType: 'touch', isPrimary: true}));
      }
      document.getElementById('more').click();
    });
    await waitFor(phone.page, () => !document.getElementById('menu').hidden);
    found['the touch menu'] = await accessibilityViolations(phone.page);
    await phone.page.evaluate(() => { document.querySelector('#menu details').open = true; });
    found['the touch menu\'s help'] = await accessibilityViolations(phone.page);
    await phone.page.close();
    assert.deepEqual(found, Object.fromEntries(Object.keys(found).map((key) => [key, []])));
    assert.deepEqual([...errors, ...phone.errors], []);
  });

  it('fits a small screen: the title cut off as on the desktop, the dialogs, the Keys', async () => {
    const {page, errors} = await openPage(session, {width: 1280, height: 720});
    await page.goto(session.url);
    await waitForGame(page);
    await page.evaluate(() => globalThis.vennaloop.pause(true));
    // Where the title's ink lies, in CSS pixels of its layer.
    const titleInk = async () => {
      await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
      return page.evaluate(() => {
        const canvas = document.getElementById('title');
        const {width, height} = canvas;
        const data = canvas.getContext('2d').getImageData(0, 0, width, height).data;
        let left = width, right = -1, top = height, bottom = -1;
        for (let y = 0; y < height; ++y) {
          for (let x = 0; x < width; ++x) {
            if (data[4 * (y * width + x) + 3] === 0) continue;
            left = Math.min(left, x), right = Math.max(right, x);
            top = Math.min(top, y), bottom = Math.max(bottom, y);
          }
        }
        const ratio = width / canvas.clientWidth;
        return {left: left / ratio, top: top / ratio, width: (right + 1 - left) / ratio,
                height: (bottom + 1 - top) / ratio, cutRight: right === width - 1,
                inside: left > 0 && top > 0 && right < width - 1 && bottom < height - 1};
      });
    };
    const large = await titleInk();
    assert.ok(large.inside && large.width > 800, JSON.stringify(large));
    for (const [width, height, ratio] of [[360, 640, 2], [640, 360, 1]]) {
      await page.setViewport({width, height, deviceScaleFactor: CAN.ratioChange ? ratio : 1});
      await waitFor(page, (w) => document.getElementById('title').clientWidth < w, width);
      // Drawn at its layout size from the same corner, and cut off by the view's right edge.
      const small = await titleInk();
      const shown = `${width} x ${height}: ${JSON.stringify(small)} against ${JSON.stringify(large)}`;
      assert.ok(Math.abs(small.left - large.left) <= 1 && Math.abs(small.top - large.top) <= 1,
                shown);
      assert.ok(small.cutRight, shown);
    }

    await page.setViewport({width: 360, height: 640});
    await page.evaluate(() => globalThis.vennaloop.pause(false));
    await pastTitle(page);
    await page.evaluate(() => { document.getElementById('help').open = true; });
    const keys = await layout(page);
    assert.ok(keys.controls === null, 'a mouse has no touch controls');
    assert.ok(inside(keys.help, keys.window), JSON.stringify(keys.help));
    for (const [code, name] of [['KeyV', 'about'], ['KeyA', 'author'], ['Escape', 'stageResult']]) {
      await page.keyboard.press(code);
      await waitForDialog(page, name);
      const shown = await layout(page);
      assert.ok(inside(shown.dialog, shown.window), `${name}: ${JSON.stringify(shown.dialog)}`);
      await assertDialogLaidOut(page, `${name} at 360 x 640`);
      await page.keyboard.press('Enter');
      await waitForNoDialog(page);
    }
    assert.deepEqual(errors, []);
    await page.close();
  });
});

describe(`the page in ${ENGINE} as shipped`, () => {
  let url, server;
  before(async () => {
    server = await serveSite(SITE);
    url = `http://127.0.0.1:${server.address().port}/`;
  });
  after(() => stopServing(server));

  it('paints from no style sheet but its own before its faces arrive, then titles in them',
     async () => {
    // The site again, with the faces held back as a slow network would.
    const HELD_MS = 1500;
    const slow = createServer(async (request, response) => {
      if (request.url.endsWith('.woff2')) await new Promise((done) => setTimeout(done, HELD_MS));
      try {
        const answer = await fetch(new URL(request.url, url));
        response.writeHead(answer.status, Object.fromEntries(answer.headers));
        response.end(Buffer.from(await answer.arrayBuffer()));
      } catch {
        response.destroy();  // the page went while the answer was on its way
      }
    });
    await new Promise((done) => slow.listen(0, '127.0.0.1', done));
    const {page, errors} = await openPage(session);
    try {
      await page.goto(`http://127.0.0.1:${slow.address().port}/`);
      await page.waitForFunction(() => !document.getElementById('title-layer').hidden,
                                 {timeout: 20000});
      const seen = await page.evaluate(() => ({
        painted: performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
        faces: Math.min(...performance.getEntriesByType('resource')
                                .filter((entry) => entry.name.endsWith('.woff2'))
                                .map((entry) => entry.responseEnd)),
        linked: [...document.styleSheets].map((sheet) => sheet.href).filter(Boolean),
        status: document.getElementById('status').textContent,
      }));
      assert.ok(seen.painted < seen.faces - HELD_MS / 2, JSON.stringify(seen));
      assert.deepEqual(seen.linked, [], 'every rule is in the page');
      assert.equal(seen.status, '', 'every face loaded');
      assert.deepEqual(errors, []);
    } finally {
      await page.close();
      slow.close();
      slow.closeAllConnections();
    }
  });

  it('plays with its own core, which has none of the tests\' exports or hooks', async () => {
    const {page, errors} = await openPage(session);
    await page.goto(url);
    // The maze grows: open cells appear on the canvas (drawn opaque: a blank canvas is
    // transparent black).
    await page.waitForFunction(() => {
      const canvas = document.getElementById('maze');
      if (!canvas.width || !canvas.height) return false;
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let open = 0;
      for (let i = 0; i < data.length; i += 4) {
        open += data[i] + data[i + 1] + data[i + 2] === 0 && data[i + 3] === 255;
      }
      return open > 1000;
    }, {polling: 200, timeout: 20000});
    assert.equal(await page.$eval('#status', (status) => status.textContent), '');
    assert.equal(await page.evaluate(() => typeof globalThis.vennaloop), 'undefined');
    assert.deepEqual(errors, []);
    await page.close();
    // The names the tests' build adds, found in its glue and nowhere in the shipped site.
    const added = ['_vl_state_json', '_vl_reference_render', '_vl_uncovered_pixel',
                   '_vl_tile_render', 'globalThis.vennaloop'];
    const testGlue = readFileSync(join(TEST_CORE, 'vennaloop_core.mjs'), 'utf8');
    assert.deepEqual(added.filter((name) => !testGlue.includes(name)), []);
    const shipped = (file) => readFileSync(join(SITE, file), 'utf8');
    assert.ok(shipped('vennaloop_core.mjs').includes('_vl_update'), 'the glue names its exports');
    for (const file of ['vennaloop_core.mjs', 'vennaloop.mjs', 'index.html', 'sw.js']) {
      assert.deepEqual(added.filter((name) => shipped(file).includes(name)), [], file);
    }
  });
});

describe(`the page in ${ENGINE} when it cannot run`, () => {
  const statusOf = (page) => page.$eval('#status', (status) => status.textContent);
  // An address of its own, where no page has started and so no service worker keeps the site.
  let url, server;
  before(async () => {
    server = await serveSite(SITE);
    url = `http://127.0.0.1:${server.address().port}/`;
  });
  after(() => stopServing(server));

  it('says so without WebAssembly', async () => {
    const {page} = await openPage(session, {webAssembly: false});
    await page.goto(url);
    await page.waitForFunction(() => /WebAssembly/.test(document.getElementById('status').textContent));
    assert.match(await statusOf(page), /does not offer/);
    await page.close();
  });

  it('says so with JavaScript off', {skip: !CAN.scriptingOff && 'the engine keeps scripts on'},
     async () => {
    const {page} = await openPage(session, {javaScript: false});
    await page.goto(url);
    const text = await page.$eval('#noscript', (element) => element.textContent);
    assert.match(text, /needs JavaScript/);
    // The noscript text is what shows: the page is not blank.
    const shown = await page.evaluate(() => document.body.innerText);
    assert.match(shown, /needs JavaScript/);
    assert.doesNotMatch(shown, /Loading/, 'nothing claims the game is loading');
    await page.close();
  });

  it('says to serve it over HTTP when opened from a file', async () => {
    const {page} = await openPage(session);
    await page.goto(pathToFileURL(join(SITE, 'index.html')).href);
    await page.waitForFunction(() => /scripts\/play-web\.sh/.test(
        document.getElementById('status').textContent));
    assert.match(await statusOf(page), /cannot run from a file/);
    await page.close();
  });

  for (const file of ['vennaloop_core.wasm', 'vennaloop_core.mjs', 'vennaloop.mjs',
                      'fonts/fonts.json']) {
    it(`says so when ${file} does not load`, async () => {
      // A copy of the site without the file, at an address of its own: the server answers 404.
      const site = mkdtempSync(join(tmpdir(), 'vennaloop-site-'));
      cpSync(SITE, site, {recursive: true});
      rmSync(join(site, file));
      const lacking = await serveSite(site);
      try {
        const {page} = await openPage(session);
        await page.goto(`http://127.0.0.1:${lacking.address().port}/`);
        await page.waitForFunction(
            () => /could not start/.test(document.getElementById('status').textContent));
        assert.match(await statusOf(page), new RegExp(file.replace('.', '\\.')));
        await page.close();
      } finally {
        stopServing(lacking);
        rmSync(site, {recursive: true, force: true});
      }
    });
  }
});

describe(`the page in ${ENGINE} offline`, () => {
  // A copy of the site at an address of its own, which the test can take off the network and
  // give a new version.
  let site, server, port;
  before(async () => {
    site = mkdtempSync(join(tmpdir(), 'vennaloop-site-'));
    cpSync(SITE, site, {recursive: true});
    server = await serveSite(site, 0, TEST_CORE);
    port = server.address().port;
  });
  after(() => {
    stopServing(server);
    rmSync(site, {recursive: true, force: true});
  });

  const cacheOf = (version) => `vennaloop-${version}`;
  const versionOf = () => /"version": "([^"]+)"/.exec(readFileSync(join(site, 'sw.js'), 'utf8'))[1];
  const cacheNames = (page) => page.evaluate(() => caches.keys());
  // Until the worker that keeps just `names` is at work (a cache is there from the start of its
  // filling, so its name alone says nothing).
  const waitForWorker = (page, names) => page.waitForFunction(async (wanted) => {
    const worker = (await navigator.serviceWorker.getRegistration())?.active;
    return worker?.state === 'activated' &&
           JSON.stringify(await caches.keys()) === JSON.stringify(wanted);
  }, {polling: 200, timeout: 20000}, names);
  // With the server gone, the page must come whole from what the browser kept.
  async function startsOffline(page) {
    stopServing(server);
    await assert.rejects(fetch(`http://127.0.0.1:${port}/`), 'the site is off the network');
    await page.reload();
    await waitForGame(page);
    await pastTitle(page);
    assert.equal(await page.$eval('#status', (status) => status.textContent), '');
  }

  it('starts with the network off after one visit; a new version replaces the old', async () => {
    const {page, errors} = await openPage(session);
    await page.goto(`http://127.0.0.1:${port}/`);
    await waitForGame(page);
    const first = versionOf();
    await waitForWorker(page, [cacheOf(first)]);
    await startsOffline(page);

    // A new build: the page's worker fetches it, and its cache is the only one left.
    const index = join(site, 'index.html');
    writeFileSync(index, readFileSync(index, 'utf8').replace('<head>', '<head><!-- new -->'));
    const second = writeServiceWorker(site, 'test');
    assert.notEqual(second, first);
    server = await serveSite(site, port, TEST_CORE);
    await page.reload();
    await waitForWorker(page, [cacheOf(second)]);
    await startsOffline(page);
    assert.match(await page.content(), /<!-- new -->/);
    assert.deepEqual(await cacheNames(page), [cacheOf(second)]);
    assert.deepEqual(errors, []);
    await page.close();
  });
});
