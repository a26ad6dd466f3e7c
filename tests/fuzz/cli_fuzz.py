#!/usr/bin/env python3
"""Mutation fuzzing of verbarium-cli: mutated texts and arguments for its commands.

Every run must end with status 0, 1 or 2 and nothing else: no crash, no sanitizer
report, no hang, and within a time that grows linearly with its input, so that a cost
growing faster shows. Status 0 writes nothing on standard error but the one line that
names scripts without a font and a line for each input left out, status 1 is one line
(or a line for each input left out and one saying none was read), status 2 the usage; a
JSON result parses; no temporary file is left beside an output. A failing case is kept as a folder
with its input and a script that runs it again.

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
import unicodedata


def letters_of_every_script():
    """One letter of each script, told by the first word of its characters' names."""
    seen = {}
    for code_point in range(0x80, 0x30000):
        character = chr(code_point)
        if not unicodedata.category(character).startswith("L"):
            continue
        script = unicodedata.name(character, "").split(" ")[0]
        if script and script not in seen:
            seen[script] = character
    return list(seen.values())


SCRIPT_LETTERS = letters_of_every_script()

SEED_TEXTS = [
    b"The cat sat on the mat. The cat ran! Did the dog see the cat? The dog did.\n",
    b"well-\nknown words, and well-known words;\r\nagain: the words (the words).\n",
    "Ὁ λόγος. Слово за слово. 言葉は言葉。 ﬁne café naïve.\n".encode(),
    "\U0001d41a\U0001d41b \U0001d41a. e\u0301e\u0301 \u00e9 \u2028line\u2029end\n".encode(),
    b"\xef\xbb\xbfA text with a mark. A text. A mark.\n",
    b"a a a a a a a a a a . a a a a ? b a b a b ! c\n",
    " ".join(SCRIPT_LETTERS).encode(),
    "\u0928\u092e\u0938\u094d\u0924\u0947 \u09ac\u09be\u0982\u09b2\u09be \u0dc1\u0dca\u200d\u0dbb "
    "\u1781\u17d2\u1798\u17c2\u179a \u0710\u0712 \u0786\u07a6 \u0633\u0644\u0627\u0645 art heart\n".encode(),
    b"",
]

# Long words whose letters decompose, or runs of combining marks that canonical ordering
# reorders: shapes whose cost grew with the square of their length.
LONG_WORD_UNITS = ["a", "\u00e9", "\u6587", "e\u0301", "\u0301\u0316", "\u1e09",
                   "\U0001d41a"]

# Pieces a mutation may insert: sentence ends, line ends, marks, bad and cut sequences.
PIECES = [
    b".", b"?", b"!", b" ", b"\n", b"\r\n", b"-\n", b"\t", b"\xef\xbb\xbf", b"\xc3\xa9",
    b"\xe2\x80\xa6", b"\xf0\x9f\x98\x80", b"\xff", b"\xc3", b"\xed\xa0\x80", b"\xc0\xaf",
    b"\xf4\x90\x80\x80", b"\x00", b"the ", b"...", b"\xcc\x81",
]

COMMANDS = {
    "counts": ["format_counts", "by_file", "output"],
    "cloud": ["size", "seed", "format_picture", "scale", "leave_out", "output"],
    "tree": ["word", "max_depth", "output"],
    "verbarium": ["word", "size", "format_picture", "scale", "output"],
    "contexts": ["word", "path", "context_width", "sort", "format_contexts", "output"],
    "dispersion": ["word", "path", "bar_width", "format_picture", "scale", "output"],
}

# The one line a successful picture (of any command that draws one) may write: which
# scripts lack a font.
FONT_NOTE = b"verbarium-cli: no installed font has the letters of "
# The last line of a failure whose inputs were all left out, each named above it.
NONE_READ = b"verbarium-cli: none of the files could be read"

# Names an output may have besides plain ones: control characters and marks that
# reorder text, which messages must show escaped on one line.
STRANGE_NAMES = ["out\nnext", "out\x1b[31mred", "out\tx", "\u202eout", "out\r"]

SANITIZER_MARKS = [b"AddressSanitizer", b"LeakSanitizer", b"runtime error:", b"Sanitizer"]


def mutate(rng, text, others):
    data = bytearray(text)
    for _ in range(rng.randint(1, 6)):
        choice = rng.randrange(9)
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
            unit = rng.choice(LONG_WORD_UNITS).encode()
            data[at:at] = unit * rng.choice([100, 5000, 200000, 400000])
        elif choice == 8:
            data[at:at] = rng.choice(SCRIPT_LETTERS).encode() * rng.randint(1, 5) + b" "
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
    if kind == "by_file":
        return ["--by-file"]
    if kind == "format_picture":
        return ["--format", rng.choice(["json", "json", "svg", "png", "pdf"])]
    side = lambda: rng.choice(["1", "80", "800", "100000", "100001", "0", "-5", "1e3", "x"])
    if kind == "size":
        return ["--width", side(), "--height", side()]
    if kind == "bar_width":
        return ["--width", side()]
    if kind == "seed":
        return ["--seed", rng.choice(["0", "7", "4294967295", "4294967296", "-1"])]
    if kind == "scale":
        return ["--scale", rng.choice(["1", "2", "4", "5", "0"])]
    if kind == "word":
        word = rng.choice(words_of(text))[: rng.choice([3, 50, 20000])]  # an argument has at most 128 KB
        return ["--word", rng.choice([word, word.upper(), ".", "absent"])]
    if kind == "max_depth":
        return ["--max-depth", rng.choice(["0", "1", "3", "20", "-1", "x"])]
    if kind == "path":
        return ["--path", " ".join(rng.choice(words_of(text))[:50] for _ in range(rng.randint(1, 3)))]
    if kind == "context_width":
        # Wide contexts of many occurrences make an output as large as their product.
        widths = ["0", "10", "40", "1000", "100001", "x"] + (["100000"] if len(text) < 4096 else [])
        return ["--width", rng.choice(widths)]
    if kind == "sort":
        return ["--sort", rng.choice(["text", "following", "preceding", "random"])]
    if kind == "format_contexts":
        return ["--format", rng.choice(["tsv", "json", "csv"])]
    if kind == "leave_out":
        return ["--leave-out", rng.choice(["en", "de", "xx", "", "/dev/stdin", "/dev/null"])]
    if kind == "output":
        return ["--output", output_path(rng, folder)]
    raise ValueError(kind)


def output_path(rng, folder):
    target = os.path.join(folder, "out")
    kind = rng.randrange(7)
    if kind == 6:
        return os.path.join(folder, rng.choice(STRANGE_NAMES))
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
        if rng.random() < 0.2:
            # A corpus: the folder's .txt files too, or inputs that are left out.
            arguments.append(rng.choice(["-", os.path.join(folder, "absent.txt"), folder]))
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


def time_budget(base, per_megabyte, stdin_bytes, arguments):
    """Seconds a run may take: linear in its input, so a cost that grows faster shows."""
    size = len(stdin_bytes)
    for argument in arguments:
        if os.path.isfile(argument):
            size += os.path.getsize(argument)
    return base + per_megabyte * size / 1e6


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


def escaped_controls(text):
    """text as the command's messages show it: control and direction characters escaped."""
    def needs_escape(unit):
        return (unit < 0x20 or 0x7f <= unit <= 0x9f or unit in (0x061c, 0x200e, 0x200f)
                or unit in (0x2028, 0x2029) or 0x202a <= unit <= 0x202e
                or 0x2066 <= unit <= 0x2069)

    def escape(unit):
        named = {0x0a: "\\n", 0x0d: "\\r", 0x09: "\\t"}
        if unit in named:
            return named[unit]
        return f"\\x{unit:02x}" if unit <= 0xff else f"\\u{{{unit:x}}}"

    return "".join(escape(ord(c)) if needs_escape(ord(c)) else c for c in text)


def names_an_input(line, arguments):
    """Whether line says why one of the command's inputs was left out."""
    return any(line.startswith(b"verbarium-cli: " + escaped_controls(argument).encode() + b": ")
               for argument in arguments[2:])


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
    messages = run.stderr.split(b"\n")
    left_out = [line for line in messages[:-1] if names_an_input(line, arguments)]
    if run.returncode == 1:
        named = len(left_out) + (messages[-2:-1] == [NONE_READ])
        if messages[-1] or not messages[0].startswith(b"verbarium-cli: ") or (
                len(messages) > 2 and named != len(messages) - 1):
            return "status 1 without exactly one message line, or one for each input"
    if run.returncode == 2 and b"Usage: verbarium-cli" not in run.stderr:
        return "status 2 without the usage"
    if run.returncode == 0 and "--help" not in arguments:
        notes = [line for line in messages[:-1] if line.startswith(FONT_NOTE)
                 and "format_picture" in COMMANDS.get(arguments[1], [])]
        if messages[-1] or len(notes) > 1 or len(notes) + len(left_out) != len(messages) - 1:
            return "success with messages other than inputs left out"
        output = run.stdout
        if "--output" in arguments:
            path = arguments[arguments.index("--output") + 1]
            if path.startswith(folder) and os.path.isfile(path):
                with open(path, "rb") as file:
                    output = file.read()
        wants_json = arguments[1] == "tree" or (
            "--format" in arguments and arguments[arguments.index("--format") + 1] == "json") or (
            "--format" not in arguments and arguments[1] != "contexts")
        if wants_json and output:
            try:
                if arguments[1] == "contexts":
                    for line in output.splitlines():
                        json.loads(line)
                else:
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
    parser.add_argument("--timeout", type=float, default=20,
                        help="seconds every run may take, whatever its input")
    parser.add_argument("--seconds-per-megabyte", type=float, default=20,
                        help="seconds a run may take more for each megabyte of its input")
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
            budget = time_budget(options.timeout, options.seconds_per_megabyte, stdin_bytes,
                                 arguments)
            run, late = run_cli(arguments, stdin_bytes, environment, budget)
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
