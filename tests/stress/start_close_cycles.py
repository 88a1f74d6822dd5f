#!/usr/bin/env python3
"""GKRTimer started and closed many times: half of the runs beside DummyGKR
(so the overlays come and go inside its window), the other half alone, the
close box and "종료" taking turns, each run closed at a random moment of its
first seconds. Every run must end with exit code 0 within two seconds.

    tests/stress/start_close_cycles.py [--cycles 1000] [--seed N]

Not part of the test run (it takes about half an hour); needs the Windows
programs built."""
import argparse
import os
import random
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "harness"))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import gkrwine  # noqa: E402
from manager_support import Dummy, GkrTimer, work_dir  # noqa: E402
from gkrtimer_session import DIALOG_CLASS, MANAGER_TITLE  # noqa: E402

EXIT_LIMIT_S = 2.0


def thread_states(pid):
    """State and kernel wait channel of each thread of a process, to tell a
    program waiting on something from one that never ran."""
    states = []
    try:
        for tid in sorted(os.listdir(f"/proc/{pid}/task")):
            with open(f"/proc/{pid}/task/{tid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{pid}/task/{tid}/wchan") as f:
                wchan = f.read().strip()
            states.append(f"{tid}:{fields[0]}:{wchan}:cpu{int(fields[11]) + int(fields[12])}")
    except OSError as e:
        states.append(f"gone ({e.strerror})")
    return " ".join(states)


def diagnose_start(wine):
    """What a start that showed no manager within the wait was doing: its
    threads, and whether the manager came later."""
    proc = wine.procs[-1]
    if proc.poll() is not None:
        return f"ended with {proc.returncode}"
    before = thread_states(proc.pid)
    late = wine.find_window(DIALOG_CLASS, MANAGER_TITLE, 30000)
    verdict = "manager came later" if late else "no manager after 30 s more"
    gkrwine.Wine._kill(proc)
    return f"{verdict}; threads then: {before}"


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cycles", type=int, default=1000)
    ap.add_argument("--seed", type=int, default=None)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    times, failures = [], []
    started = time.monotonic()
    with gkrwine.Wine() as wine:
        cwd = work_dir()
        dummy = Dummy(wine, cwd)
        for cycle in range(a.cycles):
            if cycle == a.cycles // 2:
                dummy.close()
                dummy = None
            how = "close" if cycle % 2 == 0 else "exit"
            try:
                app = GkrTimer(wine, cwd=cwd)
            except AssertionError as e:
                failures.append((cycle, how, f"did not start: {e}; {diagnose_start(wine)}"))
                continue
            time.sleep(rng.uniform(0, 1.5))
            code, seconds = app.close_and_wait(how, timeout=10)
            times.append(seconds)
            if code != 0 or seconds >= EXIT_LIMIT_S:
                failures.append((cycle, how, f"exit code {code} after {seconds:.2f} s"))
                if code is None:
                    gkrwine.Wine._kill(app.proc)
            if (cycle + 1) % 100 == 0:
                print(f"start_close_cycles: {cycle + 1} runs, {len(failures)} failed", flush=True)
        if dummy:
            dummy.close()
    for cycle, how, what in failures:
        print(f"  run {cycle} ({how}, {'with' if cycle < a.cycles // 2 else 'without'} DummyGKR): {what}")
    print(f"start_close_cycles: {a.cycles} runs in {time.monotonic() - started:.0f} s: {len(failures)} failed; "
          f"exit after the request median {statistics.median(times):.2f} s, slowest {max(times):.2f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
