// The page around the WebAssembly module: the calculator's fields and dialogs, the help
// pages, the chart and the logbooks. Every rule lives in the module; this script only
// carries texts between it and the page, as the toolkit does for the window.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  // Menu texts carry "&" before the letter that chooses them from the keyboard.
  const plain = (text) => text.replace('&', '');

  let zorvel = null;
  let texts = null;
  // The input fields in the module's order: dry bulb, wet bulb, pressure.
  const fields = [$('dry-bulb'), $('wet-bulb'), $('pressure')];
  const fieldPlaceholders = ['DryBulbPlaceholder', 'WetBulbPlaceholder', 'PressurePlaceholder'];
  const results = [0, 1, 2, 3, 4].map((i) => $('result-' + i));
  const resultPlaceholders = ['AbsoluteHumidityPlaceholder', 'RelativeHumidityPlaceholder',
    'DewPointPlaceholder', 'SaturationPressurePlaceholder', 'VapourPressurePlaceholder'];
  const unitStatus = { 1: 'StatusHpa', 4: 'StatusMbar', 2: 'StatusMmhg', 3: 'StatusAltitude' };
  const typeStatus = { 1: 'StatusAspirated', 2: 'StatusNonAspirated' };

  function bytesOf(pointer, size) {
    return zorvel.HEAPU8.slice(pointer, pointer + size);
  }

  function download(bytes, name, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function blobUrl(bytes, type) {
    return URL.createObjectURL(new Blob([bytes], { type }));
  }

  function fillTexts() {
    for (const element of document.querySelectorAll('[data-text]')) {
      element.textContent = plain(texts[element.dataset.text]);
    }
    for (const element of document.querySelectorAll('[data-tip]')) {
      element.title = texts[element.dataset.tip];
      const tip = document.createElement('span');
      tip.id = element.id + '-tip';
      tip.className = 'visually-hidden';
      tip.textContent = texts[element.dataset.tip];
      element.after(tip);
      element.setAttribute('aria-describedby', tip.id);
    }
    document.title = texts.WindowTitle.trim();
    $('logo').src = blobUrl(pictureBytes(1), 'image/bmp');
  }

  // --- The calculator -------------------------------------------------------------------

  function selectedUnit() { return Number($('unit').value); }
  function selectedType() { return Number(document.querySelector('input[name="type"]:checked').value); }
  function iced() { return $('iced').checked; }

  function showStatus() {
    $('status-unit').textContent = texts[unitStatus[selectedUnit()]];
    $('status-type').textContent = texts[typeStatus[selectedType()]];
    $('status-ice').textContent = iced() ? texts.StatusIceBulb : '';
  }

  // What Clear does to the window: initial texts, hPa, aspirated, a wet bulb with water.
  function resetCalculator() {
    fields.forEach((field, i) => { field.value = texts[fieldPlaceholders[i]]; });
    results.forEach((result, i) => { result.value = texts[resultPlaceholders[i]]; });
    $('unit').value = '1';
    document.querySelector('input[name="type"][value="1"]').checked = true;
    $('iced').checked = false;
    showStatus();
  }

  // The window empties a field the first time it is entered after a result.
  function enterField(event) {
    if (zorvel._zorvel_enter_field(Number(event.target.dataset.field))) {
      event.target.value = '';
    }
  }

  function showProblem(message, field) {
    const dialog = $('problem');
    $('problem-text').textContent = message;
    dialog.returnField = fields[field];
    dialog.showModal();
  }

  // The focus goes back to the field the message is about, its text selected to type over.
  // After the dialog has given the focus back to where it was.
  $('problem').addEventListener('close', () => {
    const field = $('problem').returnField;
    setTimeout(() => {
      field.focus();
      field.select();
    });
  });

  function calculate() {
    const answer = JSON.parse(zorvel.ccall('zorvel_calculate', 'string',
      ['string', 'string', 'string', 'number', 'number', 'number'],
      [fields[2].value, fields[0].value, fields[1].value, selectedUnit(), selectedType(),
        iced() ? 1 : 0]));
    if (answer.kind === 'refused') {
      showProblem(answer.message, answer.field);
      return;
    }
    if (answer.kind !== 'accepted') {
      return;
    }
    // The pressure first, then the thermometers, then the results, as the window writes.
    for (const i of [2, 0, 1]) {
      fields[i].value = answer.inputs[i];
    }
    answer.results.forEach((text, i) => { results[i].value = text; });
    hasCalculation = true;
    showChart();
    // On a phone the results lie below the fields.
    $('results').scrollIntoView({ block: 'nearest' });
  }

  $('calculate-form').addEventListener('submit', (event) => {
    event.preventDefault();
    // As a click: the button takes the focus, so a field is entered afresh afterwards.
    $('calculate').focus();
    calculate();
  });

  $('clear').addEventListener('click', () => {
    zorvel._zorvel_clear();
    resetCalculator();
    if (!hasCalculation) {
      showChart();
    }
  });

  $('unit').addEventListener('change', showStatus);
  for (const radio of document.querySelectorAll('input[name="type"]')) {
    radio.addEventListener('change', showStatus);
  }
  // Before the first calculation the empty chart follows the wet bulb's cover.
  $('iced').addEventListener('change', () => {
    showStatus();
    if (!hasCalculation) {
      showChart();
    }
  });
  for (const field of fields) {
    field.addEventListener('focus', enterField);
  }

  // --- The chart ------------------------------------------------------------------------

  let hasCalculation = false;
  let chartSvg = '';
  let chartUrl = null;

  function showChart() {
    chartSvg = zorvel.ccall('zorvel_chart_svg', 'string', [], []);
    if (chartUrl) {
      URL.revokeObjectURL(chartUrl);
    }
    chartUrl = blobUrl(chartSvg, 'image/svg+xml');
    $('chart').src = chartUrl;
    const title = /<text[^>]*>([^<]*)<\/text>/.exec(chartSvg);
    $('chart').alt = title ? title[1] : plain(texts.ChartItem);
  }

  $('save-chart').addEventListener('click', () => {
    download(chartSvg, 'Психрометрична_диаграма.svg', 'image/svg+xml');
  });

  // --- The help pages -------------------------------------------------------------------

  function pictureBytes(imageId) {
    return bytesOf(zorvel._zorvel_picture(imageId), zorvel._zorvel_picture_size(imageId));
  }

  let viewerPage = 0;
  let viewerUrl = null;

  function openPage(imageId, title) {
    viewerPage = imageId;
    if (viewerUrl) {
      URL.revokeObjectURL(viewerUrl);
    }
    viewerUrl = blobUrl(pictureBytes(imageId), 'image/jpeg');
    $('viewer-title').textContent = title;
    $('viewer-picture').src = viewerUrl;
    $('viewer-picture').alt = title;
    setZoom(false);
    $('viewer').showModal();
  }

  function setZoom(zoomed) {
    $('viewer-zoom').setAttribute('aria-pressed', String(zoomed));
    $('viewer-zoom').textContent = zoomed ? 'Намали' : 'Увеличи';
    $('viewer').querySelector('.viewer-page').classList.toggle('zoomed', zoomed);
  }

  $('viewer-zoom').addEventListener('click', () => {
    setZoom($('viewer-zoom').getAttribute('aria-pressed') !== 'true');
  });

  // The same file the desktop program saves: decoded and encoded again by its own code.
  $('viewer-save').addEventListener('click', () => {
    const size = zorvel._zorvel_save_page(viewerPage);
    if (size > 0) {
      const name = texts.SavedPageName.replace('_.', '_' + $('viewer-title').textContent + '.');
      download(bytesOf(zorvel._zorvel_answer(), size), name, 'image/jpeg');
    }
  });

  $('viewer-print').addEventListener('click', () => {
    document.body.classList.add('printing-page');
    window.print();
  });
  window.addEventListener('afterprint', () => document.body.classList.remove('printing-page'));

  function buildPageMenus() {
    const menus = $('page-menus');
    for (const [menu, items] of texts.pages) {
      const group = document.createElement('div');
      group.className = 'page-menu';
      const heading = document.createElement('h3');
      heading.textContent = plain(menu).trim();
      const buttons = document.createElement('div');
      buttons.className = 'commands';
      for (const [item, imageId] of items) {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = plain(item);
        button.addEventListener('click', () => {
          if (imageId === 0) {
            $('about').showModal();
          } else {
            openPage(imageId, plain(item));
          }
        });
        buttons.appendChild(button);
      }
      group.append(heading, buttons);
      menus.appendChild(group);
    }
  }

  // --- Logbooks -------------------------------------------------------------------------

  let logbookFile = null;
  let logbookTable = null;
  let logbookChart = '';
  let logbookWorker = null;

  function chooseLogbook(file) {
    logbookFile = file;
    $('logbook-name').textContent = file ? file.name : 'Няма избран файл';
    $('convert').disabled = !file;
    $('logbook-results').hidden = true;
    $('logbook-status').textContent = '';
  }

  $('logbook-file').addEventListener('change', (event) => chooseLogbook(event.target.files[0]));
  const dropZone = $('drop-zone');
  dropZone.addEventListener('dragover', (event) => {
    event.preventDefault();
    dropZone.classList.add('over');
  });
  dropZone.addEventListener('dragleave', () => dropZone.classList.remove('over'));
  dropZone.addEventListener('drop', (event) => {
    event.preventDefault();
    dropZone.classList.remove('over');
    if (event.dataTransfer.files.length > 0) {
      chooseLogbook(event.dataTransfer.files[0]);
    }
  });

  function logbookOptions() {
    return ['unit', 'type', 'bulb', 'delimiter', 'decimal', 'encoding', 'output-encoding']
      .map((name) => $('logbook-' + name).value);
  }

  // The module's second copy runs in a worker made of this very page's script, so that a
  // long logbook never holds the page.
  function worker(wasm) {
    if (!logbookWorker) {
      const source = $('zorvel-module').textContent + '\n' + $('zorvel-worker').textContent;
      logbookWorker = new Worker(blobUrl(source, 'text/javascript'));
      logbookWorker.onmessage = (event) => logbookMessage(event.data);
      logbookWorker.onerror = () => finishLogbook(null);
      logbookWorker.postMessage({ wasm });
    }
    return logbookWorker;
  }

  function logbookMessage(message) {
    if (message.kind === 'progress') {
      const progress = $('logbook-progress');
      progress.value = Math.min(1, message.bytes / Math.max(1, logbookFile.size));
      $('logbook-status').textContent = 'Изчислени редове: ' + message.rows.toLocaleString('bg-BG');
    } else if (message.kind === 'done') {
      finishLogbook(message);
    }
  }

  function finishLogbook(message) {
    $('convert').disabled = false;
    $('logbook-progress').hidden = true;
    if (!message) {
      $('logbook-status').textContent = 'Дневникът не може да бъде изчислен.';
      return;
    }
    const report = message.report;
    const notes = report.encodingNote ? [logbookFile.name + ': ' + report.encodingNote] : [];
    // As zorvel-batch with -o: a logbook that cannot be read to its end gives no table.
    if (report.inputError || report.writeFailed) {
      notes.push(report.inputError
        ? logbookFile.name + ':' + report.inputErrorLine + ': ' + report.inputError
        : 'Няма достатъчно памет за резултата.');
      $('logbook-status').textContent = notes.join('\n');
      return;
    }
    logbookTable = message.table;
    logbookChart = message.chart;
    notes.push('Готово: ' + report.rows.toLocaleString('bg-BG') + ' реда, от тях с грешка: ' +
      report.failedRows.toLocaleString('bg-BG') + '.');
    $('logbook-status').textContent = notes.join('\n');
    $('logbook-chart').src = blobUrl(logbookChart, 'image/svg+xml');
    $('logbook-results').hidden = false;
  }

  function baseName() {
    return logbookFile.name.replace(/\.[^.]*$/, '');
  }

  $('convert').addEventListener('click', async () => {
    const file = logbookFile;
    $('convert').disabled = true;
    $('logbook-results').hidden = true;
    $('logbook-progress').hidden = false;
    $('logbook-progress').value = 0;
    $('logbook-status').textContent = 'Изчислява се…';
    const bytes = await file.arrayBuffer();
    worker(await wasmBytes).postMessage({ bytes, options: logbookOptions() }, [bytes]);
  });

  $('save-table').addEventListener('click', () => {
    download(logbookTable, baseName() + '-резултати.csv', 'text/csv');
  });
  $('save-logbook-chart').addEventListener('click', () => {
    download(logbookChart, baseName() + '-диаграма.svg', 'image/svg+xml');
  });

  // --- Start ----------------------------------------------------------------------------

  // The WebAssembly lies in the page as base64. A data: fetch of it takes a second and more;
  // the browser's own decoder, or atob where there is none yet, a few tens of milliseconds.
  function decodeWasm(base64) {
    if (Uint8Array.fromBase64) {
      return Uint8Array.fromBase64(base64).buffer;
    }
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i += 1) {
      bytes[i] = text.charCodeAt(i);
    }
    return bytes.buffer;
  }

  // The marks say where the start-up goes (bench/web/).
  performance.mark('zorvel-script');
  const wasmBytes = Promise.resolve().then(() => decodeWasm($('zorvel-wasm').textContent));

  wasmBytes.then((wasm) => {
    performance.mark('zorvel-wasm-decoded');
    return createZorvel({ wasmBinary: wasm });
  }).then((module) => {
    performance.mark('zorvel-module-made');
    zorvel = module;
    texts = JSON.parse(zorvel.ccall('zorvel_texts', 'string', [], []));
    fillTexts();
    buildPageMenus();
    resetCalculator();
    showChart();
    $('loading').remove();
    for (const id of ['calculator', 'chart-section', 'help', 'logbook']) {
      $(id).hidden = false;
    }
    document.documentElement.dataset.ready = 'true';
    performance.mark('zorvel-ready');
  });
})();
