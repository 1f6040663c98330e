// What the play page's browser scripts share: kelvane-sim play in the background, and
// Debian's Chromium, headless, started as this machine allows.

import { spawn } from 'node:child_process';

// Starts `kelvane-sim play ARGS...`; `address` resolves to the page's address once printed.
export function startTool(tool, args = []) {
  const child = spawn(tool, ['play', ...args], { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const address = new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no address printed: ${output}`)), 10_000);
    child.stdout.on('data', (chunk) => {
      output += chunk;
      const found = /open (http:\/\/127\.0\.0\.1:\d+\/)/.exec(output);
      if (found) {
        clearTimeout(timer);
        resolve(found[1]);
      }
    });
    child.stderr.on('data', (chunk) => { output += chunk; });
    child.on('exit', () => reject(new Error(`the tool ended: ${output}`)));
  });
  return { child, address, exited, output: () => output };
}

export function launchChromium(puppeteer, executablePath) {
  const asRoot = typeof process.getuid === 'function' && process.getuid() === 0;
  return puppeteer.launch({
    executablePath,
    headless: true,
    // Chromium's sandbox refuses to run as root, as CI does; the rest keeps it off the
    // network, which this machine does not have.
    args: [...(asRoot ? ['--no-sandbox'] : []), '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'],
  });
}
