import {openBrowser, openPage, waitForGame, state} from './tests/browser.mjs';
const s = await openBrowser('/work/wt-web/build-web/site');
const {page, errors} = await openPage(s, {width: 1280, height: 720});
await page.goto(s.url);
await waitForGame(page);
await new Promise(r => setTimeout(r, 300));
await page.screenshot({path: '/tmp/shots/title.png'});
await s.close();
