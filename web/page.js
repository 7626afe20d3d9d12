// The page around the game: reads the options in the address, gathers a world's
// files (from the server, or from a folder on the player's disk), starts a run of
// the engine on them, passes keys in, sizes the canvas, and shows the state of
// the run in document.body.dataset.state and #message.
'use strict';

(function () {
  const body = document.body;
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('screen');
  const message = document.getElementById('message');
  const musicNote = document.getElementById('music-note');
  const picker = document.getElementById('data-files');

  const FRAME_WIDTH = 640;
  const FRAME_HEIGHT = 400;
  const STRETCHED_HEIGHT = 480; // the 4:3 picture of ?aspect=1
  const LARGEST_WORLD = 256 * 1024 * 1024; // bytes read from a folder, at most

  const options = readOptions(new URLSearchParams(location.search));
  let world = null; // {name, files: Map of relative path to bytes}: what plays
  let run = null; // the engine's current run

  window.varnokFigures = {firstFrameMs: null, passMs: () => (run ? run.passMs() : null)};

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
  }

  // The name a world gets inside the engine's file system: the last part of its
  // folder, so that the engine's messages name something the player knows.
  function folderName(path) {
    const parts = path.split('/').filter((p) => p && p !== '.' && p !== '..');
    const last = parts.length ? parts[parts.length - 1] : 'data';
    return last.replace(/[^A-Za-z0-9._ -]/g, '_') || 'data';
  }

  // --- Runs of the engine -------------------------------------------------

  // A new module for each run: the engine starts from fresh memory every time.
  function startRun(nextWorld) {
    world = nextWorld;
    const errors = [];
    setState('loading', '');
    run = {module: null, running: false, replaceWith: null, passMs: () => null};
    const thisRun = run;
    return createVarnok({
      canvas: canvas,
      doNotCaptureKeyboard: true,
      print: (text) => console.log(text),
      printErr: (text) => { errors.push(text); console.warn(text); },
      onFrame: () => frameShown(thisRun),
      onExit: (status) => runEnded(thisRun, status, errors),
      toggleFullscreen: toggleFullscreen,
      saveScreenshot: saveScreenshot,
    }).then((module) => {
      thisRun.module = module;
      thisRun.passMs = () => module._webLastPassMilliseconds();
      return world.files ? world : fetchWorld(module, world);
    }).then((filled) => {
      if (thisRun !== run) return;
      world = filled;
      writeWorld(thisRun.module, world);
      thisRun.running = true;
      thisRun.module.callMain(['--data', '/' + world.name].concat(options.args));
    }).catch((problem) => {
      if (thisRun === run) setState('error', String(problem.message || problem));
    });
  }

  function frameShown(thisRun) {
    if (thisRun !== run || body.dataset.state === 'playing') return;
    if (window.varnokFigures.firstFrameMs === null) {
      window.varnokFigures.firstFrameMs = performance.now();
    }
    setState('playing', '');
    layout();
  }

  function runEnded(thisRun, status, errors) {
    thisRun.running = false;
    if (thisRun !== run) return;
    if (thisRun.replaceWith) {
      startRun(thisRun.replaceWith);
    } else if (status === 0) {
      setState('ended', 'The game has ended. Press any key to play again.');
    } else {
      setState('error', errors.join('\n') || 'The game stopped (status ' + status + ').');
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

  function writeWorld(module, w) {
    const root = '/' + w.name;
    module.FS.mkdirTree(root);
    for (const [path, bytes] of w.files) {
      const slash = path.lastIndexOf('/');
      if (slash > 0) module.FS.mkdirTree(root + '/' + path.slice(0, slash));
      module.FS.writeFile(root + '/' + path, bytes);
    }
  }

  // --- A world on the server (?data=, the demo world by default) ----------

  function lines(text) {
    return text.split('\n').filter((l) => l !== '');
  }

  function tooLarge(where) {
    return new Error(where + ' holds more than ' + LARGEST_WORLD / 1048576 +
                     ' MB of files: not a copy of the game.');
  }

  // The bytes of one file, or null when the server has no such file (the engine
  // then says what is missing, as it does natively).
  async function fetchFile(base, name) {
    const response = await fetch(new URL(name, base));
    if (response.status === 404) return null;
    if (!response.ok) throw new Error('Cannot read ' + response.url + ': ' + response.status);
    if (Number(response.headers.get('Content-Length')) > LARGEST_WORLD) throw tooLarge(base);
    return new Uint8Array(await response.arrayBuffer());
  }

  async function fetchFiles(base, names, files) {
    const contents = await Promise.all(names.map((name) => fetchFile(base, name)));
    names.forEach((name, i) => { if (contents[i] !== null) files.set(name, contents[i]); });
    let total = 0;
    files.forEach((bytes) => { total += bytes.length; });
    if (total > LARGEST_WORLD) throw tooLarge(base);
  }

  async function fetchWorld(module, w) {
    const files = new Map();
    const names = lines(module.UTF8ToString(module._webDataFileNames(options.fourColour ? 1 : 0)));
    await fetchFiles(w.base, names, files);
    const list = files.get('music.ini');
    if (options.music && list) {
      const text = new TextDecoder('latin1').decode(list);
      const music = module.ccall('webMusicFileNames', 'string', ['string'], [text]);
      await fetchFiles(w.base, lines(music), files);
    }
    return {name: w.name, base: w.base, files: files};
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

  // --- Keys ----------------------------------------------------------------

  // Keys the browser keeps even while the game takes them: its own shortcuts and
  // its full screen. F5 and F9 save and load the game, so a plain F5 does not
  // reload the page.
  function browserKeeps(e) {
    return e.ctrlKey || e.metaKey || e.code === 'F11';
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
    hideMusicNote();
    if (body.dataset.state === 'ended') {
      if (['Shift', 'Control', 'Alt', 'Meta'].includes(e.key)) return;
      e.preventDefault();
      startRun(world);
      return;
    }
    if (sendKey(e.code, e.key, e) && !browserKeeps(e)) e.preventDefault();
  });

  function setUpPad() {
    const pad = document.getElementById('pad');
    pad.hidden = !(window.matchMedia('(pointer: coarse)').matches || 'ontouchstart' in window);
    pad.addEventListener('pointerdown', (e) => {
      const button = e.target.closest('button');
      if (!button) return;
      e.preventDefault();
      hideMusicNote();
      if (body.dataset.state === 'ended') startRun(world);
      else sendKey(button.dataset.code, button.dataset.key, null);
    });
  }

  // --- Showing the frame ----------------------------------------------------

  // The largest whole multiple of the frame that fits (in the screen's own
  // pixels, so that every frame pixel is the same size), or the scale asked for;
  // a screen smaller than the frame shows it smaller.
  function layout() {
    const full = document.fullscreenElement === stage;
    const ratio = window.devicePixelRatio || 1;
    const height = options.aspect ? STRETCHED_HEIGHT : FRAME_HEIGHT;
    const around = full ? 0 : document.getElementById('page').offsetHeight - stage.offsetHeight + 16;
    const roomWidth = window.innerWidth - (full ? 0 : 16);
    const roomHeight = window.innerHeight - around;
    let width;
    if (options.scale > 0 && !full) {
      width = FRAME_WIDTH * options.scale;
    } else {
      const whole = Math.floor(Math.min(roomWidth * ratio / FRAME_WIDTH, roomHeight * ratio / height));
      width = whole >= 1 ? FRAME_WIDTH * whole / ratio
                         : FRAME_WIDTH * Math.min(roomWidth / FRAME_WIDTH, roomHeight / height);
    }
    canvas.style.width = width + 'px';
    canvas.style.height = (width * height / FRAME_WIDTH) + 'px';
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {});
    }
  }

  // F12: the frame as varnok-YYYYMMDD-HHMMSS.png among the browser's downloads.
  function saveScreenshot(image, name) {
    const picture = document.createElement('canvas');
    picture.width = image.width;
    picture.height = image.height;
    picture.getContext('2d').putImageData(image, 0, 0);
    picture.toBlob((blob) => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    }, 'image/png');
  }

  // Browsers play sound only after the player's first key or click.
  function showMusicNote() {
    const active = navigator.userActivation && navigator.userActivation.hasBeenActive;
    musicNote.hidden = !options.music || active;
  }

  function hideMusicNote() {
    musicNote.hidden = true;
  }

  // --- Start ------------------------------------------------------------------

  document.getElementById('fullscreen').addEventListener('click', (e) => {
    e.currentTarget.blur();
    toggleFullscreen();
  });
  document.addEventListener('pointerdown', hideMusicNote);
  document.addEventListener('fullscreenchange', layout);
  window.addEventListener('resize', layout);
  setUpPad();
  layout();

  if (location.protocol === 'file:') {
    setState('error', 'This page cannot run from a file on disk: browsers do not let such a ' +
             'page read the game\'s data. Serve its folder instead, for example with ' +
             '"scripts/web.sh --serve" in the project, or "python3 -m http.server" in this ' +
             'folder, and open the address it prints.');
    return;
  }
  showMusicNote();
  startRun(serverWorld());
})();
