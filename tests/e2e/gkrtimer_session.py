"""Starting and stopping GKRTimer.exe under Wine for the end-to-end tests."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import cdefs  # noqa: E402
import gkrwine  # noqa: E402

DIALOG_CLASS = "#32770"
MANAGER_TITLE = "GKR Utility Manager"
WM_CLOSE = 0x0010
ID_EXIT = cdefs.read("resources/manager_ids.h")["IDC_MANAGER_EXIT"]  # the "종료" button


class Session:
    """One Wine session for a whole test module (gkrwine keeps its wineserver
    up from start to end and waits it out at the end)."""

    def __init__(self):
        self.wine = gkrwine.Wine()

    def close(self):
        self.wine.close()  # ends every program of the session


def work_dir():
    """A fresh current directory for one run (conf.xml and friends land there)."""
    base = os.environ.get("GKR_WORK_DIR") or tempfile.gettempdir()
    os.makedirs(base, exist_ok=True)
    return tempfile.mkdtemp(prefix="gkrtimer-", dir=base)


class GkrTimer:
    """One running GKRTimer.exe and its manager dialog."""

    def __init__(self, wine, cwd=None):
        self.wine = wine
        cwd = cwd or work_dir()
        for attempt in (1, 2):
            with tempfile.TemporaryFile() as err:
                self.proc = wine.start(os.path.join(gkrwine.bin_dir(), "GKRTimer.exe"), cwd=cwd, stderr=err)
                self.hwnd = wine.find_window(DIALOG_CLASS, MANAGER_TITLE, 15000)
                if self.hwnd is not None and self._shown(15):
                    return
                code = self.proc.poll()
                err.seek(0)
                said = err.read().decode("utf-8", "replace").strip()[-500:]
            # Now and then Wine ends a program before it runs a line of it
            # (exit code 1, Wine's own complaint on stderr): tried once more.
            if attempt == 1 and code == 1:
                print(f"gkrtimer_session: Wine did not run GKRTimer (exit 1, wine said: {said!r}); trying again",
                      file=sys.stderr)
                continue
            raise AssertionError(f"no manager dialog; GKRTimer exit code {code}; wine said: {said!r}")

    def _shown(self, timeout):
        """Waits until the dialog is shown: its start (controls, pages, files) is done by then."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            code, lines = self.wine.probe("info", hex(self.hwnd))
            if code == 0 and "visible 1" in lines:
                return True
            if self.proc.poll() is not None:
                return False
            time.sleep(0.02)
        return False

    @property
    def h(self):
        return hex(self.hwnd)

    def info(self, hwnd=None):
        """probe info of the dialog (or of another window) as a dict of strings."""
        lines = self.wine.probe_ok("info", hex(hwnd) if hwnd else self.h)
        return dict(line.split(" ", 1) for line in lines)

    def children(self):
        """The dialog's controls by id: (handle, class, visible, rect, text)."""
        result = {}
        for line in self.wine.probe_ok("children", self.h):
            # child 0x... id N class "C" visible V rect L T R B text "..."
            head, text = line.split(" text ", 1)
            f = head.split()
            cls = f[5].strip('"')
            result[int(f[3])] = (int(f[1], 16), cls, int(f[7]), tuple(map(int, f[9:13])), _unquote(text))
        return result

    def close_and_wait(self, how, timeout=5.0):
        """Closes the dialog (how: 'close' box, 'exit' button, or a command id);
        returns (exit code or None, seconds from the request to the end). The
        time counts from before the request: a click waits for the button's
        handler, and whatever that handler does is part of the way out."""
        start = time.monotonic()
        if how == "close":
            self.wine.probe_ok("post", self.h, WM_CLOSE, 0, 0)
        elif how == "exit":
            self.wine.probe_ok("click", self.h, ID_EXIT)
        else:
            self.wine.probe_ok("command", self.h, how)
        code = self.wine.wait(self.proc, timeout)
        return code, time.monotonic() - start


def _unquote(text):
    text = text.strip()
    if text.startswith('"') and text.endswith('"'):
        text = text[1:-1]
    return text.replace("\\n", "\n").replace("\\r", "\r").replace('\\"', '"').replace("\\\\", "\\")
