// web_frame.mjs: what the page costs the browser's main thread while the game plays, in headless
// Chromium: the main thread's busy time (DevTools Performance.getMetrics, TaskDuration) per second
// of wall time, with the explorer walking (key W) at zoom 1, on a 1920 x 1080 and a 3840 x 2160
// view. Each frame path (?frames=NAME: changes, the page's own; full, the old whole tiles) is
// played RUNS times, interleaved in the same run, and the medians are reported. Targets for the
// page's own path: at most 8% of a core at 1920 x 1080 and 16% at 3840 x 2160.
//   node bench/web_frame.mjs SITE_DIR [TEST_CORE_DIR]
// TEST_CORE_DIR (default SITE_DIR/../test-core) holds the core's test build, which has the old
// path and the hooks the benchmark reads; the shipped page and core have neither.
// Settings through the environment: WEB_FRAME_PATHS (default "full changes"), WEB_FRAME_SIZES
// (default "1920x1080 3840x2160"), WEB_FRAME_RUNS (default 5), WEB_FRAME_SECONDS (default 8).
import {join} from 'node:path';

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

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];

// One play: a fresh page whose picture is width x height device pixels (the view's 2 pixel edge
// around it), the title waited out, the explorer set walking, then the busy share measured.
async function play(session, [width, height], path) {
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
    const devTools = await page.createCDPSession();
    await devTools.send('Performance.enable', {timeDomain: 'timeTicks'});
    const sample = async () => {
      const {metrics} = await devTools.send('Performance.getMetrics');
      const value = (name) => metrics.find((metric) => metric.name === name).value;
      return {busy: value('TaskDuration'), at: value('Timestamp')};
    };
    const before = await sample();
    const cycles = (await page.evaluate(() => globalThis.vennaloop.state())).elapsedCycles;
    await sleep(seconds * 1000);
    const after = await sample();
    const state = await page.evaluate(() => globalThis.vennaloop.state());
    if (state.moveMode !== 3 || state.zoom !== 1) throw new Error(`not walking: ${JSON.stringify(state)}`);
    if (errors.length) throw new Error(errors.join('\n'));
    return {
      percent: 100 * (after.busy - before.busy) / (after.at - before.at),
      ticks: (state.elapsedCycles - cycles) / (after.at - before.at),
    };
  } finally {
    await page.close();
  }
}

const session = await openBrowser(site, 'chromium', testCore);
try {
  console.log(`main-thread busy time per wall second, explorer walking, zoom 1, ` +
              `${runs} plays of ${seconds} s each, medians`);
  for (const size of sizes) {
    const results = Object.fromEntries(paths.map((path) => [path, []]));
    for (let run = 0; run < runs; ++run) {
      for (const path of paths) results[path].push(await play(session, size, path));
    }
    for (const path of paths) {
      const percents = results[path].map((result) => result.percent);
      const target = TARGETS[size[0]];
      console.log(`${size.join(' x ')}  ${path.padEnd(8)} ${median(percents).toFixed(1)}% of a core` +
                  `  (plays: ${percents.map((p) => p.toFixed(1)).join(' ')}; ` +
                  `${median(results[path].map((r) => r.ticks)).toFixed(1)} ticks/s)` +
                  (target ? `  target ${target}%` : ''));
    }
  }
} finally {
  await session.close();
}
