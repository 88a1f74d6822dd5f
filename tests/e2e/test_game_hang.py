"""A game window that stops answering never freezes GKRTimer: while DummyGKR
hangs (scene command 42000 + N), the manager still handles what is posted to
it, and both ways out end the program within a second with conf.xml saved;
whether the overlays existed before the hang (the timer running or not) or
were still to be created in the hung window. A probe that only sends is
fooled (a thread blocked in a send still answers sends), so the manager is
asked with a posted message."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule,
    MESSAGES, TAB_ID, Dummy, GkrTimer, any_overlays, game_hung, hang_command, wait_overlays, wait_until, work_dir,
    write_conf)
import gkrwine  # noqa: E402

TCM_GETCURSEL = 0x130B
TCM_SETCURSEL = 0x130C
HANG_S = 12
ANSWER_LIMIT_S = 1.0
CLOSE_LIMIT_S = 1.0
WM_LBUTTONUP = 0x0202
WATCH_PERIOD_S = 1.0  # the game watch and the overlay check run once a second


def timer_seconds(timer):
    """The seconds on the timer's face, from its own answer."""
    answer = WINE.session.probe_ok("send", hex(timer), MESSAGES.kTimerStateQuery, 0, 0, 2000)[0]
    return int(answer.split()[1]) >> 1


class ManagerBesideAHungGame(unittest.TestCase):
    def run_case(self, how, hang_first, timer_running=False):
        cwd = work_dir()
        if timer_running:
            write_conf(cwd, UseTimer=1, UseEnergy=1, UseFlute=1, UpNote=1, DownNote=3, SideNote=6)
        dummy = Dummy(WINE.session, cwd)
        app = None
        try:
            dummy_hangs = lambda: game_hung(WINE.session, dummy.hwnd)  # noqa: E731
            if hang_first:
                dummy.command(hang_command(HANG_S))
                self.assertIsNotNone(wait_until(dummy_hangs, 3), "the dummy does not hang")
                hung_since = time.monotonic()
                app = GkrTimer(WINE.session, cwd=cwd)
                # The scenario needs the one-second overlay check to have tried
                # to make the overlays inside the hung window (nothing shows it
                # from outside): two and a half periods from the dialog's start.
                time.sleep(2.5 * WATCH_PERIOD_S)
            else:
                app = GkrTimer(WINE.session, cwd=cwd)
                self.assertTrue(wait_overlays(WINE.session, dummy.hwnd, 5000))
                if timer_running:
                    # The worker then repaints the timer every second, into the hung game.
                    timer = any_overlays(WINE.session, dummy.hwnd)["GKRTimerWnd"]["hwnd"]
                    WINE.session.probe_ok("post", hex(timer), WM_LBUTTONUP, 0, 50 | 10 << 16)
                    self.assertIsNotNone(wait_until(lambda: timer_seconds(timer) >= 1, 3), "the timer does not run")
                dummy.command(hang_command(HANG_S))
                self.assertIsNotNone(wait_until(dummy_hangs, 3), "the dummy does not hang")
                hung_since = time.monotonic()
                # The scenario needs a game-watch pass and an overlay check inside
                # the hang (and with the timer, a repaint): one period from the
                # moment it was seen.
                time.sleep(max(0.0, hung_since + WATCH_PERIOD_S + 0.2 - time.monotonic()))
            tab = app.children()[TAB_ID][0]

            WINE.session.probe_ok("post", hex(tab), TCM_SETCURSEL, 2, 0)
            posted = time.monotonic()
            answered = wait_until(
                lambda: WINE.session.probe_ok("send", hex(tab), TCM_GETCURSEL, 0, 0, 2000)[0] == "result 2", 3, 0.02)
            self.assertIsNotNone(answered, "the posted message was never handled")
            print(f"\n{how}, hang {'before' if hang_first else 'after'} the overlays"
                  f"{', timer running' if timer_running else ''}: "
                  f"posted message handled within {time.monotonic() - posted:.2f} s", file=sys.stderr)
            self.assertLess(answered, ANSWER_LIMIT_S)

            code, took = app.close_and_wait(how, timeout=10)
            print(f"ended {took:.2f} s after the request, code {code}", file=sys.stderr)
            self.assertLess(time.monotonic() - hung_since, HANG_S - 1, "the game recovered before the end")
            self.assertEqual(0, code)
            self.assertLess(took, CLOSE_LIMIT_S)
            self.assertTrue(os.path.exists(os.path.join(cwd, "conf.xml")), "conf.xml not saved")
        finally:
            if app:
                gkrwine.Wine._kill(app.proc)  # ended already unless a check failed
            gkrwine.Wine._kill(dummy.proc)  # no need to wait out the hang
            WINE.session.probe("wait-gone", hex(dummy.hwnd), 5000)

    def test_close_box_while_the_game_hangs(self):
        self.run_case("close", hang_first=False)

    def test_exit_button_while_the_game_hangs(self):
        self.run_case("exit", hang_first=False)

    def test_close_box_while_the_game_hangs_and_the_timer_runs(self):
        self.run_case("close", hang_first=False, timer_running=True)

    def test_exit_button_while_the_game_hangs_and_the_timer_runs(self):
        self.run_case("exit", hang_first=False, timer_running=True)

    def test_close_box_with_the_game_hung_before_the_overlays(self):
        self.run_case("close", hang_first=True)

    def test_exit_button_with_the_game_hung_before_the_overlays(self):
        self.run_case("exit", hang_first=True)


if __name__ == "__main__":
    unittest.main(verbosity=2)
