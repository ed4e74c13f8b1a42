// window.logoTool: the toolkit's jobs, for the page's own controls and for
// whoever automates them. Each call hands its job to a worker in which the
// C++ core does it, and resolves with what the core gave back; a job the
// core refuses rejects with the program's own words. Options are named as
// the programs' long options, without the dashes, with the same values.
(function () {
  'use strict';

  const languages = ['en', 'zh-CN', 'zh-TW'];
  const pending = new Map();
  let worker = null;
  let nextId = 1;

  function startWorker() {
    const source = document.getElementById('logo-core-worker').textContent;
    worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
    worker.onmessage = (event) => {
      const { id, progress, result, error } = event.data;
      const call = pending.get(id);
      if (!call) return;
      if (progress) {
        if (call.onProgress) call.onProgress(progress);
        return;
      }
      pending.delete(id);
      if (error === undefined) call.resolve(result);
      else call.reject(Object.assign(new Error(error), { option: event.data.option || '' }));
    };
    // A worker that dies fails the calls waiting on it; the next call
    // starts another.
    worker.onerror = (event) => {
      event.preventDefault();
      for (const call of pending.values()) call.reject(new Error(event.message || 'the worker stopped'));
      pending.clear();
      worker.terminate();
      worker = null;
    };
  }

  function run(job, message, onProgress) {
    if (!worker) startWorker();
    const id = nextId++;
    return new Promise((resolve, reject) => {
      pending.set(id, { resolve, reject, onProgress });
      worker.postMessage({ id, job, ...message });
    });
  }

  // Uint8Array, any other view or ArrayBuffer, or a Blob (a File) that the
  // worker reads in pieces.
  function input(value) {
    if (value instanceof Blob || value instanceof Uint8Array) return value;
    if (value instanceof ArrayBuffer) return new Uint8Array(value);
    if (ArrayBuffer.isView(value)) return new Uint8Array(value.buffer, value.byteOffset, value.byteLength);
    throw new TypeError('expected a Uint8Array, an ArrayBuffer or a Blob');
  }

  // The options as the programs' texts, and the language of the words; the
  // core refuses a name it does not take, as the command lines do. The
  // language is the page's unless one is asked for.
  function optionTexts(options) {
    const texts = {};
    let lang = document.documentElement.lang || 'en';
    for (const [name, value] of Object.entries(options || {})) {
      const text = value === undefined || value === null ? '' : String(value);
      if (name === 'lang') lang = languages.includes(text) ? text : 'en';
      else texts[name] = text;
    }
    return { options: texts, lang };
  }

  let description = null;
  function described() {
    if (!description) description = run('described', {});
    return description;
  }

  window.logoTool = Object.freeze({
    // logo_pixels: resolves to {bytes, width, height}, the panel's memory
    // and its size.
    async convert(pictureBytes, options) {
      return run('convert', { input: input(pictureBytes), ...optionTexts(options) });
    },
    // logo_wrap: resolves to {bytes, checksumLine, pictureType}, the last
    // naming the picture file the bytes start like ("PNG"...), or null.
    async wrap(logoBytes) {
      return run('wrap', { input: input(logoBytes) });
    },
    // logo_bin_info: resolves to {report, status, preview, memory, extract,
    // extractRefused, problems}. The optional onProgress({done, total,
    // lines}) hears of each piece read.
    async check(fileOrBytes, options, onProgress) {
      return run('check', { input: input(fileOrBytes), ...optionTexts(options) }, onProgress);
    },
    // The pixel formats' names, the default first.
    async pixelFormats() {
      return (await described()).names;
    },
    // The page's own words, {words: {language: {key: text}}, limits: {name:
    // value}}, their {places} unfilled, the limits they name beside them;
    // and the language a browser's language tag means.
    async pageWords() {
      const { words, limits } = await described();
      return { words, limits };
    },
    async languageOf(tag) {
      return run('languageOf', { tag: String(tag || '') });
    },
    // logo_wrap's messages: [{outcome, text}], its words in UTF-8.
    async wrapMessages() {
      return (await described()).messages
        .split('\n')
        .filter((line) => line)
        .map((line) => {
          const [outcome, text] = line.split('\t');
          return { outcome, text };
        });
    },
  });
})();
