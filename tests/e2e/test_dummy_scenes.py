"""DummyGKR under Wine: the picture on the display carries the game state the
utility reads (health gauge, maximum health, note-panel marker, notes), and the
scene commands and start-up options change it. The display is read back by the
probe with GKRTimer's own screen reading."""
import os
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_dummy_window import DummySession, setUpModule, tearDownModule  # noqa: E402,F401
import cdefs  # noqa: E402

SCENE = cdefs.Constants("dummy/scene_commands.h")
STILL_PICTURE = SCENE.kCmdStillPicture
HIDE_GAUGE = SCENE.kCmdHideGauge
HIDE_NOTE_PANEL = SCENE.kCmdHideNotePanel


def gauge_command(max_health):
    return SCENE.kCmdGaugeBase + max_health


def notes_command(*codes):
    digits = (list(codes) + [0, 0, 0, 0])[:4]
    return SCENE.kCmdNotePanelBase + int("".join(map(str, digits)))


def read_scene(line):
    """The probe's read-scene line as a state (see state())."""
    f = line.split()
    return {"gauge": f[2] == "1", "max_health": int(f[4]), "marker": f[6] == "1", "framed": f[8] == "1",
            "notes": [int(n) for n in f[10:]]}


def state(gauge=True, max_health=100, marker=True, notes=()):
    return {"gauge": gauge, "max_health": max_health, "marker": marker, "framed": True, "notes": list(notes)}


STILL = state()


def committed_picture():
    """Pixel reader for dummy/res/gamescreen.bmp (24 bits, rows bottom-up)."""
    source = os.environ.get("GKR_SOURCE_DIR") or os.path.join(os.path.dirname(__file__), "..", "..")
    with open(os.path.join(source, "dummy", "res", "gamescreen.bmp"), "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) // 4 * 4

    def at(x, y):
        i = offset + (height - 1 - y) * stride + 3 * x
        return data[i + 2], data[i + 1], data[i]
    return at


class SceneTestCase(unittest.TestCase):
    args = ()

    def setUp(self):
        self.dummy = DummySession(*self.args)
        self.addCleanup(self.dummy.close)
        self.assertIsNotNone(self.dummy.hwnd, "no window of class ' G K R '")
        self.hwnd = hex(self.dummy.hwnd)

    def pixels(self, points):
        cmd = []
        for x, y in points:
            cmd += ["pixel", self.hwnd, x, y, ";"]
        values = {}
        for line in self.dummy.probe_ok(*cmd[:-1]):
            _, x, y, r, g, b = line.split()
            values[(int(x), int(y))] = (int(r), int(g), int(b))
        self.assertEqual(len(set(points)), len(values))
        return values

    def read_state(self):
        return read_scene(self.dummy.probe_ok("read-scene", self.hwnd)[0])

    def wait_for_state(self, expected, timeout=5):
        """The state once the display shows it (a repaint follows a command)."""
        deadline = time.monotonic() + timeout
        while True:
            seen = self.read_state()
            if seen == expected or time.monotonic() > deadline:
                return seen
            time.sleep(0.02)

    def command(self, cmd_id):
        self.dummy.probe_ok("command", self.hwnd, cmd_id)


class StillPictureTest(SceneTestCase):
    def test_display_reads_as_gauge_of_100_and_empty_note_panel(self):
        self.assertEqual(STILL, self.wait_for_state(STILL))

    def test_picture_is_the_committed_bitmap_unscaled_at_the_top_left(self):
        picture = committed_picture()
        self.assertEqual(STILL, self.wait_for_state(STILL))  # painted
        points = [(x, y) for x in (0, 97, 215, 321, 447, 530, 643) for y in (0, 30, 61, 240, 401, 482)]
        seen = self.pixels(points)
        for p in points:
            self.assertEqual(picture(*p), seen[p], f"pixel {p}")


class SceneCommandTest(SceneTestCase):
    def test_commands_switch_gauge_and_note_panel_independently(self):
        self.assertEqual(STILL, self.wait_for_state(STILL))
        self.command(HIDE_GAUGE)
        self.assertEqual(state(gauge=False, max_health=-1), self.wait_for_state(state(gauge=False, max_health=-1)))
        self.command(gauge_command(120))
        self.assertEqual(state(max_health=120), self.wait_for_state(state(max_health=120)))
        self.command(notes_command(4, 1, 7))
        expected = state(max_health=120, notes=(4, 1, 7))
        self.assertEqual(expected, self.wait_for_state(expected))
        self.command(HIDE_NOTE_PANEL)
        expected = state(max_health=120, marker=False)
        self.assertEqual(expected["marker"], self.wait_for_state(expected)["marker"])
        self.command(gauge_command(150))
        self.command(notes_command(7, 6, 5, 4))
        expected = state(max_health=150, notes=(7, 6, 5, 4))
        self.assertEqual(expected, self.wait_for_state(expected))
        self.command(STILL_PICTURE)
        self.assertEqual(STILL, self.wait_for_state(STILL))

    def test_malformed_command_changes_nothing(self):
        # Each malformed command is followed by a valid one for the other part
        # of the picture: once that one shows, the malformed one has been handled.
        self.command(gauge_command(123))  # not on the gauge's scale
        self.command(notes_command(5))
        expected = state(notes=(5,))
        self.assertEqual(expected, self.wait_for_state(expected))
        self.command(notes_command(4, 0, 1, 7))  # a gap between notes
        self.command(gauge_command(120))
        expected = state(max_health=120, notes=(5,))
        self.assertEqual(expected, self.wait_for_state(expected))
        self.assertEqual("1", self.dummy.info(self.dummy.hwnd)["visible"])


class StartupGaugeAndNotesTest(SceneTestCase):
    args = ("--gauge=120", "--notes=4,1,7")

    def test_options_set_the_first_scene(self):
        expected = state(max_health=120, notes=(4, 1, 7))
        self.assertEqual(expected, self.wait_for_state(expected))
        self.command(STILL_PICTURE)
        self.assertEqual(STILL, self.wait_for_state(STILL))


class StartupHiddenTest(SceneTestCase):
    args = ("--gauge=off", "--notes=off")

    def test_gauge_and_note_panel_absent(self):
        seen = self.wait_for_state(state(gauge=False, max_health=-1, marker=False))
        self.assertFalse(seen["gauge"])
        self.assertEqual(-1, seen["max_health"])
        self.assertFalse(seen["marker"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
