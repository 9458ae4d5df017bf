// The site of the web build in headless chromium: each example's picture in its
// page equals the native picture in docs/examples/ pixel for pixel; arrow keys move
// coin_maze's player; a drag paints in mouse_paint; the calculator answers, plots
// and keeps its files across a reload. Prints, for the record, each
// page's .wasm size and time to its first picture, and bouncing_balls' frames per
// second. Usage: node pages.mjs SITE_DIR DOCS_EXAMPLES_DIR CHROMIUM [EXAMPLE...]
// (puppeteer-core from NODE_PATH). Writes a differing canvas to SITE_DIR/failed/.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import {createRequire} from 'node:module';

const require = createRequire(import.meta.url);
const puppeteer = require('puppeteer-core');

const [site, docs, chromium, ...only] = process.argv.slice(2);
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.css': 'text/css', '.png': 'image/png', '.data': 'application/octet-stream'};

// A plain static server: the site at /, the native pictures at /native/.
function serve() {
  const server = http.createServer((request, response) => {
    const url = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = url.startsWith('/native/') ? path.join(docs, url.slice(8))
                                            : path.join(site, url === '/' ? 'index.html' : url);
    fs.readFile(file, (error, bytes) => {
      if (error) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
      response.end(bytes);
    });
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
}

// The page's canvas against the native picture, compared in the page: both decoded
// without colour conversion. Gives the count of differing pixels and the first.
async function compareWithNative(page, name) {
  return page.evaluate(async name => {
    const canvas = document.querySelector('#korvi-screen canvas');
    const shown = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    const blob = await (await fetch(`native/${name}.png`)).blob();
    const bitmap = await createImageBitmap(blob, {colorSpaceConversion: 'none',
                                                  premultiplyAlpha: 'none'});
    const scratch = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = scratch.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const native = context.getImageData(0, 0, bitmap.width, bitmap.height);
    if (native.width != shown.width || native.height != shown.height)
      return {size: `${shown.width}x${shown.height}, native ${native.width}x${native.height}`};
    let differing = 0, first = null;
    for (let i = 0; i < shown.data.length; i += 4) {
      if (shown.data[i] != native.data[i] || shown.data[i + 1] != native.data[i + 1] ||
          shown.data[i + 2] != native.data[i + 2]) {
        if (!first) first = {x: (i / 4) % shown.width, y: Math.floor(i / 4 / shown.width)};
        differing++;
      }
    }
    return {differing, first, picture: differing ? canvas.toDataURL('image/png') : null};
  }, name);
}

async function pixel(page, x, y) {
  return page.evaluate((x, y) => {
    const canvas = document.querySelector('#korvi-screen canvas');
    return Array.from(canvas.getContext('2d').getImageData(x, y, 1, 1).data.slice(0, 3));
  }, x, y);
}

async function frames(page) { return page.evaluate(() => Module.korviFrames || 0); }

async function waitForFrameAfter(page, count) {
  await page.waitForFunction(n => (Module.korviFrames || 0) > n, {timeout: 10000}, count);
}

const server = await serve();
const base = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({
  executablePath: chromium, headless: true,
  args: ['--no-sandbox', '--force-color-profile=srgb', '--disable-gpu',
         '--disable-background-timer-throttling', '--disable-renderer-backgrounding']});
try {
  const examples = fs.readdirSync(docs).filter(f => f.endsWith('.png')).map(f => f.slice(0, -4))
      .filter(name => !only.length || only.includes(name)).sort();
  for (const name of examples) {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', error => errors.push(String(error)));
    await page.goto(`${base}${name}.html?picture`);
    try {
      await page.waitForFunction(() => Module.korviPictureShown, {timeout: 60000});
    } catch (error) {
      check(false, `${name}: no picture (${errors.join('; ') || error.message})`);
      await page.close();
      continue;
    }
    const result = await compareWithNative(page, name);
    if (result.picture) {
      fs.mkdirSync(path.join(site, 'failed'), {recursive: true});
      fs.writeFileSync(path.join(site, 'failed', `${name}.png`),
                       Buffer.from(result.picture.split(',')[1], 'base64'));
    }
    check(!result.size && result.differing === 0,
          `${name}: the page's picture equals docs/examples/${name}.png` +
          (result.size ? ` (size ${result.size})` : result.differing
              ? ` (${result.differing} pixels differ, first at ${result.first.x},${result.first.y})` : ''));
    await page.close();
  }

  const wanted = name => !only.length || only.includes(name);
  const open = async name => {
    const page = await browser.newPage();
    await page.goto(`${base}${name}.html`);
    await page.waitForFunction(() => (Module.korviFrames || 0) > 0, {timeout: 60000});
    const size = fs.statSync(path.join(site, `${name}.wasm`)).size;
    const first = await page.evaluate(() => Module.korviFirstPicture);
    console.log(`     ${name}: ${(size / 1048576).toFixed(2)} MiB of .wasm, ` +
                `first picture ${Math.round(first)} ms after loading`);
    return page;
  };

  if (wanted('coin_maze')) {
    // The player starts in cell (1, 1); Right moves it to (2, 1), Down then to (2, 2)? a
    // wall: it stays. Cells are 32 pixels; the player is filled rgb(90, 220, 90).
    const page = await open('coin_maze');
    const player = [90, 220, 90];
    const at = async (column, row) => pixel(page, column * 32 + 16, row * 32 + 16);
    check(JSON.stringify(await at(1, 1)) == JSON.stringify(player), 'coin_maze: the player at its start');
    const plain = await page.evaluate(() => {
      const canvas = document.querySelector('#korvi-screen canvas');
      return Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data);
    });
    let count = await frames(page);
    await page.keyboard.press('ArrowRight');
    await waitForFrameAfter(page, count);
    check(JSON.stringify(await at(2, 1)) == JSON.stringify(player) &&
          JSON.stringify(await at(1, 1)) != JSON.stringify(player),
          'coin_maze: the right arrow moves the player');
    count = await frames(page);
    await page.keyboard.press('ArrowLeft');
    await waitForFrameAfter(page, count);
    check(JSON.stringify(await at(1, 1)) == JSON.stringify(player), 'coin_maze: the left arrow moves it back');
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => Module.korviEnded, {timeout: 10000});
    check(true, 'coin_maze: Esc ends it');
    await page.close();

    // At display scale 2 each pixel is a 2 x 2 block of the same picture.
    const scaled = await browser.newPage();
    await scaled.goto(`${base}coin_maze.html?scale=2`);
    await scaled.waitForFunction(() => (Module.korviFrames || 0) > 0, {timeout: 60000});
    const blocks = await scaled.evaluate(plain => {
      const canvas = document.querySelector('#korvi-screen canvas');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      const width = canvas.width / 2;
      let differing = 0;
      for (let i = 0; i < data.length; i += 4) {
        const x = (i / 4) % canvas.width, y = Math.floor(i / 4 / canvas.width);
        const j = (Math.floor(y / 2) * width + Math.floor(x / 2)) * 4;
        if (data[i] != plain[j] || data[i + 1] != plain[j + 1] || data[i + 2] != plain[j + 2]) differing++;
      }
      return {width: canvas.width, css: canvas.clientWidth, differing};
    }, plain);
    check(blocks.width == 2 * 480 && blocks.css == 480 && blocks.differing == 0,
          `coin_maze: at scale 2 each pixel is a 2 x 2 block (${JSON.stringify(blocks)})`);
    await scaled.close();
  }

  if (wanted('mouse_paint')) {
    const page = await open('mouse_paint');
    const box = await page.evaluate(() => {
      const r = document.querySelector('#korvi-screen canvas').getBoundingClientRect();
      return {x: r.left, y: r.top};
    });
    const background = await pixel(page, 150, 100);
    const count = await frames(page);
    await page.mouse.move(box.x + 100, box.y + 100);
    await page.mouse.down();
    for (let x = 110; x <= 200; x += 10) await page.mouse.move(box.x + x, box.y + 100);
    await page.mouse.up();
    await waitForFrameAfter(page, count);
    await page.waitForFunction(() => true);
    const painted = await pixel(page, 150, 100);
    const untouched = await pixel(page, 150, 200);
    check(JSON.stringify(painted) != JSON.stringify(background) &&
          JSON.stringify(untouched) == JSON.stringify(background),
          `mouse_paint: a drag paints along its way (${background} became ${painted})`);
    await page.close();
  }

  if (wanted('calc')) {
    // The session in the page's console, a plot in its canvas, and the files kept in
    // the browser's storage across a reload.
    const page = await browser.newPage();
    await page.goto(`${base}calc.html`);
    const session = () => page.evaluate(() => document.getElementById('calc-session').textContent);
    const type = async text => {
      await page.focus('#calc-line');
      await page.keyboard.type(text);
      await page.keyboard.press('Enter');
    };
    const sessionHas = async (text, what) => {
      try {
        await page.waitForFunction(text => document.getElementById('calc-session').textContent.includes(text),
                                   {timeout: 20000}, text);
        check(true, what);
      } catch (error) {
        check(false, `${what}: the session is ${JSON.stringify(await session())}`);
      }
    };
    await page.waitForFunction(() => document.getElementById('calc-session').textContent.includes('>>'),
                               {timeout: 60000});
    const size = fs.statSync(path.join(site, 'calc.wasm')).size;
    console.log(`     calc: ${(size / 1048576).toFixed(2)} MiB of .wasm`);
    await type('1+2*3');
    await sessionHas('>>1+2*3\nans =\n\t7\n', 'calc: 1+2*3 gives 7');
    await type('5/0');
    await sessionHas('除以0!!!', 'calc: its Chinese messages');
    await type('tu');
    await type('y=x*x');
    await type('-1 1');
    await type('50');
    await page.waitForFunction(() => (Module.korviFrames || 0) > 0, {timeout: 20000});
    const plotted = await page.evaluate(() => {
      const canvas = document.querySelector('#korvi-screen canvas');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      const colours = new Set();
      for (let i = 0; i < data.length; i += 4) colours.add((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
      return {width: canvas.width, height: canvas.height, colours: colours.size};
    });
    check(plotted.width == 800 && plotted.height == 600 && plotted.colours > 1,
          `calc: tu plots in an 800 x 600 canvas (${JSON.stringify(plotted)})`);
    await page.focus('#korvi-screen canvas');
    await page.keyboard.press('a');  // the plot waits for a key, then closes
    await page.focus('#calc-line');
    await type('kept = 42');
    await sessionHas('kept =\n\t42', 'calc: a variable');
    await page.waitForFunction(() => document.getElementById('calc-session').textContent.endsWith('>>'),
                               {timeout: 10000});
    await new Promise(resolve => setTimeout(resolve, 500));  // the storage is written
    await page.reload();
    await page.waitForFunction(() => document.getElementById('calc-session').textContent.includes('>>'),
                               {timeout: 60000});
    await type('who');
    await sessionHas('kept\t42.000000', 'calc: who lists a variable of before the reload');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    check(await page.evaluate(() => document.getElementById('calc-line').value) == 'kept = 42',
          'calc: the up arrow recalls lines of before the reload');
    await page.close();
  }

  if (wanted('bouncing_balls')) {
    const page = await open('bouncing_balls');
    await new Promise(resolve => setTimeout(resolve, 1000));
    const before = await frames(page);
    await new Promise(resolve => setTimeout(resolve, 5000));
    const after = await frames(page);
    console.log(`     bouncing_balls: ${((after - before) / 5).toFixed(1)} frames per second`);
    check(after > before, 'bouncing_balls: frames come');
    await page.close();
  }
} finally {
  await browser.close();
  server.close();
}
console.log(failures ? `${failures} failed` : 'all passed');
process.exit(failures ? 1 : 0);
