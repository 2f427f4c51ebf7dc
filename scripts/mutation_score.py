#!/usr/bin/env python3
"""Seeded mutation testing of src/core: how many single-token faults does the suite catch?

Each mutant changes one token in one src/core/*.cpp file of a scratch copy of the tree: a
relational operator (< <= > >= == !=), an arithmetic operator (+ - * / += -=), a boolean return
(return true/false) or an integer constant. The copy is rebuilt and the suite run; a mutant is
killed when any test fails (or hangs), survives when all pass, and does not count when it does
not compile. The same seed and count pick the same mutants from the same code.

Usage: scripts/mutation_score.py [--seed N] [--count N] [--list]; about a minute per mutant.
"""
import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Binary operators are written with a space on each side in this code, which tells a comparison
# from a template's angle brackets and an arithmetic sign from a unary one.
SWAPS = {
    "<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
    "+": "-", "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+=",
}
OPERATOR = re.compile(r"(?<=\s)(<=|>=|==|!=|\+=|-=|<|>|\+|-|\*|/)(?=\s)")
BOOL_RETURN = re.compile(r"\breturn (true|false);")
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")

# The suite in the order that kills most mutants soonest; each binary stops at its first failure.
SUITE = ["quorvel-core-tests", "quorvel-cli-tests", "quorvel-ui-tests"]
# The programs the command-line tests run, rebuilt with the mutant too.
TARGETS = SUITE + ["quorvel-cli", "quorvel-reconcile", "quorvel-report-pdf", "quorvel-demo-gen"]


def code_mask(text):
    """Marks the characters that are code: not comments, string or character literals, or
    preprocessor lines."""
    mask = [True] * len(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and text[i:].lstrip(" \t").startswith("#"):
            end = text.find("\n", i)
            end = n if end < 0 else end
            for k in range(i, end):
                mask[k] = False
            i = end
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c == '"' and text[max(0, i - 1)] == "R" and text[i + 1: i + 2] != '"':
            close = ")" + text[i + 1: text.find("(", i)] + '"'
            end = text.find(close, i)
            end = n if end < 0 else end + len(close)
        elif c in "\"'":
            # A digit separator (1'000) is not a character literal.
            if c == "'" and i > 0 and text[i - 1].isdigit():
                i += 1
                continue
            end = i + 1
            while end < n and text[end] != c:
                end += 2 if text[end] == "\\" else 1
            end += 1
        else:
            i += 1
            continue
        for k in range(i, min(end, n)):
            mask[k] = False
        i = end
    return mask


def sites_in(path, text):
    mask = code_mask(text)
    found = []

    def add(start, old, new):
        if all(mask[start: start + len(old)]):
            found.append((path, start, old, new))

    for m in OPERATOR.finditer(text):
        add(m.start(), m.group(1), SWAPS[m.group(1)])
    for m in BOOL_RETURN.finditer(text):
        old = m.group(0)
        add(m.start(), old, old.replace(m.group(1), "false" if m.group(1) == "true" else "true"))
    for m in INTEGER.finditer(text):
        digits = m.group(1)
        if len(digits) > 1 and digits.startswith("0"):
            continue
        value = int(digits)
        add(m.start(), digits, "1" if value == 0 else ("0" if value == 1 else str(value + 1)))
    return found


def all_sites(tree):
    sites = []
    core = os.path.join(tree, "src", "core")
    for folder, _, files in sorted(os.walk(core)):
        for name in sorted(files):
            if name.endswith(".cpp"):
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8") as f:
                    sites += sites_in(os.path.relpath(path, tree), f.read())
    return sorted(sites)


def run(cmd, cwd, timeout=None, env=None, output=None):
    """Returns the exit status, or "timeout"; `output`, a list, receives what the command printed."""
    try:
        done = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, env=env)
        if output is not None:
            output.append(done.stdout.decode(errors="replace"))
        return done.returncode
    except subprocess.TimeoutExpired:
        return "timeout"


# GoogleTest's line for a failed test: "[  FAILED  ] Suite.Name (12 ms)".
FAILED_TEST = re.compile(r"^\[  FAILED  \] ([\w/.]+)", re.M)


def copy_tree(scratch):
    """Copies the tracked files of this working tree, as they are, into scratch/tree."""
    tree = os.path.join(scratch, "tree")
    files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                           stdout=subprocess.PIPE).stdout.decode().split("\0")
    tracked = set(filter(None, files))
    # A file gone from the tree since the last copy must go from the copy too: the build
    # globs its test sources.
    for folder, _, names in os.walk(tree):
        for name in names:
            if os.path.relpath(os.path.join(folder, name), tree) not in tracked:
                os.remove(os.path.join(folder, name))
    for rel in sorted(tracked):
        source = os.path.join(ROOT, rel)
        if os.path.isfile(source):
            target = os.path.join(tree, rel)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            if not os.path.exists(target) or open(source, "rb").read() != open(target, "rb").read():
                shutil.copy2(source, target)
    return tree


def build(tree, build_dir, *configure):
    """Builds the suite's targets through the project's build script, which also installs the
    packages the build needs."""
    env = dict(os.environ, QUORVEL_BUILD_DIR=build_dir, QUORVEL_TARGETS=" ".join(TARGETS))
    return run([os.path.join(tree, "scripts", "build.sh"), *configure], tree, env=env) == 0


def suite(build_dir, timeouts, took=None):
    """Returns None when every test passes, else the binary that failed first and its first
    failed test, which tells which check a kill rests on. `took` collects each binary's running
    time."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", GTEST_FAIL_FAST="1", TZ="UTC", LC_ALL="C.UTF-8")
    for binary in SUITE:
        started = time.monotonic()
        output = []
        status = run([os.path.join(build_dir, "bin", binary), "--gtest_brief=1"], build_dir,
                     timeouts.get(binary), env, output)
        if took is not None:
            took[binary] = time.monotonic() - started
        if status == "timeout":
            return binary + " (hung)"
        if status != 0:
            test = FAILED_TEST.search(output[0])
            return f"{binary} ({test.group(1) if test else 'exit status ' + str(status)})"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=17)
    parser.add_argument("--count", type=int, default=50)
    parser.add_argument("--scratch", default=os.path.join(ROOT, "build-mutation"))
    parser.add_argument("--list", action="store_true", help="list the chosen mutants and stop")
    parser.add_argument("--only", default="",
                        help="run only these of the chosen mutants (numbers as printed, e.g. 3,7,12): "
                        "to check again the survivors of a run after adding tests")
    args = parser.parse_args()

    tree = copy_tree(args.scratch)
    sites = all_sites(tree)
    chosen = sorted(random.Random(args.seed).sample(sites, min(args.count, len(sites))))
    print(f"{len(sites)} mutation sites in src/core; seed {args.seed} picks {len(chosen)}", flush=True)
    if args.list:
        for path, start, old, new in chosen:
            print(f"  {path}@{start}: {old} -> {new}")
        return 0

    build_dir = os.path.join(args.scratch, "build")
    if not build(tree, build_dir, "-DQUORVEL_BUILD_BENCH=OFF", "-DQUORVEL_WERROR=OFF"):
        sys.exit("the unmutated copy does not build")
    took = {}
    if suite(build_dir, {}, took) is not None:
        sys.exit("the suite fails without any mutation: mend it first")
    # A binary that runs five times as long as it does on the clean copy is taken as hung.
    timeouts = {binary: max(30.0, 5 * seconds) for binary, seconds in took.items()}

    killed, survived, stillborn = [], [], []
    only = {int(n) for n in args.only.split(",") if n}
    for number, (path, start, old, new) in enumerate(chosen, 1):
        if only and number not in only:
            continue
        full = os.path.join(tree, path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        line = original.count("\n", 0, start) + 1
        label = f"{path}:{line}: {old} -> {new}"
        with open(full, "w", encoding="utf-8") as f:
            f.write(original[:start] + new + original[start + len(old):])
        try:
            if not build(tree, build_dir):
                stillborn.append(label)
                verdict = "does not compile"
            else:
                failed = suite(build_dir, timeouts)
                (killed if failed else survived).append(label)
                verdict = f"killed by {failed}" if failed else "SURVIVED"
        finally:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original)
        print(f"[{number}/{len(chosen)}] {label}: {verdict}", flush=True)

    build(tree, build_dir)
    counted = len(killed) + len(survived)
    share = 100.0 * len(killed) / counted if counted else 0.0
    ran = f"{len(only)} of {len(chosen)}" if only else str(len(chosen))
    print(f"\nSeed {args.seed}, {ran} mutants: {len(killed)} killed, {len(survived)} survived, "
          f"{len(stillborn)} did not compile")
    print(f"Mutation score: {len(killed)}/{counted} = {share:.1f}%")
    if survived:
        print("Survivors:")
        for label in survived:
            print(f"  {label}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
