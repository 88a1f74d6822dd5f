"""The quest timer and the energy bar inside DummyGKR's window, driven by the
real GKRTimer: the bar follows the maximum health on screen, the timer takes
its size from its page and starts and stops itself with the gauge. Wine draws
no other process's child windows, so the overlays are seen through the window
tree and the timer's own state query."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule,
    HIDE_GAUGE, IDS, MESSAGES, Dummy, GkrTimer, Manager, children, gauge_command, overlays, wait_overlays, wait_until,
    work_dir, write_conf)

WM_HSCROLL = 0x0114
TBM_SETPOS = 0x0405
TB_ENDTRACK = 8


class OverlaysBesideTheDummy(unittest.TestCase):
    """One GKRTimer per test, beside a DummyGKR, with the given settings."""

    def start(self, *dummy_args, **options):
        cwd = work_dir()
        write_conf(cwd, **options)
        self.dummy = Dummy(WINE.session, cwd, *dummy_args)
        self.addCleanup(self.dummy.close)
        self.app = GkrTimer(WINE.session, cwd=cwd)
        self.addCleanup(self.app.close_and_wait, "close")
        self.assertTrue(wait_overlays(WINE.session, self.dummy.hwnd, 5000), "no overlays")

    def overlay(self, cls):
        return overlays(WINE.session, self.dummy.hwnd)[cls]

    def wait_overlay(self, cls, want, timeout_s):
        """Seconds until the overlay's (visible, rect) is `want`; fails after timeout_s."""
        last = []

        def seen():
            window = self.overlay(cls)
            last[:] = [(window["visible"], window["rect"])]
            return last[0] == want
        waited = wait_until(seen, timeout_s)
        self.assertIsNotNone(waited, f"{cls}: {last} instead of {want}")
        return waited

    def timer_state(self):
        """(running, seconds on its face) from the timer's own answer."""
        timer = self.overlay("GKRTimerWnd")["hwnd"]
        lines = WINE.session.probe_ok("send", hex(timer), MESSAGES.kTimerStateQuery, 0, 0, 2000)
        answer = int(lines[0].split()[1])
        return answer & 1, answer >> 1

    def test_energy_bar_follows_the_maximum_health(self):
        self.start(UseEnergy=1)
        self.dummy.command(gauge_command(120))
        self.wait_overlay("GKREnergyWnd", (1, (119, 23, 119 + 390, 33)), 3)
        self.dummy.command(HIDE_GAUGE)
        hidden_after = self.wait_overlay("GKREnergyWnd", (0, (119, 23, 119 + 390, 33)), 3)
        self.assertLess(hidden_after, 2.0)
        self.dummy.command(gauge_command(50))
        self.wait_overlay("GKREnergyWnd", (1, (119, 23, 119 + 162, 33)), 3)

    def test_timer_takes_its_size_from_its_page(self):
        self.start(UseTimer=1, TimerSize=100)
        self.wait_overlay("GKRTimerWnd", (1, (0, 0, 100, 20)), 3)
        page = Manager(self.app).pages[2]
        trackbar = next(c["hwnd"] for c in children(WINE.session, page) if c["id"] == IDS.IDC_TIMER_SIZE)
        # As a drag does: the trackbar moves, then tells its page.
        WINE.session.probe_ok("post", hex(trackbar), TBM_SETPOS, 1, 250, ";",
                         "post", hex(page), WM_HSCROLL, TB_ENDTRACK, trackbar)
        self.wait_overlay("GKRTimerWnd", (1, (0, 0, 250, 50)), 3)

    def test_auto_timer_starts_with_the_gauge_and_stops_twenty_seconds_after_it(self):
        self.start(UseTimer=1, UseAutoTimer=1)
        self.assertIsNotNone(wait_until(lambda: self.timer_state()[0] == 1, 3), "not started by the gauge")
        self.assertIsNotNone(wait_until(lambda: self.timer_state()[1] >= 2, 4), "the clock does not advance")
        self.dummy.command(HIDE_GAUGE)
        stopped = wait_until(lambda: self.timer_state()[0] == 0, 25, step_s=0.25)
        self.assertIsNotNone(stopped, "still running 25 s after the gauge went")
        print(f"\nstopped {stopped:.1f} s after the gauge went", file=sys.stderr)
        # The last sighting was at most a watch period before the gauge went.
        self.assertGreater(stopped, 17, "stopped before 20 s without the gauge")


if __name__ == "__main__":
    unittest.main(verbosity=2)
