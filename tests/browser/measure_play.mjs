// Measures kelvane-sim play with one browser page connected: the world's frame rate, the
// frames the page receives, the latency from a key change to the world playing it, and
// the CPU the tool uses, first alone and then while the page plays.
// Usage: node measure_play.mjs KELVANE_SIM [SECONDS]   (after scripts/setup linux)

import { readFileSync } from 'node:fs';
import { execSync } from 'node:child_process';

import puppeteer from 'puppeteer-core';

import { launchChromium, startTool } from './play_session.mjs';

const [tool, secondsText = '20'] = process.argv.slice(2);
const seconds = Number(secondsText);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const ticksPerSecond = Number(execSync('getconf CLK_TCK').toString());

// User and system CPU seconds of a process so far, from /proc.
function cpuSeconds(pid) {
  const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
  return (Number(fields[11]) + Number(fields[12])) / ticksPerSecond;
}

async function cpuShare(pid, ms) {
  const cpu = cpuSeconds(pid), wall = performance.now();
  await sleep(ms);
  return (cpuSeconds(pid) - cpu) / ((performance.now() - wall) / 1000);
}

function percentiles(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const at = (share) => sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * share))].toFixed(1);
  return `median ${at(0.5)} ms, 90% ${at(0.9)} ms, worst ${sorted.at(-1).toFixed(1)} ms (${sorted.length} changes)`;
}

const run = startTool(tool);
const url = await run.address;
await sleep(1000);
const alone = await cpuShare(run.child.pid, 5000);

const browser = await launchChromium(puppeteer, '/usr/bin/chromium');
const page = await browser.newPage();
await page.setViewport({ width: 1600, height: 960 });
await page.goto(url, { waitUntil: 'load' });
await sleep(2000);

const frameAt = () => page.evaluate(() => ({ frame: window.kelvanePlay.envelope.world.frame,
                                             received: window.kelvanePlay.framesPerSecond }));
const start = await frameAt();
const startWall = performance.now();
const cpu = cpuSeconds(run.child.pid);
const received = [];
// A key change four times a second: H (full beam in a cab) does nothing on foot.
for (let i = 0; i < seconds * 4; i += 1) {
  if (i % 2 === 0) await page.keyboard.down('KeyH'); else await page.keyboard.up('KeyH');
  await sleep(250);
  received.push((await frameAt()).received);
}
const end = await frameAt();
const wall = (performance.now() - startWall) / 1000;
const playing = (cpuSeconds(run.child.pid) - cpu) / wall;
const keys = await page.evaluate(() => ({ page: window.kelvanePlay.keyLatencies,
                                          server: window.kelvanePlay.serverKeyDelays }));
await browser.close();
run.child.kill('SIGTERM');
await run.exited;

console.log(`over ${wall.toFixed(1)} s with one page connected:`);
console.log(`  world frame rate: ${((end.frame - start.frame) / wall).toFixed(2)} frames/s`);
console.log(`  frames the page received per second: ${Math.min(...received)} to ${Math.max(...received)}`);
console.log(`  key change to the first frame the world played with it, seen by the page: ${percentiles(keys.page)}`);
console.log(`  key message's arrival at the server to the start of that frame: ${percentiles(keys.server)}`);
console.log(`  tool CPU: ${(alone * 100).toFixed(1)}% of one core with no page, ${(playing * 100).toFixed(1)}% with the page`);
