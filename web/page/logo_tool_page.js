// The page's controls: they gather options and files, call window.logoTool
// and show what it gives back. Nothing here computes a pixel or a byte.
(function () {
  'use strict';

  const $ = (id) => document.getElementById(id);
  const tool = window.logoTool;
  const kProgressFrom = 4 << 20;  // a file smaller than this is read at once
  const kFitHeight = 240;  // the most a fitted view takes down the page, in CSS pixels
  const state = { language: 'en', words: {}, limits: {}, picture: null, logo: null, pelk: null, image: null, runs: { convert: 0, check: 0 } };
  // What is on show, drawn again in the other language when it changes.
  const shown = {};

  // The table's words for the page, their {places} filled: the values
  // given, and the limits the core names.
  function word(key, given) {
    const text = (state.words[state.language] || {})[key] || key;
    const values = { ...state.limits, ...given };
    return text.split(/(\{\w+\})/).map((part) => {
      const name = part.slice(1, -1);
      return part.startsWith('{') && name in values ? String(values[name]) : part;
    }).join('');
  }

  function redraw(name, draw) {
    shown[name] = draw;
    draw();
  }

  // A refusal beside its control, in the program's words, in the language
  // it was asked in.
  function tell(id, text) {
    $(id).textContent = text || '';
  }

  function setLanguage(language) {
    state.language = language;
    document.documentElement.lang = language;
    $('language').value = language;
    for (const element of document.querySelectorAll('[data-text]')) element.textContent = word(element.dataset.text);
    document.title = word('title');
    Object.values(shown).forEach((draw) => draw());
    try {
      localStorage.setItem('logo_tool.language', language);
    } catch (e) {
      // A page from disk may have no storage; the choice then lasts a visit.
    }
  }

  async function firstLanguage() {
    try {
      const chosen = localStorage.getItem('logo_tool.language');
      if (chosen in state.words) return chosen;
    } catch (e) {
      // As above.
    }
    const preferred = (navigator.languages && navigator.languages[0]) || navigator.language || '';
    return tool.languageOf(preferred);
  }

  function panelOptions() {
    return { size: $('size').value.trim(), pixel: $('pixel').value, rotate: $('rotate').value, flip: $('flip').value };
  }

  // "center", "X,Y" or nothing, as --place takes it.
  function placeText() {
    const chosen = $('place').value;
    return chosen === 'xy' ? $('place-x').value + ',' + $('place-y').value : chosen;
  }

  function convertOptions() {
    return {
      ...panelOptions(), fit: $('fit').value, crop: $('crop').value.trim(), place: placeText(),
      dither: $('dither').value, background: $('background').value.trim(),
    };
  }

  // Where a refusal of an option's value belongs: beside its control.
  function placeOf(error, fallback) {
    return ['size', 'fit', 'crop', 'place', 'background'].includes(error.option) ? error.option + '-message' : fallback;
  }

  // Each step clears the refusals it may give.
  function clearMessages(...ids) {
    for (const id of ids) tell(id, '');
  }

  function draw(canvas, screen) {
    canvas.width = screen.width;
    canvas.height = screen.height;
    canvas.getContext('2d').putImageData(
      new ImageData(new Uint8ClampedArray(screen.rgba.buffer, screen.rgba.byteOffset, screen.rgba.length), screen.width, screen.height), 0, 0);
  }

  // A step's two views, as the panel shows the logo and in memory order.
  function showViews(step, result) {
    draw($(step + '-canvas'), result.preview);
    draw($(step + '-memory-canvas'), result.memory);
    zoom(step);
  }

  // Fitted into their boxes, small logos enlarged by whole pixels; or 1, 2
  // or 4 of the screen's own pixels an image pixel, scrolled.
  function zoom(step) {
    const chosen = $(step + '-zoom').value;
    const views = $(step + '-views');
    views.classList.toggle('zoomed', chosen !== 'fit');
    for (const canvas of views.querySelectorAll('canvas')) {
      if (!canvas.width) continue;
      let scale = Number(chosen) / window.devicePixelRatio;
      if (chosen === 'fit') {
        const room = canvas.parentElement.clientWidth - 2;  // less the border
        scale = Math.min(room / canvas.width, kFitHeight / canvas.height);
        if (scale >= 1) scale = Math.floor(scale);
      }
      canvas.style.width = canvas.width * scale + 'px';
    }
  }

  function offer(bytes, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  async function convert() {
    if (!state.picture) return;
    const run = ++state.runs.convert;
    const picture = state.picture;
    const options = convertOptions();
    clearMessages('size-message', 'fit-message', 'crop-message', 'place-message', 'background-message', 'picture-message');
    try {
      const logo = await tool.convert(picture, options);
      if (run !== state.runs.convert) return;
      const wrapped = await useLogo(logo.bytes, picture.name, 'wrapConverted');
      // Drawn from the converted bytes, wrapped, through the check's preview.
      const view = await tool.check(wrapped.bytes, { ...panelOptions(), size: logo.width + 'x' + logo.height });
      if (run !== state.runs.convert) return;
      $('convert-result').hidden = false;
      showViews('convert', view);
      redraw('convert-summary', () => {
        $('convert-summary').textContent = word('converted', { name: picture.name, width: logo.width, height: logo.height, pixel: options.pixel, count: logo.bytes.length });
      });
      $('download-logo').onclick = () => offer(logo.bytes, 'logo.bin');
    } catch (error) {
      if (run !== state.runs.convert) return;
      $('convert-result').hidden = true;
      tell(placeOf(error, 'picture-message'), error.message);
    }
  }

  async function useLogo(logo, name, source) {
    const wrapped = await tool.wrap(logo);
    state.pelk = wrapped.bytes;
    redraw('wrap-source', () => {
      $('wrap-source').textContent = word(source, { name, count: logo.length === undefined ? logo.size : logo.length });
    });
    // Wrapped all the same, as logo_wrap wraps any bytes.
    redraw('wrap-warning', () => {
      $('wrap-warning').textContent = wrapped.pictureType ? word('wrapPicture', { type: wrapped.pictureType }) : '';
    });
    $('checksum-line').textContent = wrapped.checksumLine;
    $('download-pelk').onclick = () => offer(wrapped.bytes, 'logo_pelk.bin');
    $('wrap-result').hidden = false;
    return wrapped;
  }

  async function wrapRaw(file) {
    clearMessages('wrap-message');
    try {
      await useLogo(file, file.name, 'wrapRaw');
    } catch (error) {
      $('wrap-result').hidden = true;
      tell('wrap-message', error.message);
    }
  }

  async function check() {
    if (!state.image) return;
    const run = ++state.runs.check;
    const { blob, name } = state.image;
    const options = { ...panelOptions(), raw: $('raw').checked };
    const progress = $('check-progress');
    clearMessages('size-message', 'image-message');
    $('check-result').hidden = false;
    $('report').textContent = '';
    $('verdict').className = '';
    $('problems').textContent = '';
    $('download-extract').hidden = true;
    $('check-preview-box').hidden = true;
    redraw('verdict', () => {
      $('verdict').textContent = word('working');
    });
    $('check-progress-box').hidden = blob.size < kProgressFrom;
    progress.value = 0;
    try {
      const result = await tool.check(blob, options, ({ done, total, lines }) => {
        if (run !== state.runs.check) return;
        progress.value = total ? done / total : 1;
        $('check-progress-text').textContent = word('progress', { done: (done / 1048576).toFixed(1), total: (total / 1048576).toFixed(1) });
        if (lines.length) $('report').textContent += lines.join('\n') + '\n';
      });
      if (run !== state.runs.check) return;
      showCheck(result, name, blob.size);
    } catch (error) {
      if (run !== state.runs.check) return;
      $('check-result').hidden = true;
      tell(placeOf(error, 'image-message'), error.message);
    } finally {
      if (run === state.runs.check) $('check-progress-box').hidden = true;
    }
  }

  function showCheck(result, name, count) {
    $('report').textContent = result.report.join('\n') + '\n';
    $('verdict').className = result.status === 0 ? 'good' : 'bad';
    const problems = result.problems.filter((found) => found.kind === 'problem');
    redraw('verdict', () => {
      const verdict = result.status === 0 ? word('verdictOk') : word('verdictProblems', { count: problems.length });
      const extract = result.extractRefused ? result.extractRefused : result.extract || !result.status ? '' : word('noExtract');
      // The sentences in the order and spacing their language writes them.
      $('verdict').textContent = word(extract ? 'verdictWithExtract' : 'verdict',
        { checked: word('checked', { name, count }), verdict, extract });
    });
    // The report's own problem and note lines, in the language it was
    // checked in, each with what can be done about it.
    $('problems').replaceChildren(...result.problems.map((found) => {
      const item = document.createElement('li');
      item.textContent = found.advice ? word('problemAdvice', { line: found.line, advice: found.advice }) : found.line;
      return item;
    }));
    if (result.preview) {
      $('check-preview-box').hidden = false;
      showViews('check', result);
    }
    if (result.extract) {
      $('download-extract').hidden = false;
      $('download-extract').onclick = () => offer(result.extract, 'logo.bin');
    }
  }

  function chooseImage(blob, name) {
    state.image = { blob, name };
    check();
  }

  // A file chosen with the control or dropped on its box.
  function takeFiles(input, drop, use) {
    input.addEventListener('change', () => input.files[0] && use(input.files[0]));
    drop.addEventListener('dragover', (event) => {
      event.preventDefault();
      drop.classList.add('over');
    });
    drop.addEventListener('dragleave', () => drop.classList.remove('over'));
    drop.addEventListener('drop', (event) => {
      event.preventDefault();
      drop.classList.remove('over');
      if (event.dataTransfer.files[0]) use(event.dataTransfer.files[0]);
    });
  }

  async function start() {
    // A file dropped beside a box must not replace the page.
    for (const type of ['dragover', 'drop']) window.addEventListener(type, (event) => event.preventDefault());
    ({ words: state.words, limits: state.limits } = await tool.pageWords());
    // Each step's views, from the one template.
    for (const host of document.querySelectorAll('[data-step]')) {
      const step = host.dataset.step;
      host.append($('views').content.cloneNode(true));
      host.querySelector('.views').id = step + '-views';
      host.querySelector('.preview').id = step + '-canvas';
      host.querySelector('.memory').id = step + '-memory-canvas';
      host.querySelector('select').id = host.querySelector('label').htmlFor = step + '-zoom';
      host.querySelector('select').addEventListener('change', () => zoom(step));
    }
    // Each language named in itself.
    $('language').replaceChildren(...Object.keys(state.words).map((tag) => new Option(state.words[tag].languageName, tag)));
    setLanguage(await firstLanguage());
    $('language').addEventListener('change', () => {
      setLanguage($('language').value);
      // What the core said is said again in the new language.
      convert();
      check();
    });
    takeFiles($('picture'), $('picture-drop'), (file) => {
      state.picture = file;
      convert();
    });
    takeFiles($('wrap-file'), $('wrap-drop'), wrapRaw);
    takeFiles($('image'), $('image-drop'), (file) => chooseImage(file, file.name));
    $('check-pelk').addEventListener('click', () => {
      $('raw').checked = false;
      chooseImage(new Blob([state.pelk]), 'logo_pelk.bin');
    });
    for (const id of ['size', 'pixel', 'rotate', 'flip'])
      $(id).addEventListener('change', () => {
        convert();
        check();
      });
    $('place').addEventListener('change', () => {
      for (const field of document.querySelectorAll('.place-at')) field.hidden = $('place').value !== 'xy';
    });
    for (const id of ['fit', 'crop', 'place', 'place-x', 'place-y', 'dither', 'background']) $(id).addEventListener('change', convert);
    $('raw').addEventListener('change', check);
    window.addEventListener('resize', () => ['convert', 'check'].forEach(zoom));

    $('pixel').replaceChildren(...(await tool.pixelFormats()).map((name) => new Option(name, name)));
    const rows = (await tool.wrapMessages()).map(({ outcome, text }) => {
      const row = document.createElement('tr');
      row.append(document.createElement('td'), document.createElement('td'));
      row.cells[0].textContent = text;
      return [row, outcome];
    });
    $('wrap-messages').replaceChildren(...rows.map(([row]) => row));
    redraw('wrap-messages', () => {
      for (const [row, outcome] of rows) row.cells[1].textContent = word('wrap_' + outcome);
    });
    document.body.dataset.ready = 'true';
  }

  start();
})();
