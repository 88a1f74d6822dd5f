#!/usr/bin/env python3
"""What the hotkey poll adds under Wine, per poll and as a share of one core.

    bench/hotkey_poll_cost.py [--polls 200]

Runs the on-demand case HotkeyPollCost of windows_tests.exe in the tests' Wine
prefix: polls at the worker's pace (one every 150 ms) with nothing bound, keys
bound, the pad bound and both, each block beside a block of sleeps alone, and
prints the polling thread's and the Wine server's added CPU; then the time a
failed pad read takes (the test prefix has no joystick) at spacings from
150 ms to 3 s, and a capability read. Needs the Windows programs built
(scripts/build)."""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "harness"))
import gkrwine  # noqa: E402


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--polls", type=int, default=200)
    a = ap.parse_args()
    os.environ["GKR_POLL_COST_POLLS"] = str(a.polls)
    with gkrwine.Wine() as wine:
        code, out = wine.run(os.path.join(gkrwine.bin_dir(), "windows_tests.exe"), "--gtest_also_run_disabled_tests",
                             "--gtest_filter=HotkeyPollCost.*", timeout=a.polls * 4 * 0.4 + 240)
    print(out)
    return code


if __name__ == "__main__":
    sys.exit(main())
