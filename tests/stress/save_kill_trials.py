#!/usr/bin/env python3
"""Proves that GKRTimer's closing save of conf.xml is crash-safe: GKRTimer is
killed at random moments around its save, many times over, and conf.xml must
always be whole, the old file or the new one, never a mix or a cut; the
temporary file a killed save leaves behind must be gone after the next start.

    tests/stress/save_kill_trials.py [--trials 100] [--seed N]

Not part of the test run (it takes minutes); needs the Windows programs built."""
import argparse
import glob
import os
import random
import signal
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "harness"))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import gkrwine  # noqa: E402
from manager_support import GkrTimer, wait_until, work_dir  # noqa: E402

WM_NULL = 0x0000
WM_CLOSE = 0x0010


def old_conf(hotkeys):
    """A valid conf.xml, written the way no save writes it (so old and new differ)."""
    lines = ['<Setting  UseKey="1"  TimerSize="150" >']
    for i in range(hotkeys):
        lines.append(f'  <Accel Name="hotkey {i}" Num="{i}" ><Key Code="{65 + i % 26}" /></Accel>')
    lines.append("</Setting>")
    return ("\r\n".join(lines) + "\r\n").encode()


def temp_files(cwd):
    return glob.glob(os.path.join(cwd, "conf.xml.*.tmp"))


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--trials", type=int, default=100)
    ap.add_argument("--hotkeys", type=int, default=30000, help="size of conf.xml (2 MB): a longer save")
    ap.add_argument("--max-delay-ms", type=float, default=400)
    ap.add_argument("--seed", type=int, default=None)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    old = old_conf(a.hotkeys)
    outcomes = {"old": 0, "new": 0, "broken": 0}
    leftovers = cleared = 0
    with gkrwine.Wine() as wine:
        cwd = work_dir()
        path = os.path.join(cwd, "conf.xml")
        # What a save that is not interrupted writes.
        with open(path, "wb") as f:
            f.write(old)
        app = GkrTimer(wine, cwd=cwd)
        app.close_and_wait("close")
        with open(path, "rb") as f:
            new = f.read()
        assert new != old, "the save must differ from the old file"
        print(f"save_kill_trials: conf.xml {len(old)} bytes old, {len(new)} bytes new", flush=True)

        # The kills aim at the save: delays are drawn around the boundary
        # between the delays that still found the old file and those that
        # found the new one, as learned from the trials so far.
        lo, hi = 0.0, a.max_delay_ms
        for trial in range(a.trials):
            before = temp_files(cwd)
            with open(path, "wb") as f:
                f.write(old)
            app = GkrTimer(wine, cwd=cwd)
            # A start clears what a killed save of an earlier trial left behind.
            if before:
                if wait_until(lambda: not set(before) & set(temp_files(cwd)), 3) is None:
                    print(f"trial {trial}: leftovers not cleared: {before}", flush=True)
                else:
                    cleared += len(before)
            # The manager answers a sent message only once its start is done
            # (a long hotkey list takes a moment): the kill then falls in the save.
            wine.probe_ok("send", app.h, WM_NULL, 0, 0, 10000)
            wine.probe_ok("post", app.h, WM_CLOSE, 0, 0)
            delay = rng.uniform(max(0.0, lo - 15), hi + 15)
            time.sleep(delay / 1000)
            try:
                os.kill(app.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            app.proc.wait(10)
            wine.probe("wait-gone", app.h, 5000)
            with open(path, "rb") as f:
                now = f.read()
            outcome = "old" if now == old else "new" if now == new else "broken"
            outcomes[outcome] += 1
            if outcome == "old":
                lo = max(lo, min(delay, hi))
            elif outcome == "new":
                hi = min(hi, max(delay, lo))
            leftovers += len(temp_files(cwd))
            if outcome == "broken":
                print(f"trial {trial}: conf.xml is neither old nor new ({len(now)} bytes)", flush=True)
        # The last trial's leftovers go with one more start.
        remaining = temp_files(cwd)
        app = GkrTimer(wine, cwd=cwd)
        if remaining and wait_until(lambda: not temp_files(cwd), 3) is not None:
            cleared += len(remaining)
        app.close_and_wait("close")
        stray = temp_files(cwd)

    print(f"save_kill_trials: {a.trials} trials: conf.xml old {outcomes['old']}, new {outcomes['new']}, "
          f"broken {outcomes['broken']}; temporary files left by killed saves {leftovers}, cleared at the next "
          f"start {cleared}, left at the end {len(stray)}")
    return 0 if outcomes["broken"] == 0 and not stray and cleared == leftovers else 1


if __name__ == "__main__":
    sys.exit(main())
