// driver_test.mjs: the part of puppeteer's Page that the page's tests use behaves alike in every
// engine (VENNALOOP_BROWSER), so that a test passing in one means the same in the others: in
// Chromium and Firefox it is puppeteer's own, in WebKit our WebDriver client's (webdriver.mjs).
// It drives a probe page of its own that records what reaches it.
import assert from 'node:assert/strict';
import {mkdtempSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {after, before, describe, it} from 'node:test';

import {CAN, ENGINE, TEST_CORE, openBrowser, openPage} from './browser.mjs';

// Keeps every key event and, once loaded, reports three errors and a plain log line.
const PROBE = `<!DOCTYPE html>
<html><head><title>probe</title><!-- the probe --></head><body><p id="one">one</p><p>two</p>
<script>
  globalThis.keys = [];
  for (const type of ['keydown', 'keyup']) {
    addEventListener(type, (event) => keys.push(
        [type, event.code, event.key, event.shiftKey, event.ctrlKey]));
  }
  globalThis.loads = Number(sessionStorage.loads || 0) + 1;
  sessionStorage.loads = loads;
  if (location.search === '?errors') {
    // Late enough for WebKit, which collects them from its first script after the load.
    addEventListener('load', () => setTimeout(() => {
      console.log('probe: only a log');
      console.error('probe: a console error');
      Promise.reject(new Error('probe: a rejection'));
      setTimeout(() => { throw new Error('probe: a throw'); });
      setTimeout(() => { globalThis.reported = true; }, 100);
    }, 300));
  }
  document.title = 'ran';
</script></body></html>
`;

let site, session;
before(async () => {
  site = mkdtempSync(join(tmpdir(), 'vennaloop-probe-'));
  writeFileSync(join(site, 'probe.html'), PROBE);
  session = await openBrowser(site, ENGINE, TEST_CORE);
});
after(async () => {
  await session?.close();
  rmSync(site, {recursive: true, force: true});
});

async function probe(options, query = '') {
  const opened = await openPage(session, options);
  await opened.page.goto(`${session.url}probe.html${query}`);
  return opened;
}

describe(`the tests' page API in ${ENGINE}`, () => {
  it('runs functions in the page with their arguments, and awaits them', async () => {
    const {page} = await probe();
    assert.equal(await page.evaluate((a, b) => a * b, 6, 7), 42);
    assert.deepEqual(await page.evaluate(([x], {y}) => [x, y, document.title], [1], {y: 'z'}),
                     [1, 'z', 'ran']);
    assert.equal(await page.evaluate(async () => {
      await new Promise((done) => setTimeout(done, 50));
      return 'late';
    }), 'late');
    await assert.rejects(page.evaluate(() => { throw new Error('thrown in the page'); }),
                         /thrown in the page/);
    assert.equal(await page.$eval('#one', (element, suffix) => element.textContent + suffix, '!'),
                 'one!');
    assert.deepEqual(await page.$$eval('p', (elements) => elements.map((p) => p.textContent)),
                     ['one', 'two']);
    await assert.rejects(page.$eval('#none', (element) => element));
    const content = await page.content();
    assert.match(content, /^<!DOCTYPE html><html><head><title>ran<\/title><!-- the probe -->/);
    await page.close();
  });

  it('waits for a function on animation frames or a period, and times out', async () => {
    const {page} = await probe();
    await page.evaluate(() => setTimeout(() => { globalThis.later = 3; }, 200));
    const start = Date.now();
    await page.waitForFunction((n) => globalThis.later === n, {polling: 'raf', timeout: 5000}, 3);
    assert.ok(Date.now() - start >= 150, 'it waited');
    await page.evaluate(() => setTimeout(() => { globalThis.later = 4; }, 200));
    await page.waitForFunction(() => globalThis.later === 4, {polling: 50, timeout: 5000});
    await assert.rejects(page.waitForFunction(() => false, {polling: 'raf', timeout: 300}));
    await page.close();
  });

  it('presses keys by their names, with Shift and Control held across presses', async () => {
    const {page} = await probe();
    await page.keyboard.press('KeyW');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Digit2');
    await page.keyboard.press('KeyA');
    await page.keyboard.up('Shift');
    await page.keyboard.down('Control');
    await page.keyboard.press('Digit1');
    await page.keyboard.up('Control');
    for (const key of ['ArrowUp', ' ', 'Escape', 'Enter']) await page.keyboard.press(key);
    const downs = (await page.evaluate(() => globalThis.keys))
                      .filter(([type]) => type === 'keydown').map(([, ...event]) => event);
    assert.deepEqual(downs, [
      ['KeyW', 'w', false, false], ['ShiftLeft', 'Shift', true, false],
      ['Digit2', '@', true, false], ['KeyA', 'A', true, false],
      ['ControlLeft', 'Control', false, true], ['Digit1', '1', false, true],
      ['ArrowUp', 'ArrowUp', false, false], ['Space', ' ', false, false],
      ['Escape', 'Escape', false, false],
      // puppeteer's Firefox sends the keypad's Enter, which the page takes as well.
      [ENGINE === 'firefox' ? 'NumpadEnter' : 'Enter', 'Enter', false, false],
    ]);
    // Every key that went down came up.
    const ups = (await page.evaluate(() => globalThis.keys)).filter(([type]) => type === 'keyup');
    assert.equal(ups.length, downs.length);
    await page.close();
  });

  it('reports the page\'s errors and console errors, and after a reload too', async () => {
    const {page, errors} = await probe({}, '?errors');
    await page.waitForFunction(() => globalThis.reported === true);
    await page.evaluate(() => 0);
    const seen = (what) => errors.filter((text) => text.includes(`probe: ${what}`)).length;
    assert.deepEqual(['a console error', 'a throw', 'only a log'].map(seen), [1, 1, 0],
                     JSON.stringify(errors));
    await page.reload();
    assert.equal(await page.evaluate(() => globalThis.loads), 2, 'the same page, loaded again');
    await page.waitForFunction(() => globalThis.reported === true);
    await page.evaluate(() => 0);
    assert.deepEqual(['a console error', 'a throw'].map(seen), [2, 2], JSON.stringify(errors));
    await page.close();
  });

  it('sizes the view in CSS pixels at the pixel ratio the page opened with', async () => {
    const {page} = await probe({width: 800, height: 600, ratio: 2});
    const view = () => page.evaluate(() => [innerWidth, innerHeight, devicePixelRatio]);
    assert.deepEqual(await view(), [800, 600, 2]);
    const narrow = Math.max(CAN.minWidth, 320);
    for (const [width, height] of [[narrow, 640], [1000, 500]]) {
      await page.setViewport({width, height, deviceScaleFactor: 2});
      assert.deepEqual(await view(), [width, height, 2]);
    }
    const other = page.setViewport({width: 700, height: 500, deviceScaleFactor: 1});
    if (CAN.ratioChange) {
      await other;
      assert.deepEqual(await view(), [700, 500, 1]);
    } else {
      await assert.rejects(other, /pixel ratio/);
    }
    await page.close();
  });

  it('opens pages without WebAssembly, and without JavaScript where it can', async () => {
    const plain = await probe();
    assert.equal(await plain.page.evaluate(() => typeof WebAssembly), 'object');
    await plain.page.close();
    const {page} = await probe({webAssembly: false});
    assert.deepEqual(await page.evaluate(() => [typeof WebAssembly, document.title]),
                     ['undefined', 'ran']);
    await page.close();
    if (!CAN.scriptingOff) return;
    const off = await probe({javaScript: false});
    // The page's own script never ran; the test's still do.
    assert.equal(await off.page.evaluate(() => document.title), 'probe');
    await off.page.close();
  });
});
