// window.logoTool: the toolkit's jobs, for the page's own controls and for
// whoever automates them. Each call hands its job to a worker in which the
// C++ core does it, and resolves with what the core gave back; a job the
// core refuses rejects with the program's own words. Options are named as
// the programs' long options, without the dashes, with the same values.
(function () {
  'use strict';

  const convertOptions = ['pixel', 'size', 'rotate', 'flip', 'place', 'dither', 'background'];
  const checkOptions = ['pixel', 'size', 'rotate', 'flip'];
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
      else call.reject(new Error(error));
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

  // The options as the programs' texts; one they do not have is refused,
  // as their command lines refuse it.
  function optionTexts(options, names) {
    const texts = Object.fromEntries(names.map((name) => [name, '']));
    for (const [name, value] of Object.entries(options || {})) {
      if (!names.includes(name)) throw new Error('unknown option: ' + name);
      texts[name] = value === undefined || value === null ? '' : String(value);
    }
    return texts;
  }

  let formats = null;
  function described() {
    if (!formats) formats = run('formats', {});
    return formats;
  }

  window.logoTool = Object.freeze({
    // logo_pixels: resolves to {bytes, width, height}, the panel's memory
    // and its size.
    async convert(pictureBytes, options) {
      return run('convert', { input: input(pictureBytes), options: optionTexts(options, convertOptions) });
    },
    // logo_wrap: resolves to {bytes, checksumLine}.
    async wrap(logoBytes) {
      return run('wrap', { input: input(logoBytes) });
    },
    // logo_bin_info: resolves to {report, status, preview, extract}. The
    // optional onProgress({done, total, lines}) hears of each piece read.
    async check(fileOrBytes, options, onProgress) {
      return run('check', { input: input(fileOrBytes), options: optionTexts(options, checkOptions) }, onProgress);
    },
    // The pixel formats' names, the default first.
    async pixelFormats() {
      return (await described()).names;
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
