"""conf.xml as the manager dialog reads and writes it in GKRTimer's current
directory: written once by the close box, twice with the same content by
"종료", with the defaults (the eight default hotkeys among them) when there was
none and the maximum health read from DummyGKR, and read back at the next start."""
import os
import sys
import unittest
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import WINE, setUpModule, tearDownModule, Dummy, FileWrites, GkrTimer, Manager, overlays, wait_overlays, work_dir  # noqa: E402,F401

GOLDEN_DEFAULTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "conf-defaults.xml")


def parse(data):
    """The Setting element of conf.xml bytes; names are code page 949 bytes."""
    return ET.fromstring(data.decode("cp949"))


class ConfWrites(unittest.TestCase):
    """Each run starts DummyGKR and GKRTimer in a fresh folder with no conf.xml."""

    def run_and_close(self, how):
        cwd = work_dir()
        dummy = Dummy(WINE.session, cwd)
        try:
            app = GkrTimer(WINE.session, cwd=cwd)
            self.assertIsNotNone(Manager(app).wait_max_health("100", 10000), "no reading before closing")
            writes = FileWrites(cwd, "conf.xml")
            try:
                code, _ = app.close_and_wait(how)
            finally:
                versions = writes.close()
            self.assertEqual(0, code)
        finally:
            dummy.close()
        self.assertEqual(["conf.xml"], os.listdir(cwd), "nothing else is left behind")
        with open(os.path.join(cwd, "conf.xml"), "rb") as f:
            final = f.read()
        return versions, final

    def test_close_box_writes_it_once(self):
        versions, final = self.run_and_close("close")
        self.assertEqual(1, len(versions))
        self.assertEqual(final, versions[0])

    def test_exit_button_writes_it_once(self):
        versions, final = self.run_and_close("exit")
        self.assertEqual([final], versions)

    def test_first_run_saves_the_defaults_and_the_read_maximum(self):
        # The defaults as the Windows test program pins them, with the maximum
        # read from the dummy, and SideNote 5: the song page reads its
        # left/right box, which has no entry for the default 0, at start.
        _, final = self.run_and_close("close")
        with open(GOLDEN_DEFAULTS, "rb") as f:
            golden = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        for default, seen in ((b' MaxHealth="10" ', b' MaxHealth="100" '), (b' SideNote="0" ', b' SideNote="5" ')):
            self.assertIn(default, golden)
            golden = golden.replace(default, seen)
        self.assertEqual(golden, final)


class ConfReadBack(unittest.TestCase):
    def test_a_saved_file_is_read_at_the_next_start(self):
        cwd = work_dir()
        name = "단축".encode("cp949")
        with open(os.path.join(cwd, "conf.xml"), "wb") as f:
            f.write(b'<Setting TimerSize="150" UseTimer="1" MaxHealth="77" FluteWndX="40">\r\n'
                    b'    <Accel Name="' + name + b'" Num="5">\r\n'
                    b'        <Key Code="17" />\r\n        <Pad Button="-3" />\r\n'
                    b'    </Accel>\r\n'
                    b'    <KeyConfig Name="a" Index="2" />\r\n'
                    b'</Setting>\r\n')
        dummy = Dummy(WINE.session, cwd)
        app = GkrTimer(WINE.session, cwd=cwd)
        try:
            # The timer overlay takes its size from the TimerSize read at start.
            self.assertTrue(wait_overlays(WINE.session, dummy.hwnd, 2500))
            found = overlays(WINE.session, dummy.hwnd)
            self.assertEqual((0, 0, 150, 30), found["GKRTimerWnd"]["rect"])
            self.assertEqual(40, found["GKRFluteWnd"]["rect"][0])
            self.assertIsNotNone(Manager(app).wait_max_health("100", 5000))
        finally:
            code, _ = app.close_and_wait("close")
            dummy.close()
        self.assertEqual(0, code)
        with open(os.path.join(cwd, "conf.xml"), "rb") as f:
            setting = parse(f.read())
        self.assertEqual(("150", "1", "100", "40"),
                         tuple(setting.get(k) for k in ("TimerSize", "UseTimer", "MaxHealth", "FluteWndX")))
        accels = setting.findall("Accel")
        self.assertEqual(1, len(accels), "a list that was read gets no default entries")
        self.assertEqual(("단축", "5"), (accels[0].get("Name"), accels[0].get("Num")))
        self.assertEqual([("Key", "Code", "17"), ("Pad", "Button", "-3")],
                         [(c.tag, *next(iter(c.attrib.items()))) for c in accels[0]])
        self.assertEqual([("a", "2")], [(k.get("Name"), k.get("Index")) for k in setting.findall("KeyConfig")])


if __name__ == "__main__":
    unittest.main(verbosity=2)
