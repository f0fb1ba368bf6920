// web_frame.mjs: what the page costs the browser's main thread while the game plays, in headless
// Chromium: the main thread's busy time (DevTools Performance.getMetrics, TaskDuration) per second
// of wall time, with the explorer walking (key W) at zoom 1, on a 1920 x 1080 and a 3840 x 2160
// view. Each frame path (?frames=NAME: changes, the page's own; full, the old whole tiles) is
// played RUNS times, interleaved in the same run with a floor page (bench/web_floor.html: a bare
// canvas of the same size filling 80 cells a frame, the least any page that draws costs), and
// the medians are reported, each also as a ratio to the floor's of the same size, which takes
// out most of what the machine and the browser's own frames cost; the renderer process's CPU time
// on all its threads is shown beside, as the cost of work the main thread hands off. Targets for
// the page's own path: at most 2.0 times the floor at both sizes, and at most 8% of a core at
// 1920 x 1080 and 16% at 3840 x 2160.
//   node bench/web_frame.mjs SITE_DIR [TEST_CORE_DIR]
// TEST_CORE_DIR (default SITE_DIR/../test-core) holds the core's test build, which has the old
// path and the hooks the benchmark reads; the shipped page and core have neither.
// Settings through the environment: WEB_FRAME_PATHS (default "full changes"), WEB_FRAME_SIZES
// (default "1920x1080 3840x2160"), WEB_FRAME_RUNS (default 5), WEB_FRAME_SECONDS (default 8).
import {dirname, join} from 'node:path';
import {fileURLToPath} from 'node:url';

import {serveSite, stopServing} from '../web/serve.mjs';
import {openBrowser, openPage, waitForGame} from '../web/tests/browser.mjs';

const site = process.argv[2];
if (!site) throw new Error('usage: node bench/web_frame.mjs SITE_DIR [TEST_CORE_DIR]');
const testCore = process.argv[3] || join(site, '..', 'test-core');
const paths = (process.env.WEB_FRAME_PATHS || 'full changes').split(/\s+/);
const sizes = (process.env.WEB_FRAME_SIZES || '1920x1080 3840x2160').split(/\s+/)
                  .map((size) => size.split('x').map(Number));
const runs = Number(process.env.WEB_FRAME_RUNS || 5);
const seconds = Number(process.env.WEB_FRAME_SECONDS || 8);
const TARGETS = {1920: 8, 3840: 16};  // percent of a core, by view width
const RATIO_TARGET = 2.0;             // times the floor's, at every size
const TARGET_PATH = 'changes';

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];

// The main thread's busy share over the next `seconds`, and what `count` (a count the page
// keeps) grew by per second meanwhile.
async function busyShare(page, count) {
  const devTools = await page.createCDPSession();
  await devTools.send('Performance.enable', {timeDomain: 'timeTicks'});
  const sample = async () => {
    const {metrics} = await devTools.send('Performance.getMetrics');
    const value = (name) => metrics.find((metric) => metric.name === name)?.value ?? NaN;
    return {busy: value('TaskDuration'), at: value('Timestamp'), process: value('ProcessTime'),
            count: await page.evaluate(count)};
  };
  const before = await sample();
  await sleep(seconds * 1000);
  const after = await sample();
  return {
    percent: 100 * (after.busy - before.busy) / (after.at - before.at),
    rate: (after.count - before.count) / (after.at - before.at),
    // The renderer's CPU time on all its threads: what the page moves off the main thread
    // (rasterizing, compositing) still costs the machine.
    process: 100 * (after.process - before.process) / (after.at - before.at),
  };
}

// The floor: the bare page of the same size, given the same time to settle.
async function playFloor(session, [width, height]) {
  const {page, errors} = await openPage(session, {width: width + 4, height: height + 4});
  try {
    await page.goto(`${session.floorUrl}?width=${width}&height=${height}&side=1`);
    await page.waitForFunction(() => globalThis.floorFrames > 0, {polling: 50});
    await sleep(500);
    const result = await busyShare(page, () => globalThis.floorFrames);
    if (errors.length) throw new Error(errors.join('\n'));
    if (!(result.rate > 0)) throw new Error('the floor page drew no frames');
    return result;
  } finally {
    await page.close();
  }
}

// One play: a fresh page whose picture is width x height device pixels (the view's 2 pixel edge
// around it), the title waited out, the explorer set walking, then the busy share measured.
async function play(session, [width, height], path) {
  if (path === 'floor') return playFloor(session, [width, height]);
  const {page, errors} = await openPage(session, {width: width + 4, height: height + 4});
  try {
    await page.goto(`${session.url}?frames=${path}`);
    await waitForGame(page);
    await page.waitForFunction(() => globalThis.vennaloop.state().elapsedCycles > 0,
                               {polling: 50});
    const shown = await page.evaluate(() => {
      const canvas = document.getElementById('maze');
      return {width: canvas.width, height: canvas.height, frames: globalThis.vennaloop.frames};
    });
    if (shown.width !== width || shown.height !== height || shown.frames !== path.split('&')[0]) {
      throw new Error(`asked for ${width} x ${height} by ${path}, got ${JSON.stringify(shown)}`);
    }
    await page.keyboard.press('KeyW');
    await sleep(500);
    const result = await busyShare(page, () => globalThis.vennaloop.state().elapsedCycles);
    const state = await page.evaluate(() => globalThis.vennaloop.state());
    if (state.moveMode !== 3 || state.zoom !== 1) throw new Error(`not walking: ${JSON.stringify(state)}`);
    if (errors.length) throw new Error(errors.join('\n'));
    return result;
  } finally {
    await page.close();
  }
}

const session = await openBrowser(site, 'chromium', testCore);
const floorServer = await serveSite(dirname(fileURLToPath(import.meta.url)));
session.floorUrl = `http://127.0.0.1:${floorServer.address().port}/web_floor.html`;
try {
  console.log(`main-thread busy time per wall second, explorer walking, zoom 1, ` +
              `${runs} plays of ${seconds} s each, medians; floor: a bare canvas filling ` +
              `80 cells a frame`);
  const plays = ['floor', ...paths.filter((path) => path !== 'floor')];
  for (const size of sizes) {
    const results = Object.fromEntries(plays.map((path) => [path, []]));
    for (let run = 0; run < runs; ++run) {
      for (const path of plays) results[path].push(await play(session, size, path));
    }
    const floor = median(results.floor.map((result) => result.percent));
    for (const path of plays) {
      const percents = results[path].map((result) => result.percent);
      const rate = median(results[path].map((result) => result.rate)).toFixed(1);
      const ratio = median(percents) / floor;
      const targets = path !== TARGET_PATH ? '' :
          `  target ${RATIO_TARGET.toFixed(1)}x` +
          (TARGETS[size[0]] ? `, ${TARGETS[size[0]]}%` : '');
      console.log(`${size.join(' x ')}  ${path.padEnd(8)} ${median(percents).toFixed(1)}% of a core` +
                  (path === 'floor' ? '       ' : `  ${ratio.toFixed(2)}x`) +
                  `  (plays: ${percents.map((p) => p.toFixed(1)).join(' ')}; ` +
                  `${rate} ${path === 'floor' ? 'frames' : 'ticks'}/s; renderer process ` +
                  `${median(results[path].map((result) => result.process)).toFixed(0)}%)` +
                  targets);
    }
  }
} finally {
  stopServing(floorServer);
  await session.close();
}
