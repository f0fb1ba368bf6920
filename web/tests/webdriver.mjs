// webdriver.mjs: WebKitGTK for the page's tests. Debian's MiniBrowser, driven by WebKitWebDriver
// over classic W3C WebDriver (JSON over HTTP, through Node's own fetch) on a virtual X server,
// behind the part of puppeteer's Page that the tests use. Each page is a browser of its own, as
// what the engine cannot change on an open page (its pixel ratio, JavaScript, WebAssembly) is
// set when its browser starts.
import {spawn} from 'node:child_process';
import {existsSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync}
    from 'node:fs';
import {createServer} from 'node:net';
import {join} from 'node:path';

export const WEBKIT_DRIVER = process.env.VENNALOOP_WEBKIT_DRIVER || 'WebKitWebDriver';

/** MiniBrowser, which Debian ships in the library's own folder, under its multiarch triplet. */
export const MINIBROWSER = process.env.VENNALOOP_MINIBROWSER || (() => {
  const found = readdirSync('/usr/lib').map((dir) => `/usr/lib/${dir}/webkit2gtk-4.1/MiniBrowser`)
                    .find((path) => existsSync(path));
  return found ?? 'MiniBrowser';
})();

/**
 * The narrowest window the tests may ask for. MiniBrowser's toolbar sets the window's least
 * width; the theme below shrinks it to about 290 pixels (its address bar alone takes 150).
 */
export const MIN_WIDTH = 300;
const THEME = '* { font-size: 1px; min-width: 0; min-height: 0; padding: 0; margin: 0; ' +
              'border-width: 0; }\n';

// The screen is large enough for a 1280 x 720 page at pixel ratio 3.
const SCREEN = '3840x2400x24';

// WebDriver's names of the keys that have no character of their own.
const SPECIAL_KEYS = {
  Backspace: '\uE003', Tab: '\uE004', Enter: '\uE006', Shift: '\uE008', Control: '\uE009',
  Alt: '\uE00A', Escape: '\uE00C', Space: ' ', PageUp: '\uE00E', PageDown: '\uE00F',
  End: '\uE010', Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
  ArrowDown: '\uE015', Delete: '\uE017', Meta: '\uE03D',
};

/** The WebDriver key value for puppeteer's name of a key: KeyW, Digit2, ArrowUp, Shift, 'x'. */
export function keyValue(name) {
  if (SPECIAL_KEYS[name]) return SPECIAL_KEYS[name];
  const letter = /^Key([A-Z])$/.exec(name);
  if (letter) return letter[1].toLowerCase();
  const digit = /^Digit([0-9])$/.exec(name);
  if (digit) return digit[1];
  if ([...name].length === 1) return name;
  throw new Error(`no WebDriver key for '${name}'`);
}

function exited(child) {
  return new Promise((done) => {
    if (child.exitCode !== null || child.signalCode !== null) done();
    else child.once('exit', () => done());
  });
}

// Children started in process groups of their own, which hold what they start in turn (the
// driver's MiniBrowser and its web processes).
const groups = new Set();
process.on('exit', () => {
  for (const group of groups) signalGroup(group, 'SIGKILL');
});

function signalGroup(group, signal) {
  try {
    process.kill(-group, signal);
  } catch {
    // None of the group is left.
  }
}

// Whether a process of the group still runs. One that has ended but waits to be reaped (its
// parent gone, the system's reaper slow) writes nothing more and does not count.
function groupRuns(group) {
  for (const entry of readdirSync('/proc')) {
    if (!/^[0-9]+$/.test(entry)) continue;
    let stat;
    try {
      stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
    } catch {
      continue;  // ended meanwhile
    }
    // pid (name) state ppid pgrp ...: the name may hold spaces and parentheses.
    const [state, , pgrp] = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    if (Number(pgrp) === group && state !== 'Z' && state !== 'X') return true;
  }
  return false;
}

function start(command, args, options) {
  const child = spawn(command, args, {...options, detached: true});
  if (child.pid) groups.add(child.pid);
  return child;
}

// Ends the child and everything it started, so nothing writes in a folder about to go.
async function stop(child) {
  const group = child.pid;
  if (!group) return;
  signalGroup(group, 'SIGTERM');
  for (let wait = 0; wait < 15000 && groupRuns(group); wait += 20) {
    if (wait === 5000) signalGroup(group, 'SIGKILL');
    await new Promise((done) => setTimeout(done, 20));
  }
  await exited(child);
  groups.delete(group);
}

/** Starts Xvfb on a display of its own choosing; resolves to {display, close()}. */
export function startXvfb() {
  const xvfb = start('Xvfb', ['-displayfd', '3', '-screen', '0', SCREEN, '-nolisten', 'tcp'],
                     {stdio: ['ignore', 'ignore', 'pipe', 'pipe']});
  let log = '';
  xvfb.stderr.on('data', (data) => { log = (log + data).slice(-4000); });
  return new Promise((done, failed) => {
    let said = '';
    xvfb.stdio[3].on('data', (data) => {
      said += data;
      if (said.includes('\n')) {
        done({display: `:${said.trim()}`, close: () => stop(xvfb)});
      }
    });
    xvfb.once('error', failed);
    xvfb.once('exit', (code) => {
      failed(new Error(`Xvfb ended (${code}) before it started: ${log}`));
    });
  });
}

// A port no one listens on now, for the driver to take.
function freePort() {
  return new Promise((done, failed) => {
    const server = createServer();
    server.once('error', failed);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => done(port));
    });
  });
}

/** The WebKit browser of a test session: its pages, each in a browser of its own. */
export class WebKitBrowser {
  /** `display` is the X server's, `profile` a folder the pages keep their data under. */
  constructor(display, profile) {
    this.display = display;
    this.profile = profile;
    this.pages = new Set();
  }

  /**
   * A new page in a new browser: at pixel ratio `ratio` (a whole number: GTK scales by whole
   * numbers only), with JavaScript and WebAssembly on or off.
   */
  async newPage({ratio = 1, javaScript = true, webAssembly = true} = {}) {
    if (!Number.isInteger(ratio) || ratio < 1) {
      throw new Error(`WebKitGTK takes whole pixel ratios only, not ${ratio}`);
    }
    const dir = mkdtempSync(join(this.profile, 'page-'));
    mkdirSync(join(dir, 'config', 'gtk-3.0'), {recursive: true});
    writeFileSync(join(dir, 'config', 'gtk-3.0', 'gtk.css'), THEME);
    const env = {
      ...process.env, DISPLAY: this.display, GDK_BACKEND: 'x11', GDK_SCALE: String(ratio),
      NO_AT_BRIDGE: '1', HOME: dir, XDG_CONFIG_HOME: join(dir, 'config'),
      XDG_DATA_HOME: join(dir, 'data'), XDG_CACHE_HOME: join(dir, 'cache'),
    };
    delete env.WAYLAND_DISPLAY;
    // JavaScriptCore's own switch: the page then finds no WebAssembly object at all.
    if (!webAssembly) env.JSC_useWasm = '0';
    const args = ['--automation'];
    if (!javaScript) args.push('--enable-javascript=false');

    const port = await freePort();
    const driver = start(WEBKIT_DRIVER, [`--port=${port}`],
                         {env, cwd: dir, stdio: ['ignore', 'ignore', 'pipe']});
    let log = '';
    driver.stderr.on('data', (data) => { log = (log + data).slice(-4000); });
    const base = `http://127.0.0.1:${port}`;
    const page = new WebKitPage(this, driver, dir, ratio, () => log);
    this.pages.add(page);
    try {
      await page.waitForDriver(base);
      const {sessionId} = await page.send('POST', `${base}/session`, {
        capabilities: {alwaysMatch: {
          'webkitgtk:browserOptions': {binary: MINIBROWSER, args},
        }},
      });
      page.url = `${base}/session/${sessionId}`;
      // The page's own waits time out first; this only keeps a stuck script from hanging.
      await page.command('POST', '/timeouts', {script: 120000, pageLoad: 60000});
    } catch (error) {
      await page.close();
      throw error;
    }
    return page;
  }

  async close() {
    await Promise.all([...this.pages].map((page) => page.close()));
  }
}

// Set up in each new document: keeps what puppeteer would report as page errors and console
// errors until the next script the tests run takes them.
const COLLECT = `
  if (!globalThis.__webdriverErrors) {
    const kept = globalThis.__webdriverErrors = [];
    const thrown = (error) => error instanceof Error ?
        {type: 'pageerror', name: error.name, text: error.message} :
        {type: 'pageerror', text: String(error)};
    addEventListener('error', (event) => kept.push(thrown(event.error ?? event.message)));
    addEventListener('unhandledrejection', (event) => kept.push(thrown(event.reason)));
    const error = console.error.bind(console);
    console.error = (...parts) => {
      kept.push({type: 'console', text: parts.map(String).join(' ')});
      error(...parts);
    };
  }`;
const TAKE_ERRORS = 'globalThis.__webdriverErrors?.splice(0) ?? []';

function functionSource(fn) {
  if (typeof fn !== 'function') throw new Error('only functions run in the page');
  return fn.toString();
}

/** One page, in its own MiniBrowser under its own WebKitWebDriver. */
class WebKitPage {
  constructor(browser, driver, dir, ratio, log) {
    this.browser = browser;
    this.driver = driver;
    this.dir = dir;
    this.ratio = ratio;
    this.log = log;
    this.url = null;
    this.listeners = {console: [], pageerror: []};
    this.keyboard = {
      press: (key) => this.keys([['keyDown', key], ['keyUp', key]]),
      down: (key) => this.keys([['keyDown', key]]),
      up: (key) => this.keys([['keyUp', key]]),
    };
  }

  async send(method, url, body) {
    const response = await fetch(url, {
      method, headers: {'Content-Type': 'application/json'},
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const {value} = await response.json();
    if (!response.ok || value?.error) {
      throw new Error(`WebDriver ${method} ${url.replace(/.*\/session\/[^/]*/, '')}: ` +
                      `${value?.error}: ${value?.message}`);
    }
    return value;
  }

  command(method, path, body) {
    return this.send(method, this.url + path, body);
  }

  // Until the driver answers that it takes a session.
  async waitForDriver(base) {
    const end = Date.now() + 20000;
    for (;;) {
      if (this.driver.exitCode !== null) throw new Error(`WebKitWebDriver ended: ${this.log()}`);
      try {
        const status = await this.send('GET', `${base}/status`);
        if (status.ready) return;
      } catch {
        // Not listening yet.
      }
      if (Date.now() > end) throw new Error(`WebKitWebDriver did not start: ${this.log()}`);
      await new Promise((done) => setTimeout(done, 50));
    }
  }

  // Runs `body` (a function body, awaited) with `args`, and hands the errors the page kept to
  // the listeners.
  async run(body, args) {
    const script = `return (async (...args) => {
      const value = await (async () => { ${body} })(...args);
      return {value, errors: ${TAKE_ERRORS}};
    })(...arguments);`;
    const {value, errors} = await this.command('POST', '/execute/sync', {script, args});
    this.report(errors);
    return value;
  }

  report(errors) {
    for (const {type, name, text} of errors) {
      if (type === 'console') {
        const message = {type: () => 'error', text: () => text};
        for (const listener of this.listeners.console) listener(message);
      } else {
        const error = new Error(text);
        if (name) error.name = name;
        for (const listener of this.listeners.pageerror) listener(error);
      }
    }
  }

  on(event, listener) {
    if (!this.listeners[event]) throw new Error(`WebKitWebDriver reports no '${event}' events`);
    this.listeners[event].push(listener);
    return this;
  }

  async goto(url) {
    await this.command('POST', '/url', {url});
    await this.command('POST', '/execute/sync', {script: COLLECT, args: []});
  }

  async reload() {
    await this.command('POST', '/refresh', {});
    await this.command('POST', '/execute/sync', {script: COLLECT, args: []});
  }

  evaluate(fn, ...args) {
    return this.run(`return (${functionSource(fn)})(...args);`, args);
  }

  $eval(selector, fn, ...args) {
    return this.run(`const element = document.querySelector(${JSON.stringify(selector)});
      if (!element) throw new Error('no element matches ' + ${JSON.stringify(selector)});
      return (${functionSource(fn)})(element, ...args);`, args);
  }

  $$eval(selector, fn, ...args) {
    return this.run(`const elements = [...document.querySelectorAll(${JSON.stringify(selector)})];
      return (${functionSource(fn)})(elements, ...args);`, args);
  }

  /** As puppeteer's: polls `fn` on each animation frame ('raf') or every `polling` ms. */
  async waitForFunction(fn, {polling = 'raf', timeout = 30000} = {}, ...args) {
    if (polling !== 'raf' && !(polling > 0)) throw new Error(`no polling '${polling}'`);
    const result = await this.run(`const predicate = ${functionSource(fn)};
      const end = performance.now() + ${Number(timeout)};
      return new Promise((done, failed) => {
        const poll = async () => {
          let value;
          try {
            value = await predicate(...args);
          } catch (error) {
            failed(error);
            return;
          }
          if (value) done({value});
          else if (performance.now() > end) done({timedOut: true});
          else if (${JSON.stringify(polling)} === 'raf') requestAnimationFrame(poll);
          else setTimeout(poll, ${Number(polling) || 0});
        };
        poll();
      });`, args);
    if (result.timedOut) throw new Error(`waitForFunction timed out after ${timeout} ms: ${fn}`);
    return result.value;
  }

  content() {
    return this.run(`const type = document.doctype;
      return (type ? new XMLSerializer().serializeToString(type) : '') +
             document.documentElement.outerHTML;`, []);
  }

  keys(steps) {
    const actions = steps.map(([type, key]) => ({type, value: keyValue(key)}));
    return this.command('POST', '/actions', {actions: [{type: 'key', id: 'keyboard', actions}]});
  }

  /**
   * Sizes the window so that the page's view is `width` x `height` CSS pixels. The pixel ratio
   * is the browser's from its start: another one is an error, not a silent other test.
   */
  async setViewport({width, height, deviceScaleFactor, hasTouch = false}) {
    if (deviceScaleFactor !== undefined && deviceScaleFactor !== this.ratio) {
      throw new Error(`WebKitGTK keeps a page's pixel ratio (${this.ratio}), ` +
                      `not ${deviceScaleFactor}`);
    }
    if (hasTouch) throw new Error('WebKitGTK here has no touch screen');
    const inner = () => this.run('return [innerWidth, innerHeight];', []);
    // The window's frame around the view: its toolbar, as the theme draws it.
    for (let attempt = 0; attempt < 3; ++attempt) {
      const rect = await this.command('GET', '/window/rect');
      const [w, h] = await inner();
      if (w === width && h === height) return;
      await this.command('POST', '/window/rect', {
        width: width + rect.width - w, height: height + rect.height - h,
      });
      const [nw, nh] = await inner();
      if (nw === width && nh === height) return;
    }
    const [w, h] = await inner();
    throw new Error(`MiniBrowser's view is ${w} x ${h}, not ${width} x ${height}`);
  }

  async close() {
    if (!this.browser.pages.delete(this)) return;
    if (this.url) {
      await this.command('DELETE', '').catch(() => {});
    }
    await stop(this.driver);
    rmSync(this.dir, {recursive: true, force: true, maxRetries: 5});
  }
}

// What puppeteer has and WebKitWebDriver does not: each says so when a test calls it.
for (const [name, why] of [
  ['evaluateOnNewDocument', 'runs no script before a page\'s own'],
  ['setJavaScriptEnabled', 'turns JavaScript off only as a page opens (openPage\'s javaScript)'],
  ['setRequestInterception', 'intercepts no requests'],
  ['tap', 'delivers touch actions as a mouse\'s'],
  ['createCDPSession', 'has no DevTools protocol'],
  ['$', 'gives the tests no element handles'],
]) {
  WebKitPage.prototype[name] = () => {
    throw new Error(`WebKitWebDriver ${why}`);
  };
}
Object.defineProperty(WebKitPage.prototype, 'touchscreen', {
  get() {
    throw new Error('WebKitWebDriver delivers touch actions as a mouse\'s');
  },
});
