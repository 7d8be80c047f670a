#!/usr/bin/env python3
"""Prints the end of a test run from CTest's JUnit file: how many tests passed, failed and
were skipped, and why each skip happened (including cases a passing test program skipped).
Exits 1 when a skip gives no reason: a test may skip only for a missing capability it names.

Usage: test-summary.py JUNIT.xml
"""
import re
import sys
import xml.etree.ElementTree as ET

GTEST_SKIP_LINE = re.compile(r": Skipped$")
GTEST_SKIPPED_CASE = re.compile(r"^\[  SKIPPED \] (\S+) \(")


def gtest_reasons(output):
    """The messages of GoogleTest's skips, in order: the lines after '<file>:<line>: Skipped'."""
    reasons = []
    lines = output.splitlines()
    for i, line in enumerate(lines):
        if not GTEST_SKIP_LINE.search(line):
            continue
        message = []
        for follow in lines[i + 1:]:
            if not follow.strip() or follow.startswith("["):
                break
            message.append(follow.strip())
        reasons.append(" ".join(message))
    return reasons


def skip_reason(output):
    """Why a whole test was skipped: its GoogleTest message, else its own 'skipped' line."""
    reasons = [r for r in gtest_reasons(output) if r]
    if reasons:
        return reasons[0]
    for line in reversed(output.splitlines()):
        if "skip" in line.lower() and not GTEST_SKIPPED_CASE.match(line):
            return line.strip()
    return ""


def main():
    root = ET.parse(sys.argv[1]).getroot()
    passed, failed, skipped, inner = [], [], [], []
    for case in root.iter("testcase"):
        name = case.get("name")
        status = case.get("status")
        output = case.findtext("system-out") or ""
        if status == "run":
            passed.append(name)
            cases = [m.group(1) for m in map(GTEST_SKIPPED_CASE.match, output.splitlines()) if m]
            reasons = gtest_reasons(output)
            for index, skipped_case in enumerate(dict.fromkeys(cases)):
                reason = reasons[index] if index < len(reasons) else ""
                inner.append((f"{name}: {skipped_case}", reason))
        elif status in ("notrun", "disabled"):
            skipped.append((name, skip_reason(output)))
        else:
            failed.append(name)

    print(f"tests: {len(passed)} passed, {len(failed)} failed, {len(skipped)} skipped")
    for name in failed:
        print(f"  failed: {name}")
    unexplained = 0
    for name, reason in skipped + inner:
        unexplained += not reason
        print(f"  skipped: {name} ({reason or 'NO REASON GIVEN'})")
    if inner:
        print(f"  ({len(inner)} of the skips are cases inside passing tests)")
    if unexplained:
        print(f"test-summary: {unexplained} skip(s) without a reason", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
