// The JavaScript half of the web build's calls into the page (page_calls.h). What
// the page itself does (the picture's size, full screen, downloads, the note about
// music) is its own: these functions hand over to the Module's hooks set by
// page.js, and put the frame on the canvas. Module.audioContext() gives the page
// the mixer's audio context, which it resumes on the player's first gesture.
mergeInto(LibraryManager.library, {
  $varnokCanvas: {context: null, image: null},

  webPutFrame__deps: ['$varnokCanvas'],
  webPutFrame: function(pixels, width, height) {
    var c = varnokCanvas;
    if (!c.context) {
      c.context = Module['canvas'].getContext('2d', {alpha: false});
      c.image = c.context.createImageData(width, height);
    }
    // The heap may have grown since the last frame: take the view afresh.
    c.image.data.set(HEAPU8.subarray(pixels, pixels + width * height * 4));
    c.context.putImageData(c.image, 0, 0);
    if (Module['onFrame']) Module['onFrame']();
  },

  webToggleFullscreen: function() {
    if (Module['toggleFullscreen']) Module['toggleFullscreen']();
  },

  webIsFullscreen: function() {
    return document.fullscreenElement ? 1 : 0;
  },

  webSaveScreenshot: function(pixels, width, height, name) {
    var image = new ImageData(new Uint8ClampedArray(
        HEAPU8.slice(pixels, pixels + width * height * 4).buffer), width, height);
    if (Module['saveScreenshot']) Module['saveScreenshot'](image, UTF8ToString(name));
  },

  // Emscripten's mixer numbers its sounds from 0, which the engine would take
  // for "no music": the first number is kept back.
  webLoadMusic__deps: ['$SDL', 'Mix_LoadWAV_RW', 'SDL_RWFromConstMem', 'SDL_FreeRW'],
  webLoadMusic__postset: "Module['audioContext'] = function() { return SDL.audioContext || null; };",
  webLoadMusic: function(bytes, size) {
    if (!SDL.audioContext) return 0;
    if (SDL.audios.length == 0) SDL.audios.push(null);
    var stream = _SDL_RWFromConstMem(bytes, size);
    var music = _Mix_LoadWAV_RW(stream, 0);
    _SDL_FreeRW(stream);
    return music;
  },

  webCloseMixer__deps: ['$SDL', 'Mix_HaltMusic'],
  webCloseMixer: function() {
    _Mix_HaltMusic();
    if (SDL.audioContext) {
      SDL.audioContext.close();
      SDL.audioContext = null;
    }
  },

  // Local storage may be switched off or full: each call answers "nothing" then.
  webReadStorage__deps: ['malloc'],
  webReadStorage: function(key) {
    var text = null;
    try {
      text = window.localStorage.getItem(UTF8ToString(key));
    } catch (e) {
    }
    if (text === null) return 0;
    var size = lengthBytesUTF8(text) + 1;
    var bytes = _malloc(size);
    stringToUTF8(text, bytes, size);
    return bytes;
  },

  webStorageKeys__deps: ['malloc'],
  webStorageKeys: function(prefix) {
    var keys = [];
    try {
      var storage = window.localStorage;
      var start = UTF8ToString(prefix);
      for (var i = 0; i < storage.length; i++) {
        var key = storage.key(i);
        if (key !== null && key.indexOf(start) === 0) keys.push(key);
      }
    } catch (e) {
      return 0;
    }
    var text = keys.join('\n');
    var size = lengthBytesUTF8(text) + 1;
    var bytes = _malloc(size);
    stringToUTF8(text, bytes, size);
    return bytes;
  },

  webAddStorage: function(key, text) {
    try {
      var storage = window.localStorage;
      var name = UTF8ToString(key);
      if (storage.getItem(name) !== null) return -1;
      storage.setItem(name, UTF8ToString(text));
      return 1;
    } catch (e) {
      return 0;
    }
  },

  webRemoveStorage: function(key) {
    try {
      window.localStorage.removeItem(UTF8ToString(key));
      return 1;
    } catch (e) {
      return 0;
    }
  },

  webSavesChanged: function() {
    if (Module['onSavesChanged']) Module['onSavesChanged']();
  },
});
