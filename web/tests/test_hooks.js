// test_hooks.js: the script side of the core's test build (vennaloop_web_test), appended inside
// its module factory (--post-js), so `Module` is the core the page loads. The page is the real
// one and knows nothing of this: the tests' server serves this build in place of the shipped
// vennaloop_core.mjs and .wasm (web/serve.mjs, its overlay), and the hooks stand between the page
// and the core's functions. They give the tests and the benchmark globalThis.vennaloop: the core,
// the interface data, the game's state, a pause of its cycles and the way frames are drawn, which
// ?frames=full turns to the old whole tiles the benchmark compares against.
(() => {
  const core = Module;
  const frames = new URLSearchParams(location.search).get('frames') === 'full' ? 'full' : 'changes';
  let paused = false;

  // Puts `wrap(inner)` in place of the core's function `name`. The glue binds a function to the
  // WebAssembly export on its first call by assigning it again; that assignment reaches `inner`.
  function intercept(name, wrap) {
    let inner = core[name];
    const outer = wrap((...args) => inner(...args));
    Object.defineProperty(core, name, {get: () => outer, set: (f) => { inner = f; }});
  }

  // Published at the page's first animation frame, once it has started the game and watches its
  // size and keys, as a player would find it.
  let published = false;
  function publish() {
    published = true;
    globalThis.vennaloop = {
      core,
      ui: JSON.parse(core.UTF8ToString(core._vl_interface_json())),
      frames,
      state: () => JSON.parse(core.UTF8ToString(core._vl_state_json())),
      pause(on) { paused = on; },
    };
  }
  // Paused, a wake runs no cycle and asks for no frame: the game stands still for a look at it.
  intercept('_vl_wake', (wake) => (nowMs) => {
    if (!published) publish();
    return paused ? 0 : wake(nowMs);
  });

  if (frames !== 'full') return;
  // The whole tiles: the core renders a tile of one period every frame and it is put as many
  // times as the view repeats it; the page's own update then has nothing left to draw. The old
  // way drew on a canvas in step with the page's frames: the context is taken here, before the
  // page asks for its own, which is then this one.
  const canvas = document.getElementById('maze');
  const context = canvas.getContext('2d', {desynchronized: false});
  let imageData = null;
  function imageOf(pointer, width, height) {
    if (!imageData || imageData.data.buffer !== core.HEAPU8.buffer ||
        imageData.data.byteOffset !== pointer || imageData.width !== width ||
        imageData.height !== height) {
      imageData = new ImageData(
          new Uint8ClampedArray(core.HEAPU8.buffer, pointer, width * height * 4), width, height);
    }
    return imageData;
  }
  function putTiles() {
    const pointer = core._vl_tile_pixels();
    if (!pointer) return;
    const at = core._vl_tile_placement() >> 2;
    const [period, tileWidth, tileHeight, offsetX, offsetY, right, bottom] =
        core.HEAP32.subarray(at, at + 7);
    const image = imageOf(pointer, tileWidth, tileHeight);
    if (tileWidth === canvas.width && tileHeight === canvas.height) {
      context.putImageData(image, 0, 0);
      return;
    }
    // One period of the tile at every place the picture repeats, as far as cells cover the view.
    const firstAt = (offset) => ((offset % period) + period) % period - period;
    for (let y = firstAt(offsetY); y < bottom; y += period) {
      const top = Math.max(0, -y), height = Math.min(period, tileHeight, bottom - y) - top;
      if (height <= 0) continue;
      for (let x = firstAt(offsetX); x < right; x += period) {
        const left = Math.max(0, -x), width = Math.min(period, tileWidth, right - x) - left;
        if (width > 0) context.putImageData(image, x, y, left, top, width, height);
      }
    }
  }
  intercept('_vl_resize', () => (width, height, ratio) => {
    imageData = null;
    return core._vl_tile_resize(width, height, ratio);
  });
  intercept('_vl_update', () => () => {
    core._vl_tile_render();
    putTiles();
    return core._vl_no_changes();
  });
})();
