#!/usr/bin/env python3
"""Measures how many faults the tests catch: applies small realistic faults (mutants) to
the product code one at a time, rebuilds, runs the tests that can see the fault, and says
which mutants survive. A tool for judging the test suite, not a part of it.

    scripts/mutation-check.py            every mutant
    scripts/mutation-check.py --list     the mutants, without running anything
    scripts/mutation-check.py ID ...     only these

The presets must be configured (scripts/test.sh does it). Every file is put back as it
was, also when the run is interrupted.
"""
import argparse
import pathlib
import signal
import subprocess
import sys
import time

from mutants import MUTANTS

ROOT = pathlib.Path(__file__).resolve().parent.parent
TEST_TIMEOUT = 900


def run(command, timeout=None):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=timeout).returncode


def build(preset):
    return run(["cmake", "--build", "--preset", preset]) == 0


def tests_fail(preset):
    command = ["scripts/with-display.sh", "ctest", "--preset", preset, "--stop-on-failure"]
    try:
        return run(command, timeout=TEST_TIMEOUT) != 0
    except subprocess.TimeoutExpired:
        return True  # a fault that hangs the tests is caught by their time limit


def placeable(mutant):
    return (ROOT / mutant["file"]).read_text(encoding="utf-8").count(mutant["find"]) == 1


def try_mutant(mutant):
    """'killed by <preset>', 'survived', or 'invalid' when the fault cannot be placed or built."""
    if not placeable(mutant):
        return "invalid"
    path = ROOT / mutant["file"]
    original = path.read_text(encoding="utf-8")
    try:
        path.write_text(original.replace(mutant["find"], mutant["replace"]), encoding="utf-8")
        for preset in mutant["presets"]:
            if not build(preset):
                return "invalid"
            if tests_fail(preset):
                return "killed"
        return "survived"
    finally:
        path.write_text(original, encoding="utf-8")


def main():
    # Ended from outside, the file being mutated is still put back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("ids", nargs="*", help="run only these mutants")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    args = parser.parse_args()

    chosen = [m for m in MUTANTS if not args.ids or m["id"] in args.ids]
    if args.list:
        for m in chosen:
            mark = "" if placeable(m) else "  (cannot be placed)"
            print(f'{m["id"]:<28} {m["file"]}: {m["fault"]}{mark}')
        return 0

    results = {}
    for m in chosen:
        started = time.monotonic()
        results[m["id"]] = try_mutant(m)
        print(f'{results[m["id"]]:<9} {m["id"]:<28} {time.monotonic() - started:6.0f} s  {m["fault"]}', flush=True)
    for preset in sorted({p for m in chosen for p in m["presets"]}):
        build(preset)  # leave the builds as the sources are

    counts = {state: sum(1 for r in results.values() if r == state) for state in ("killed", "survived", "invalid")}
    applied = counts["killed"] + counts["survived"]
    print(f'\nmutants applied: {applied}, killed: {counts["killed"]}, survived: {counts["survived"]}'
          f' (not placeable or not building: {counts["invalid"]})')
    for mutant_id, state in results.items():
        if state == "survived":
            print(f"  survived: {mutant_id}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
