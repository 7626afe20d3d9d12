// The page around the game: reads the options in the address, gathers a world's
// files (from the server, or from a folder on the player's disk), starts a run of
// the engine on them, passes keys and pad presses in, shows the frame as large as
// the page allows, and shows the state of the run in document.body.dataset.state
// and #message, and whether sound plays in document.body.dataset.audio. Lists
// the world's saves (#saves, #continue, a download and an upload of a save),
// keeps the player's own copy in IndexedDB for the next visit (#forget-copy),
// and registers the service worker that keeps the site for offline play.
'use strict';

(function () {
  const body = document.body;
  const page = document.getElementById('page');
  const playArea = document.getElementById('play');
  const canvas = document.getElementById('screen');
  const picture = document.getElementById('picture');
  const pad = document.getElementById('pad');
  const progress = document.getElementById('progress');
  const message = document.getElementById('message');
  const notice = document.getElementById('notice');
  const musicNote = document.getElementById('music-note');
  const picker = document.getElementById('data-files');
  const savesList = document.getElementById('saves');
  const noSaves = document.getElementById('no-saves');
  const continueLine = document.getElementById('continue-line');
  const saveFile = document.getElementById('save-file');
  const copyLine = document.getElementById('copy-line');
  const copyNote = document.getElementById('copy-note');
  const forgetCopy = document.getElementById('forget-copy');

  const FRAME_WIDTH = 640;
  const FRAME_HEIGHT = 400;
  const STRETCHED_HEIGHT = 480; // the 4:3 picture of ?aspect=1
  const LARGEST_WORLD = 256 * 1024 * 1024; // bytes read from a folder, at most
  const NOTICE_MS = 6000; // how long a refused save or load stays said
  const LARGEST_SAVE = 4096; // bytes: a longer file is no save
  const COPY_DATABASE = 'varnok'; // IndexedDB: the player's own copy, kept
  const COPY_STORE = 'copy';

  // The touch pad, built from this list (setUpPad). `held` buttons repeat while
  // pressed, as a held key does; `code` and `key` are what a keyboard would send.
  // Where each arrow of the pad sits; a held arrow repeats. The buttons
  // themselves come from the game's command table (webPadButtons).
  const PAD_PLACES = {ArrowUp: 'up', ArrowLeft: 'left', ' ': 'pass', ArrowRight: 'right',
                      ArrowDown: 'down'};

  const options = readOptions(new URLSearchParams(location.search));
  const touch = window.matchMedia('(pointer: coarse)').matches || 'ontouchstart' in window;
  let world = null; // {name, base, files: Map of relative path to bytes}: what plays
  let run = null; // the engine's current run
  let loaded = {bytes: 0, total: 0}; // what the loading bar shows

  window.varnokFigures = {
    firstFrameMs: null,
    persisted: null, // what navigator.storage.persist() answered
    keptCopyBytes: null, // the size of the copy kept in IndexedDB

    passMs: () => (run ? run.passMs() : null),
    pictureMs: null, // the last enlargement of the frame into #picture
  };

  // ?colours=16, ?scale=N, ?aspect=1, ?music=1 are the command line's long
  // options; the engine checks their values itself.
  function readOptions(params) {
    const args = [];
    const given = (name) => params.has(name) ? params.get(name) : null;
    if (given('colours') !== null) args.push('--colours', given('colours'));
    if (given('scale') !== null) args.push('--scale', given('scale'));
    if (given('aspect') !== null) args.push(given('aspect') === '0' ? '--no-aspect' : '--aspect');
    if (given('music') !== null) args.push(given('music') === '0' ? '--no-music' : '--music');
    return {
      args: args,
      fourColour: given('colours') !== '16',
      scale: Math.max(0, parseInt(given('scale') || '0', 10) || 0),
      aspect: given('aspect') !== null && given('aspect') !== '0',
      music: given('music') !== null && given('music') !== '0',
      data: given('data') || 'demo/',
    };
  }

  function setState(state, text) {
    body.dataset.state = state;
    message.textContent = text || '';
    layout();
  }

  // A refused save or load: the game's reason, on the page for a while.
  let noticeTimer = null;
  function showNotice(text) {
    notice.textContent = text;
    notice.hidden = false;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => { notice.hidden = true; }, NOTICE_MS);
  }

  // The name a world gets inside the engine's file system: the last part of its
  // folder, so that the engine's messages name something the player knows.
  function folderName(path) {
    const parts = path.split('/').filter((p) => p && p !== '.' && p !== '..');
    const last = parts.length ? parts[parts.length - 1] : 'data';
    return last.replace(/[^A-Za-z0-9._ -]/g, '_') || 'data';
  }

  // --- Runs of the engine -------------------------------------------------

  // The engine's complaint about a save or load it refused: the reason after the
  // place, word for word.
  const REFUSED = /^Cannot (save|load) the game (?:to|from) '.*': (.*)$/;

  function errorLine(text, errors) {
    errors.push(text);
    console.warn(text);
    const refused = REFUSED.exec(text);
    if (refused) showNotice((refused[1] === 'save' ? 'Not saved: ' : 'Not loaded: ') + refused[2]);
  }

  // A new module for each run: the engine starts from fresh memory every time.
  function startRun(nextWorld) {
    world = nextWorld;
    const errors = [];
    loaded = {bytes: 0, total: 0};
    showLoaded();
    setState('loading', '');
    run = {module: null, running: false, replaceWith: null, passMs: () => null};
    const thisRun = run;
    return createVarnok({
      canvas: canvas,
      doNotCaptureKeyboard: true,
      print: (text) => console.log(text),
      printErr: (text) => errorLine(text, errors),
      instantiateWasm: instantiateWasm,
      onFrame: () => frameShown(thisRun),
      onExit: (status) => runEnded(thisRun, status, errors),
      toggleFullscreen: toggleFullscreen,
      saveScreenshot: saveScreenshot,
      onSavesChanged: () => setTimeout(() => showSaves(thisRun, false), 0),
    }).then((module) => {
      thisRun.module = module;
      thisRun.passMs = () => module._webLastPassMilliseconds();
      buildPad(module);
      return world.files ? world : fetchWorld(module, world);
    }).then((filled) => {
      if (thisRun !== run) return;
      world = filled;
      writeWorld(thisRun.module, world);
      thisRun.running = true;
      thisRun.module.callMain(['--data', '/' + world.name].concat(options.args));
      watchAudio(thisRun.module);
    }).catch((problem) => {
      if (thisRun === run) setState('error', String(problem.message || problem));
    });
  }

  function frameShown(thisRun) {
    drawPicture();
    if (thisRun !== run || body.dataset.state === 'playing') return;
    if (window.varnokFigures.firstFrameMs === null) {
      window.varnokFigures.firstFrameMs = performance.now();
    }
    setState('playing', '');
    body.dataset.world = world.name;
    showSaves(thisRun, true);
    keepCopy(world);
    fetchMusicLater(thisRun);
  }

  function runEnded(thisRun, status, errors) {
    thisRun.running = false;
    if (thisRun !== run) return;
    if (thisRun.replaceWith) {
      startRun(thisRun.replaceWith);
    } else if (status === 0) {
      setState('ended', 'The game has ended. ' +
               (touch ? 'Tap the pad to play again.' : 'Press any key to play again.'));
    } else {
      run.refusedAddress = status === 2; // the engine's status for an option it refused
      setState('error', inPageWords(errors, status));
    }
  }

  // --- Errors in the page's words -------------------------------------------

  // The engine speaks to a terminal: its lines about the command line become
  // what the player can do on this page.
  const TERMINAL_WORDS = /command line|varnok-data|--help|settings\.ini/;

  function whatToDo() {
    if (!world || world.files && !world.base) {
      return 'The folder ' + (world ? world.name : '') + ' is not a whole copy of the game. ' +
             'Open the game\'s own folder (the one that holds data.ovl) with "Play your own ' +
             'copy", or drop that folder on this page.';
    }
    if (options.data !== 'demo/') {
      return 'The address of this page names ' + options.data + ', which does not hold the ' +
             'game\'s files: check the address, open your own copy with "Play your own ' +
             'copy", or play the demo world.';
    }
    return 'This site\'s demo world is incomplete: open your own copy with "Play your own copy".';
  }

  function inPageWords(errors, status) {
    const out = [];
    let advised = false;
    for (const line of errors) {
      const option = /^varnok: --([a-z-]+) (.*)$/.exec(line);
      if (option) {
        out.push('The address of this page asks for something the game cannot do: ' +
                 option[1] + ' ' + option[2] + '. Take it out of the address, or play the ' +
                 'demo world.');
      } else if (!TERMINAL_WORDS.test(line)) {
        out.push(line);
      } else if (!advised && !/--help/.test(line)) {
        out.push(whatToDo());
        advised = true;
      }
    }
    return out.join('\n') || 'The game stopped (status ' + status + ').';
  }

  // #play-demo: the demo world, with the address's options unless one of them
  // was refused.
  function playDemo() {
    if (world && world.kept) forgetKeptCopy();
    const params = new URLSearchParams(run && run.refusedAddress ? '' : location.search);
    params.delete('data');
    const search = params.toString() ? '?' + params : '';
    if (search !== location.search) {
      location.assign(location.pathname + search);
    } else {
      play(serverWorld());
    }
  }

  // Another world replaces the one that plays: the running engine is asked to
  // end as when its window is closed, and the new run starts once it has.
  function play(nextWorld) {
    if (run && run.running) {
      run.replaceWith = nextWorld;
      run.module._webQuit();
    } else {
      startRun(nextWorld);
    }
  }

  function writeFile(module, root, path, bytes) {
    const slash = path.lastIndexOf('/');
    if (slash > 0) module.FS.mkdirTree(root + '/' + path.slice(0, slash));
    module.FS.writeFile(root + '/' + path, bytes);
  }

  function writeWorld(module, w) {
    const root = '/' + w.name;
    module.FS.mkdirTree(root);
    for (const [path, bytes] of w.files) writeFile(module, root, path, bytes);
  }

  // --- A world on the server (?data=, the demo world by default) ----------

  function lines(text) {
    return text.split('\n').filter((l) => l !== '');
  }

  function tooLarge(where) {
    return new Error(where + ' holds more than ' + LARGEST_WORLD / 1048576 +
                     ' MB of files: not a copy of the game.');
  }

  function showLoaded() {
    progress.max = Math.max(loaded.total, 1);
    progress.value = Math.min(loaded.bytes, progress.max);
    window.varnokFigures.loaded = [loaded.bytes, loaded.total];
  }

  // A response's body, read piece by piece so that the loading bar moves; what
  // arrives after the game has started (the music) is not shown.
  async function readBody(response, counted) {
    const size = Number(response.headers.get('Content-Length')) || 0;
    if (counted) loaded.total += size;
    const reader = response.body.getReader();
    const pieces = [];
    let length = 0;
    for (let piece = await reader.read(); !piece.done; piece = await reader.read()) {
      pieces.push(piece.value);
      length += piece.value.length;
      if (counted) loaded.bytes += piece.value.length;
      if (length > LARGEST_WORLD) throw tooLarge(response.url);
      if (counted) showLoaded();
    }
    if (counted && !size) loaded.total += length;
    const bytes = new Uint8Array(length);
    let at = 0;
    for (const piece of pieces) {
      bytes.set(piece, at);
      at += piece.length;
    }
    return bytes;
  }

  // The bytes of one file, or null when the server has no such file (the engine
  // then says what is missing, as it does natively).
  async function fetchFile(base, name, counted) {
    const response = await fetch(new URL(name, base));
    if (response.status === 404) return null;
    if (!response.ok) throw new Error('Cannot read ' + response.url + ': ' + response.status);
    if (Number(response.headers.get('Content-Length')) > LARGEST_WORLD) throw tooLarge(base);
    return readBody(response, counted);
  }

  function checkTotal(files, base) {
    let total = 0;
    files.forEach((bytes) => { total += bytes.length; });
    if (total > LARGEST_WORLD) throw tooLarge(base);
  }

  async function fetchWorld(module, w) {
    const files = new Map();
    const names = lines(module.UTF8ToString(module._webDataFileNames(options.fourColour ? 1 : 0)));
    const contents = await Promise.all(names.map((name) => fetchFile(w.base, name, true)));
    names.forEach((name, i) => { if (contents[i] !== null) files.set(name, contents[i]); });
    checkTotal(files, w.base);
    return {name: w.name, base: w.base, files: files};
  }

  // The engine itself, counted on the loading bar like the data.
  function instantiateWasm(imports, receive) {
    fetch('varnok.wasm')
      .then((response) => {
        if (!response.ok) throw new Error('Cannot read ' + response.url + ': ' + response.status);
        return readBody(response, true);
      })
      .then((bytes) => WebAssembly.instantiate(bytes, imports))
      .then((result) => receive(result.instance, result.module))
      .catch((problem) => setState('error', String(problem.message || problem)));
    return {};
  }

  // Music of a world on the server comes after the first frame, one piece at a
  // time, the one the game wants first: the game starts silent, and the engine
  // starts that piece when it arrives (webMusicArrived).
  async function fetchMusicLater(thisRun) {
    const list = world.files.get('music.ini');
    if (!options.music || !list || !world.base || thisRun.musicAsked) return;
    thisRun.musicAsked = true;
    const module = thisRun.module;
    const text = new TextDecoder('latin1').decode(list);
    const wanted = module.UTF8ToString(module._webWantedMusic());
    const names = lines(module.ccall('webMusicFileNames', 'string', ['string'], [text]))
      .sort((a, b) => Number(wanted.endsWith('/' + b)) - Number(wanted.endsWith('/' + a)));
    const files = world.files;
    try {
      for (const name of names) {
        if (!files.has(name)) {
          const bytes = await fetchFile(world.base, name, false);
          if (bytes === null) continue;
          files.set(name, bytes);
          checkTotal(files, world.base);
        }
        if (thisRun !== run || !thisRun.running) return;
        writeFile(module, '/' + world.name, name, files.get(name));
        module.ccall('webMusicArrived', null, ['string'], [name]);
      }
    } catch (problem) {
      console.warn('Music not loaded: ' + (problem.message || problem));
    }
  }

  function serverWorld() {
    let data = options.data;
    if (!data.endsWith('/')) data += '/';
    const base = new URL(data, location.href);
    return {name: folderName(base.pathname), base: base, files: null};
  }

  // --- A world from the player's disk -------------------------------------

  // The game reads the files of its folder and those under music/; nothing else
  // of the folder is read into memory.
  function isMusicFolder(name) {
    return name.toLowerCase() === 'music';
  }

  function wanted(relative) {
    const parts = relative.split('/');
    return parts.length === 1 || isMusicFolder(parts[0]);
  }

  async function readLocalFiles(entries, name) {
    const files = new Map();
    let total = 0;
    for (const [relative, file] of entries) {
      if (!wanted(relative)) continue;
      total += file.size;
      if (total > LARGEST_WORLD) throw tooLarge('The folder ' + name);
      files.set(relative, new Uint8Array(await file.arrayBuffer()));
    }
    return {name: folderName(name), files: files};
  }

  // Files picked with the folder button carry their path below the folder.
  function pickedEntries(list) {
    const entries = [];
    let name = 'data';
    for (const file of list) {
      const path = file.webkitRelativePath || file.name;
      const slash = path.indexOf('/');
      if (slash > 0) name = path.slice(0, slash);
      entries.push([slash > 0 ? path.slice(slash + 1) : path, file]);
    }
    return {entries: entries, name: name};
  }

  function readEntry(entry) {
    return new Promise((resolve, reject) => entry.file(resolve, reject));
  }

  function readFolder(reader) {
    return new Promise((resolve, reject) => reader.readEntries(resolve, reject));
  }

  // A dropped folder, walked as far as the game reads it.
  async function droppedEntries(folder) {
    const entries = [];
    async function walk(dir, prefix) {
      const reader = dir.createReader();
      for (let batch = await readFolder(reader); batch.length; batch = await readFolder(reader)) {
        for (const entry of batch) {
          const relative = prefix + entry.name;
          if (entry.isFile && wanted(relative)) entries.push([relative, await readEntry(entry)]);
          if (entry.isDirectory && prefix === '' && isMusicFolder(entry.name)) {
            await walk(entry, relative + '/');
          }
        }
      }
    }
    await walk(folder, '');
    return {entries: entries, name: folder.name};
  }

  function playLocal(found) {
    return readLocalFiles(found.entries, found.name).then(play).catch((problem) => {
      setState('error', String(problem.message || problem));
    });
  }

  picker.addEventListener('change', () => {
    if (picker.files.length) playLocal(pickedEntries(picker.files));
    picker.value = '';
    picker.blur();
  });

  document.addEventListener('dragover', (e) => {
    e.preventDefault();
    body.classList.add('dragging');
  });
  document.addEventListener('dragleave', () => body.classList.remove('dragging'));
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    body.classList.remove('dragging');
    const items = Array.from(e.dataTransfer.items || []);
    const folder = items.map((i) => i.webkitGetAsEntry && i.webkitGetAsEntry())
                        .find((entry) => entry && entry.isDirectory);
    if (folder) {
      droppedEntries(folder).then(playLocal);
    } else if (e.dataTransfer.files.length) {
      playLocal(pickedEntries(e.dataTransfer.files));
    }
  });

  // --- Saves -----------------------------------------------------------------

  // The world's saves, newest first, as the engine lists them: number, when,
  // place, column,row, and the reason for one that cannot be read.
  function saveEntries(thisRun) {
    const module = thisRun.module;
    return lines(module.UTF8ToString(module._webSaveList())).map((line) => {
      const [number, when, place, position, problem] = line.split('\t');
      return {number: Number(number), when: when, place: place, position: position,
              problem: problem};
    });
  }

  function saveButton(entry) {
    const item = document.createElement('li');
    const load = document.createElement('button');
    load.type = 'button';
    load.className = 'save';
    load.dataset.save = String(entry.number);
    if (entry.problem) {
      load.textContent = 'not readable: ' + entry.problem;
      load.disabled = true;
    } else {
      load.textContent = (entry.when || 'time not known') + ' \u00b7 ' + entry.place + ' ' +
                         entry.position;
      load.title = 'Load this save';
    }
    const download = document.createElement('button');
    download.type = 'button';
    download.className = 'download';
    download.dataset.download = String(entry.number);
    download.textContent = 'Download';
    download.setAttribute('aria-label', 'Download save ' + entry.number);
    download.disabled = Boolean(entry.problem);
    item.append(load, download);
    return item;
  }

  // The list, at once after each save; at the start of a run, #continue too.
  function showSaves(thisRun, starting) {
    if (thisRun !== run || !thisRun.running || !thisRun.module) return;
    const entries = saveEntries(thisRun);
    savesList.replaceChildren(...entries.map(saveButton));
    noSaves.hidden = entries.length > 0;
    if (starting) continueLine.hidden = !entries.some((e) => e.number === 1 && !e.problem);
    window.varnokFigures.saves = entries.length;
    layout();
  }

  function loadSave(number) {
    if (!run || !run.running) return;
    run.module._webLoadSave(number);
    continueLine.hidden = true;
  }

  function downloadSave(number) {
    if (!run || !run.running) return;
    const text = run.module.UTF8ToString(run.module._webSaveText(number));
    if (!text) return;
    const saved = /\n; saved (\d\d\d\d-\d\d-\d\d) (\d\d):(\d\d)/.exec(text);
    const name = 'varnok-save-' + (saved ? saved[1] + '-' + saved[2] + saved[3] : number) + '.txt';
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // A save file from the player's disk becomes the newest save of this world.
  async function uploadSave(file) {
    if (!run || !run.running) return;
    if (file.size > LARGEST_SAVE) {
      showNotice('Not added: ' + file.name + ' is larger than ' + LARGEST_SAVE + ' bytes');
      return;
    }
    const text = await file.text();
    const problem = run.module.ccall('webAddSave', 'string', ['string'], [text]);
    showNotice(problem ? 'Not added: ' + problem : 'Added as the newest save: ' + file.name);
  }

  savesList.addEventListener('click', (e) => {
    const button = e.target.closest('button');
    if (!button) return;
    if (e.detail > 0) button.blur();
    if (button.dataset.save) loadSave(Number(button.dataset.save));
    if (button.dataset.download) downloadSave(Number(button.dataset.download));
  });

  saveFile.addEventListener('change', () => {
    if (saveFile.files.length) uploadSave(saveFile.files[0]);
    saveFile.value = '';
    saveFile.blur();
  });

  // The browser is asked to keep this site's storage (the saves, the kept copy)
  // when space runs short.
  function askToPersist() {
    if (!navigator.storage || !navigator.storage.persist) return;
    navigator.storage.persist().then((granted) => {
      window.varnokFigures.persisted = granted;
    }, () => {});
  }

  // --- The player's own copy, kept in IndexedDB -------------------------------

  function openCopies() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open(COPY_DATABASE, 1);
      request.onupgradeneeded = () => request.result.createObjectStore(COPY_STORE);
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  // One request on the store, its answer.
  async function onCopies(mode, act) {
    const database = await openCopies();
    try {
      return await new Promise((resolve, reject) => {
        const transaction = database.transaction(COPY_STORE, mode);
        const request = act(transaction.objectStore(COPY_STORE));
        transaction.oncomplete = () => resolve(request.result);
        transaction.onerror = () => reject(transaction.error || request.error);
        transaction.onabort = () => reject(transaction.error || new Error('aborted'));
      });
    } finally {
      database.close();
    }
  }

  function worldBytes(w) {
    let total = 0;
    w.files.forEach((bytes) => { total += bytes.length; });
    return total;
  }

  function megabytes(bytes) {
    return (bytes / 1048576).toFixed(1) + ' MB';
  }

  function showCopyNote(text, kept) {
    copyNote.textContent = text;
    forgetCopy.hidden = !kept;
    copyLine.hidden = false;
    layout();
  }

  // A copy from the player's disk that reached its first frame is kept for the
  // next visit, unless it is larger than the browser allows.
  async function keepCopy(w) {
    if (!w.files || w.base || w.kept || !window.indexedDB) return;
    const bytes = worldBytes(w);
    try {
      const estimate = navigator.storage && navigator.storage.estimate
        ? await navigator.storage.estimate() : null;
      if (estimate && estimate.quota && bytes > estimate.quota - estimate.usage) {
        throw new DOMException('over the quota', 'QuotaExceededError');
      }
      await onCopies('readwrite', (store) => store.put(
        {name: w.name, files: Array.from(w.files.entries()), bytes: bytes, kept: Date.now()},
        'copy'));
      w.kept = true;
      window.varnokFigures.keptCopyBytes = bytes;
      showCopyNote('Your copy "' + w.name + '" (' + megabytes(bytes) + ') is kept in this ' +
                   'browser\'s storage for this site (IndexedDB), never sent anywhere, and ' +
                   'plays on your next visit.', true);
    } catch (problem) {
      const tooLargeToKeep = problem && problem.name === 'QuotaExceededError';
      showCopyNote('Your copy "' + w.name + '" plays without being kept: ' +
                   (tooLargeToKeep ? 'at ' + megabytes(bytes) + ' it is larger than this ' +
                    'browser allows this site to keep.' : 'this browser would not keep it (' +
                    (problem.message || problem) + ').'), false);
    }
  }

  async function keptCopy() {
    if (!window.indexedDB) return null;
    try {
      const kept = await onCopies('readonly', (store) => store.get('copy'));
      if (!kept || !Array.isArray(kept.files)) return null;
      return {name: kept.name, files: new Map(kept.files), kept: true, bytes: kept.bytes};
    } catch (problem) {
      console.warn('No kept copy: ' + (problem.message || problem));
      return null;
    }
  }

  function forgetKeptCopy() {
    copyLine.hidden = true;
    window.varnokFigures.keptCopyBytes = null;
    if (world) world.kept = false;
    return onCopies('readwrite', (store) => store.delete('copy')).catch(() => {});
  }

  // --- Offline ---------------------------------------------------------------

  // The service worker keeps the site and the demo world (sw.js).
  function registerServiceWorker() {
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.register('sw.js').then(() => {
      window.varnokFigures.serviceWorker = 'registered';
    }, (problem) => {
      console.warn('No offline play: ' + (problem.message || problem));
    });
  }

  // --- Keys ----------------------------------------------------------------

  // Keys the browser keeps even while the game takes them: its own shortcuts and
  // its full screen. F5 and F9 save and load the game, so a plain F5 does not
  // reload the page.
  function browserKeeps(e) {
    return e.ctrlKey || e.metaKey || e.code === 'F11';
  }

  // Keys that belong to the page: Tab moves between its buttons (the game has no
  // use for it), and Enter or Space press the button that has the focus.
  function pageKeeps(e) {
    if (e.key === 'Tab') return true;
    const focused = document.activeElement;
    const onButton = focused && focused !== body &&
                     focused.closest('#controls, #pad, #copy-line');
    return Boolean(onButton) && (e.key === 'Enter' || e.key === ' ');
  }

  // A key to the game, with the modifiers of the event e (none for the pad);
  // true when the game takes it.
  function sendKey(code, key, e) {
    if (!run || !run.running) return false;
    const flags = e ? [e.shiftKey, e.ctrlKey, e.altKey, e.metaKey,
                       e.getModifierState('CapsLock'), e.getModifierState('NumLock')]
                    : [false, false, false, false, false, false];
    return run.module.ccall('webKeyDown', 'number',
        ['string', 'string', 'number', 'number', 'number', 'number', 'number', 'number'],
        [code, key].concat(flags.map(Number))) === 1;
  }

  document.addEventListener('keydown', (e) => {
    if (pageKeeps(e)) return;
    if (body.dataset.state === 'ended') {
      if (['Shift', 'Control', 'Alt', 'Meta'].includes(e.key)) return;
      e.preventDefault();
      startRun(world);
      return;
    }
    if (sendKey(e.code, e.key, e) && !browserKeeps(e)) e.preventDefault();
  });

  // --- The touch pad ----------------------------------------------------------

  function padButton(entry) {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = entry.label;
    button.dataset.code = entry.code;
    button.dataset.key = entry.key;
    if (entry.place) button.className = entry.place;
    if (entry.name) button.setAttribute('aria-label', entry.name);
    if (entry.held) button.dataset.held = '1';
    return button;
  }

  // The pad's buttons as the command table gives them: key, code, label,
  // command, group.
  function padButtons(module) {
    return lines(module.ccall('webPadButtons', 'string', [], [])).map((line) => {
      const [key, code, label, command, group] = line.split('\t');
      const place = PAD_PLACES[key];
      return {group: group, place: place, code: code, key: key, label: label, name: command,
              held: place && place !== 'pass'};
    });
  }

  function buildPad(module) {
    if (pad.childElementCount > 0) return;
    const groups = {};
    for (const entry of padButtons(module)) {
      if (!groups[entry.group]) {
        groups[entry.group] = document.createElement('div');
        groups[entry.group].className = entry.group;
        pad.appendChild(groups[entry.group]);
      }
      groups[entry.group].appendChild(padButton(entry));
    }
  }

  // A press sends the key at once; a held direction sends it again after the
  // game's key repeat delay and then at its interval, until the finger lifts.
  let held = null; // {button, timer}

  function padKey(button) {
    if (body.dataset.state === 'ended') startRun(world);
    else sendKey(button.dataset.code, button.dataset.key, null);
  }

  function keyRepeat(which, fallback) {
    return run && run.module ? run.module._webKeyRepeat(which) : fallback;
  }

  function releasePad() {
    if (!held) return;
    clearTimeout(held.timer);
    held.button.classList.remove('pressed');
    held = null;
  }

  function pressPad(button) {
    releasePad();
    padKey(button);
    held = {button: button, timer: null};
    button.classList.add('pressed');
    if (!button.dataset.held) return;
    const again = () => {
      padKey(button);
      held.timer = setTimeout(again, keyRepeat(1, 50));
    };
    held.timer = setTimeout(again, keyRepeat(0, 500));
  }

  function setUpPad() {
    pad.hidden = !touch;
    body.classList.toggle('touch', touch);
    pad.addEventListener('pointerdown', (e) => {
      const button = e.target.closest('button');
      if (!button) return;
      // No focus, no text selection, no emulated mouse: the press is the game's.
      e.preventDefault();
      pressPad(button);
    });
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      pad.addEventListener(type, releasePad);
    }
    pad.addEventListener('contextmenu', (e) => e.preventDefault());
    // A pad button pressed from the keyboard (Tab, then Enter or Space).
    pad.addEventListener('click', (e) => {
      const button = e.target.closest('button');
      if (button && e.detail === 0) padKey(button);
    });
  }

  // --- Showing the frame ----------------------------------------------------

  // The size of the picture in CSS pixels for a room of width x height: the scale
  // asked for, in whole multiples, or the largest picture of the frame's shape
  // that fits, counted in the screen's own pixels.
  function pictureSize(roomWidth, roomHeight, full) {
    const height = options.aspect ? STRETCHED_HEIGHT : FRAME_HEIGHT;
    if (options.scale > 0 && !full) {
      return {width: FRAME_WIDTH * options.scale, height: height * options.scale};
    }
    const ratio = window.devicePixelRatio || 1;
    let device = Math.floor(Math.min(roomWidth, roomHeight * FRAME_WIDTH / height) * ratio);
    // A width that is a multiple of 8 gives a whole number of rows at 16:10 and 4:3.
    device = Math.max(8, device - device % 8);
    return {width: device / ratio, height: device * height / FRAME_WIDTH / ratio};
  }

  // The room the page gives the picture: the window (or the screen, in full
  // screen) less the pad beside or below it, and less the page's lines under it
  // when they take little of the height (else the buttons and the saves at
  // least, and the rest follows below, by scrolling).
  function room(full) {
    const style = getComputedStyle(page);
    const padding = full ? 0 : parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
    const gap = parseFloat(getComputedStyle(playArea).gap) || 0;
    const beside = getComputedStyle(playArea).flexDirection === 'row';
    const padWidth = pad.hidden ? 0 : pad.offsetWidth + gap;
    const padHeight = pad.hidden ? 0 : pad.offsetHeight + gap;
    let width = window.innerWidth - padding - (beside ? padWidth : 0);
    let height = window.innerHeight - padding - (beside ? 0 : padHeight);
    if (!full) {
      const lines = page.offsetHeight - playArea.offsetHeight - padding;
      // Else the line of the buttons and the saves at least, when it is short.
      const buttons = document.getElementById('controls').offsetHeight +
                      (parseFloat(style.rowGap) || 0);
      if (lines <= window.innerHeight / 5) height -= lines;
      else if (buttons <= window.innerHeight / 5) height -= buttons;
    }
    return {width: Math.max(width, 1), height: Math.max(height, 1)};
  }

  let pictureContext = null;
  let enlargement = 0;

  function layout() {
    const full = document.fullscreenElement === playArea;
    const space = room(full);
    const size = pictureSize(space.width, space.height, full);
    picture.style.width = size.width + 'px';
    picture.style.height = size.height + 'px';
    // The frame is enlarged by the whole multiple that covers the picture's
    // device pixels (crisp, every frame pixel the same size); the browser then
    // takes it down to the picture's size, smoothly.
    const ratio = window.devicePixelRatio || 1;
    const multiple = Math.max(1, Math.ceil(Math.max(size.width * ratio / FRAME_WIDTH,
                                                    size.height * ratio / FRAME_HEIGHT) - 1e-6));
    if (multiple !== enlargement) {
      enlargement = multiple;
      picture.width = FRAME_WIDTH * multiple;
      picture.height = FRAME_HEIGHT * multiple;
      pictureContext = picture.getContext('2d', {alpha: false});
      drawPicture();
    }
  }

  function drawPicture() {
    if (!pictureContext) return;
    const began = performance.now();
    pictureContext.imageSmoothingEnabled = false;
    pictureContext.drawImage(canvas, 0, 0, picture.width, picture.height);
    window.varnokFigures.pictureMs = performance.now() - began;
  }

  // The picture and the pad go to full screen together: a touch screen keeps
  // its pad.
  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (playArea.requestFullscreen) {
      playArea.requestFullscreen().catch(() => {});
    }
  }

  // F12: the frame as varnok-YYYYMMDD-HHMMSS.png among the browser's downloads.
  function saveScreenshot(image, name) {
    const shot = document.createElement('canvas');
    shot.width = image.width;
    shot.height = image.height;
    shot.getContext('2d').putImageData(image, 0, 0);
    shot.toBlob((blob) => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    }, 'image/png');
  }

  // --- Sound -------------------------------------------------------------------

  // Browsers let sound start on the release of a touch or click, or on a key,
  // and not before: every such gesture resumes the mixer's audio until it runs.
  // The note stays until then.
  function audioContext() {
    return run && run.module && run.module.audioContext ? run.module.audioContext() : null;
  }

  function showAudio() {
    const context = audioContext();
    if (!options.music) body.dataset.audio = 'off';
    else body.dataset.audio = context && context.state === 'running' ? 'running' : 'waiting';
    if (musicNote.hidden !== (body.dataset.audio !== 'waiting')) {
      musicNote.hidden = !musicNote.hidden;
      layout();
    }
  }

  function resumeAudio() {
    const context = audioContext();
    if (context && context.state !== 'running') context.resume().then(showAudio, () => {});
  }

  function watchAudio(module) {
    const context = module.audioContext ? module.audioContext() : null;
    if (context) context.addEventListener('statechange', showAudio);
    showAudio();
    resumeAudio();
  }

  // --- Start ------------------------------------------------------------------

  // A page button clicked with the mouse gives the keys back to the game.
  function pageButton(id, action) {
    document.getElementById(id).addEventListener('click', (e) => {
      if (e.detail > 0) e.currentTarget.blur();
      action();
    });
  }

  pageButton('fullscreen', toggleFullscreen);
  pageButton('open-copy', () => picker.click());
  pageButton('play-demo', playDemo);
  pageButton('continue', () => loadSave(1));
  pageButton('upload-save', () => saveFile.click());
  pageButton('forget-copy', () => forgetKeptCopy().then(() => play(serverWorld())));
  for (const type of ['pointerup', 'touchend', 'click', 'keydown', 'keyup']) {
    document.addEventListener(type, resumeAudio, true);
  }
  document.addEventListener('fullscreenchange', layout);
  window.addEventListener('resize', layout);
  setUpPad();
  showAudio();

  if (location.protocol === 'file:') {
    setState('error', 'This page cannot run from a file on disk: browsers do not let such a ' +
             'page read the game\'s data. Serve its folder instead, for example with ' +
             '"scripts/web.sh --serve" in the project, or "python3 -m http.server" in this ' +
             'folder, and open the address it prints.');
    return;
  }
  askToPersist();
  registerServiceWorker();
  // The address names a world, else the copy kept from the last visit plays,
  // else the demo world.
  if (new URLSearchParams(location.search).has('data')) {
    startRun(serverWorld());
  } else {
    keptCopy().then((kept) => {
      if (kept) {
        showCopyNote('Your copy "' + kept.name + '" (' + megabytes(kept.bytes) + '), kept in ' +
                     'this browser\'s storage for this site (IndexedDB), never sent anywhere.',
                     true);
      }
      startRun(kept || serverWorld());
    });
  }
})();
