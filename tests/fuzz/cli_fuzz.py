#!/usr/bin/env python3
"""Mutation fuzzing of verbarium-cli: mutated texts and arguments for all four commands.

Every run must end with status 0, 1 or 2 and nothing else: no crash, no sanitizer
report, no hang. Status 1 is one line on standard error, status 2 the usage; a JSON
result parses; no temporary file is left beside an output. A failing case is kept as a
folder with its input and a script that runs it again.

    cli_fuzz.py --cli PATH [--seconds N] [--seed N] [--failures DIR]
"""

import argparse
import json
import os
import random
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

SEED_TEXTS = [
    b"The cat sat on the mat. The cat ran! Did the dog see the cat? The dog did.\n",
    b"well-\nknown words, and well-known words;\r\nagain: the words (the words).\n",
    "Ὁ λόγος. Слово за слово. 言葉は言葉。 ﬁne café naïve.\n".encode(),
    "\U0001d41a\U0001d41b \U0001d41a. e\u0301e\u0301 \u00e9 \u2028line\u2029end\n".encode(),
    b"\xef\xbb\xbfA text with a mark. A text. A mark.\n",
    b"a a a a a a a a a a . a a a a ? b a b a b ! c\n",
    b"",
]

# Pieces a mutation may insert: sentence ends, line ends, marks, bad and cut sequences.
PIECES = [
    b".", b"?", b"!", b" ", b"\n", b"\r\n", b"-\n", b"\t", b"\xef\xbb\xbf", b"\xc3\xa9",
    b"\xe2\x80\xa6", b"\xf0\x9f\x98\x80", b"\xff", b"\xc3", b"\xed\xa0\x80", b"\xc0\xaf",
    b"\xf4\x90\x80\x80", b"\x00", b"the ", b"...", b"\xcc\x81",
]

COMMANDS = {
    "counts": ["format_counts", "output"],
    "cloud": ["size", "seed", "format_picture", "scale", "output"],
    "tree": ["word", "max_depth", "output"],
    "verbarium": ["word", "size", "format_picture", "scale", "output"],
}

SANITIZER_MARKS = [b"AddressSanitizer", b"LeakSanitizer", b"runtime error:", b"Sanitizer"]


def mutate(rng, text, others):
    data = bytearray(text)
    for _ in range(rng.randint(1, 6)):
        choice = rng.randrange(8)
        at = rng.randint(0, len(data))
        if choice == 0 and data:
            data[min(at, len(data) - 1)] = rng.randrange(256)
        elif choice == 1:
            data[at:at] = rng.choice(PIECES)
        elif choice == 2 and data:
            end = min(len(data), at + rng.randint(1, 16))
            del data[at:end]
        elif choice == 3 and data:
            start = rng.randrange(len(data))
            chunk = data[start:start + rng.randint(1, 32)]
            data[at:at] = chunk * rng.choice([2, 10, 1000])
        elif choice == 4:
            other = rng.choice(others)
            data[at:] = other[rng.randint(0, len(other)):]
        elif choice == 5:
            # A long word, or many short ones: the shapes that cost the most.
            letter = rng.choice([b"a", b"\xc3\xa9", b"\xe6\x96\x87"])
            data[at:at] = letter * rng.choice([100, 5000, 200000])
        elif choice == 6:
            data[at:at] = b"x " * rng.choice([10, 2000])
        else:
            del data[at:]
    return bytes(data)


def words_of(text):
    # An argument cannot hold a NUL.
    found = text.decode("utf-8", "replace").replace("\0", "").split()
    return found or ["the"]


def option_arguments(rng, kind, text, folder):
    if kind == "format_counts":
        return ["--format", rng.choice(["json", "csv", "csv", "xml", ""])]
    if kind == "format_picture":
        return ["--format", rng.choice(["json", "json", "svg", "png", "pdf"])]
    if kind == "size":
        side = lambda: rng.choice(["1", "80", "800", "100000", "100001", "0", "-5", "1e3", "x"])
        return ["--width", side(), "--height", side()]
    if kind == "seed":
        return ["--seed", rng.choice(["0", "7", "4294967295", "4294967296", "-1"])]
    if kind == "scale":
        return ["--scale", rng.choice(["1", "2", "4", "5", "0"])]
    if kind == "word":
        word = rng.choice(words_of(text))[: rng.choice([3, 50, 20000])]  # an argument has at most 128 KB
        return ["--word", rng.choice([word, word.upper(), ".", "absent"])]
    if kind == "max_depth":
        return ["--max-depth", rng.choice(["0", "1", "3", "20", "-1", "x"])]
    if kind == "output":
        return ["--output", output_path(rng, folder)]
    raise ValueError(kind)


def output_path(rng, folder):
    target = os.path.join(folder, "out")
    kind = rng.randrange(6)
    if kind == 1:
        with open(target, "wb") as existing:
            existing.write(b"old")
        os.chmod(target, rng.choice([0o644, 0o600, 0o444, 0o4755]))
    elif kind == 2:
        os.symlink("missing-target", target)
    elif kind == 3:
        with open(os.path.join(folder, "linked"), "wb") as existing:
            existing.write(b"old")
        os.link(os.path.join(folder, "linked"), target)
    elif kind == 4:
        return rng.choice(["-", "/dev/null", os.path.join(folder, "missing/out")])
    return target


def command_line(rng, cli, text, folder):
    command = rng.choice(list(COMMANDS))
    arguments = [cli, command]
    input_kind = rng.randrange(5)
    stdin_bytes = b""
    if input_kind <= 2:
        path = os.path.join(folder, "input.txt")
        with open(path, "wb") as file:
            file.write(text)
        arguments.append(path)
    elif input_kind == 3:
        arguments.append(rng.choice(["-", os.path.join(folder, "absent.txt"), folder]))
        stdin_bytes = text
    else:
        stdin_bytes = text
    for kind in COMMANDS[command]:
        # Without a depth, a tree can be as big as the text times its longest run.
        wanted = {"word": 0.9, "max_depth": 0.95}.get(kind, 0.6)
        if rng.random() < wanted:
            arguments += option_arguments(rng, kind, text, folder)
    if rng.random() < 0.03:
        arguments.insert(rng.randint(2, len(arguments)), rng.choice(["--bogus", "--help", "-"]))
    return arguments, stdin_bytes


def temporary_files(folder):
    return [name for name in os.listdir(folder) if name.endswith(".tmp")]


def run_cli(arguments, stdin_bytes, environment, timeout):
    """The finished run and, when it had to be ended, why. A run that takes too long is
    terminated as a user would (SIGTERM), which must not leave a temporary file."""
    with subprocess.Popen(arguments, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, env=environment) as process:
        try:
            out, err = process.communicate(stdin_bytes, timeout=timeout)
            late = None
        except subprocess.TimeoutExpired:
            process.terminate()
            out, err = process.communicate()
            late = f"no end within {timeout:g} s"
    return subprocess.CompletedProcess(arguments, process.returncode, out, err), late


def problem_with(run, arguments, folder):
    """What is wrong with a finished run, or None."""
    if run.returncode < 0:
        return f"killed by signal {-run.returncode}"
    if any(mark in run.stderr for mark in SANITIZER_MARKS):
        return "sanitizer report"
    if run.returncode not in (0, 1, 2):
        return f"exit status {run.returncode}"
    left = temporary_files(folder)
    if left:
        return f"temporary files left: {left}"
    if run.returncode == 1:
        lines = run.stderr.split(b"\n")
        if len(lines) != 2 or lines[1] or not lines[0].startswith(b"verbarium-cli: "):
            return "status 1 without exactly one message line"
    if run.returncode == 2 and b"Usage: verbarium-cli" not in run.stderr:
        return "status 2 without the usage"
    if run.returncode == 0 and "--help" not in arguments:
        if run.stderr:
            return "success with messages"
        output = run.stdout
        if "--output" in arguments:
            path = arguments[arguments.index("--output") + 1]
            if path.startswith(folder) and os.path.isfile(path):
                with open(path, "rb") as file:
                    output = file.read()
        wants_json = arguments[1] == "tree" or (
            "--format" not in arguments or arguments[arguments.index("--format") + 1] == "json")
        if wants_json and output:
            try:
                json.loads(output)
            except RecursionError:
                pass  # deeper than Python's parser goes: a tree's long branch
            except ValueError as error:
                return f"output is not JSON: {error}"
    return None


def keep_failure(failures, number, arguments, stdin_bytes, folder, run, problem):
    case = os.path.abspath(os.path.join(failures, f"case-{number}"))
    shutil.rmtree(case, ignore_errors=True)
    shutil.copytree(folder, case, symlinks=True)
    with open(os.path.join(case, "stdin"), "wb") as file:
        file.write(stdin_bytes)
    with open(os.path.join(case, "stderr"), "wb") as file:
        file.write(run.stderr)
    again = " ".join(shlex.quote(argument.replace(folder, case)) for argument in arguments)
    with open(os.path.join(case, "run.sh"), "w") as file:
        file.write(f"#!/bin/sh\n# {problem}\n{again} <{shlex.quote(case)}/stdin\n")
    os.chmod(os.path.join(case, "run.sh"), 0o755)
    return case


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--failures", default="build-fuzz/cli-failures")
    parser.add_argument("--timeout", type=float, default=60)
    options = parser.parse_args()
    seed = options.seed if options.seed is not None else random.randrange(1 << 32)
    rng = random.Random(seed)
    print(f"cli fuzzing for {options.seconds:g} s, seed {seed}", flush=True)
    # The indexes the runs keep go to a cache of their own, never the user's.
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                       XDG_CACHE_HOME=tempfile.mkdtemp(prefix="cli-fuzz-cache-"))
    texts = list(SEED_TEXTS)
    deadline = time.monotonic() + options.seconds
    runs = failed = 0
    while time.monotonic() < deadline:
        folder = tempfile.mkdtemp(prefix="cli-fuzz-")
        try:
            text = mutate(rng, rng.choice(texts), texts)
            arguments, stdin_bytes = command_line(rng, options.cli, text, folder)
            run, late = run_cli(arguments, stdin_bytes, environment, options.timeout)
            if late:
                left = temporary_files(folder)
                problem = late + (f"; terminated, it left {left}" if left else "")
            else:
                problem = problem_with(run, arguments, folder)
            runs += 1
            if problem:
                failed += 1
                case = keep_failure(options.failures, failed, arguments, stdin_bytes, folder,
                                    run, problem)
                print(f"FAILED ({problem}): {case}", flush=True)
            elif len(text) < 4096 and run.returncode == 0 and len(texts) < 200:
                texts.append(text)  # a text that works is a base for later mutations
        finally:
            shutil.rmtree(folder, ignore_errors=True)
    print(f"{runs} runs, {failed} failed (seed {seed})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
