"""Hotkeys with the real programs: a chord captured through the hotkey page
and the capture dialog ends up in conf.xml, and a chord bound in conf.xml,
held on the keyboard (SendInput reaches every Wine process), runs its actions
on DummyGKR's overlays."""
import os
import re
import subprocess
import sys
import time
import unittest
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule,
    IDS, MESSAGES, Dummy, GkrTimer, Manager, children, overlays, wait_overlays, wait_until, work_dir)

LVM_SETSELECTIONMARK = 0x1000 + 67
IDOK = 1
WM_LBUTTONUP = 0x0202
IDCANCEL = 2


def read_conf(cwd):
    with open(os.path.join(cwd, "conf.xml"), "rb") as f:
        return ET.fromstring(f.read().decode("cp949"))


def loaded_libraries(app):
    with open(f"/proc/{app.proc.pid}/maps") as f:
        return {os.path.basename(line.split()[-1]).lower() for line in f if "/" in line}


def shown_on_x(x, y):
    """The colour the X server shows at screen point (x, y). Wine's own reads
    of the screen give what it painted, even where X shows a window black."""
    xwd = subprocess.run(["xwd", "-root", "-silent"], env=WINE.session.env, capture_output=True, timeout=30).stdout
    txt = subprocess.run(["convert", "xwd:-", "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"], input=xwd,
                         capture_output=True, timeout=30).stdout.decode()
    return tuple(map(int, re.search(r"\((\d+),(\d+),(\d+)", txt).groups()))


def start_app(test, cwd):
    """GKRTimer in cwd, closed at the end of the test unless the test closed it."""
    app = GkrTimer(WINE.session, cwd=cwd)
    test.addCleanup(lambda: app.proc.poll() is None and app.close_and_wait("close"))
    return app


class Hotkeys(unittest.TestCase):

    def test_a_chord_captured_on_the_page_is_saved(self):
        cwd = work_dir()
        app = start_app(self, cwd)
        page = Manager(app).pages[0]
        actions = next(c["hwnd"] for c in children(WINE.session, page) if c["id"] == IDS.IDC_ACCEL_LIST)
        # The bottom row of the eight is "타이머 시작", the first action.
        WINE.session.probe_ok("send", hex(actions), LVM_SETSELECTIONMARK, 0, 7)
        WINE.session.probe_ok("click", hex(page), IDS.IDC_ACCEL_SETKEYS)
        dialog = int(WINE.session.probe_ok("wait-owned", app.h, "#32770", 5000)[0].split()[1], 16)
        # Under Wine a window lying wholly inside another of its process shows black.
        origin = next(line.split()[1:] for line in WINE.session.probe_ok("info", hex(dialog)) if line.startswith("origin"))
        face = wait_until(lambda: shown_on_x(int(origin[0]) + 3, int(origin[1]) + 3) != (0, 0, 0), 3)
        self.assertIsNotNone(face, "the capture dialog shows black")

        WINE.session.probe_ok("hold", "b+a", 300)
        code, lines = WINE.session.probe("wait-text", hex(dialog), IDS.IDC_SELECT_TEXT, "A(65) + B(66)", 3000)
        self.assertEqual(0, code, lines)
        WINE.session.probe_ok("click", hex(dialog), IDOK)
        WINE.session.probe_ok("wait-gone", hex(dialog), 3000)

        exit_code, _ = app.close_and_wait("close")
        self.assertEqual(0, exit_code)
        keys = [[int(k.get("Code")) for k in accel.findall("Key")] for accel in read_conf(cwd).findall("Accel")]
        self.assertEqual([[65, 66]] + [[]] * 7, keys)

    def test_the_joystick_stack_loads_with_the_first_pad_capture(self):
        # Megabytes that a player without pad hotkeys never needs; the shell
        # (with COM) waits for a web button the same way.
        app = start_app(self, work_dir())
        loaded = loaded_libraries(app)
        self.assertIn("user32.dll", loaded)
        self.assertFalse(loaded & {"winmm.dll", "dinput8.dll", "shell32.dll"}, loaded)

        page = Manager(app).pages[0]
        actions = next(c["hwnd"] for c in children(WINE.session, page) if c["id"] == IDS.IDC_ACCEL_LIST)
        WINE.session.probe_ok("send", hex(actions), LVM_SETSELECTIONMARK, 0, 7)
        WINE.session.probe_ok("click", hex(page), IDS.IDC_ACCEL_SETPAD)
        dialog = int(WINE.session.probe_ok("wait-owned", app.h, "#32770", 5000)[0].split()[1], 16)
        self.assertLessEqual({"winmm.dll", "dinput8.dll"}, loaded_libraries(app))  # the capabilities were asked
        WINE.session.probe_ok("click", hex(dialog), IDCANCEL)
        WINE.session.probe_ok("wait-gone", hex(dialog), 3000)

    def test_a_held_chord_runs_the_actions_it_is_bound_to(self):
        cwd = work_dir()
        # Q + W bound to "타이머 시작" (0) and "에너지바 숨기기" (4); left Ctrl as a
        # capture stores it (the generic code and the left one) to "타이머 숨기기" (2).
        chord = '<Key Code="81" /><Key Code="87" />'
        bound = {0: chord, 4: chord, 2: '<Key Code="17" /><Key Code="162" />'}
        accels = "".join(f'<Accel Name="a{n}" Num="{n}">{bound.get(n, "")}</Accel>' for n in range(8))
        with open(os.path.join(cwd, "conf.xml"), "w", encoding="ascii") as f:
            f.write(f'<Setting UseTimer="1" UseEnergy="1">{accels}</Setting>\n')
        dummy = Dummy(WINE.session, cwd)
        self.addCleanup(dummy.close)
        app = start_app(self, cwd)
        self.assertTrue(wait_overlays(WINE.session, dummy.hwnd, 5000), "no overlays")

        def energy_bar_shown():
            return overlays(WINE.session, dummy.hwnd)["GKREnergyWnd"]["visible"] == 1

        def timer_running():
            timer = overlays(WINE.session, dummy.hwnd)["GKRTimerWnd"]["hwnd"]
            answer = WINE.session.probe_ok("send", hex(timer), MESSAGES.kTimerStateQuery, 0, 0, 2000)[0]
            return int(answer.split()[1]) & 1 == 1

        self.assertIsNotNone(wait_until(energy_bar_shown, 5), "the energy bar never showed")
        self.assertFalse(timer_running())

        WINE.session.probe_ok("hold", "q", 600)  # half the chord does nothing
        self.assertTrue(energy_bar_shown())
        self.assertFalse(timer_running())

        WINE.session.probe_ok("hold", "q+w", 600)
        self.assertIsNotNone(wait_until(lambda: not energy_bar_shown(), 2), "the energy bar is still shown")
        self.assertTrue(timer_running())

        def timer_shown():
            return overlays(WINE.session, dummy.hwnd)["GKRTimerWnd"]["visible"] == 1

        self.assertTrue(timer_shown())
        WINE.session.probe_ok("hold", "rctrl", 600)  # Ctrl, but the right one
        self.assertTrue(timer_shown())
        WINE.session.probe_ok("hold", "lctrl", 600)
        self.assertIsNotNone(wait_until(lambda: not timer_shown(), 2), "left Ctrl did not hide the timer")

        exit_code, _ = app.close_and_wait("close")
        self.assertEqual(0, exit_code)
        self.assertEqual("0", read_conf(cwd).get("UseEnergy"))

    def test_a_short_chord_starts_the_timer_and_its_face_keeps_the_second(self):
        # The worker sleeps until something is due: a hotkey must still be
        # seen within 300 ms of being held, and the face must turn within
        # 100 ms of each second of the clock.
        cwd = work_dir()
        chord = '<Key Code="81" /><Key Code="87" />'  # Q + W: "타이머 시작" (0)
        accels = "".join(f'<Accel Name="a{n}" Num="{n}">{chord if n == 0 else ""}</Accel>' for n in range(8))
        with open(os.path.join(cwd, "conf.xml"), "w", encoding="ascii") as f:
            f.write(f'<Setting UseTimer="1">{accels}</Setting>\n')
        dummy = Dummy(WINE.session, cwd)
        self.addCleanup(dummy.close)
        start_app(self, cwd)
        self.assertTrue(wait_overlays(WINE.session, dummy.hwnd, 5000), "no overlays")
        timer = hex(overlays(WINE.session, dummy.hwnd)["GKRTimerWnd"]["hwnd"])

        def state():
            answer = int(WINE.session.probe_ok("send", timer, MESSAGES.kTimerStateQuery, 0, 0, 2000)[0].split()[1])
            return answer & 1, answer >> 1

        self.assertEqual(0, state()[0])
        WINE.session.probe_ok("hold", "q+w", 300)  # the keys are up again when this returns
        self.assertEqual(1, state()[0], "a chord held for 300 ms did not start the timer")

        # A click restarts the clock no earlier than it was posted, so each
        # second is due no earlier than `posted` + its number.
        posted = time.monotonic()
        WINE.session.probe_ok("post", timer, WM_LBUTTONUP, 0, 50 | 10 << 16)
        first_seen = {}
        while len(first_seen) < 3 and time.monotonic() < posted + 5:
            shown = state()[1]
            answered = time.monotonic()
            if shown in (1, 2, 3):
                first_seen.setdefault(shown, answered - posted)
        print(f"\nthe face turned {first_seen} s after the click", file=sys.stderr)
        self.assertEqual([1, 2, 3], sorted(first_seen))
        for second, after in first_seen.items():
            self.assertLess(after - second, 0.1, f"second {second} shown {after - second:.3f} s late")


if __name__ == "__main__":
    unittest.main(verbosity=2)
