"""The game in a real browser: the site of scripts/web.sh (built first, when it is
missing or out of date) served from 127.0.0.1 and played in headless Chromium.

The first frame of both colour modes equals the native reference; the play
scenarios of test_play.py run in the page and in a native window side by side,
and their screens are the same; worlds come from an address (?data=) and from a
folder on disk (#data-files, names in any case); a copy without data.ovl ends in
the error state; Alt+x ends, any key starts again and finished runs are freed;
the browser keeps off the game's keys; F12 downloads the frame; music starts
with the first key; a touch screen gets the pad; a refused option and a page
opened from disk say why they cannot run. Figures
(first frame, one pass, the site's sizes) are printed.

With VARNOK_REGENERATE=1 the README's picture of the page, docs/web-page.png, is
taken again; look at it before committing it.
"""

import gzip
import os
import re
import shutil
import subprocess
import tempfile
import time

import browser
import harness
import test_play
from browser import Browser, Server, WebGame
from screen_text import TextReader

VIEW_LEFT, VIEW_TOP, VIEW_CELLS, VIEW_CELL = 16, 16, 11, 32
CURSOR_ROW = (24 * 16, 23 * 16, 16 * 16, 16)  # the message area's last row
ANIMATION_CYCLE = 16 * 0.25 + 0.5  # seconds: every animation state, and then some


class Site:
    """The built site and a server whose root holds it as site/, beside worlds/
    for ?data=."""

    def __init__(self, args):
        self.folder = browser.build_site(args.source_dir)
        self.root = tempfile.mkdtemp(prefix="varnok-web-")
        os.symlink(os.path.abspath(self.folder), os.path.join(self.root, "site"))
        os.mkdir(os.path.join(self.root, "worlds"))
        self.server = Server(self.root)
        self.page = self.server.url + "site/"
        self.browser = Browser()


_site = None


def site(args):
    global _site
    if _site is None:
        _site = Site(args)
    return _site


def masked(image):
    """The frame's RGB with the message area's last row (the cursor's) blanked."""
    return image.blanked(CURSOR_ROW)


def wait_reference(b, args, mode):
    reference = masked(harness.read_png(os.path.join(
        args.source_dir, "tests", "e2e", "reference", "start-%s.png" % mode)))
    harness.poll(lambda: masked(b.frame()) == reference, 10.0,
                 "the %s-colour start frame to equal the native reference" % mode)


def view_cells(image):
    return [image.crop(VIEW_LEFT + VIEW_CELL * c, VIEW_TOP + VIEW_CELL * r, VIEW_CELL,
                       VIEW_CELL).rgb
            for r in range(VIEW_CELLS) for c in range(VIEW_CELLS)]


def outside_view(image):
    size = VIEW_CELLS * VIEW_CELL
    return image.blanked(CURSOR_ROW, (VIEW_LEFT, VIEW_TOP, size, size))


class Looks:
    """Every look a screen takes over a whole animation cycle: the part outside the
    map view, and each cell of the view on its own (a map entered at another
    moment cycles its tiles at another phase)."""

    def __init__(self, grab, seconds=ANIMATION_CYCLE):
        self.outside = set()
        self.cells = [set() for _ in range(VIEW_CELLS * VIEW_CELLS)]
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            image = grab()
            self.outside.add(outside_view(image))
            for seen, cell in zip(self.cells, view_cells(image)):
                seen.add(cell)

    def differences(self, image):
        """What of image this screen never showed: "outside" or view cells."""
        wrong = [] if outside_view(image) in self.outside else ["outside the map view"]
        return wrong + ["view cell %d" % i for i, cell in enumerate(view_cells(image))
                        if cell not in self.cells[i]]


def expect_same_screens(web, native):
    looks = Looks(native.game.screenshot)
    last = []

    def same():
        last[:] = looks.differences(web.game.screenshot())
        return not last
    try:
        harness.poll(same, 5.0, "the page's screen")
    except AssertionError:
        raise AssertionError("the page differs from the native screen in %s" % last[:6])


class Twin:
    """A play scenario's session that is two: every step is taken in the native
    window and in the page, and after each Look answer and at the end their
    screens are compared."""

    def __init__(self, web, native):
        object.__setattr__(self, "sessions", (web, native))

    def __getattr__(self, name):
        values = [getattr(s, name) for s in self.sessions]
        if not callable(values[0]):
            return values[0]

        def both(*args, **kwargs):
            return [v(*args, **kwargs) for v in values][0]
        return both

    def __setattr__(self, name, value):
        for s in self.sessions:
            setattr(s, name, value)

    def wait_messages(self, tail):
        for s in self.sessions:
            s.wait_messages(tail)
        if "Thou dost see" in tail:
            expect_same_screens(*self.sessions)


def as_native(scenario):
    def test(args, display):
        s = site(args)
        native = test_play.Session(args, display)
        try:
            web = test_play.Session(args, None, game=WebGame(s.browser, s.page))
            twin = Twin(web, native)
            scenario.body(twin)
            expect_same_screens(web, native)
            web.close()
            native.close()
        finally:
            native.cleanup()
    test.__name__ = scenario.__name__ + "_as_native"
    return test


def start_frames_equal_the_native_references(args, display):
    s = site(args)
    # The first open is cold (nothing of the site in the browser yet), the second
    # finds the engine and the shared files in the browser's cache.
    for mode, cache in (("4", "cold"), ("16", "cached")):
        s.browser.open(s.page + "?colours=" + mode)
        s.browser.wait_state("playing")
        print("figure: first frame, %s colours, %s: %.0f ms after the page was opened"
              % (mode, cache, s.browser.script("return window.varnokFigures.firstFrameMs")))
        wait_reference(s.browser, args, mode)
        if os.environ.get("VARNOK_REGENERATE") == "1" and mode == "16":
            save_page_picture(s.browser, os.path.join(args.source_dir, "docs", "web-page.png"))
    outside = [r for r in s.server.requests if not r.startswith("/site/")]
    assert not outside, "requests outside the site: %s" % outside[:5]
    print_pass_times(s.browser, os.path.join(s.folder, "demo", "ibm.ch"))
    print_site_sizes(s.folder)


def save_page_picture(b, path):
    """The page at the size of a small window, for the README."""
    b.driver.set_window_size(700, 780)
    try:
        # The page lays the canvas out again on each resize event.
        harness.poll(lambda: b.script("return window.innerWidth") <= 700, 5, "the resize")
        b.driver.save_screenshot(path)
    finally:
        b.driver.set_window_size(1280, 1000)


def print_pass_times(b, font):
    """Ten steps east and west, each waited for; the pass times of the page."""
    reader = TextReader(font)
    times = []
    for step in range(10):
        b.keys("Right" if step % 2 == 0 else "Left")
        want = "X:%d Y:109" % (87 if step % 2 == 0 else 86)
        harness.poll(lambda: reader.line(b.frame(), 24, 1, 15) == want, 10, "a step")
        times.append(b.script("return window.varnokFigures.passMs()"))
    times.sort()
    print("figure: one pass (a key, its drawing and the canvas): median %.2f ms, longest "
          "%.2f ms of %d" % (times[len(times) // 2], times[-1], len(times)))


def print_site_sizes(folder):
    total_raw = total_packed = 0
    for name in ("index.html", "page.js", "page.css", "varnok.js", "varnok.wasm"):
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        packed = len(gzip.compress(data, 9))
        total_raw += len(data)
        total_packed += packed
        print("figure: %s: %d bytes, %d gzipped" % (name, len(data), packed))
    print("figure: page and engine: %d bytes, %d gzipped" % (total_raw, total_packed))
    demo = 0
    for path, _, files in os.walk(os.path.join(folder, "demo")):
        demo += sum(os.path.getsize(os.path.join(path, f)) for f in files)
    print("figure: demo world (both colour modes, Ogg music): %d bytes" % demo)


def upper_case_copy(source, target):
    """The world in source copied to target with every name in capitals."""
    for path, folders, files in os.walk(source):
        relative = os.path.relpath(path, source)
        into = target if relative == "." else os.path.join(target, relative.upper())
        os.makedirs(into, exist_ok=True)
        for f in files:
            shutil.copy(os.path.join(path, f), os.path.join(into, f.upper()))


def worlds_from_an_address_and_from_the_disk(args, display):
    s = site(args)
    b = s.browser
    tool = os.path.join(args.build_dir, "tools", "varnok-data")
    free = os.path.join(s.root, "worlds", "free")
    subprocess.run([tool, "demo", free], check=True, capture_output=True)
    del s.server.requests[:]
    b.open(s.page + "?data=../worlds/free/")
    b.wait_state("playing")
    wait_reference(b, args, "4")
    assert "/worlds/free/data.ovl" in s.server.requests, s.server.requests[:10]
    assert not any(r.startswith("/site/demo/") for r in s.server.requests)

    disk = tempfile.mkdtemp(prefix="varnok-copies-")
    try:
        copy = os.path.join(disk, "MyCopy")
        upper_case_copy(test_play.world(args).directory, copy)
        # Marked, so that the wait below sees the new world play, not the old one.
        b.script("document.body.dataset.state = 'replacing'")
        b.console()
        b.driver.find_element("id", "data-files").send_keys(copy)
        b.wait_state("playing")
        wait_reference(b, args, "4")
        assert any('"Data: /MyCopy"' in line for line in b.console()), "not the copy"

        broken = os.path.join(disk, "Broken")
        shutil.copytree(copy, broken)
        os.remove(os.path.join(broken, "DATA.OVL"))
        b.driver.find_element("id", "data-files").send_keys(broken)
        b.wait_state("error")
        assert "Cannot open data file '/Broken/data.ovl'" in b.message(), b.message()
    finally:
        shutil.rmtree(disk, ignore_errors=True)


# Keeps a weak reference to every module (one per run) the page makes.
MODULE_REFS = """
window.moduleRefs = [];
let factory;
Object.defineProperty(window, 'createVarnok', {
  configurable: true,
  get() {
    return factory && ((options) => factory(options).then((module) => {
      moduleRefs.push(new WeakRef(module));
      return module;
    }));
  },
  set(f) { factory = f; },
});
"""


def alt_x_ends_and_any_key_starts_again(args, display):
    s = site(args)
    b = s.browser
    hook = b.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                    {"source": MODULE_REFS})
    try:
        b.open(s.page)
        b.wait_state("playing")
        for _ in range(3):
            b.keys("alt+x")
            b.wait_state("ended")
            assert "any key" in b.message(), b.message()
            b.keys("a")
            b.wait_state("playing")
        wait_reference(b, args, "4")
        # A finished run leaves nothing behind: only the playing one is alive.
        b.driver.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
        alive = b.script("return moduleRefs.map((r) => r.deref() !== undefined)")
        assert alive == [False, False, False, True], alive
    finally:
        b.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", hook)


def the_browser_keeps_off_the_game_keys(args, display):
    s = site(args)
    b = s.browser
    b.open(s.page)
    b.wait_state("playing")
    # Listening after the page's own listener: it sees what the page decided.
    b.script("window.seen = []; document.addEventListener('keydown',"
             " (e) => seen.push([e.code, e.defaultPrevented]));")
    # F5 and F9 are the game's too: no reload.
    b.keys("Down", "/", "'", "KP_8", "space", "F1", "Escape", "F5", "F9")
    seen = dict(b.script("return window.seen"))
    for code in ("ArrowDown", "Slash", "Quote", "Numpad8", "Space", "F1", "Escape", "F5", "F9"):
        assert seen.get(code) is True, "%s reached the browser: %s" % (code, seen)
    assert b.state() == "playing", b.state()
    # F5 saved into the page's storage and F9 read it back; the save outlives
    # the page, as a file outlives the desktop game.
    log = []

    def said(line):
        log.extend(b.console())
        return any(line in entry for entry in log)

    harness.poll(lambda: said("Game loaded: browser storage varnok/saves/"), 20, "the load")
    assert any("Game saved: browser storage varnok/saves/" in entry for entry in log), log
    keys = b.script("return Object.keys(localStorage)")
    save = [k for k in keys if k.startswith("varnok/saves/") and k.endswith("/save.txt")]
    assert len(save) == 1, keys
    text = b.script("return localStorage.getItem(arguments[0])", save[0])
    assert text.startswith("varnok-save 1\n") and "\nmap=0\n" in text, text
    b.open(s.page)
    b.wait_state("playing")
    log.clear()
    b.keys("F9")
    harness.poll(lambda: said("Game loaded: browser storage " + save[0]), 20, "the load")


def f12_downloads_the_frame(args, display):
    s = site(args)
    b = s.browser
    b.open(s.page)
    b.wait_state("playing")
    looks = Looks(b.frame)
    b.keys("F12")

    def saved():
        names = [n for n in os.listdir(b.downloads) if n.endswith(".png")]
        return names[0] if names else None
    name = harness.poll(saved, 10.0, "the screenshot download")
    assert re.fullmatch(r"varnok-\d{8}-\d{6}\.png", name), name
    shot = harness.read_png(os.path.join(b.downloads, name))
    assert (shot.width, shot.height) == browser.FRAME, (shot.width, shot.height)
    # The frame without the notice the canvas shows over it.
    wrong = looks.differences(shot)
    assert not wrong, "the download is not the frame: %s" % wrong[:6]
    os.remove(os.path.join(b.downloads, name))


# Records what the page's audio does: sounds decoded, sources started, contexts.
AUDIO_HOOKS = """
window.audioLog = [];
window.audioContexts = [];
const Original = window.AudioContext;
window.AudioContext = function (...args) {
  const context = new Original(...args);
  audioContexts.push(context);
  return context;
};
window.AudioContext.prototype = Original.prototype;
const decode = Original.prototype.decodeAudioData;
Original.prototype.decodeAudioData = function (bytes, done, failed) {
  return decode.call(this, bytes, (buffer) => { audioLog.push('decoded'); done && done(buffer); },
                     (e) => { audioLog.push('not decoded'); failed && failed(e); });
};
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...args) {
  audioLog.push('started');
  return start.apply(this, args);
};
"""


def music_starts_with_the_first_key(args, display):
    s = site(args)
    b = s.browser
    b.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": AUDIO_HOOKS})
    b.open(s.page + "?music=1")
    b.wait_state("playing")
    assert not b.script("return document.getElementById('music-note').hidden")
    harness.poll(lambda: "decoded" in b.script("return audioLog"), 10, "the music decoded")
    assert "/site/demo/music/overworld.ogg" in s.server.requests
    b.keys("space")
    assert b.script("return document.getElementById('music-note').hidden")
    harness.poll(lambda: b.script("return audioContexts.map((c) => c.state)") == ["running"],
                 10, "the audio to run")
    assert "started" in b.script("return audioLog")


def full_screen_and_the_touch_pad(args, display):
    s = site(args)
    b = s.browser
    b.open(s.page)
    b.wait_state("playing")
    assert b.script("return document.getElementById('pad').hidden")
    b.keys("alt+Return")
    harness.poll(lambda: b.script("return document.fullscreenElement && "
                                  "document.fullscreenElement.id") == "stage", 10,
                 "full screen")
    b.keys("alt+Return")
    harness.poll(lambda: b.script("return document.fullscreenElement") is None, 10,
                 "the page again")
    b.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                             {"enabled": True, "maxTouchPoints": 5})
    try:
        b.open(s.page)
        b.wait_state("playing")
        assert not b.script("return document.getElementById('pad').hidden")
        reader = TextReader(os.path.join(s.folder, "demo", "ibm.ch"))
        b.driver.find_element("css selector", "#pad .right").click()
        harness.poll(lambda: reader.line(b.frame(), 24, 1, 15) == "X:87 Y:109", 10,
                     "a step east from the pad")
    finally:
        b.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})


def the_address_sizes_the_picture(args, display):
    s = site(args)
    b = s.browser
    b.open(s.page + "?scale=2&aspect=1")
    b.wait_state("playing")
    size = b.script("const c = document.getElementById('screen');"
                    "return [c.width, c.height, c.style.width, c.style.height];")
    # The canvas holds the frame as it is; the page shows it twice as large, 4:3.
    assert size == [640, 400, "1280px", "960px"], size


def refusals_say_why(args, display):
    s = site(args)
    b = s.browser
    # A value the game refuses gets the game's own message.
    b.open(s.page + "?colours=8")
    b.wait_state("error")
    assert "'8'" in b.message() and "Try 'varnok --help'." in b.message(), b.message()
    b.open("file://" + os.path.abspath(os.path.join(s.folder, "index.html")))
    b.wait_state("error")
    assert "cannot run from a file" in b.message(), b.message()


if __name__ == "__main__":
    try:
        harness.run([start_frames_equal_the_native_references,
                     as_native(test_play.walking_passing_and_looking),
                     as_native(test_play.entering_a_town_climbing_and_leaving),
                     worlds_from_an_address_and_from_the_disk,
                     alt_x_ends_and_any_key_starts_again,
                     the_browser_keeps_off_the_game_keys,
                     f12_downloads_the_frame,
                     music_starts_with_the_first_key,
                     full_screen_and_the_touch_pad,
                     the_address_sizes_the_picture,
                     refusals_say_why])
    finally:
        if _site is not None:
            _site.browser.quit()
            _site.server.close()
            shutil.rmtree(_site.root, ignore_errors=True)
