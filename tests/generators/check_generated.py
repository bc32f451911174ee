#!/usr/bin/env python3
"""Runs a generator script into a scratch folder and compares every file it
writes with the committed file of the same name, byte for byte.

Usage: check_generated.py <generator.py> <committed folder>
Exit status 0 when the generator wrote at least one file and each one
equals its committed counterpart; 1 otherwise, naming each difference.
"""

import filecmp
import os
import subprocess
import sys
import tempfile


def main():
    generator, committed = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([sys.executable, generator, scratch], check=True, stdout=subprocess.DEVNULL)
        written = sorted(os.path.relpath(os.path.join(folder, name), scratch)
                         for folder, _, names in os.walk(scratch) for name in names)
        if not written:
            print(f"{generator} wrote no file")
            return 1
        problems = []
        for name in written:
            target = os.path.join(committed, name)
            if not os.path.isfile(target):
                problems.append(f"{name}: not committed in {committed}")
            elif not filecmp.cmp(os.path.join(scratch, name), target, shallow=False):
                problems.append(f"{name}: differs from {target}")
        for problem in problems:
            print(problem)
        print(f"{len(written) - len(problems)} of {len(written)} files as committed")
        return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
