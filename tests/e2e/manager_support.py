"""Helpers for the manager dialog's end-to-end tests: DummyGKR beside
GKRTimer in one scratch folder, the manager's pages and the overlays found
through the probe, and a count of how often conf.xml is written."""
import ctypes
import os
import select
import struct
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "harness"))
sys.path.insert(0, HERE)
import cdefs  # noqa: E402
import gkrwine  # noqa: E402
from gkrtimer_session import GkrTimer, _unquote, work_dir  # noqa: E402,F401

GAME_CLASS = " G K R "
OVERLAY_CLASSES = ("GKRFluteWnd", "GKREnergyWnd", "GKRTimerWnd")
IDS = cdefs.Constants("resources/manager_ids.h", "resources/page_ids.h")
SCENE = cdefs.Constants("dummy/scene_commands.h")
MESSAGES = cdefs.Constants("overlays/overlay_messages.h")
TAB_ID = IDS.IDC_MANAGER_TAB
MAX_HEALTH_BOX = IDS.IDC_ENERGY_MAXHEALTH

# DummyGKR's scene commands (WM_COMMAND ids).
HIDE_GAUGE = SCENE.kCmdHideGauge
HIDE_NOTE_PANEL = SCENE.kCmdHideNotePanel
EMPTY_NOTE_PANEL = SCENE.kCmdNotePanelBase
STILL_PICTURE = SCENE.kCmdStillPicture


def gauge_command(max_health):
    return SCENE.kCmdGaugeBase + max_health


def hang_command(seconds):
    return SCENE.kCmdHangBase + seconds


# A control that only its page has, per tab index: hotkeys, energy bar,
# timer, song sheets, game keys.
PAGE_MARKERS = (IDS.IDC_ACCEL_LIST, IDS.IDC_ENERGY_MAXHEALTH, IDS.IDC_TIMER_SIZE, IDS.IDC_FLUTE_USE,
                IDS.IDC_KEYCONFIG_NAME)
TAB_LABELS = ("단축키 설정", "에너지바", "타이머", "피리악보", "그라키 설정")


class _ModuleWine:
    session = None


# One Wine session per test module: a module imports setUpModule and
# tearDownModule from here and reaches its session as WINE.session.
WINE = _ModuleWine()


def setUpModule():
    WINE.session = gkrwine.Wine()
    # These drivers look at the overlays in the window tree, as children of
    # the game window: the mode GKRTimer has on Windows. The top-level mode
    # Wine would choose has drivers of its own.
    WINE.session.env["GKR_OVERLAY_MODE"] = "child"


def tearDownModule():
    WINE.session.close()


def write_conf(cwd, **options):
    """A conf.xml in cwd with these options (the others keep their start values)."""
    attributes = " ".join(f'{name}="{value}"' for name, value in options.items())
    with open(os.path.join(cwd, "conf.xml"), "w", encoding="ascii") as f:
        f.write(f"<Setting {attributes} />\n")


def wait_until(condition, timeout_s, step_s=0.1):
    """Seconds until condition() held (polled), or None after timeout_s."""
    started = time.monotonic()
    while True:
        if condition():
            return time.monotonic() - started
        if time.monotonic() - started > timeout_s:
            return None
        time.sleep(step_s)


def game_hung(wine, hwnd):
    """Whether the window leaves a message unanswered for 100 ms (a hung game)."""
    code, _ = wine.probe("send", hex(hwnd), 0, 0, 0, 100)  # WM_NULL
    return code != 0


def children(wine, hwnd):
    """Direct children of a window: list of dicts (hwnd, id, cls, visible, rect, text)."""
    result = []
    for line in wine.probe_ok("children", hex(hwnd)):
        head, text = line.split(" text ", 1)
        f = head.split()
        result.append({"hwnd": int(f[1], 16), "id": int(f[3]), "cls": f[5].strip('"'),
                       "visible": int(f[7]), "rect": tuple(map(int, f[9:13])), "text": _unquote(text)})
    return result


class Dummy:
    """DummyGKR.exe started in `cwd` (after any game window of an earlier run is gone)."""

    def __init__(self, wine, cwd, *args):
        self.wine = wine
        deadline = time.monotonic() + 20
        while (old := wine.find_window(GAME_CLASS, "", 0)) is not None:
            if time.monotonic() > deadline:
                raise AssertionError(f"a game window {hex(old)} of another program is still open")
            wine.probe("wait-gone", hex(old), 2000)
        self.proc = wine.start(os.path.join(gkrwine.bin_dir(), "DummyGKR.exe"), *args, cwd=cwd)
        self.hwnd = wine.find_window(GAME_CLASS, "", 20000)
        if self.hwnd is None:
            raise AssertionError(f"no DummyGKR window; exit code {self.proc.poll()}")

    def command(self, cid):
        self.wine.probe_ok("command", hex(self.hwnd), cid)

    def close(self, timeout=10):
        if self.proc.poll() is None:
            self.wine.probe("post", hex(self.hwnd), 0x0010, 0, 0)
            if self.wine.wait(self.proc, timeout) is None:
                gkrwine.Wine._kill(self.proc)
        self.wine.probe("wait-gone", hex(self.hwnd), 5000)


class Manager:
    """The manager dialog of a running GKRTimer: its tab control and pages."""

    def __init__(self, app):
        self.app = app
        self.wine = app.wine
        self.tab = app.children()[TAB_ID][0]
        self.pages = self._pages_by_tab()

    def _pages_by_tab(self):
        pages = [None] * len(PAGE_MARKERS)
        for child in children(self.wine, self.tab):
            if child["cls"] != "#32770":
                continue
            ids = {c["id"] for c in children(self.wine, child["hwnd"])}
            for index, marker in enumerate(PAGE_MARKERS):
                if marker in ids:
                    pages[index] = child["hwnd"]
        return pages

    def shown_pages(self):
        """Tab indexes of the pages that are visible, in tab order."""
        state = {c["hwnd"]: c["visible"] for c in children(self.wine, self.tab)}
        return [i for i, page in enumerate(self.pages) if state.get(page)]

    def page_rects(self):
        rects = {c["hwnd"]: c["rect"] for c in children(self.wine, self.tab)}
        return [rects[page] for page in self.pages]

    def wait_max_health(self, text, timeout_ms):
        """Milliseconds until the energy page's "체력 최대" box shows text; None if it never does."""
        code, lines = self.wine.probe("wait-text", hex(self.pages[1]), MAX_HEALTH_BOX, text, timeout_ms,
                                      timeout=timeout_ms / 1000 + 30)
        if code != 0:
            return None
        return int(lines[0].rsplit(" after ", 1)[1].split()[0])

    def max_health_text(self):
        return self.wine.probe_ok("text", hex(self.pages[1]), MAX_HEALTH_BOX)[0]


def overlays(wine, game_hwnd):
    """The overlay windows among the game window's children, by class."""
    return {c["cls"]: c for c in children(wine, game_hwnd) if c["cls"] in OVERLAY_CLASSES}


def owned_overlays(wine, game_hwnd):
    """The top-level overlays the game window owns (Wine's mode), by class:
    dict of hwnd, visible and screen rect."""
    found = {}
    for line in wine.probe_ok("owned", hex(game_hwnd)):
        f = line.split()
        cls = f[3].strip('"')
        if cls in OVERLAY_CLASSES:
            found[cls] = {"hwnd": int(f[1], 16), "visible": int(f[5]), "rect": tuple(map(int, f[7:11]))}
    return found


def any_overlays(wine, game_hwnd):
    """The overlays by class, children of the game window or owned by it."""
    return overlays(wine, game_hwnd) or owned_overlays(wine, game_hwnd)


def wait_overlays(wine, game_hwnd, timeout_ms):
    """True when all three overlays are children of the game window within timeout_ms."""
    deadline = time.monotonic() + timeout_ms / 1000
    for cls in OVERLAY_CLASSES:
        left = max(0, int((deadline - time.monotonic()) * 1000))
        code, _ = wine.probe("wait-child", hex(game_hwnd), cls, left, timeout=left / 1000 + 30)
        if code != 0:
            return False
    return True


class FileWrites:
    """Counts the times a file is put in place in a folder (written in full, or
    renamed over the old one) while the object is open, and reads each version
    as soon as it is seen. Linux inotify through ctypes."""

    IN_CLOSE_WRITE = 0x00000008
    IN_MOVED_TO = 0x00000080
    _EVENT = struct.Struct("iIII")

    def __init__(self, folder, name):
        self.folder = folder
        self.name = name
        self.versions = []
        libc = ctypes.CDLL(None, use_errno=True)
        self.fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0:
            raise OSError(ctypes.get_errno(), "inotify_init1")
        if libc.inotify_add_watch(self.fd, os.fsencode(folder), self.IN_CLOSE_WRITE | self.IN_MOVED_TO) < 0:
            os.close(self.fd)
            raise OSError(ctypes.get_errno(), "inotify_add_watch")
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._watch, daemon=True)
        self._thread.start()

    def _watch(self):
        while not self._stop.is_set():
            ready, _, _ = select.select([self.fd], [], [], 0.05)
            if ready:
                self._read_events()

    def _read_events(self):
        try:
            data = os.read(self.fd, 65536)
        except BlockingIOError:
            return
        offset = 0
        while offset < len(data):
            _, mask, _, length = self._EVENT.unpack_from(data, offset)
            raw = data[offset + self._EVENT.size: offset + self._EVENT.size + length]
            offset += self._EVENT.size + length
            if raw.rstrip(b"\0").decode(errors="replace") != self.name:
                continue
            try:
                with open(os.path.join(self.folder, self.name), "rb") as f:
                    self.versions.append(f.read())
            except OSError:
                self.versions.append(None)

    def close(self, settle=0.3):
        """Stops watching (after `settle` seconds for late events); returns the versions seen."""
        time.sleep(settle)
        self._stop.set()
        self._thread.join(5)
        self._read_events()
        os.close(self.fd)
        return self.versions
