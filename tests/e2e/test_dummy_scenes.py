"""DummyGKR under Wine: the picture on the display carries the game state the
utility reads (health gauge, maximum health, note-panel marker, notes), and the
scene commands and start-up options change it. The reading rules are written
out here once more, on pixels read back from the display."""
import os
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_dummy_window import DummySession  # noqa: E402
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


NOTE_COLORS = {1: (0, 255, 0), 2: (0, 255, 255), 3: (32, 40, 255), 4: (255, 0, 0),
               5: (255, 255, 0), 6: (240, 17, 238), 7: (255, 255, 255)}
SCAN_X = [122 + (16250 + 1625 * k) // 100 for k in range(21)]  # v = 50, 55, ..., 150
MARKER_Y = [54, 55, 56, 57, 58, 59]
PANEL = (239, 53)
FRAMES = [(24 * k, 8 if k % 2 == 0 else 16) for k in range(4)]
SAMPLES = [10, 39, 58, 87]


def read_points():
    points = [(x, 30) for x in (120, 121, 122)] + [(x, 30) for x in SCAN_X]
    points += [(215, y) for y in MARKER_Y]
    for x0, y in FRAMES:
        points += [(PANEL[0] + x0, PANEL[1] + y), (PANEL[0] + x0 + 14, PANEL[1] + y)]
    points += [(PANEL[0] + x, PANEL[1] + 8) for x in SAMPLES]
    return points


def match_note(rgb):
    for code, ref in NOTE_COLORS.items():
        if all(abs(a - b) < 10 for a, b in zip(rgb, ref)):
            return code
    return 0


def interpret(px):
    """The game state as the utility's rules read it from pixels {(x, y): (r, g, b)}."""
    black, white = (0, 0, 0), (255, 255, 255)
    p1, p2, p3 = px[(120, 30)], px[(121, 30)], px[(122, 30)]
    r, g, b = p1
    gauge = p1 == p2 == p3 and r and g and b and g >= 2 * r and g >= b
    max_health = -1
    for k, x in enumerate(SCAN_X):
        if px[(x, 30)] == black:
            max_health = 50 + 5 * k
    m = {y: px[(215, y)] for y in MARKER_Y}
    marker = (m[58] == black and m[54] == black and m[55] == white and m[56] == white
              and m[57] == black and m[59] == black)
    framed = all(px[(PANEL[0] + x0 + dx, PANEL[1] + y)] == black for x0, y in FRAMES for dx in (0, 14))
    colours = [px[(PANEL[0] + x, PANEL[1] + 8)] for x in SAMPLES]
    filled = next((k for k, c in enumerate(colours) if c == black), 4)
    return {"gauge": bool(gauge), "max_health": max_health, "marker": marker, "framed": framed,
            "notes": [match_note(c) for c in colours[:filled]]}


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
        return interpret(self.pixels(read_points()))

    def wait_for_state(self, expected, timeout=5):
        """The state once the display shows it (a repaint follows a command)."""
        deadline = time.monotonic() + timeout
        while True:
            seen = self.read_state()
            if seen == expected or time.monotonic() > deadline:
                return seen

    def command(self, cmd_id):
        self.dummy.probe_ok("command", self.hwnd, cmd_id)


class StillPictureTest(SceneTestCase):
    def test_display_reads_as_gauge_of_100_and_empty_note_panel(self):
        self.assertEqual(STILL, self.wait_for_state(STILL))

    def test_picture_is_the_committed_bitmap_unscaled_at_the_top_left(self):
        picture = committed_picture()
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
        self.command(gauge_command(123))  # not on the gauge's scale
        self.command(notes_command(4, 0, 1, 7))  # a gap between notes
        time.sleep(0.5)
        self.assertEqual(STILL, self.read_state())
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
