"""The browser side of the end-to-end harness: the web site built by
scripts/web.sh, served from 127.0.0.1 by a server that records every request,
and Debian's Chromium, headless, driven through chromium-driver, as a desktop
window or as one of the screens of DEVICES (chromedriver's device emulation).

WebGame offers the calls of harness.Game that the play scenarios use (key,
screenshot, wait_screen, quit), so that the same scenarios run in the page. The
frame is read from the canvas's own pixels (getImageData), never from a
screenshot of the page.
"""

import base64
import functools
import http.server
import os
import subprocess
import tempfile
import threading
import time
import zlib

import harness

FRAME = (640, 400)

# Screens the page is tried on: CSS pixels, device pixels per CSS pixel, touch.
DEVICES = {
    "phone": {"width": 390, "height": 844, "pixelRatio": 3, "touch": True},
    "phone on its side": {"width": 844, "height": 390, "pixelRatio": 3, "touch": True},
    "tablet": {"width": 820, "height": 1180, "pixelRatio": 2, "touch": True},
    "laptop": {"width": 1366, "height": 768, "pixelRatio": 1, "touch": False},
    "2x screen": {"width": 774, "height": 532, "pixelRatio": 2, "touch": False},
}

# xdotool's key names, as the native scenarios send them, in selenium's terms.
SELENIUM_KEYS = {
    "Up": "ARROW_UP", "Down": "ARROW_DOWN", "Left": "ARROW_LEFT", "Right": "ARROW_RIGHT",
    "space": "SPACE", "Escape": "ESCAPE", "Return": "ENTER", "F1": "F1", "F5": "F5", "F9": "F9",
    "F12": "F12", "Tab": "TAB",
    "KP_8": "NUMPAD8", "KP_2": "NUMPAD2", "KP_6": "NUMPAD6", "KP_4": "NUMPAD4",
    "KP_5": "NUMPAD5",
}
MODIFIERS = {"shift": "SHIFT", "alt": "ALT", "ctrl": "CONTROL"}

# The canvas's pixels, small enough to pass quickly: each pixel as the number
# of its colour in a list of the colours seen, deflated, in base64.
GRAB = """
const done = arguments[arguments.length - 1];
const c = document.getElementById('screen');
const p = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
const numbers = new Map();
const palette = [];
const indices = new Uint8Array(p.length / 4);
for (let i = 0, o = 0; i < p.length; i += 4, o++) {
  const colour = (p[i] << 16) | (p[i + 1] << 8) | p[i + 2];
  let n = numbers.get(colour);
  if (n === undefined) {
    n = palette.length;
    numbers.set(colour, n);
    palette.push(colour);
  }
  indices[o] = n;
}
const packed = new Blob([indices]).stream().pipeThrough(new CompressionStream('deflate'));
new Response(packed).arrayBuffer().then((buffer) => {
  const bytes = new Uint8Array(buffer);
  let s = '';
  for (let i = 0; i < bytes.length; i += 0x8000) {
    s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
  }
  done([c.width, c.height, palette.length <= 256 ? palette : null, btoa(s)]);
});
"""


def rgb_of(indices, palette):
    """RGB bytes of colour numbers through the list of colours."""
    out = bytearray(3 * len(indices))
    for channel, shift in enumerate((16, 8, 0)):
        table = bytes((palette[i] >> shift) & 255 if i < len(palette) else 0 for i in range(256))
        out[channel::3] = indices.translate(table)
    return bytes(out)


def build_site(source_dir):
    """Builds the site with scripts/web.sh (incremental: the engine, the data tool
    and the demo world are made again only when they changed); its folder."""
    source_dir = os.path.abspath(source_dir)
    harness.progress("building the web site with scripts/web.sh (minutes the first time)")
    result = subprocess.run([os.path.join(source_dir, "scripts", "web.sh")], cwd=source_dir,
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError("scripts/web.sh failed:\n" + result.stdout[-2000:]
                             + result.stderr[-2000:])
    return os.path.join(source_dir, "build-web", "site")


class Server:
    """A static file server on 127.0.0.1 for the folder `root` (on `port`, else
    a free one), in a thread of this process; `requests` lists every path asked
    for."""

    def __init__(self, root, port=0):
        self.requests = []
        requests = self.requests

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                requests.append(self.path)

        handler = functools.partial(Handler, directory=root)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """One headless Chromium, a 1280x1000 window or the screen of DEVICES[device]
    (quit at the end of a `with`); downloads go to a folder of its own."""

    def __init__(self, device=None):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        self.downloads = tempfile.mkdtemp(prefix="varnok-downloads-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        for argument in ("--headless=new", "--no-sandbox", "--window-size=1280,1000",
                         "--disable-gpu"):
            options.add_argument(argument)
        if device is not None:
            options.add_experimental_option("mobileEmulation", {"deviceMetrics": DEVICES[device]})
        options.add_experimental_option("prefs", {
            "download.default_directory": self.downloads,
            "download.prompt_for_download": False})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                       options=options)

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def open(self, url):
        self.driver.get(url)

    def state(self):
        return self.script("return document.body.dataset.state")

    def message(self):
        return self.script("return document.getElementById('message').textContent")

    def wait_state(self, wanted, timeout=20.0):
        try:
            return harness.poll(lambda: self.state() == wanted, timeout, "state " + wanted)
        except AssertionError:
            raise AssertionError("the page is %s, not %s: %r"
                                 % (self.state(), wanted, self.message()))

    def console(self):
        """What the page wrote to the console since the last call."""
        return [entry["message"] for entry in self.driver.get_log("browser")]

    def frame(self):
        width, height, palette, data = self.driver.execute_async_script(GRAB)
        if palette is None:
            raise AssertionError("the canvas shows more than 256 colours")
        indices = zlib.decompress(base64.b64decode(data))
        return harness.Image(width, height, rgb_of(indices, palette))

    def keys(self, *names):
        """Presses keys given as xdotool names ("Up", "shift+e", "alt+x", "l")."""
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        actions = ActionChains(self.driver)
        for name in names:
            parts = name.split("+")
            held = [getattr(Keys, MODIFIERS[p.lower()]) for p in parts[:-1]]
            last = parts[-1]
            for key in held:
                actions.key_down(key)
            if last.lower() in MODIFIERS:
                modifier = getattr(Keys, MODIFIERS[last.lower()])
                actions.key_down(modifier).key_up(modifier)
            else:
                actions.send_keys(getattr(Keys, SELENIUM_KEYS[last]) if last in SELENIUM_KEYS
                                  else last)
            for key in reversed(held):
                actions.key_up(key)
        actions.perform()

    def box(self, selector):
        """[left, top, width, height] of an element in the window, CSS pixels."""
        return self.script("const b = document.querySelector(arguments[0])"
                           ".getBoundingClientRect(); return [b.left, b.top, b.width, b.height];",
                           selector)

    def touch(self, selector, seconds=0.05):
        """A trusted touch on the middle of an element, held for `seconds`."""
        left, top, width, height = self.box(selector)
        touches = [{"x": left + width / 2, "y": top + height / 2}]
        for kind in ("touchStart", "touchEnd"):
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                        {"type": kind, "touchPoints": touches})
            touches = []
            time.sleep(seconds)

    def quit(self):
        self.driver.quit()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.quit()


class WebGame:
    """The game in the page, with the calls of harness.Game that the play
    scenarios make."""

    def __init__(self, browser, url):
        self.browser = browser
        browser.open(url)

    def wait_window(self, timeout=30.0):
        self.browser.wait_state("playing", timeout)

    def key(self, *keys):
        self.browser.keys(*keys)

    def screenshot(self):
        return self.browser.frame()

    def wait_screen(self, predicate, timeout=20.0, what="the screen"):
        def check():
            image = self.browser.frame()
            return image if predicate(image) else None
        return harness.poll(check, timeout, what)

    def quit(self, timeout=30.0):
        self.key("alt+x")
        self.browser.wait_state("ended", timeout)
        return 0, "", ""

    def cleanup(self):
        pass
