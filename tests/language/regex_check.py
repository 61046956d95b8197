#!/usr/bin/env python3
"""Random regular expressions against Python's own engine.

For each expression over a small alphabet, `automaten-cli regex` makes the
minimal acceptor; every word up to length 7 becomes a test case of it with
the verdict Python's re.fullmatch gives, and `automaten-cli test` runs them
on the simulation. Then the expression the acceptor gives back
(`toregex`), and its grammar (`grammar`, `fromgrammar`), must make an
acceptor that `compare` finds "gleich".

Usage: regex_check.py AUTOMATEN_CLI [COUNT] [SEED]
"""
import itertools
import os
import random
import re
import subprocess
import sys
import tempfile

SPECIAL = "|*+?()\\"


def expression(rng, alphabet, depth):
    """A random expression in the tool's syntax and the same in Python's."""
    choice = rng.random() if depth > 0 else rng.random() * 0.45
    if choice < 0.35:
        c = rng.choice(alphabet)
        return ("\\" + c, re.escape(c)) if c in SPECIAL else (c, re.escape(c))
    if choice < 0.45:
        return ("ε", "(?:)") if rng.random() < 0.5 else ("()", "(?:)")
    if choice < 0.65:
        a, b = expression(rng, alphabet, depth - 1), expression(rng, alphabet, depth - 1)
        return "(" + a[0] + b[0] + ")", "(?:" + a[1] + b[1] + ")"
    if choice < 0.82:
        a, b = expression(rng, alphabet, depth - 1), expression(rng, alphabet, depth - 1)
        return "(" + a[0] + "|" + b[0] + ")", "(?:" + a[1] + "|" + b[1] + ")"
    a = expression(rng, alphabet, depth - 1)
    op = rng.choice("*+?")
    return "(" + a[0] + ")" + op, "(?:" + a[1] + ")" + op


def run(cli, *args, ok=(0,)):
    p = subprocess.run([cli, *args], capture_output=True, text=True, encoding="utf-8")
    if p.returncode not in ok:
        sys.exit(f"automaten-cli {' '.join(args)}: exit {p.returncode}\n{p.stdout}{p.stderr}")
    return p


def word_text(w):
    return w if w else '""'


def main():
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 2026)
    alphabets = ["ab"] * 3 + ["01"] * 3 + ["a+"]
    words = {a: ["".join(p) for n in range(8) for p in itertools.product(a, repeat=n)] for a in set(alphabets)}
    with tempfile.TemporaryDirectory() as folder:
        acceptor = os.path.join(folder, "a.txt")
        again = os.path.join(folder, "b.txt")
        grammar = os.path.join(folder, "g.txt")
        for i in range(count):
            alphabet = rng.choice(alphabets)
            ours, python = expression(rng, alphabet, rng.randint(1, 5))
            program = run(cli, "regex", ours).stdout
            cases = "".join(
                f"; Test: {word_text(w)} -> {'akzeptiert' if re.fullmatch(python, w) else 'nicht akzeptiert'}\n"
                for w in words[alphabet])
            with open(acceptor, "w", encoding="utf-8") as f:
                f.write(program + cases)
            graded = run(cli, "test", "--kind", "akz", acceptor, ok=(0, 1))
            if graded.returncode != 0:
                sys.exit(f"{ours} (Python {python}): the acceptor differs from re.fullmatch\n{program}{graded.stdout}")
            # A teacher grades against the expression itself.
            same = run(cli, "compare", "--kind", "akz", acceptor, "--reference-regex", ours, ok=(0, 1))
            graded = run(cli, "test", "--kind", "akz", "--reference-regex", ours, acceptor, ok=(0, 1))
            if same.stdout != "gleich\n" or graded.returncode != 0:
                sys.exit(f"{ours}: its own acceptor differs from it\n{same.stdout}{graded.stdout}")
            back = run(cli, "toregex", "--kind", "akz", acceptor).stdout.strip()
            with open(again, "w", encoding="utf-8") as f:
                f.write(run(cli, "regex", back).stdout)
            same = run(cli, "compare", "--kind", "akz", acceptor, again, ok=(0, 1))
            if same.stdout != "gleich\n":
                sys.exit(f"{ours} -> {back}: not the same language\n{same.stdout}")
            with open(grammar, "w", encoding="utf-8") as f:
                f.write(run(cli, "grammar", "--kind", "akz", acceptor).stdout)
            with open(again, "w", encoding="utf-8") as f:
                f.write(run(cli, "fromgrammar", grammar).stdout)
            same = run(cli, "compare", "--kind", "akz", acceptor, again, ok=(0, 1))
            if same.stdout != "gleich\n":
                sys.exit(f"{ours}: its grammar makes another language\n{same.stdout}")
    print(f"regex_check: {count} expressions agree with re.fullmatch on every word up to length 7, "
          "and come back through toregex and grammar")


if __name__ == "__main__":
    main()
