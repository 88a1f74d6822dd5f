"""GKRTimer starts with its manager dialog, centred on the screen, and ends at
once with exit code 0 on every way out, run after run: no hang, no crash, no
lingering process. (The dialog's controls are checked from its template by the
Windows test program.)"""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gkrtimer_session import GkrTimer, Session  # noqa: E402

WS_VISIBLE = 0x10000000
WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_THICKFRAME = 0x00040000
DS_MODALFRAME = 0x80
IDOK, IDCANCEL = 1, 2

RUNS = 32
CLOSE_LIMIT_S = 1.0

SESSION = None


def setUpModule():
    global SESSION
    SESSION = Session()


def tearDownModule():
    SESSION.close()


class ManagerDialog(unittest.TestCase):
    def test_dialog_is_a_visible_centred_top_level_window(self):
        app = GkrTimer(SESSION.wine)
        self.addCleanup(app.close_and_wait, "close")
        info = app.info()
        self.assertEqual('"GKR Utility Manager"', info["title"])
        self.assertEqual("0x0", info["parent"])
        self.assertEqual("1", info["visible"])
        style = int(info["style"], 16)
        for bit in (WS_VISIBLE, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, DS_MODALFRAME):
            self.assertTrue(style & bit, hex(bit))
        self.assertFalse(style & WS_MAXIMIZEBOX)
        self.assertFalse(style & WS_THICKFRAME)
        left, top, right, bottom = map(int, info["rect"].split())
        self.assertLessEqual(abs((left + right) / 2 - 640), 2)  # the Xvfb screen is 1280 x 1024
        self.assertLessEqual(abs((top + bottom) / 2 - 512), 2)


class WaysOut(unittest.TestCase):
    def test_every_way_out_again_and_again(self):
        # The close box, "종료", and the dialog's OK and Cancel commands in
        # turn; the request comes 0 to 150 ms after the dialog appears, so the
        # worker is at different points of its 50 ms pass.
        ways = ("close", "exit", IDOK, IDCANCEL)
        started = time.monotonic()
        slowest = 0.0
        for run in range(RUNS):
            how = ways[run % len(ways)]
            app = GkrTimer(SESSION.wine)
            time.sleep(0.05 * (run // len(ways) % 4))
            code, seconds = app.close_and_wait(how)
            self.assertEqual(0, code, f"run {run} ({how}): exit code {code} after {seconds:.2f} s")
            self.assertLess(seconds, CLOSE_LIMIT_S, f"run {run} ({how})")
            slowest = max(slowest, seconds)
        print(f"\n{RUNS} runs in {time.monotonic() - started:.1f} s, slowest close {slowest:.2f} s",
              file=sys.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
