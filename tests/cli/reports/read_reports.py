#!/usr/bin/env python3
"""Reads the grading reports back as a CI server and a spreadsheet would:
the JUnit XML with junitparser, the CSV files with Python's csv module."""
import csv
import sys

from junitparser import Error, Failure, JUnitXml


def fail(message):
    print("read_reports: " + message, file=sys.stderr)
    sys.exit(1)


def check_junit(path, programs):
    xml = JUnitXml.fromfile(path)
    suites = list(xml)
    if len(suites) != programs:
        fail(f"{len(suites)} suites for {programs} programs")
    for suite in suites:
        cases = list(suite)
        if suite.tests != len(cases):
            fail(f"suite {suite.name}: tests={suite.tests}, {len(cases)} cases")
        problems = [r for case in cases for r in case.result if isinstance(r, (Failure, Error))]
        if suite.failures + suite.errors != len(problems):
            fail(f"suite {suite.name}: counts do not match its cases")
        for problem in problems:
            if not problem.message or not problem.text or problem.text != problem.message:
                fail(f"suite {suite.name}: a problem without its text: {problem.message!r}")
        for case in cases:
            if "." in case.classname:
                fail(f"classname {case.classname!r} holds a dot")
            if case.time is None:
                fail(f"case {case.name!r} without a time")


def rows(path, encoding, delimiter):
    with open(path, encoding=encoding, newline="") as f:
        sample = f.read()
    dialect = csv.Sniffer().sniff(sample.splitlines()[0], delimiters=",;")
    if dialect.delimiter != delimiter:
        fail(f"{path}: delimiter {dialect.delimiter!r}")
    return list(csv.reader(sample.splitlines(), delimiter=delimiter))


def check_cells(table, path):
    for row in table[1:]:
        for cell in row:
            if cell[:1] in ("=", "+", "-", "@"):
                fail(f"{path}: a cell a spreadsheet runs as a formula: {cell!r}")
        word = row[2]
        if word and word != "Sprache" and not (word.startswith('"') and word.endswith('"')):
            fail(f"{path}: a word a spreadsheet would read as a number: {word!r}")


def main():
    junit, plain, excel, summary_excel, programs = sys.argv[1:6]
    check_junit(junit, int(programs))
    check_cells(rows(plain, "utf-8", ","), plain)
    with open(excel, "rb") as f:
        if not f.read(3) == b"\xef\xbb\xbf":
            fail(f"{excel}: no byte-order mark")
    check_cells(rows(excel, "utf-8-sig", ";"), excel)
    summary = rows(summary_excel, "utf-8-sig", ";")
    if summary[0] != ["programm", "bestanden", "gesamt", "punkte", "erster fehler"]:
        fail(f"{summary_excel}: header {summary[0]}")
    if len(summary) != int(programs) + 1:
        fail(f"{summary_excel}: {len(summary) - 1} rows for {programs} programs")
    for row in summary[1:]:
        if row[0][:1] in ("=", "+", "-", "@") or "." in row[3]:
            fail(f"{summary_excel}: {row}")
    print(f"read_reports: {junit}, {plain}, {excel}, {summary_excel} read back")


main()
