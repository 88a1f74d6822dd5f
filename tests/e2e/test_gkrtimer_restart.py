"""GKRTimer started and closed many times in a row: no hang, no crash, no
lingering process, and every run ends with exit code 0."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gkrtimer_session import GkrTimer, Session  # noqa: E402

RUNS = 30
CLOSE_LIMIT_S = 1.0


class RepeatedStartAndClose(unittest.TestCase):
    def setUp(self):
        self.session = Session()

    def tearDown(self):
        self.session.close()

    def test_thirty_runs(self):
        started = time.monotonic()
        slowest = 0.0
        for run in range(RUNS):
            # Alternate the close box and the exit button; the worker may be
            # anywhere in its pass when the request arrives.
            how = "close" if run % 2 == 0 else "exit"
            app = GkrTimer(self.session.wine)
            time.sleep(0.05 * (run % 4))
            code, seconds = app.close_and_wait(how)
            self.assertEqual(0, code, f"run {run} ({how}): exit code {code} after {seconds:.2f} s")
            self.assertLess(seconds, CLOSE_LIMIT_S, f"run {run} ({how})")
            slowest = max(slowest, seconds)
        print(f"\n{RUNS} runs in {time.monotonic() - started:.1f} s, slowest close {slowest:.2f} s",
              file=sys.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
