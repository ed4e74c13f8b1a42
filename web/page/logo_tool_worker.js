// The worker: the C++ core, compiled to WebAssembly, does every job here,
// off the page's thread. Jobs run one at a time, in the order they came.
// Files are read in pieces, so that a large image takes no more of the
// module's memory than a piece and a preview. Before this file the page
// puts emscripten's factory (createLogoCore) and the module's bytes
// (LOGO_CORE_WASM, base64).
'use strict';

const kPiece = 1 << 20;
const moduleBytes = Uint8Array.from(atob(LOGO_CORE_WASM), (c) => c.charCodeAt(0));
let core = null;

async function loadCore() {
  if (!core) core = await createLogoCore({ wasmBinary: moduleBytes });
  return core;
}

// A job refused in the programs' words.
class Refusal extends Error {}

function resultText(c) {
  return c.UTF8ToString(c._result_text());
}

function resultBytes(c) {
  const start = c._result_bytes();
  return c.HEAPU8.slice(start, start + c._result_size());
}

// Bytes copied into the module, for the length of `use`.
function withBytesIn(c, bytes, use) {
  const at = c._malloc(Math.max(bytes.length, 1));
  if (!at) throw new WebAssembly.RuntimeError('Aborted(no memory)');
  try {
    c.HEAPU8.set(bytes, at);
    return use(at);
  } finally {
    c._free(at);
  }
}

function sizeOf(input) {
  return input instanceof Blob ? input.size : input.length;
}

async function* piecesOf(input) {
  for (let offset = 0; offset < sizeOf(input); offset += kPiece) {
    const end = offset + kPiece;
    yield input instanceof Blob ? new Uint8Array(await input.slice(offset, end).arrayBuffer()) : input.subarray(offset, end);
  }
}

async function whole(input) {
  return input instanceof Blob ? new Uint8Array(await input.arrayBuffer()) : input;
}

const jobs = {
  async formats() {
    const c = await loadCore();
    return { names: c.UTF8ToString(c._pixel_formats()).split(','), messages: c.UTF8ToString(c._wrap_messages()) };
  },

  async convert({ input, options: o }) {
    const c = await loadCore();
    if (c._picture_too_large(sizeOf(input))) throw new Refusal(resultText(c));
    const picture = await whole(input);
    const done = withBytesIn(c, picture, (at) => c.ccall('convert_picture', 'number',
      ['number', 'number', 'string', 'string', 'string', 'string', 'string', 'string', 'string'],
      [at, picture.length, o.pixel, o.size, o.rotate, o.flip, o.place, o.dither, o.background]));
    if (!done) throw new Refusal(resultText(c));
    const result = { bytes: resultBytes(c), width: c._result_width(), height: c._result_height() };
    c._result_clear();
    return result;
  },

  async wrap({ input }) {
    const c = await loadCore();
    const length = sizeOf(input);
    if (!c._wrap_begin(length)) throw new Refusal(resultText(c));
    const header = 27;
    const bytes = new Uint8Array(header + length);
    const piece = c._malloc(kPiece);
    try {
      let offset = header;
      for await (const data of piecesOf(input)) {
        c.HEAPU8.set(data, piece);
        c._wrap_feed(piece, data.length);
        bytes.set(data, offset);
        offset += data.length;
      }
    } finally {
      c._free(piece);
    }
    c._wrap_finish();
    bytes.set(resultBytes(c), 0);
    return { bytes, checksumLine: resultText(c).replace(/\n$/, '') };
  },

  async check({ input, options: o }, progress) {
    const c = await loadCore();
    // The memory contents as the core hands them over: kept here, put
    // together only for an image without problems.
    const kept = [];
    let length = 0;
    c.keepContents = (offset, data) => {
      try {
        kept.push([offset, data.slice()]);
        length = Math.max(length, offset + data.length);
        return true;
      } catch (e) {
        return false;
      }
    };
    if (!c.ccall('check_begin', 'number', ['string', 'string', 'string', 'string'], [o.size, o.pixel, o.rotate, o.flip]))
      throw new Refusal(resultText(c));
    const lines = [];
    const take = () => lines.push(...resultText(c).split('\n').filter((line) => line));
    const total = sizeOf(input);
    const piece = c._malloc(kPiece);
    try {
      let done = 0;
      for await (const data of piecesOf(input)) {
        c.HEAPU8.set(data, piece);
        c._check_feed(piece, data.length);
        done += data.length;
        const before = lines.length;
        take();
        progress({ done, total, lines: lines.slice(before) });
      }
    } finally {
      c._free(piece);
    }
    const status = c._check_finish();
    take();
    const preview = o.size ? { width: c._result_width(), height: c._result_height(), rgba: resultBytes(c) } : null;
    let extract = null;
    if (c._check_extract_whole()) {
      extract = new Uint8Array(length);
      for (const [offset, data] of kept) extract.set(data, offset);
    }
    kept.length = 0;
    c._check_end();
    c._result_clear();
    return { report: lines, status, preview, extract };
  },
};

// Running out of memory ends a module; a new one says so in the words of
// the program whose job it was.
async function outOfMemory(job) {
  core = null;
  const c = await loadCore();
  return c.UTF8ToString(c.ccall('out_of_memory', 'number', ['string'], [job]));
}

function transferables(result) {
  return [result.bytes, result.extract, result.preview && result.preview.rgba]
    .filter((bytes) => bytes)
    .map((bytes) => bytes.buffer);
}

let queue = Promise.resolve();
onmessage = (event) => {
  const { id, job } = event.data;
  queue = queue.then(async () => {
    try {
      const result = await jobs[job](event.data, (progress) => postMessage({ id, progress }));
      postMessage({ id, result }, transferables(result));
    } catch (error) {
      let message = String(error && error.message);
      const aborted = error instanceof WebAssembly.RuntimeError;
      // A C++ exception arrives as a number; the core throws only for memory.
      const thrown = typeof error === 'number';
      if (thrown || (aborted && message.startsWith('Aborted')) || error instanceof RangeError) message = await outOfMemory(job);
      else if (aborted) core = null;
      postMessage({ id, error: message, refused: error instanceof Refusal });
    }
  });
};
