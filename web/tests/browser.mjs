// browser.mjs: the browsers for the page's tests and benchmark: Debian's Chromium and Firefox ESR
// through puppeteer-core (Chromium over its DevTools protocol, Firefox over WebDriver BiDi), and
// WebKitGTK's MiniBrowser through our own WebDriver client (webdriver.mjs), each with a fresh
// profile and everything that would reach the network turned off, on the page as shipped with
// the core's test build in place of its core.
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import puppeteer from 'puppeteer-core';

import {serveSite, stopServing} from '../serve.mjs';
import {MIN_WIDTH, WebKitBrowser, startXvfb} from './webdriver.mjs';

export const CHROMIUM = process.env.VENNALOOP_CHROMIUM || '/usr/bin/chromium';
export const FIREFOX = process.env.VENNALOOP_FIREFOX || '/usr/bin/firefox-esr';
/** The engine the tests drive: chromium, firefox or webkit. */
export const ENGINE = process.env.VENNALOOP_BROWSER || 'chromium';

/**
 * What each engine lets the tests do here. Firefox over BiDi takes a device pixel ratio and
 * dispatches touch input, but emulates no touch screen (its pointer stays fine), cannot turn
 * JavaScript off and has no DevTools protocol. WebKitGTK over WebDriver classic turns touch
 * actions into a mouse's, takes its pixel ratio (a whole one) only as a page opens, and cannot
 * make its window narrower than MiniBrowser's toolbar.
 */
export const CAN = {
  chromium: {touch: true, touchScreen: true, ratioChange: true, scriptingOff: true,
             devTools: true, minWidth: 0},
  firefox: {touch: true, touchScreen: false, ratioChange: true, scriptingOff: false,
            devTools: false, minWidth: 0},
  webkit: {touch: false, touchScreen: false, ratioChange: false, scriptingOff: true,
           devTools: false, minWidth: MIN_WIDTH},
}[ENGINE];
if (!CAN) throw new Error(`VENNALOOP_BROWSER must be chromium, firefox or webkit, not ${ENGINE}`);

async function launch(engine, profile) {
  if (engine === 'webkit') {
    const xvfb = await startXvfb();
    const browser = new WebKitBrowser(xvfb.display, profile);
    const close = browser.close.bind(browser);
    browser.close = async () => {
      await close();
      await xvfb.close();
    };
    return browser;
  }
  if (engine === 'firefox') {
    return puppeteer.launch({
      browser: 'firefox',
      executablePath: FIREFOX,
      headless: true,
      userDataDir: profile,
      extraPrefsFirefox: {
        'network.captive-portal-service.enabled': false,
        'network.connectivity-service.enabled': false,
        'browser.safebrowsing.update.enabled': false,
      },
    });
  }
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`,
    ],
  });
}

/**
 * The core's test build (build-web/test-core): the shipped core with the tests' exports and
 * hooks (globalThis.vennaloop), served over the site in its place.
 */
export const TEST_CORE = process.env.VENNALOOP_TEST_CORE;

/** Serves `site` with `testCore` laid over it and starts the browser; close() stops both. */
export async function openBrowser(site, engine = ENGINE, testCore = TEST_CORE) {
  if (!testCore) throw new Error('VENNALOOP_TEST_CORE must name the core\'s test build');
  const server = await serveSite(site, 0, testCore);
  const profile = mkdtempSync(join(tmpdir(), `vennaloop-${engine}-`));
  const browser = await launch(engine, profile);
  return {
    browser,
    engine,
    url: `http://127.0.0.1:${server.address().port}/`,
    async close() {
      await browser.close();
      stopServing(server);
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

/**
 * A page of the given CSS size and device pixel ratio, its console errors collected; with
 * `javaScript` or `webAssembly` false, a browser without them.
 */
export async function openPage(session, {width = 1280, height = 720, ratio = 1, touch = false,
                                         javaScript = true, webAssembly = true} = {}) {
  const webkit = session.engine === 'webkit';
  const page = await session.browser.newPage(webkit ? {ratio, javaScript, webAssembly} : undefined);
  const errors = [];
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  if (!webkit && !webAssembly) {
    await page.evaluateOnNewDocument(() => {
      delete globalThis.WebAssembly;
    });
  }
  if (!webkit && !javaScript) await page.setJavaScriptEnabled(false);
  await page.setViewport({width, height, deviceScaleFactor: ratio, hasTouch: touch, isMobile: touch});
  return {page, errors};
}

/** Waits until the game is running in the page (the test build's hooks publish it then). */
export async function waitForGame(page) {
  await page.waitForFunction(() => globalThis.vennaloop !== undefined, {timeout: 20000});
}

export function state(page) {
  return page.evaluate(() => globalThis.vennaloop.state());
}
