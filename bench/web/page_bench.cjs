// The web page's figures, in Debian's chromium, headless and offline: the time from opening
// the file to the page ready, one Calculate press, and a 1,000,000-row logbook converted in
// the page against zorvel-batch natively. Not a test: it prints the figures and their
// targets. Run by bench/web/run.sh.
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { launchOffline } = require('../../tests/web/offline_browser.cjs');

const pageFile = process.env.ZORVEL_PAGE;
const batchProgram = process.env.ZORVEL_BATCH;
const runs = Number(process.env.ZORVEL_BENCH_RUNS || 5);
const logbookRows = Number(process.env.ZORVEL_BENCH_ROWS || 1000000);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const seconds = (ms) => (ms / 1000).toFixed(2) + ' s';

async function openPage(scratch, run) {
  const opened = await launchOffline(path.join(scratch, 'profile-' + run));
  await opened.page.goto('file://' + pageFile);
  await opened.page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return opened;
}

async function main() {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvel-web-bench-'));
  try {
    // Ready: from the start of the navigation to the page's own mark, each in a new browser.
    const ready = [];
    for (let run = 0; run < runs; run += 1) {
      const { browser, page } = await openPage(scratch, run);
      ready.push(await page.evaluate(() => performance.getEntriesByName('zorvel-ready')[0].startTime));
      await browser.close();
    }

    const { browser, page, blocked } = await openPage(scratch, 'main');
    // One press: Clear, the three texts as typed, and the press through the form, as Enter.
    const presses = await page.evaluate(() => {
      const times = [];
      for (let i = 0; i < 200; i += 1) {
        document.getElementById('clear').click();
        document.getElementById('dry-bulb').value = (20 + (i % 10) / 10).toFixed(1);
        document.getElementById('wet-bulb').value = '18.3';
        document.getElementById('pressure').value = '981.1';
        const start = performance.now();
        document.getElementById('calculate-form').requestSubmit();
        times.push(performance.now() - start);
      }
      return times;
    });

    const logbook = path.join(scratch, 'logbook.csv');
    const lines = ['row,tdry,twet,p'];
    for (let i = 0; i < logbookRows; i += 1) {
      lines.push(`r${i},${(i % 400) / 10},${(i % 400) / 10 - (i % 37) / 10},${950 + (i % 100)}`);
    }
    fs.writeFileSync(logbook, lines.join('\n') + '\n');
    const nativeStart = process.hrtime.bigint();
    // With its chart, as the page always draws one.
    execFileSync(batchProgram, [logbook, '-o', path.join(scratch, 'table.csv'), '--chart',
      path.join(scratch, 'chart.svg')]);
    const native = Number(process.hrtime.bigint() - nativeStart) / 1e6;

    await (await page.$('#logbook-file')).uploadFile(logbook);
    const inPage = await page.evaluate(() => new Promise((resolve) => {
      const status = document.getElementById('logbook-status');
      const start = performance.now();
      const watch = new MutationObserver(() => {
        if (status.textContent.startsWith('Готово')) {
          watch.disconnect();
          resolve(performance.now() - start);
        }
      });
      watch.observe(status, { childList: true, characterData: true, subtree: true });
      document.getElementById('convert').click();
    }));
    await browser.close();

    const size = fs.statSync(pageFile).size;
    console.log(`zorvel.html: ${size} bytes (${(size / 1e6).toFixed(2)} MB; target at most 5 MB)`);
    console.log(`ready after opening: median ${median(ready).toFixed(0)} ms of ${runs} runs ` +
      `(${ready.map((t) => t.toFixed(0)).join(', ')}); target at most 1000 ms`);
    console.log(`one Calculate press: median ${(median(presses) * 1000).toFixed(0)} µs of ` +
      `${presses.length} presses`);
    console.log(`${logbookRows} rows: ${seconds(inPage)} in the page, ${seconds(native)} ` +
      `zorvel-batch --chart natively: ${(inPage / native).toFixed(2)} x; target at most 3 x`);
    if (blocked.length > 0) {
      console.log('requests the page made: ' + blocked.join(', '));
    }
  } finally {
    fs.rmSync(scratch, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
