// web_frame.mjs: the page's frame against the browser's floor, in one page run of headless
// Chromium: a 1920 x 1080 page at zoom 1, the median time of one frame of the game (a tick, the
// picture rendered by the core, and presenting it on the canvas) beside the median time of a bare
// putImageData of an image of the same size. Then the tick rate the page reaches at the default
// 16 ms period and at 1 ms, over five seconds each.
//   node bench/web_frame.mjs SITE_DIR
import {openBrowser, openPage, state, waitForGame} from '../web/tests/browser.mjs';

const site = process.argv[2];
if (!site) throw new Error('usage: node bench/web_frame.mjs SITE_DIR');
const FRAMES = 300;

const session = await openBrowser(site);
try {
  const {page} = await openPage(session, {width: 1924, height: 1084});  // less the 2 px edges
  await page.goto(session.url);
  await waitForGame(page);
  await page.waitForFunction(() => globalThis.vennaloop.state().elapsedCycles > 0,
                             {polling: 'raf'});

  const frames = await page.evaluate((count) => {
    const game = globalThis.vennaloop;
    game.pause(true);
    const canvas = document.getElementById('maze');
    const context = canvas.getContext('2d');
    const bare = new ImageData(canvas.width, canvas.height);
    for (let i = 0; i < bare.data.length; ++i) bare.data[i] = (i * 7919) & 255;
    const frame = [], put = [];
    // Interleaved, so both see the same state of the browser and the machine.
    for (let i = 0; i < count; ++i) {
      let start = performance.now();
      game.tickAndPresent();
      frame.push(performance.now() - start);
      start = performance.now();
      context.putImageData(bare, 0, 0);
      put.push(performance.now() - start);
    }
    game.tickAndPresent();
    game.pause(false);
    const median = (list) => list.sort((a, b) => a - b)[Math.floor(list.length / 2)];
    return {width: canvas.width, height: canvas.height, zoom: game.state().zoom,
            frame: median(frame), put: median(put)};
  }, FRAMES);

  const rate = async (label) => {
    const before = await state(page);
    const start = Date.now();
    await new Promise((done) => setTimeout(done, 5000));
    const after = await state(page);
    const seconds = (Date.now() - start) / 1000;
    console.log(`tick rate at ${label}: ${((after.elapsedCycles - before.elapsedCycles) /
                                           seconds).toFixed(1)} ticks/s ` +
                `(period ${after.timerPeriod} ms)`);
  };

  console.log(`page ${frames.width} x ${frames.height}, zoom ${frames.zoom}, ${FRAMES} frames`);
  console.log(`median frame (tick + render + present): ${frames.frame.toFixed(3)} ms`);
  console.log(`median bare putImageData:              ${frames.put.toFixed(3)} ms`);
  console.log(`ratio: ${(frames.frame / frames.put).toFixed(2)} (at most 2 wanted)`);
  await rate('16 ms');
  await page.keyboard.down('Control');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Digit1');
  await page.waitForFunction(() => globalThis.vennaloop.state().timerPeriod === 1);
  await page.keyboard.up('Shift');
  await page.keyboard.up('Control');
  await rate('1 ms');
} finally {
  await session.close();
}
