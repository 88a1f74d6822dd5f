"""Nothing of the user's is lost: a conf.xml that GKRTimer could not read whole,
or read from UTF-8, is kept beside it before the first save replaces it, never
over an earlier kept copy; the leftovers of saves
that were killed midway are cleared at the next start, and a second start
brings the running copy's manager to the front instead of running twice."""
import glob
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule, IDS, GkrTimer, Manager, _unquote, children, gkrwine, wait_until, work_dir)

WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
WS_MINIMIZE = 0x20000000


class SettingsAreKept(unittest.TestCase):
    def run_and_close(self, cwd):
        """The hotkey names the manager's list shows."""
        app = GkrTimer(WINE.session, cwd=cwd)
        try:
            page = Manager(app).pages[0]
            hotkeys = next(c["hwnd"] for c in children(WINE.session, page) if c["id"] == IDS.IDC_ACCEL_LIST)
            names = [_unquote(line.split(" ", 2)[2]) for line in WINE.session.probe_ok("list-items", hex(hotkeys), 1)]
        finally:
            code, _ = app.close_and_wait("close")
        self.assertEqual(0, code)
        return names

    def test_a_file_not_read_whole_is_kept_before_it_is_replaced(self):
        cwd = work_dir()
        damaged = b'<Setting UseTimer="1" TimerSize="250">\r\n    <Accel Name="mine" Num="0"><Key Code="65" />'
        with open(os.path.join(cwd, "conf.xml"), "wb") as f:
            f.write(damaged)
        self.run_and_close(cwd)
        with open(os.path.join(cwd, "conf.xml.unread"), "rb") as f:
            self.assertEqual(damaged, f.read())
        with open(os.path.join(cwd, "conf.xml"), "rb") as f:
            self.assertIn(b'TimerSize="250"', f.read(), "what could be read is saved again")
        # Saved as UTF-8 by an editor the next day: its name shows right, it is
        # written back in code page 949, and kept beside the first copy.
        utf8 = '<Setting>\r\n    <Accel Name="단축" Num="0"><Key Code="65" /></Accel>\r\n</Setting>\r\n'.encode()
        with open(os.path.join(cwd, "conf.xml"), "wb") as f:
            f.write(utf8)
        self.assertEqual(["단축"], self.run_and_close(cwd))
        with open(os.path.join(cwd, "conf.xml"), "rb") as f:
            self.assertIn('Name="단축"'.encode("cp949"), f.read())
        for name, kept in (("conf.xml.unread", damaged), ("conf.xml.unread.1", utf8)):
            with open(os.path.join(cwd, name), "rb") as f:
                self.assertEqual(kept, f.read(), name)
        # Read whole now: the next run keeps nothing more.
        self.run_and_close(cwd)
        self.assertEqual(["conf.xml", "conf.xml.unread", "conf.xml.unread.1"], sorted(os.listdir(cwd)))

    def test_leftovers_of_killed_saves_are_cleared_at_start(self):
        cwd = work_dir()
        for pid in (4000001, 4000002):  # no Windows process has such ids
            with open(os.path.join(cwd, f"conf.xml.{pid}.tmp"), "w") as f:
                f.write("<Setting")
        app = GkrTimer(WINE.session, cwd=cwd)
        self.assertIsNotNone(wait_until(lambda: not glob.glob(os.path.join(cwd, "conf.xml.*.tmp")), 3))
        app.close_and_wait("close")


class OneCopyAtATime(unittest.TestCase):
    def test_a_second_start_shows_the_first_and_ends(self):
        cwd = work_dir()
        first = GkrTimer(WINE.session, cwd=cwd)
        try:
            WINE.session.probe_ok("post", first.h, WM_SYSCOMMAND, SC_MINIMIZE, 0)
            style = lambda: int(first.info()["style"], 16)  # noqa: E731
            self.assertIsNotNone(wait_until(lambda: style() & WS_MINIMIZE, 3), "not minimised")

            second = WINE.session.start(os.path.join(gkrwine.bin_dir(), "GKRTimer.exe"), cwd=cwd)
            self.assertEqual(0, WINE.session.wait(second, 10), "the second copy did not end")
            self.assertIsNotNone(wait_until(lambda: not style() & WS_MINIMIZE, 3), "the first was not restored")
            self.assertEqual(first.hwnd, WINE.session.find_window("#32770", "GKR Utility Manager", 1000))
        finally:
            code, _ = first.close_and_wait("close")
        self.assertEqual(0, code)


if __name__ == "__main__":
    unittest.main(verbosity=2)
