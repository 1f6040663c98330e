// kelvane-sim play in a real browser: headless Chromium, driven over its DevTools protocol
// with puppeteer-core, plays the default ride's world as a person would. Holding F beside
// the locomotive shows the hold text on the screen and boards; holding W shows the speed
// growing and moves the train on the map; F leaves; leaving the page lets go of the keys.
// Screenshots go into the output folder. Measures the frame rates and the key latency.
// Usage: node play_page_test.mjs KELVANE_SIM OUTPUT_DIR
// Exit 77 (skipped) when Chromium or puppeteer-core is missing, unless CI is set.

import { existsSync, mkdirSync, statSync } from 'node:fs';
import path from 'node:path';

import { launchChromium, startTool } from './play_session.mjs';

const [tool, outputDir] = process.argv.slice(2);
const chromium = process.env.KELVANE_CHROMIUM || '/usr/bin/chromium';
const SKIP = 77;
const TEST_TIME_LIMIT_MS = 50_000;
const HOLD_TEXT = 'Hold key to enter the train ...';

function missing(what) {
  console.log(`${what} is missing: run scripts/setup linux`);
  process.exit(process.env.CI ? 1 : SKIP);
}

if (!tool || !outputDir) {
  console.log('usage: node play_page_test.mjs KELVANE_SIM OUTPUT_DIR');
  process.exit(2);
}
if (!existsSync(chromium)) missing(chromium);
let puppeteer;
try {
  puppeteer = (await import('puppeteer-core')).default;
} catch {
  missing('puppeteer-core (tests/browser/node_modules)');
}
mkdirSync(outputDir, { recursive: true });

let passes = 0;
let failures = 0;
function check(description, condition, detail = '') {
  if (condition) {
    passes += 1;
    console.log(`ok   ${description}`);
  } else {
    failures += 1;
    console.log(`FAIL ${description}${detail ? `: ${detail}` : ''}`);
  }
  return condition;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const summary = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  if (!sorted.length) return 'none';
  return `median ${sorted[Math.floor(sorted.length / 2)].toFixed(1)} ms, worst ${sorted.at(-1).toFixed(1)} ms ` +
         `(${sorted.length} key changes)`;
};

const run = startTool(tool);
let browser;
const watchdog = setTimeout(() => {
  console.log(`FAIL the test took longer than ${TEST_TIME_LIMIT_MS / 1000} s`);
  run.child.kill('SIGKILL');
  if (browser) browser.process()?.kill('SIGKILL');
  process.exit(1);
}, TEST_TIME_LIMIT_MS);

try {
  const url = await run.address;
  browser = await launchChromium(puppeteer, chromium);
  const page = await browser.newPage();
  const outside = [];
  page.on('request', (request) => { if (!request.url().startsWith(url)) outside.push(request.url()); });
  await page.setViewport({ width: 1600, height: 960 });
  await page.goto(url, { waitUntil: 'load' });

  const view = () => page.evaluate(() => {
    const s = window.kelvanePlay;
    return { envelope: s.envelope, drawn: s.drawn, scene: s.scene !== null, fps: s.framesPerSecond,
             latencies: s.keyLatencies, serverDelays: s.serverKeyDelays, screen: [document.getElementById('screen').clientWidth,
                                                 document.getElementById('screen').clientHeight] };
  });
  async function waitFor(description, predicate, timeoutMs) {
    const deadline = Date.now() + timeoutMs;
    let last;
    while (Date.now() < deadline) {
      last = await view();
      if (last.envelope && predicate(last)) return last;
      await sleep(50);
    }
    check(description, false, `not within ${timeoutMs} ms`);
    throw new Error(`gave up waiting: ${description}`);
  }
  const textsOf = (v) => v.drawn.texts.map((t) => t.text);
  const speedText = (v) => v.drawn.texts.find((t) => / mph \(\d+ km\/h\)$/.test(t.text));
  const kmhOf = (text) => Number(/\((\d+) km\/h\)/.exec(text.text)[1]);
  const lead = (v) => v.drawn.vehicles.find((vehicle) => vehicle.kind === 'freight_locomotive');

  let v = await waitFor('the page shows frames from the world', (w) => w.scene && w.drawn.frame > 0, 10_000);
  check('the page shows the scene and the frames', v.scene && v.drawn.frame > 0);
  check('the player starts on foot', v.envelope.world.player.place === 'on foot', v.envelope.world.player.place);
  check('the screen is 16:9', Math.abs(v.screen[0] / v.screen[1] - 16 / 9) < 0.01, `${v.screen}`);

  // Walking: the down arrow walks south, at the pace of a person.
  const before = v.envelope.world.player.pos;
  await page.keyboard.down('ArrowDown');
  await sleep(600);
  await page.keyboard.up('ArrowDown');
  v = await waitFor('the player stops walking', (w) => w.envelope.world.controls.length === 0 &&
                    w.envelope.world.player.pos[1] < before[1], 3_000);
  await sleep(100);
  v = await view();
  const walked = before[1] - v.envelope.world.player.pos[1];
  check('the down arrow walks the player south', walked > 0.3 && walked < 2.5, `${walked.toFixed(2)} m`);
  check('walking south keeps the player on its line', v.envelope.world.player.pos[0] === before[0]);

  // Boarding: hold F beside the locomotive.
  await page.keyboard.down('KeyF');
  v = await waitFor('holding F shows the hold text', (w) => textsOf(w).includes(HOLD_TEXT), 3_000);
  const hold = v.drawn.texts.find((t) => t.text === HOLD_TEXT);
  const [width, height] = v.screen;
  check('the hold text is centred on the screen', Math.abs(hold.box[0] + hold.box[2] / 2 - width / 2) < 1,
        `${hold.box}`);
  check('the hold text stands at y 0.51', Math.abs(hold.y - 0.51 * height) < 0.5, `${hold.y} of ${height}`);
  const lit = await page.evaluate((box) => {
    const canvas = document.getElementById('screen');
    const ratio = canvas.width / canvas.clientWidth;
    const pixels = canvas.getContext('2d').getImageData(Math.floor(box[0] * ratio), Math.floor(box[1] * ratio),
                                                        Math.ceil(box[2] * ratio), Math.ceil(box[3] * ratio)).data;
    let bright = 0;
    for (let i = 0; i < pixels.length; i += 4) if (pixels[i + 3] > 200 && pixels[i] > 200) bright += 1;
    return bright;
  }, hold.box);
  check('the hold text is painted on the screen', lit > 50, `${lit} white pixels`);
  check('the boarding bar is drawn', v.drawn.rects.length >= 2, `${v.drawn.rects.length} rectangles`);
  await page.screenshot({ path: path.join(outputDir, 'play_page_boarding.png') });
  v = await waitFor('holding F boards the train', (w) => w.envelope.world.player.train === 'freight', 5_000);
  await page.keyboard.up('KeyF');
  check('holding F boards the locomotive', /^freight car 0 seat/.test(v.envelope.world.player.place),
        v.envelope.world.player.place);

  // Driving: hold W.
  v = await waitFor('the speed text shows in the cab', (w) => speedText(w) !== undefined, 2_000);
  const startKmh = kmhOf(speedText(v));
  const startX = lead(v).world[0];
  await page.keyboard.down('KeyW');
  await sleep(3_500);
  v = await view();
  const speed = speedText(v);
  check('holding W makes the speed text grow', speed && kmhOf(speed) > startKmh + 5, speed && speed.text);
  check('the speed text stands at the top centre (y 0.01)',
        speed && Math.abs(speed.y - 0.01 * height) < 0.5 && Math.abs(speed.box[0] + speed.box[2] / 2 - width / 2) < 1,
        speed && `${speed.box}`);
  check('the train moves on the map', lead(v).world[0] > startX + 2,
        `${startX.toFixed(1)} m to ${lead(v).world[0].toFixed(1)} m`);
  const train = v.envelope.world.trains.find((t) => t.name === 'freight');
  check('the world runs the commanded speed', train.set_speed !== null && train.set_speed > 1,
        JSON.stringify(train));
  const shot = path.join(outputDir, 'play_page.png');
  await page.screenshot({ path: shot });
  check('a screenshot of the page is written', existsSync(shot) && statSync(shot).size > 10_000, shot);
  await page.keyboard.up('KeyW');

  // Leaving: press F.
  await page.keyboard.down('KeyF');
  await sleep(100);
  await page.keyboard.up('KeyF');
  v = await waitFor('F leaves the cab', (w) => w.envelope.world.player.place === 'on foot', 5_000);
  check('F leaves the cab', v.envelope.world.player.place === 'on foot');

  // Losing focus lets go of every key.
  await page.keyboard.down('KeyW');
  await waitFor('a held W reaches the world', (w) => w.envelope.world.controls.includes(71), 2_000);
  await page.evaluate(() => window.dispatchEvent(new Event('blur')));
  v = await waitFor('blur lets go of every key', (w) => w.envelope.world.controls.length === 0, 2_000);
  check('leaving the page lets go of every key', v.envelope.world.controls.length === 0);
  await page.keyboard.up('KeyW');

  check('the page asks nothing of any other server', outside.length === 0, outside.join(', '));

  // Measurements, for the record: no targets are asserted.
  console.log(`measured: frames here ${v.fps}/s, world ${v.envelope.fps.toFixed(1)}/s; ` +
              `key to world and back here ${summary(v.latencies)}; arrival to frame at the server ` +
              `${summary(v.serverDelays)}`);
} catch (error) {
  check('the page plays', false, error.message);
} finally {
  if (browser) await browser.close();
  run.child.kill('SIGTERM');
  const { code } = await run.exited;
  check('SIGTERM stops the tool cleanly', code === 0, `exit ${code}: ${run.output()}`);
  const folder = /game folder (\S+) \(removed on stop\)/.exec(run.output());
  check('the temporary game folder is gone', folder && !existsSync(folder[1]), folder && folder[1]);
  clearTimeout(watchdog);
}

console.log(`browser play page: ${passes} passed, ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
