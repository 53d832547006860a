// The web page in Debian's chromium, headless, with the network off: the calculator as a
// pupil uses it, its refusals, the help pages' downloads against the desktop program's
// files, logbooks against zorvel-batch, and screenshots to look at.
// node --test tests/web/browser_test.cjs, with ZORVEL_PAGE, ZORVEL_BATCH,
// ZORVEL_DESKTOP_PAGES, ZORVEL_SCREENSHOTS set by tools/web/test.sh.
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { launchOffline } = require('./offline_browser.cjs');

const pageFile = process.env.ZORVEL_PAGE;
const batchProgram = process.env.ZORVEL_BATCH;
const desktopPages = process.env.ZORVEL_DESKTOP_PAGES;
const screenshots = process.env.ZORVEL_SCREENSHOTS;

const SampleResults = ['14.3 [g/m3]', '81.0 [%]', '17.1  [°C]', '24.2 [hPa]', '19.6 [hPa]'];
const Placeholders = ['F [g/m3]', 'RH [%]', 'Td  [°C]', 'E [hPa]', 'е [hPa]'];
const Fields = ['dry-bulb', 'wet-bulb', 'pressure'];

let browser;
let page;
let scratch;
let blocked;

async function values(ids) {
  return page.evaluate((list) => list.map((id) => document.getElementById(id).value), ids);
}

const results = () => values([0, 1, 2, 3, 4].map((i) => 'result-' + i));

// As a pupil: Clear, then into each field by click or Tab, type, and Enter.
async function typeReading(dry, wet, pressure, { unit = '1', iced = false } = {}) {
  await page.click('#clear');
  await page.select('#unit', unit);
  if (iced) {
    await page.click('#iced');
  }
  await page.click('#dry-bulb');
  await page.keyboard.type(dry);
  await page.keyboard.press('Tab');
  await page.keyboard.type(wet);
  await page.keyboard.press('Tab');
  await page.keyboard.type(pressure);
  await page.keyboard.press('Enter');
}

// The "Проблем!" box's caption and text, closed with its button; then where the focus is.
async function problem() {
  const open = await page.$eval('#problem', (dialog) => dialog.open);
  if (!open) {
    return null;
  }
  const shown = await page.evaluate(() => ({
    role: document.getElementById('problem').getAttribute('role'),
    caption: document.getElementById('problem-caption').textContent,
    text: document.getElementById('problem-text').textContent,
  }));
  await page.keyboard.press('Enter'); // the box's button has the focus
  await page.waitForFunction(() => document.activeElement.classList.contains('reading'),
    { timeout: 2000 }).catch(() => {});
  const focus = await page.evaluate(() => {
    const field = document.activeElement;
    return { id: field.id, selected: field.selectionEnd - field.selectionStart === field.value.length };
  });
  return { ...shown, ...focus };
}

async function waitForDownload(name) {
  const file = path.join(scratch, 'downloads', name);
  for (let waited = 0; waited < 20000; waited += 50) {
    if (fs.existsSync(file) && !fs.existsSync(file + '.crdownload')) {
      return fs.readFileSync(file);
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  throw new Error('no download ' + name);
}

async function convertLogbook(file, options) {
  await page.$eval('#logbook-results', (element) => { element.hidden = true; });
  const input = await page.$('#logbook-file');
  await input.uploadFile(file);
  for (const [name, value] of Object.entries(options)) {
    await page.select('#logbook-' + name, value);
  }
  await page.click('#convert');
  await page.waitForFunction(() => !document.getElementById('convert').disabled, { timeout: 60000 });
}

before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvel-web-test-'));
  ({ browser, page, blocked } = await launchOffline(path.join(scratch, 'profile'),
    path.join(scratch, 'downloads')));
  await page.setViewport({ width: 360, height: 640, deviceScaleFactor: 1, isMobile: true,
    hasTouch: true });
  await page.goto('file://' + pageFile);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
});

after(async () => {
  await browser?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

describe('the calculator', () => {
  it('starts as the window does and computes the sample reading', async () => {
    assert.deepEqual(await values(Fields), ['Tdry=', 'Twet=', 'P/h=']);
    assert.deepEqual(await results(), Placeholders);
    await typeReading('20.5', '18.3', '981.1');
    assert.equal(await problem(), null);
    assert.deepEqual(await values(Fields), ['20.5   [°C]', '18.3   [°C]', '981.1  [hPa]']);
    assert.deepEqual(await results(), SampleResults);
    // The results are current: a second press without entering a field does nothing.
    await page.click('#calculate');
    assert.equal(await problem(), null);
    assert.deepEqual(await values(Fields), ['20.5   [°C]', '18.3   [°C]', '981.1  [hPa]']);
  });

  it('refuses each impossible input with the window message, focus on its field', async () => {
    const cases = [
      [['20', '15', ''], {}, 'Няма данни за атмосферно налягане', 'pressure'],
      [['20', '15', '3001'], { unit: '3' }, 'Има грешка при надморската височина', 'pressure'],
      [['20', '15', '1150.1'], {}, 'Има грешка при стойността на налягането', 'pressure'],
      [['20', '15', '900'], { unit: '2' }, 'Има грешка при стойността на налягането', 'pressure'],
      [['', '15', '1000'], {}, 'Няма данни за сухия термометър', 'dry-bulb'],
      [['50.1', '15', '1000'], {}, 'Има грешка при стойността на сухия термометър', 'dry-bulb'],
      [['20,5', '15', '1000'], {}, 'Има грешка при стойността на сухия термометър', 'dry-bulb'],
      [['20', '', '1000'], {}, 'Няма данни за мокрия термометър', 'wet-bulb'],
      [['20', '-30.1', '1000'], {}, 'Има грешка при стойността на мокрия термометър', 'wet-bulb'],
      [['20', '20.1', '1000'], {},
        'Има грешка при въвеждането на стойностите на сухия и мокрия термометър', 'wet-bulb'],
      [['30', '5', '1000'], {},
        'Има грешка при въвеждането на стойностите на сухия и мокрия термометър', 'wet-bulb'],
      [['5', '1', '1000'], { iced: true },
        'При заледен мокър термометър показанието му не може да е над 0 °C', 'wet-bulb'],
    ];
    for (const [[dry, wet, pressure], options, message, field] of cases) {
      await typeReading(dry, wet, pressure, options);
      const shown = await problem();
      assert.deepEqual(shown, { role: 'alertdialog', caption: 'Проблем!', text: message,
        id: field, selected: true }, `${dry} / ${wet} / ${pressure}`);
      // Nothing was written: the fields keep what was typed, the results their captions.
      assert.deepEqual(await results(), Placeholders);
    }
  });

  it('clears back to the initial texts, hPa, aspirated and water', async () => {
    await typeReading('-5', '-5', '1000', { unit: '4', iced: true });
    assert.deepEqual(await results(), ['3.2 [g/m3]', '95.2 [%]', '-5.7  [°C]', '4.2 [hPa]', '4.0 [hPa]']);
    assert.equal(await page.$eval('#pressure', (field) => field.value), '1000  [mB]');
    await page.click('#clear');
    assert.deepEqual(await values(Fields), ['Tdry=', 'Twet=', 'P/h=']);
    assert.deepEqual(await results(), Placeholders);
    assert.deepEqual(await page.evaluate(() => [document.getElementById('unit').value,
      document.querySelector('input[name="type"]:checked').value,
      document.getElementById('iced').checked,
      document.getElementById('status').textContent.replace(/\s+/g, ' ').trim()]),
    ['1', '1', false, 'Работите с температура в [°C] Работите с налягане в [hPa] ' +
      'Използвате психрометър с аспирация']);
  });

  it('charts each accepted reading as zorvel-batch writes an SVG', async () => {
    await typeReading('20.5', '18.3', '981.1');
    const svg = await page.evaluate(async () =>
      (await fetch(document.getElementById('chart').src)).text());
    assert.match(svg, /^<\?xml version="1.0" encoding="UTF-8"\?>\n<svg xmlns="http:\/\/www.w3.org\/2000\/svg" version="1.1" width="1000" height="758"/);
    assert.ok(svg.includes('Tdry = 20.5 °C, Twet = 18.3 °C, P = 981.1 hPa, психрометър с аспирация'));
    await page.click('#save-chart');
    assert.equal((await waitForDownload('Психрометрична_диаграма.svg')).toString(), svg);
  });
});

describe('the help pages', () => {
  it('save each page as the same JPEG file the desktop program writes', async () => {
    const buttons = await page.$$('#page-menus button');
    let compared = 0;
    for (const button of buttons) {
      const title = await button.evaluate((element) => element.textContent);
      await button.click();
      if (title === 'За софтуера') {
        assert.ok((await page.$eval('#about-text', (text) => text.textContent)).startsWith('Зорвел, версия 1.1'));
        await page.keyboard.press('Enter');
        continue;
      }
      const imageId = await page.evaluate(() => {
        const picture = document.getElementById('viewer-picture');
        return picture.decode().then(() => picture.naturalWidth);
      });
      assert.ok(imageId > 600, title);
      await page.click('#viewer-save');
      const saved = await waitForDownload('Помагало_' + title + '.jpg');
      const desktop = fs.readFileSync(path.join(desktopPages, title + '.jpg'));
      assert.ok(saved.equals(desktop), title + ': ' + saved.length + ' bytes, desktop ' + desktop.length);
      await page.click('#viewer form button');
      compared += 1;
    }
    assert.equal(compared, 9);
  });

  it('print the page alone', async () => {
    await page.click('#page-menus button');
    await page.evaluate(() => {
      window.print = () => { window.printed = true; };
    });
    await page.click('#viewer-print');
    await page.emulateMediaType('print');
    const printed = await page.evaluate(() => ({
      asked: window.printed === true,
      main: getComputedStyle(document.querySelector('main')).display,
      bar: getComputedStyle(document.querySelector('.viewer-bar')).display,
      picture: document.getElementById('viewer-picture').getBoundingClientRect().width > 0,
    }));
    await page.emulateMediaType(null);
    await page.evaluate(() => window.dispatchEvent(new Event('afterprint')));
    await page.click('#viewer form button');
    assert.deepEqual(printed, { asked: true, main: 'none', bar: 'none', picture: true });
  });
});

describe('logbooks', () => {
  const batch = (args) => {
    try {
      return execFileSync(batchProgram, args, { stdio: ['ignore', 'pipe', 'pipe'] });
    } catch (failure) {
      if (failure.status === 2) {
        return failure.stdout; // some rows carry an error text
      }
      throw failure;
    }
  };

  it('give the table and chart zorvel-batch gives for the same file and options', async () => {
    const logbook = path.join(scratch, 'дневник.csv');
    // Windows-1251 with semicolons and decimal commas, as Excel writes it in Bulgaria.
    const text = 'дата;сух;мокър;налягане;вид\r\n2024-05-01;20,5;18,3;736;\r\n' +
      '2024-05-02;20,5;25;736;2\r\n2024-05-03;-5;-5,2;750;без аспирация\r\n2024-05-04;10;8\r\n';
    fs.writeFileSync(logbook, Buffer.from([...text].map((c) => {
      const code = c.codePointAt(0);
      return code >= 0x410 && code <= 0x44f ? code - 0x410 + 0xc0 : code;
    })));
    const optionSets = [
      [{}, []],
      [{ unit: 'mmHg', type: 'non-aspirated', bulb: 'auto', delimiter: 'tab', decimal: 'point',
        encoding: 'windows-1251', 'output-encoding': 'utf-16' },
      ['--unit', 'mmHg', '--type', 'non-aspirated', '--bulb', 'auto', '--delimiter', 'tab',
        '--decimal', 'point', '--encoding', 'windows-1251', '--output-encoding', 'utf-16']],
    ];
    for (const [options, args] of optionSets) {
      const reset = { unit: '', type: '', bulb: 'water', delimiter: '', decimal: '', encoding: '',
        'output-encoding': '' };
      await convertLogbook(logbook, { ...reset, ...options });
      const table = path.join(scratch, 'table.csv');
      const chart = path.join(scratch, 'chart.svg');
      batch([logbook, '-o', table, '--chart', chart, ...args]);
      await page.click('#save-table');
      const saved = await waitForDownload('дневник-резултати.csv');
      assert.ok(saved.equals(fs.readFileSync(table)), JSON.stringify(options));
      await page.click('#save-logbook-chart');
      const savedChart = await waitForDownload('дневник-диаграма.svg');
      assert.ok(savedChart.equals(fs.readFileSync(chart)), 'chart ' + JSON.stringify(options));
      fs.rmSync(path.join(scratch, 'downloads'), { recursive: true, force: true });
    }
  });

  it('convert 100,000 rows off the page\'s thread, with progress', async () => {
    const logbook = path.join(scratch, 'year.csv');
    const rows = ['row,tdry,twet,p'];
    for (let i = 0; i < 100000; i += 1) {
      rows.push(`r${i},${(i % 400) / 10},${(i % 400) / 10 - (i % 37) / 10},${950 + (i % 100)}`);
    }
    fs.writeFileSync(logbook, rows.join('\n') + '\n');
    // The longest gap between two ticks of a 20 ms timer while the logbook is converted
    // (drawing its chart of 100,000 points afterwards is the page's own work).
    await page.evaluate(() => {
      window.longestGap = 0;
      window.progressSeen = false;
      let last = performance.now();
      window.ticker = setInterval(() => {
        const now = performance.now();
        const status = document.getElementById('logbook-status').textContent;
        if (status.startsWith('Изчисл')) {
          window.longestGap = Math.max(window.longestGap, now - last);
        }
        last = now;
        window.progressSeen ||= status.startsWith('Изчислени редове');
      }, 20);
    });
    await convertLogbook(logbook, { unit: '', type: '', bulb: 'water', delimiter: '', decimal: '',
      encoding: '', 'output-encoding': 'utf-8' });
    const { gap, progress, status } = await page.evaluate(() => {
      clearInterval(window.ticker);
      return { gap: window.longestGap, progress: window.progressSeen,
        status: document.getElementById('logbook-status').textContent };
    });
    assert.equal(status.replace(/\s/g, ' '), 'Готово: 100 000 реда, от тях с грешка: 0.');
    assert.ok(progress, 'no progress shown');
    assert.ok(gap < 250, `the page stood still for ${gap} ms`);
    await page.click('#save-table');
    const table = path.join(scratch, 'year-table.csv');
    batch([logbook, '-o', table]);
    assert.ok((await waitForDownload('year-резултати.csv')).equals(fs.readFileSync(table)));
  });
});

describe('the page on screens', () => {
  const screens = [[360, 640, true], [768, 1024, true], [1366, 768, false]];

  it('fits every screen without sideways scrolling, touch targets at least 44 px', async () => {
    for (const [width, height, mobile] of screens) {
      await page.setViewport({ width, height, isMobile: mobile, hasTouch: mobile });
      await page.click('#clear');
      await typeReading('20.5', '18.3', '981.1');
      const layout = await page.evaluate(() => {
        const small = [];
        for (const element of document.querySelectorAll(
          'main button, main input.reading, main select, main summary, main .radio, main .file-button')) {
          const box = element.getBoundingClientRect();
          if (box.width > 0 && (box.height < 44 || box.width < 44)) {
            small.push(`${element.id || element.textContent.trim()} ${box.width}x${box.height}`);
          }
        }
        // A select shows its chosen text in one line, cut where the box ends.
        const context = document.createElement('canvas').getContext('2d');
        for (const select of document.querySelectorAll('main select')) {
          context.font = getComputedStyle(select).font;
          const text = select.options[select.selectedIndex].text;
          if (context.measureText(text).width + 36 > select.clientWidth) {
            small.push(`${select.id} cuts "${text}" at ${select.clientWidth}`);
          }
        }
        const unlabelled = [...document.querySelectorAll('main input, main select')]
          .filter((element) => element.labels.length === 0).map((element) => element.id);
        return { scroll: document.documentElement.scrollWidth - window.innerWidth, small,
          unlabelled };
      });
      assert.deepEqual(layout, { scroll: 0, small: [], unlabelled: [] }, `${width}x${height}`);
      await page.screenshot({ path: path.join(screenshots, `page-${width}x${height}.png`),
        fullPage: true });
    }
    await page.setViewport({ width: 360, height: 640, isMobile: true, hasTouch: true });
    await typeReading('20.5', '18.3', '981.1');
    // What a phone shows after the press: the results in view.
    assert.ok(await page.$eval('#results', (results) => {
      const box = results.getBoundingClientRect();
      return box.top >= 0 && box.bottom <= window.innerHeight;
    }));
    await page.screenshot({ path: path.join(screenshots, 'page-360x640-results.png') });
    await page.click('#page-menus button');
    await page.evaluate(() => document.getElementById('viewer-picture').decode());
    await page.screenshot({ path: path.join(screenshots, 'page-360x640-viewer.png') });
    await page.click('#viewer form button');
  });

  it('asked for nothing but its own file', async () => {
    assert.deepEqual(blocked, []);
  });
});
