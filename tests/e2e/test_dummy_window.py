"""DummyGKR under Wine: the window contract the utility relies on, the about
box on Alt+/ and Alt+?, and a clean exit when the window is closed."""
import os
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import gkrwine  # noqa: E402

GAME_CLASS = " G K R "
WS_OVERLAPPEDWINDOW = 0x00CF0000
WS_CHILD = 0x40000000
WM_CLOSE = 0x0010
IDM_EXIT = 105


def scratch_dir():
    base = os.environ.get("GKR_WORK_DIR") or tempfile.gettempdir()
    os.makedirs(base, exist_ok=True)
    return tempfile.mkdtemp(prefix="dummy-window-", dir=base)


class _ModuleWine:
    session = None


# One Wine session per test module; a module that uses DummySession imports
# setUpModule and tearDownModule from here.
WINE = _ModuleWine()


def setUpModule():
    WINE.session = gkrwine.Wine()


def tearDownModule():
    WINE.session.close()


class DummySession:
    """One DummyGKR started in a scratch folder, in the module's Wine session."""

    def __init__(self, *args):
        self.wine = WINE.session
        self.proc = None
        self.wait_until_no_game_window()
        self.proc = self.wine.start(os.path.join(gkrwine.bin_dir(), "DummyGKR.exe"), *args, cwd=scratch_dir())
        self.hwnd = self.find(GAME_CLASS, 20000)
        if self.hwnd is None:
            self.close()
            raise AssertionError(f"no window of class ' G K R '; exit code {self.proc.poll()}")

    def wait_until_no_game_window(self, timeout=20):
        """The game window of the test before may outlive its stopped process
        for a moment; the window found must be this test's."""
        deadline = time.monotonic() + timeout
        while (old := self.find(GAME_CLASS, 0)) is not None:
            if time.monotonic() > deadline:
                raise AssertionError(f"a game window {hex(old)} of another program is still open")
            self.probe("wait-gone", hex(old), 2000)

    def probe(self, *args, timeout=30):
        """(exit code, output lines) of the probe."""
        return self.wine.probe(*args, timeout=timeout)

    def probe_ok(self, *args, timeout=30):
        code, lines = self.probe(*args, timeout=timeout)
        if code != 0:
            raise AssertionError(f"probe {' '.join(map(str, args))} failed ({code}): {lines}")
        return lines

    def find(self, cls, timeout_ms, title=""):
        """Handle of the top-level window of class cls (and title), or None."""
        code, lines = self.probe("find", cls, title, timeout_ms, timeout=timeout_ms / 1000 + 30)
        return int(lines[0].split()[1], 16) if code == 0 else None

    def info(self, hwnd):
        """The probe's `info` lines as a dict of raw value strings."""
        return dict(line.split(" ", 1) for line in self.probe_ok("info", hex(hwnd)))

    def close(self):
        """Ends this DummyGKR (killed: how it ends is the tests' business) and waits for its window to go."""
        if self.proc is None:
            return
        gkrwine.Wine._kill(self.proc)
        self.wine.procs.remove(self.proc)
        self.wait_until_no_game_window()


class DummyWindowTest(unittest.TestCase):
    def setUp(self):
        self.dummy = DummySession()
        self.addCleanup(self.dummy.close)
        self.assertIsNotNone(self.dummy.hwnd, "no window of class ' G K R '")
        self.hwnd = self.dummy.hwnd

    def test_window_is_a_visible_top_level_game_window_without_menu_bar(self):
        props = self.dummy.info(self.hwnd)
        self.assertEqual('" G K R "', props["class"])
        self.assertEqual(7, len(props["class"].strip('"')))
        self.assertEqual('"DummyGKR"', props["title"])
        style = int(props["style"], 16)
        self.assertEqual(WS_OVERLAPPEDWINDOW, style & WS_OVERLAPPEDWINDOW, hex(style))
        self.assertEqual(0, style & WS_CHILD)
        self.assertEqual("0x0", props["parent"])
        self.assertEqual("1", props["visible"])
        width, height = map(int, props["client"].split())
        self.assertGreaterEqual(width, 644, "the picture needs the client area")
        self.assertGreaterEqual(height, 483)
        self.assertEqual(["menu 0x0"], self.dummy.probe_ok("menu", hex(self.hwnd)))
        # Class and title together find it too, as a FindWindow user would.
        self.assertEqual(self.hwnd, self.dummy.find(GAME_CLASS, 5000, title="DummyGKR"))
        # String 109 without the leading blank is not a class anyone registered.
        self.assertIsNone(self.dummy.find("G K R ", 0))

    def test_black_background_around_the_picture(self):
        width, height = map(int, self.dummy.info(self.hwnd)["client"].split())
        h = hex(self.hwnd)
        lines = self.dummy.probe_ok("pixel", h, 644, 100, ";", "pixel", h, 100, 483, ";",
                                    "pixel", h, width - 1, height - 1)
        self.assertEqual(3, len(lines))
        for line in lines:
            self.assertTrue(line.endswith(" 0 0 0"), line)

    def open_about_box(self, keys):
        self.dummy.probe_ok("focus", hex(self.hwnd))
        self.dummy.probe_ok("keys", keys)
        dialog = self.dummy.find("#32770", 5000)
        self.assertIsNotNone(dialog, f"{keys} opened no about box")
        return dialog

    def check_about_box_and_close_it(self, dialog):
        props = self.dummy.info(dialog)
        self.assertEqual('"DummyGKR 정보"', props["title"])
        self.assertEqual(hex(self.hwnd), props["parent"], "owned by the game window")
        children = "\n".join(self.dummy.probe_ok("children", hex(dialog)))
        self.assertIn('text "DummyGKR, 버전 1.0"', children)
        self.assertRegex(children, r'id 1 class "Button" visible 1 .* text "확인"')
        self.dummy.probe_ok("click", hex(dialog), 1)
        self.assertEqual(["gone"], self.dummy.probe_ok("wait-gone", hex(dialog), 5000))
        self.assertEqual("1", self.dummy.info(self.hwnd)["visible"], "the game window lives on")

    def test_alt_slash_opens_the_about_box_and_ok_closes_it(self):
        self.check_about_box_and_close_it(self.open_about_box("alt+/"))

    def test_alt_question_mark_opens_the_about_box(self):
        self.check_about_box_and_close_it(self.open_about_box("alt+shift+/"))

    def test_slash_without_alt_opens_nothing(self):
        self.dummy.probe_ok("focus", hex(self.hwnd))
        self.dummy.probe_ok("keys", "/")
        self.assertIsNone(self.dummy.find("#32770", 1500))

    def test_closing_the_window_ends_the_program_with_code_0(self):
        self.dummy.probe_ok("post", hex(self.hwnd), WM_CLOSE, 0, 0)
        self.assertEqual(0, self.dummy.wine.wait(self.dummy.proc, 20))

    def test_exit_command_ends_the_program_with_code_0(self):
        self.dummy.probe_ok("command", hex(self.hwnd), IDM_EXIT)
        self.assertEqual(0, self.dummy.wine.wait(self.dummy.proc, 20))


if __name__ == "__main__":
    unittest.main(verbosity=2)
