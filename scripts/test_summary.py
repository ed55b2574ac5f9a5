#!/usr/bin/env python3
"""Counts the test cases of one or more build trees' CTest runs.

    test_summary.py [--broken N] TREE_DIR...

Each TREE_DIR holds ctest-junit.xml (CTest's JUnit output of the run) and
test-results/, where every GoogleTest program that ran as one CTest test left
its cases' results (gtest's XML, named after the test). A CTest test with such
a file counts as its cases; any other CTest test counts as one case. A test
program that failed while its cases all passed (it crashed after them, or Wine
ended it) counts as one more failure, and one that left no file counts as one
failed case. Prints each failed case, a line per tree and, last,
"N passed, N failed, N skipped"; --broken adds N failures (trees that could not
be configured, built or tested). Exit code 0 when nothing failed.
"""
import argparse
import os
import sys
import xml.etree.ElementTree as ElementTree


class Counts:
    def __init__(self):
        self.passed = 0
        self.failed = 0
        self.skipped = 0
        self.failures = []

    def add(self, other):
        self.passed += other.passed
        self.failed += other.failed
        self.skipped += other.skipped
        self.failures += other.failures

    def fail(self, name):
        self.failed += 1
        self.failures.append(name)


def gtest_cases(path, program):
    """The cases of one gtest XML file."""
    counts = Counts()
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        name = f"{program}: {case.get('classname')}.{case.get('name')}"
        if case.find("failure") is not None:
            counts.fail(name)
        elif case.get("result") == "skipped" or case.get("status") == "notrun":
            counts.skipped += 1
        else:
            counts.passed += 1
    return counts


def tree_cases(tree):
    """The cases of one tree's run."""
    counts = Counts()
    junit = os.path.join(tree, "ctest-junit.xml")
    if not os.path.exists(junit):
        counts.fail(f"{tree}: no test run")
        return counts
    for test in ElementTree.parse(junit).getroot().iter("testcase"):
        name = test.get("name")
        status = test.get("status")
        results = os.path.join(tree, "test-results", name + ".xml")
        if status in ("run", "fail") and os.path.exists(results):
            cases = gtest_cases(results, name)
            counts.add(cases)
            if status == "fail" and cases.failed == 0:
                counts.fail(f"{name}: the program failed after its cases")
        elif status == "run":
            counts.passed += 1
        elif status == "fail":
            counts.fail(name)
        else:
            counts.skipped += 1
    return counts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--broken", type=int, default=0)
    parser.add_argument("trees", nargs="+")
    arguments = parser.parse_args()
    total = Counts()
    for tree in arguments.trees:
        counts = tree_cases(tree)
        for failure in counts.failures:
            print(f"FAILED {failure}")
        print(f"{os.path.basename(os.path.normpath(tree))}: {counts.passed} passed, "
              f"{counts.failed} failed, {counts.skipped} skipped")
        total.add(counts)
    total.failed += arguments.broken
    print(f"{total.passed} passed, {total.failed} failed, {total.skipped} skipped")
    return 0 if total.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
