// The logbook worker: a second copy of the module, run on the page's own script text, that
// converts one logbook at a time and tells the page how far it is.
'use strict';
// The page sends the module's WebAssembly first, then one logbook at a time.
let zorvelReady = null;

onmessage = async (event) => {
  if (event.data.wasm) {
    zorvelReady = createZorvel({
      wasmBinary: event.data.wasm,
      onLogbookProgress: (rows, bytes) => postMessage({ kind: 'progress', rows, bytes }),
    });
    return;
  }
  const zorvel = await zorvelReady;
  const input = new Uint8Array(event.data.bytes);
  const pointer = zorvel._malloc(Math.max(1, input.length));
  zorvel.HEAPU8.set(input, pointer);
  const report = JSON.parse(zorvel.ccall('zorvel_convert_logbook', 'string',
    ['number', 'number', 'string', 'string', 'string', 'string', 'string', 'string', 'string',
      'number'],
    [pointer, input.length, ...event.data.options, 1]));
  zorvel._free(pointer);
  const tablePointer = zorvel._zorvel_logbook_table();
  const table = zorvel.HEAPU8.slice(tablePointer, tablePointer + zorvel._zorvel_logbook_table_size());
  const chart = zorvel.UTF8ToString(zorvel._zorvel_logbook_chart());
  zorvel._zorvel_logbook_done();
  postMessage({ kind: 'done', report, table: table.buffer, chart }, [table.buffer]);
};
