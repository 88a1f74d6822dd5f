#!/usr/bin/env python3
"""winrun.py [--timeout S] PROGRAM.exe [ARGS...]: runs one Windows console
program under Wine (private prefix, Xvfb if needed) and exits with its code."""
import argparse
import sys

import gkrwine


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--timeout", type=float, default=300)
    ap.add_argument("--cwd")
    ap.add_argument("program")
    ap.add_argument("args", nargs=argparse.REMAINDER)
    a = ap.parse_args()
    with gkrwine.Wine() as wine:
        try:
            code, out = wine.run(a.program, *a.args, timeout=a.timeout, cwd=a.cwd)
        except gkrwine.WineError as e:
            print(f"winrun: {e}", file=sys.stderr)
            return 124
    sys.stdout.write(out)
    return code


if __name__ == "__main__":
    sys.exit(main())
