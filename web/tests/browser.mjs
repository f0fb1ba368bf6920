// browser.mjs: headless Chromium for the page's tests and benchmark: Debian's browser through
// puppeteer-core, with a fresh profile and everything that would reach the network turned off.
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import puppeteer from 'puppeteer-core';

import {serveSite} from '../serve.mjs';

export const CHROMIUM = process.env.VENNALOOP_CHROMIUM || '/usr/bin/chromium';

/** Serves `site` and starts the browser; close() stops both. */
export async function openBrowser(site) {
  const server = await serveSite(site);
  const profile = mkdtempSync(join(tmpdir(), 'vennaloop-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`,
    ],
  });
  return {
    browser,
    url: `http://127.0.0.1:${server.address().port}/`,
    async close() {
      await browser.close();
      server.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

/** A page of the given CSS size and device pixel ratio, its console errors collected. */
export async function openPage(session, {width = 1280, height = 720, ratio = 1} = {}) {
  const page = await session.browser.newPage();
  const errors = [];
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.setViewport({width, height, deviceScaleFactor: ratio});
  return {page, errors};
}

/** Waits until the game is running in the page. */
export async function waitForGame(page) {
  await page.waitForFunction(() => globalThis.vennaloop !== undefined, {timeout: 20000});
}

export function state(page) {
  return page.evaluate(() => globalThis.vennaloop.state());
}
