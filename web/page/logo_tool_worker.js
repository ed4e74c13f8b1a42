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

// Read whole, by its length: a refusal may quote a value with a NUL in it.
function resultText(c) {
  const start = c._result_text();
  return new TextDecoder().decode(c.HEAPU8.subarray(start, start + c._result_text_size()));
}

// The refused option, if the refusal is about one, goes with the words.
function refusal(c) {
  const refused = new Refusal(resultText(c));
  refused.option = c.UTF8ToString(c._result_option());
  return refused;
}

// Options as "name\tvalue" lines, passed with their length, so that a value
// is taken whole: a NUL inside one is refused, not the end of it.
function callWithOptions(c, name, options, lang, before) {
  const text = new TextEncoder().encode(Object.entries(options).map(([key, value]) => key + '\t' + value).join('\n'));
  return withBytesIn(c, text, (at) => c.ccall(name, 'number', [...before.map(() => 'number'), 'number', 'number', 'string'],
    [...before, at, text.length, lang]));
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

function lines(text) {
  return text.split('\n').filter((line) => line);
}

const jobs = {
  async described() {
    const c = await loadCore();
    const words = {};
    const limits = {};
    for (const line of lines(c.UTF8ToString(c._page_words()))) {
      const [language, key, text] = line.split('\t');
      if (language) (words[language] = words[language] || {})[key] = text;
      else limits[key] = text;
    }
    return {
      names: c.UTF8ToString(c._pixel_formats()).split(','),
      messages: c.UTF8ToString(c._wrap_messages()),
      words,
      limits,
    };
  },

  async languageOf({ tag }) {
    const c = await loadCore();
    return c.UTF8ToString(c.ccall('language_of', 'number', ['string'], [tag]));
  },

  async convert({ input, options, lang }) {
    const c = await loadCore();
    if (c.ccall('picture_too_large', 'number', ['number', 'string'], [sizeOf(input), lang])) throw refusal(c);
    const picture = await whole(input);
    const done = withBytesIn(c, picture, (at) => callWithOptions(c, 'convert_picture', options, lang, [at, picture.length]));
    if (!done) throw refusal(c);
    const result = { bytes: resultBytes(c), width: c._result_width(), height: c._result_height() };
    c._result_clear();
    return result;
  },

  async wrap({ input }) {
    const c = await loadCore();
    const length = sizeOf(input);
    if (!c._wrap_begin(length)) throw refusal(c);
    const header = c._header_size();
    const bytes = new Uint8Array(header + length);
    const piece = c._malloc(kPiece);
    let pictureType = '';
    try {
      let offset = header;
      for await (const data of piecesOf(input)) {
        c.HEAPU8.set(data, piece);
        // A picture file wrapped as it is starts like one.
        if (offset === header) pictureType = c.UTF8ToString(c._picture_type(piece, data.length));
        c._wrap_feed(piece, data.length);
        bytes.set(data, offset);
        offset += data.length;
      }
    } finally {
      c._free(piece);
    }
    c._wrap_finish();
    bytes.set(resultBytes(c), 0);
    return { bytes, checksumLine: resultText(c).replace(/\n$/, ''), pictureType: pictureType || null };
  },

  async check({ input, options, lang }, progress) {
    const c = await loadCore();
    // The memory contents as the core hands them over: kept here while
    // they are no more than the page holds, put together only for an image
    // without problems. Past that they are let go; the check goes on.
    const most = c._most_result_bytes();
    const kept = [];
    let length = 0;
    let held = true;
    c.keepContents = (offset, data) => {
      length = Math.max(length, offset + data.length);
      try {
        if (held && length <= most) kept.push([offset, data.slice()]);
        else held = false;
      } catch (error) {
        if (!(error instanceof RangeError)) throw error;
        held = false;
      }
      if (!held) kept.length = 0;
      return true;
    };
    if (!callWithOptions(c, 'check_begin', options, lang, [])) throw refusal(c);
    const report = [];
    const marks = [];
    const take = () => {
      report.push(...lines(resultText(c)));
      marks.push(...c.UTF8ToString(c._result_marks()).split('\n').slice(0, -1));
    };
    const total = sizeOf(input);
    const piece = c._malloc(kPiece);
    try {
      let done = 0;
      for await (const data of piecesOf(input)) {
        c.HEAPU8.set(data, piece);
        c._check_feed(piece, data.length);
        done += data.length;
        const before = report.length;
        take();
        progress({ done, total, lines: report.slice(before) });
      }
    } finally {
      c._free(piece);
    }
    const status = c._check_finish();
    take();
    const screen = () => ({ width: c._result_width(), height: c._result_height(), rgba: resultBytes(c) });
    const preview = options.size ? screen() : null;
    let memory = null;
    if (preview) {
      c._check_draw_memory();
      memory = screen();
    }
    let extract = null;
    if (c._check_extract_whole() && held) {
      try {
        extract = new Uint8Array(length);
        for (const [offset, data] of kept) extract.set(data, offset);
      } catch (error) {
        if (!(error instanceof RangeError)) throw error;
        extract = null;
      }
    }
    // What the page cannot hold is said as such; the check stands.
    const extractRefused = c._check_extract_whole() && !extract
      ? c.UTF8ToString(c.ccall('extract_too_large', 'number', ['number', 'string'], [length, lang]))
      : null;
    kept.length = 0;
    c._check_end();
    c._result_clear();
    const problems = [];
    marks.forEach((mark, i) => {
      const [kind, advice] = mark.split('\t');
      if (kind) problems.push({ kind, line: report[i], advice: advice || '' });
    });
    return { report, status, preview, memory, extract, extractRefused, problems };
  },
};

// Running out of memory ends a module; a new one says so in the words of
// the program whose job it was.
async function outOfMemory(job, lang) {
  core = null;
  const c = await loadCore();
  return c.UTF8ToString(c.ccall('out_of_memory', 'number', ['string', 'string'], [job, lang || 'en']));
}

function transferables(result) {
  return [result.bytes, result.extract, result.preview && result.preview.rgba, result.memory && result.memory.rgba]
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
      if (thrown || (aborted && message.startsWith('Aborted')) || error instanceof RangeError) message = await outOfMemory(job, event.data.lang);
      else if (aborted) core = null;
      postMessage({ id, error: message, option: (error && error.option) || '', refused: error instanceof Refusal });
    }
  });
};
