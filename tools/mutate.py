#!/usr/bin/env python3
"""Mutation testing for the game's sources (`make mutate`).

Plants one small fault at a time into the layers app/, windows/, engine/,
persistence/ and types/, rebuilds the test programs in a build tree of its
own, runs the suite and puts the original bytes back. A mutant the suite
notices is killed; one it lets through survived and points at a missing or
weak test.

    tools/mutate.py --list                      every mutant, no building
    tools/mutate.py --limit 200 --seed 1        a reproducible sample
    tools/mutate.py --limit 300 --seeds 1,2     one sample per seed, each scored
    tools/mutate.py --files 'app/*.cpp'         only these files
    tools/mutate.py --seeds 1,2 --again OLD     reruns only OLD report's survivors
    tools/mutate.py --self-test                 checks the mutant generator

Mutants whose every variant is harmless are listed with the reason in
tools/mutate-equivalent.txt; they are reported as equivalent, not survived.
A window's geometry moved by one pixel is listed as cosmetic, neither run
nor scored.
"""

import argparse
import fnmatch
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The layers, entry point first; the sample gives each its share.
FOLDERS = ("app", "windows", "engine", "persistence", "types")
EQUIVALENT_FILE = os.path.join("tools", "mutate-equivalent.txt")
DELETED = "<deleted>"
# Sources no test program links: no test could ever kill a mutant in them.
UNTESTABLE = {
    "app/main.cpp": "the program's entry; only the game executable is built from it, "
                    "so main() only hands over to a routine the tests call",
}


@dataclass
class Mutant:
    path: str        # relative to the repository
    line: int        # 1-based, first line touched
    col: int         # 1-based
    op: str
    start: int       # byte range in the file's text (str offsets)
    end: int
    replacement: str
    original: str    # the touched line(s), stripped, joined by one space
    mutated: str     # the same after the change, or DELETED
    nth: int = 1     # which of the file's mutants with this same original and mutated text
    of: int = 1      # how many there are

    def key(self):
        return (self.path, self.original, self.mutated, self.nth)

    def where(self):
        return f"{self.path}:{self.line}:{self.col}"


# ---------------------------------------------------------------------------
# Reading C++: which characters are code, which are comments or literals.

def scan(text):
    """Returns (mask, strings, preproc_lines).

    mask has the same length as text: code characters are kept, comments
    become spaces, string and character literals become '"' / "'" so no
    operator looks inside them. strings lists (open_quote, close_quote)
    offsets of every ordinary string literal."""
    mask = list(text)
    strings = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                mask[k] = " "
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                if text[k] != "\n":
                    mask[k] = " "
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")
                                                       or text[i - 1] in "uUL8"):
            d_end = text.find("(", i + 2)
            delim = text[i + 2:d_end]
            j = text.find(")" + delim + '"', d_end)
            j = n if j < 0 else j + len(delim) + 2
            for k in range(i, j):
                if text[k] != "\n":
                    mask[k] = '"'
            i = j
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isdigit())):
            # A quote after a digit is a digit separator (1'000), not a char.
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j, n - 1)
            for k in range(i, j + 1):
                if text[k] != "\n":
                    mask[k] = c
            if c == '"':
                strings.append((i, j))
            i = j + 1
        else:
            i += 1
    mask = "".join(mask)
    preproc = set()
    lines = mask.split("\n")
    cont = False
    active = [True]  # one entry per open #if: is this branch compiled here?
    taken = [True]   # has an earlier branch of that #if been compiled?
    for no, ln in enumerate(lines):
        directive = ln.strip()
        if cont or directive.startswith("#"):
            preproc.add(no)
            cont = ln.rstrip().endswith("\\")
            word = re.match(r"#\s*(\w*)\s*(\w*)", directive) if directive.startswith("#") else None
            kind, name = (word.group(1), word.group(2)) if word else ("", "")
            if kind in ("if", "ifdef", "ifndef"):
                known = BUILD_MACROS.get(name) if kind != "if" else None
                on = True if known is None else (known if kind == "ifdef" else not known)
                active.append(active[-1] and on)
                taken.append(on)
            elif kind in ("elif", "else") and len(active) > 1:
                # An #elif is assumed compiled unless an earlier branch was.
                on = not taken[-1]
                active[-1] = active[-2] and on
                taken[-1] = taken[-1] or on
            elif kind == "endif" and len(active) > 1:
                active.pop()
                taken.pop()
        else:
            cont = False
            if not active[-1]:
                preproc.add(no)
    return mask, strings, preproc


# Macros whose value on this (Linux) build decides which #ifdef branches the
# tests compile; code in other branches is never mutated. Unknown macros count
# as defined for #ifdef and #ifndef alike, so their code is mutated.
BUILD_MACROS = {"Q_OS_WIN": False, "_WIN32": False, "WIN32": False, "Q_OS_MACOS": False,
                "Q_OS_UNIX": True, "Q_OS_LINUX": True, "EDQUOT": True}

# A line that only declares: `Type name;`, `Type *name[3];`, `class X;`.
DECL_ONLY = re.compile(r"^[\w:<>,\s*&\[\]]+;$")
# A statement that starts like a declaration: two names in a row.
DECL_START = re.compile(
    r"^(?:(?:const|constexpr|static|inline|explicit|virtual|auto|unsigned|signed|long|short)\s+)*"
    r"[A-Za-z_][\w:]*(?:\s*<[^;()]*>)?[\s*&]+[A-Za-z_~][\w:]*\s*(?:[=({;\[]|$)")
NO_DELETE_WORDS = {
    "return", "break", "continue", "case", "default", "goto", "using", "namespace", "class",
    "struct", "enum", "template", "typedef", "friend", "public", "private", "protected",
    "static_assert", "if", "for", "while", "switch", "do", "else", "Q_OBJECT", "co_return",
}
STATEMENT_VERBS = ("delete", "throw", "emit")

CMP = re.compile(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)")
CMP_SWAPS = {"==": ["!="], "!=": ["=="], "<": ["<=", ">="], "<=": ["<", ">"],
             ">": [">=", "<="], ">=": [">", "<"]}
LOGIC = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
NOT = re.compile(r"(?<![\w!=<>)\]])!(?![=])(?=[\w(*])")
INT = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
FLOAT = re.compile(r"(?<![\w.])(\d+\.\d*|\.\d+)(f?)(?![\w.])")
INDEX = re.compile(r"(?<=[\w)\]])\[([^\[\]\"']+)\]")
BOOL = re.compile(r"\b(true|false)\b")


TWIPS_PER_PIXEL = 15
TWIPS_CALL = re.compile(r"\b(twips|px)\s*$")
# A widget one pixel off looks the same to every test but one holding a copy of
# the coordinates, and such a copy says nothing about the game's behaviour.
COSMETIC_OPS = ("px+1", "px-1")
COSMETIC = "cosmetic geometry"
OUTCOMES = ("killed", "timed out", "survived", "equivalent", "did not build", COSMETIC)


def cosmetic(mu):
    """Whether the mutant only moves a window's geometry by a pixel."""
    return mu.op in COSMETIC_OPS


def in_twips_call(m, col):
    """Whether the innermost call around m[col] is twips(...) or px(...)."""
    depth = 0
    for k in range(col - 1, -1, -1):
        if m[k] == ")":
            depth += 1
        elif m[k] == "(":
            if depth == 0:
                return bool(TWIPS_CALL.search(m[:k]))
            depth -= 1
    return False


def brace_kinds(mask):
    """For each offset, whether it sits inside a function or block body
    (as opposed to namespace or class scope)."""
    in_block = bytearray(len(mask))
    stack = []
    last = 0  # where the text introducing the next brace starts
    for i, c in enumerate(mask):
        if c == "{":
            intro = mask[last:i]
            if re.search(r"\b(namespace|class|struct|union|enum)\b", intro) and "(" not in intro.split("=")[0][-40:]:
                kind = "scope"
            elif re.search(r"\b(namespace)\b", intro):
                kind = "scope"
            else:
                kind = "block"
            stack.append(kind)
            last = i + 1
        elif c == "}":
            if stack:
                stack.pop()
            last = i + 1
        elif c == ";":
            last = i + 1
        in_block[i] = 1 if "block" in stack else 0
    return in_block


def generate(path, text):
    """Every mutant of one file, in a stable order."""
    mask, strings, preproc = scan(text)
    lines = text.split("\n")
    mlines = mask.split("\n")
    offsets = [0]
    for ln in lines:
        offsets.append(offsets[-1] + len(ln) + 1)
    in_block = brace_kinds(mask)
    out = []

    def add(lineno, col, op, old, new):
        start = offsets[lineno] + col
        mutated_line = lines[lineno][:col] + new + lines[lineno][col + len(old):]
        out.append(Mutant(path, lineno + 1, col + 1, op, start, start + len(old), new,
                          lines[lineno].strip(), mutated_line.strip()))

    def skip_line(no):
        m = mlines[no].strip()
        if no in preproc or not m:
            return True
        if m.startswith(("Q_OBJECT", "Q_PROPERTY", "Q_DECLARE", "static_assert")):
            return True
        if DECL_ONLY.match(m) and not re.search(r"\b(return|delete|throw)\b", m):
            return True
        return False

    for no, m in enumerate(mlines):
        if skip_line(no):
            continue
        for mo in CMP.finditer(m):
            for new in CMP_SWAPS[mo.group(1)]:
                add(no, mo.start(), "compare", mo.group(1), new)
        for mo in LOGIC.finditer(m):
            add(no, mo.start(), "logic", mo.group(1), "||" if mo.group(1) == "&&" else "&&")
        for mo in NOT.finditer(m):
            add(no, mo.start(), "negate", "!", "")
        for mo in INT.finditer(m):
            v = int(mo.group(1))
            lit = mo.group(1)
            if re.search(r"\)\s*(const\s*)?=\s*$", m[:mo.start()]):
                continue  # a pure virtual function's = 0
            if re.match(r"\s*>", m[mo.end():]) and "<" in m[:mo.start()]:
                continue  # a template argument such as std::array<T, 4>
            # Window geometry is written in twips and rounded down to pixels, so
            # one twip more is mostly the same pixel: step by a pixel there.
            # A row of a window's layout table is twips too.
            geometry = in_twips_call(m, mo.start()) or "{Place::" in m
            step, name = (TWIPS_PER_PIXEL, "px") if geometry else (1, "int")
            add(no, mo.start(), f"{name}+1", lit, str(v + step))
            if v >= step:
                add(no, mo.start(), f"{name}-1", lit, str(v - step))
            if v >= 2:
                add(no, mo.start(), "constant", lit, str(v * 10))
        for mo in FLOAT.finditer(m):
            v = float(mo.group(1))
            new = repr(v * 2 if v else 1.0) + mo.group(2)
            add(no, mo.start(), "constant", mo.group(0), new)
        for mo in INDEX.finditer(m):
            inner = mo.group(1)
            if inner.strip().isdigit() or not inner.strip():
                continue
            col = mo.start(1)
            add(no, col, "index+1", inner, inner + " + 1")
            add(no, col, "index-1", inner, inner + " - 1")
        for mo in BOOL.finditer(m):
            add(no, mo.start(), "bool", mo.group(1), "false" if mo.group(1) == "true" else "true")

    # String literals: the last character goes, or an empty one gains one.
    for (a, b) in strings:
        no = text.count("\n", 0, a)
        if no in preproc or skip_line(no) or text.count("\n", a, b):
            continue
        col = a - offsets[no]
        body = text[a + 1:b]
        if body:
            if re.search(r"\\(x[0-9A-Fa-f]+|[0-7]{1,3}|.)$", body) and body.endswith(
                    tuple("\\" + e for e in "nrt\"'\\0")) :
                new_body = body[:-2]
            elif body.endswith("\\"):
                continue
            else:
                new_body = body[:-1]
        else:
            new_body = "x"
        add(no, col, "string", '"' + body + '"', '"' + new_body + '"')

    # Whole statements, including calls such as connect(...) over several lines.
    prev_end = ";"
    depth = 0
    no = 0
    while no < len(mlines):
        m = mlines[no].strip()
        if no in preproc or not m:
            no += 1
            continue
        start_ok = depth == 0 and (prev_end[-1:] in ";{}:)" or prev_end.endswith("else"))
        if start_ok and in_block[offsets[no] + len(mlines[no]) - len(mlines[no].lstrip())]:
            # Gather the statement up to its closing semicolon.
            d = 0
            last = None
            for k in range(no, min(no + 8, len(mlines))):
                mk = mlines[k]
                d += mk.count("(") - mk.count(")")
                if d == 0 and mk.rstrip().endswith(";"):
                    last = k
                    break
                if d < 0 or (d == 0 and mk.rstrip().endswith(("{", "}"))):
                    break
            if last is not None:
                stmt = " ".join(mlines[k].strip() for k in range(no, last + 1))
                word = re.match(r"[\w~:]*", stmt).group(0)
                deletable = (
                    word not in NO_DELETE_WORDS
                    and re.match(r"[\w*~]|\+\+|--", stmt)
                    and ("(" in stmt or "=" in stmt or "++" in stmt or "--" in stmt
                         or word in STATEMENT_VERBS)
                    and (word in STATEMENT_VERBS or not DECL_START.match(stmt))
                    and not re.search(r"=\s*(default|delete)\s*;", stmt)
                    and stmt.count("{") == stmt.count("}")
                )
                if deletable:
                    col = len(lines[no]) - len(lines[no].lstrip())
                    a = offsets[no] + col
                    b = offsets[last] + len(lines[last].rstrip())
                    original = " ".join(lines[k].strip() for k in range(no, last + 1))
                    out.append(Mutant(path, no + 1, col + 1, "delete", a, b, "{}", original, DELETED))
        depth += mlines[no].count("(") - mlines[no].count(")")
        depth = max(depth, 0)
        prev_end = m
        no += 1

    out.sort(key=lambda mu: (mu.line, mu.col, mu.op, mu.mutated))
    # The same change on identical lines (`return true;`) is told apart by order.
    seen = {}
    for mu in out:
        seen[(mu.original, mu.mutated)] = mu.nth = seen.get((mu.original, mu.mutated), 0) + 1
    for mu in out:
        mu.of = seen[(mu.original, mu.mutated)]
    return out


def source_files():
    files = []
    for folder in FOLDERS:
        top = os.path.join(ROOT, folder)
        if not os.path.isdir(top):
            continue  # a layer this checkout does not have (yet) holds nothing to mutate
        for dirpath, _, names in os.walk(top):
            for name in names:
                rel = os.path.relpath(os.path.join(dirpath, name), ROOT)
                if name.endswith((".cpp", ".h")) and rel not in UNTESTABLE:
                    files.append(rel)
    return sorted(files)


def all_mutants(files):
    result = []
    for rel in files:
        with open(os.path.join(ROOT, rel), encoding="utf-8") as f:
            result.extend(generate(rel, f.read()))
    return result


def sample(mutants, limit, seed):
    """A reproducible sample, each folder getting its proportional share."""
    if limit is None or limit >= len(mutants):
        return list(mutants)
    rng = random.Random(seed)
    groups = {}
    for mu in mutants:
        groups.setdefault(mu.path.split("/")[0], []).append(mu)
    total = len(mutants)
    quota = {g: limit * len(v) // total for g, v in groups.items()}
    # Largest remainders get the leftover places; no folder is left out.
    rest = sorted(groups, key=lambda g: (-(limit * len(groups[g]) % total), g))
    for g in rest:
        if sum(quota.values()) >= limit:
            break
        quota[g] += 1
    for g in groups:
        if quota[g] == 0 and limit >= len(groups):
            donor = max(quota, key=lambda k: quota[k])
            quota[donor] -= 1
            quota[g] = 1
    chosen = []
    for g in sorted(groups):
        chosen.extend(rng.sample(groups[g], min(quota[g], len(groups[g]))))
    order = {id(mu): i for i, mu in enumerate(mutants)}
    return sorted(chosen, key=lambda mu: order[id(mu)])


# ---------------------------------------------------------------------------
# Equivalent mutants: blocks of `file:`, `from:`, `to:`, `why:` lines.

def read_equivalents(path):
    entries = {}
    if not os.path.exists(path):
        return entries
    block = {}

    def flush():
        if block:
            missing = {"file", "from", "to", "why"} - set(block)
            if missing:
                sys.exit(f"{path}: an entry lacks {', '.join(sorted(missing))}: {block}")
            nth = int(block.get("nth", "1"))
            entries[(block["file"], block["from"], block["to"], nth)] = block["why"]
            block.clear()

    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line.strip():
                flush()
                continue
            field, _, value = line.partition(":")
            if field.strip() not in ("file", "from", "to", "nth", "why"):
                sys.exit(f"{path}: unexpected line: {line}")
            block[field.strip()] = value.strip()
    flush()
    return entries


def tally(results):
    """Counts per outcome, the killed ones (time-outs included) and the scored
    ones: killed or survived. Equivalent, unbuildable and cosmetic mutants
    change no behaviour a test could check, so they stay out of the score."""
    counts = dict.fromkeys(OUTCOMES, 0)
    for _, outcome, _ in results:
        counts[outcome] += 1
    killed = counts["killed"] + counts["timed out"]
    return counts, killed, killed + counts["survived"]


def describe(mu, indent="    "):
    nth = f" (nth {mu.nth} of {mu.of} alike in the file)" if mu.of > 1 else ""
    return f"{mu.where()} [{mu.op}]{nth}\n{indent}- {mu.original}\n{indent}+ {mu.mutated}"


# ---------------------------------------------------------------------------
# Building and testing.

def run(cmd, cwd, timeout=None, env=None):
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, errors="replace", start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out, False
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return -1, out, True
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise


def configure(build, jobs):
    if os.path.exists(os.path.join(build, "CMakeCache.txt")):
        return
    cmd = ["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Debug", "-DNANAIRO_BENCH=OFF",
           # Nothing here is debugged: no optimisation, no debug info, fast links.
           "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -g0",
           # Qt and GoogleTest precompiled: a mutant then recompiles in seconds.
           "-DCMAKE_PROJECT_INCLUDE=" + os.path.join(ROOT, "tools", "mutate-pch.cmake")]
    if shutil.which("ninja"):
        cmd += ["-G", "Ninja"]
    for linker in ("lld", "gold"):
        if shutil.which("ld." + linker):
            cmd.append(f"-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld={linker}")
            break
    print("mutate: configuring", os.path.relpath(build, ROOT), flush=True)
    rc, out, _ = run(cmd, ROOT)
    if rc != 0:
        sys.exit(out + "\nmutate: configuring failed")


def build_tests(build, jobs):
    # The game itself too: the command-line tests run it.
    return run(["cmake", "--build", build, "-j", str(jobs), "--target", "core_tests", "ui_tests", "nanairobako"], ROOT)


# Checks of the sources' layout, not of what the program does: a mutant's
# own spacing would fail the format check and count as noticed, and under
# load its run over every file would time out and count as noticed too.
LAYOUT_CHECKS = "^(sources_formatted|layers_include_downwards)$"


def run_tests(build, jobs, test_timeout, total_timeout, verbose=False):
    """verbose adds every test's own output, where a test program that ctest
    runs whole reports what it skipped."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    rc, out, hung = run(["ctest", "--test-dir", build, "--stop-on-failure", "-j", str(jobs),
                         "--timeout", str(test_timeout), "-E", LAYOUT_CHECKS] + (["-V"] if verbose else []),
                        ROOT, timeout=total_timeout, env=env)
    timed_out = hung or "***Timeout" in out
    return rc, out, timed_out


# ctest's result line for a test GoogleTest skipped (GTEST_SKIP) or one that is
# disabled; and GoogleTest's own line, which the verbose output prefixes with
# the test's number.
CTEST_NOT_RUN = re.compile(r"Test\s+#\d+: (\S+) [^\n]*?\*\*\*(?:Skipped|Not Run)")
GTEST_SKIPPED = re.compile(r"^(?:\d+: )?\[  SKIPPED \] ([\w/]+\.[\w/]+)", re.M)


def not_run(out):
    """The tests a passing ctest run did not really run. ctest counts them as
    passed, yet they can never kill a mutant."""
    return sorted(set(CTEST_NOT_RUN.findall(out)) | set(GTEST_SKIPPED.findall(out)))


class Workspace:
    """Puts a mutant into the tree and always takes it out again."""

    def __init__(self, build):
        self.backup_dir = os.path.join(build, "mutate-backup")
        os.makedirs(self.backup_dir, exist_ok=True)

    def backup_path(self, rel):
        return os.path.join(self.backup_dir, rel.replace("/", "__"))

    def recover(self):
        """A run killed hard may have left a mutant in place: put the backup back,
        but only over the exact mutant it recorded."""
        for name in os.listdir(self.backup_dir):
            if not name.endswith(".orig"):
                continue
            stem = name[:-len(".orig")]
            rel = stem.replace("__", "/")
            orig = os.path.join(self.backup_dir, name)
            planted = os.path.join(self.backup_dir, stem + ".mutant")
            target = os.path.join(ROOT, rel)
            current = open(target, "rb").read()
            if current == open(orig, "rb").read():
                pass  # stopped before the mutant was written, or after it was undone
            elif os.path.exists(planted) and current == open(planted, "rb").read():
                shutil.copyfile(orig, target)
                print(f"mutate: restored {rel} left mutated by an interrupted run", flush=True)
            else:
                print(f"mutate: {rel} changed since an interrupted run; its backup is kept in {orig}",
                      flush=True)
                continue
            os.remove(orig)
            if os.path.exists(planted):
                os.remove(planted)

    def plant(self, mu):
        target = os.path.join(ROOT, mu.path)
        with open(target, "rb") as f:
            original = f.read()
        text = original.decode("utf-8")
        mutated = (text[:mu.start] + mu.replacement + text[mu.end:]).encode("utf-8")
        stem = self.backup_path(mu.path)
        with open(stem + ".orig", "wb") as f:
            f.write(original)
        with open(stem + ".mutant", "wb") as f:
            f.write(mutated)
        return target, original, mutated, stem

    def write(self, target, data):
        with open(target, "wb") as f:
            f.write(data)

    def restore(self, target, original, stem):
        self.write(target, original)
        with open(target, "rb") as f:
            if f.read() != original:
                raise RuntimeError(f"could not restore {target}; backup in {stem}.orig")
        os.remove(stem + ".mutant")
        os.remove(stem + ".orig")


def print_not_run(skipped, build):
    """Skipped tests read as passed in ctest's count: say plainly they did not run."""
    if not skipped:
        return
    print(f"mutate: NOT RUN in the unchanged suite (skipped, so they can kill no mutant): {len(skipped)}; "
          f"why: ctest --test-dir {os.path.relpath(build, ROOT)} -V -R NAME", flush=True)
    for name in skipped:
        print(f"mutate:   not run: {name}", flush=True)


# ---------------------------------------------------------------------------
# One sample per seed.

# Each seed's sample with --seeds and no --limit: some 250 behaviour mutants,
# a score good to a few points, and two seeds show how far it moves.
SEEDS_LIMIT = 300


def seed_list(text):
    """--seeds 1,2 -> [1, 2]."""
    try:
        seeds = [int(part) for part in text.split(",")]
    except ValueError:
        raise argparse.ArgumentTypeError(f"seeds are whole numbers separated by commas, not {text!r}")
    if len(set(seeds)) != len(seeds):
        raise argparse.ArgumentTypeError(f"a seed given twice draws the same sample twice: {text}")
    return seeds


@dataclass
class SampleRun:
    """One seed's sample and what became of it."""
    seed: int
    mutants: list
    results: list    # (mutant, outcome, seconds), in the sample's order
    reused: int = 0  # outcomes taken over from an earlier seed's sample
    seconds: float = 0.0
    interrupted: bool = False


def list_sample(mutants, equivalents):
    for i, mu in enumerate(mutants, 1):
        eq = "  (equivalent)" if mu.key() in equivalents else ""
        eq += f"  ({COSMETIC})" if cosmetic(mu) else ""
        print(f"{i:5} {describe(mu, '      ')}{eq}")
    print(f"{len(mutants)} mutants in {len({mu.path for mu in mutants})} files, "
          f"of which {sum(map(cosmetic, mutants))} {COSMETIC} (not run, not scored)")


# An "All results" entry of a report: outcome, seconds, then describe()'s lines.
REPORT_ENTRY = re.compile(r"^(killed|timed out|did not build) +\(\d+ s\) (\S+?):\d+:\d+ \[[^]]+\]"
                          r"(?: \(nth (\d+) of \d+ alike in the file\))?\n +- (.*)\n +\+ (.*)$", re.M)


def earlier_kills(path):
    """Mutant.key() -> outcome of every mutant an earlier report found killed,
    timed out or unbuildable. While the sources stay the same and tests are
    only added, such a mutant cannot survive now, so it need not be rebuilt;
    a source that changed gives its mutants other keys, and they run again."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    return {(m[2], m[4], m[5], int(m[3] or 1)): m[1] for m in REPORT_ENTRY.finditer(text)}


def run_mutant(mu, ws, build, args, equivalents, total_timeout):
    """Plants the mutant, builds and runs the suite, and always puts the
    original back. Returns the outcome."""
    target, original, mutated, stem = ws.plant(mu)
    try:
        ws.write(target, mutated)
        rc, _, _ = build_tests(build, args.jobs)
        if rc != 0:
            return "did not build"
        rc, _, timed_out = run_tests(build, args.jobs, args.timeout, total_timeout)
        if timed_out:
            return "timed out"
        if rc != 0:
            return "killed"
        return "equivalent" if mu.key() in equivalents else "survived"
    finally:
        ws.restore(target, original, stem)


def run_sample(run, ws, build, args, equivalents, total_timeout, known):
    """Fills run.results. A mutant an earlier seed's sample ran already (its
    outcome in known, keyed by Mutant.key) is not built again: the sources
    are the same, and so is the outcome."""
    began = time.monotonic()
    n = len(run.mutants)
    try:
        for i, mu in enumerate(run.mutants, 1):
            head = f"[seed {run.seed}: {i}/{n}]" if args.seeds else f"[{i}/{n}]"
            if cosmetic(mu):
                run.results.append((mu, COSMETIC, 0.0))
                print(f"{head} {COSMETIC.upper()} {mu.where()} {mu.op} (not run)", flush=True)
                continue
            t0 = time.monotonic()
            if mu.key() in known:
                outcome, note = known[mu.key()], "as in an earlier sample or report"
                run.reused += 1
            else:
                outcome = known[mu.key()] = run_mutant(mu, ws, build, args, equivalents, total_timeout)
                note = f"{time.monotonic() - t0:.0f} s"
            secs = time.monotonic() - t0
            run.results.append((mu, outcome, secs))
            print(f"{head} {outcome.upper():13} {mu.where()} {mu.op} ({note})", flush=True)
            if outcome == "survived":
                print("      " + describe(mu, "      "), flush=True)
    except KeyboardInterrupt:
        run.interrupted = True
        print("\nmutate: interrupted; the sources are restored", flush=True)
    run.seconds = time.monotonic() - began


def label(run, limit):
    return f"seed {run.seed}" if limit else "every mutant"


def score_of(run):
    """(killed, scored, percentage) of the sample's behaviour mutants."""
    _, killed, scored = tally(run.results)
    return killed, scored, 100.0 * killed / scored if scored else 0.0


def summary(run, limit):
    counts, _, _ = tally(run.results)
    killed, scored, score = score_of(run)
    ran = len(run.results) - counts[COSMETIC]
    built = ran - run.reused
    reused = f", {run.reused} of them as in an earlier sample or report" if run.reused else ""
    return (
        f"mutants run: {ran}{' (interrupted)' if run.interrupted else ''} of "
        f"{len(run.mutants) - sum(map(cosmetic, run.mutants))}"
        f"{f' (sample of {limit}, seed {run.seed})' if limit else ''}{reused}\n"
        f"killed: {killed} (of which timed out: {counts['timed out']})\n"
        f"survived: {counts['survived']}\n"
        f"equivalent: {counts['equivalent']}\n"
        f"did not build: {counts['did not build']}\n"
        f"{COSMETIC}: {counts[COSMETIC]} (one-pixel moves; listed, not run, not scored)\n"
        f"killed / (killed + survived): {killed}/{scored} = {score:.1f} %\n"
        f"run time: {run.seconds / 60:.1f} min, {run.seconds / built if built else 0:.1f} s per mutant built\n")


def summary_line(run, limit):
    """One line per seed, to set the seeds' scores side by side."""
    counts, _, _ = tally(run.results)
    killed, scored, score = score_of(run)
    return (f"{label(run, limit)}: killed {killed}/{scored} = {score:.1f} % "
            f"of the behaviour mutants (not scored: {counts['equivalent']} equivalent, "
            f"{counts['did not build']} did not build, {counts[COSMETIC]} {COSMETIC}); "
            f"{run.seconds / 60:.1f} min{' (interrupted)' if run.interrupted else ''}")


def write_report(path, runs, limit, skipped, setup):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write("Mutation run: " + " ".join(sys.argv[1:]) + "\n\n")
        f.write(f"building and running the unchanged suite: {setup / 60:.1f} min\n")
        for run in runs:
            f.write(summary_line(run, limit) + "\n")
        f.write(f"\nTests NOT RUN ({len(skipped)}): the unchanged suite skipped them; they pass "
                f"whatever the mutant\n\n")
        for name in skipped:
            f.write(f"NOT RUN  {name}\n")
        for run in runs:
            f.write(f"\n=== {label(run, limit)}\n\n" + summary(run, limit) + "\n")
            survivors = [mu for mu, o, _ in run.results if o == "survived"]
            f.write(f"Survivors ({len(survivors)}): a test should fail for each, or it goes into "
                    f"{EQUIVALENT_FILE} with the reason\n\n")
            for mu in survivors:
                f.write(describe(mu) + "\n\n")
            moved = [mu for mu, o, _ in run.results if o == COSMETIC]
            f.write(f"Cosmetic geometry ({len(moved)}): one pixel off, not run, not scored\n\n")
            for mu in moved:
                f.write(describe(mu) + "\n\n")
            f.write("All results\n\n")
            for mu, o, secs in run.results:
                f.write(f"{o:17} ({secs:.0f} s) {describe(mu)}\n")


def main():
    ap = argparse.ArgumentParser(description="Mutation testing for " + ", ".join(f + "/" for f in FOLDERS[:-1])
                                 + " and " + FOLDERS[-1] + "/.")
    ap.add_argument("--limit", type=int, metavar="N",
                    help=f"run a sample of N mutants (with --seeds, N for each seed; default {SEEDS_LIMIT} there)")
    which = ap.add_mutually_exclusive_group()
    # No default here: argparse would take an explicit --seed 1 for none beside --seeds.
    which.add_argument("--seed", type=int, help="seed of the sample (default 1)")
    which.add_argument("--seeds", type=seed_list, metavar="S1,S2,...",
                       help="one sample per seed, run one after the other, each with its own score")
    ap.add_argument("--files", nargs="+", metavar="GLOB",
                    help="only these sources (paths or globs relative to the repository)")
    ap.add_argument("--list", action="store_true", help="list the mutants (each seed's sample) and stop")
    ap.add_argument("--build", default="build-mutate", help="build tree (default build-mutate)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    ap.add_argument("--timeout", type=int, default=20,
                    help="seconds per test before the mutant counts as killed by a time-out (default 20)")
    ap.add_argument("--report", help="report file (default BUILD/mutants-report.txt)")
    ap.add_argument("--again", metavar="REPORT",
                    help="reuse REPORT's killed, timed-out and unbuildable outcomes and run only the "
                         "rest (for sources unchanged since REPORT, with tests only added)")
    ap.add_argument("--self-test", action="store_true", help="check the mutant generator and stop")
    args = ap.parse_args()

    if args.self_test:
        return self_test()

    files = source_files()
    if args.files:
        wanted = [os.path.normpath(g) for g in args.files]
        files = [f for f in files if any(fnmatch.fnmatch(f, g) or f == g or f.startswith(g.rstrip("/") + "/")
                                         for g in wanted)]
        if not files:
            sys.exit("mutate: --files matched no source")
    everything = all_mutants(files)
    limit = SEEDS_LIMIT if args.seeds and args.limit is None else args.limit
    seeds = args.seeds or [1 if args.seed is None else args.seed]
    # The samples are drawn from the behaviour mutants, so that each scores
    # `limit` of them; the cosmetic ones of the whole set are only counted.
    behaviour = [mu for mu in everything if not cosmetic(mu)]
    print(f"mutate: {len(everything)} mutants, {len(everything) - len(behaviour)} of them {COSMETIC} "
          f"(neither run nor scored)")
    runs = [SampleRun(seed, sample(behaviour, limit, seed), []) for seed in seeds]
    equivalents = read_equivalents(os.path.join(ROOT, EQUIVALENT_FILE))
    if not args.files:
        known = {mu.key() for mu in everything}
        for key in equivalents:
            if key not in known:
                print(f"mutate: {EQUIVALENT_FILE}: no longer matches a mutant (the code changed?): "
                      f"{key[0]}: {key[1]} -> {key[2]}", file=sys.stderr)

    if args.list:
        for run in runs:
            if args.seeds:
                print(f"=== seed {run.seed}")
            list_sample(run.mutants, equivalents)
        for rel, why in UNTESTABLE.items():
            print(f"not mutated: {rel} ({why})")
        return 0

    build = os.path.join(ROOT, args.build)
    report_path = args.report or os.path.join(build, "mutants-report.txt")
    # SIGTERM ends the run the same way Ctrl-C does, through run_mutant's finally.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))

    configure(build, args.jobs)
    ws = Workspace(build)
    ws.recover()
    began = time.monotonic()
    print("mutate: building and running the unchanged suite", flush=True)
    rc, out, _ = build_tests(build, args.jobs)
    if rc != 0:
        sys.exit(out + "\nmutate: the unchanged sources do not build")
    t0 = time.monotonic()
    rc, out, _ = run_tests(build, args.jobs, args.timeout, None, verbose=True)
    baseline = time.monotonic() - t0
    if rc != 0:
        sys.exit(out + "\nmutate: the unchanged suite fails; fix it first")
    total_timeout = max(120, int(baseline * 5))
    skipped = not_run(out)
    setup = time.monotonic() - began
    print(f"mutate: the suite passes in {baseline:.1f} s; "
          + ", ".join(f"{len(run.mutants)} mutants for seed {run.seed}" if args.seeds else
                      f"{len(run.mutants)} mutants" for run in runs) + " to run", flush=True)
    print_not_run(skipped, build)

    # Mutant.key() -> outcome, shared by the seeds' samples
    known = earlier_kills(args.again) if args.again else {}
    done = []
    for run in runs:
        run_sample(run, ws, build, args, equivalents, total_timeout, known)
        done.append(run)
        write_report(report_path, done, limit, skipped, setup)
        print(f"\n{f'seed {run.seed}: ' if args.seeds else ''}" + summary(run, limit), flush=True)
        if run.interrupted:
            break

    print(f"building and running the unchanged suite: {setup / 60:.1f} min")
    print(f"tests NOT RUN (skipped by the unchanged suite, so they kill nothing): {len(skipped)}")
    for run in done:
        print(summary_line(run, limit))
    print(f"report: {os.path.relpath(report_path, ROOT)}", flush=True)
    return 130 if done[-1].interrupted else 0


# ---------------------------------------------------------------------------

SELF_TEST_SOURCE = r'''#include "a<b.h"
#pragma once
// if (a == b) return true;
/* x && y
   z[i] = 3; */
constexpr int kInterval = 200;
std::vector<int> values;
int table[4];
bool f(int a, int b, const QString &s)
{
    if (a == b && !s.isEmpty())
        return true;
    const QString t = QStringLiteral("こんにちは、") + "a == b" + u'&';
    counts_[a] += b >= 3 ? 1 : 0;
    connect(button, &QPushButton::clicked,
            this, &Form::onClick);
    std::cout << a << (b > 0.5);
    return t.size() < 10 || false;
}
'''


def self_test():
    mutants = generate("app/x.cpp", SELF_TEST_SOURCE)
    got = {(mu.line, mu.op, mu.original, mu.mutated) for mu in mutants}
    text = SELF_TEST_SOURCE.split("\n")

    def has(line, op, mutated):
        return (line, op, text[line - 1].strip(), mutated) in got

    failures = []

    def expect(cond, what):
        if not cond:
            failures.append(what)

    expect(not any(mu.line <= 5 for mu in mutants), "comments, #include and #pragma are left alone")
    expect(has(6, "constant", "constexpr int kInterval = 2000;"), "a constant changes tenfold")
    expect(has(6, "int+1", "constexpr int kInterval = 201;"), "an integer goes up by one")
    geometry = generate("x.cpp", "void f()\n{\n    w->move(px(120), twips(2520, 120, 7, 3) + 1);\n}\n")
    expect({mu.mutated for mu in geometry if cosmetic(mu)}
           == {"w->move(px(135), twips(2520, 120, 7, 3) + 1);", "w->move(px(105), twips(2520, 120, 7, 3) + 1);",
               "w->move(px(120), twips(2535, 120, 7, 3) + 1);", "w->move(px(120), twips(2505, 120, 7, 3) + 1);",
               "w->move(px(120), twips(2520, 135, 7, 3) + 1);", "w->move(px(120), twips(2520, 105, 7, 3) + 1);",
               "w->move(px(120), twips(2520, 120, 22, 3) + 1);", "w->move(px(120), twips(2520, 120, 7, 18) + 1);"}
           and any(mu.op == "int+1" and mu.mutated.endswith("+ 2);") for mu in geometry),
           "geometry in twips moves by a pixel (15 twips), other numbers by one")
    expect(not any(cosmetic(mu) for mu in mutants), "only geometry moves are cosmetic")
    expect(not any(mu.line in (7, 8) for mu in mutants), "declaration-only lines are left alone")
    expect(has(11, "compare", "if (a != b && !s.isEmpty())"), "== becomes !=")
    expect(has(11, "logic", "if (a == b || !s.isEmpty())"), "&& becomes ||")
    expect(has(11, "negate", "if (a == b && s.isEmpty())"), "a negation goes")
    expect(has(12, "bool", "return false;"), "true becomes false")
    expect(has(13, "string", 'const QString t = QStringLiteral("こんにちは") + "a == b" + u\'&\';'),
           "a string loses its last character")
    expect(not any(mu.line == 13 and mu.op == "compare" for mu in mutants), "no operator inside a string")
    expect(not any(mu.line == 13 and mu.op == "delete" for mu in mutants), "declarations are not deleted")
    expect(has(14, "index+1", "counts_[a + 1] += b >= 3 ? 1 : 0;"), "an index moves by one")
    expect(has(14, "compare", "counts_[a] += b > 3 ? 1 : 0;"), ">= becomes >")
    expect(has(14, "delete", DELETED), "an assignment is deleted")
    expect((15, "delete", "connect(button, &QPushButton::clicked, this, &Form::onClick);", DELETED) in got,
           "a connect over two lines is deleted whole")
    expect(all(mu.col == 26 for mu in mutants if mu.line == 17 and mu.op == "compare")
           and has(17, "compare", "std::cout << a << (b >= 0.5);"), "<< is no comparison; > is")
    expect(has(17, "constant", "std::cout << a << (b > 1.0);"), "a fraction doubles")
    expect(has(18, "compare", "return t.size() <= 10 || false;"), "< becomes <=")
    expect(not any(mu.line == 18 and mu.op == "delete" for mu in mutants), "return is not deleted")
    expect(mutants == generate("app/x.cpp", SELF_TEST_SOURCE), "generation is deterministic")
    mu = next(m for m in mutants if m.op == "delete" and m.line == 15)
    planted = SELF_TEST_SOURCE[:mu.start] + mu.replacement + SELF_TEST_SOURCE[mu.end:]
    expect("    {}\n    std::cout" in planted, "a deleted statement leaves an empty block")

    branches = generate("x.cpp", "#ifdef Q_OS_WIN\nint a = 5;\n#else\nint b = 5;\n#endif\nint c = 5;\n")
    expect({mu.line for mu in branches} == {4, 6}, "code only Windows compiles is left alone")
    expect(not any(mu.op == "int+1" for mu in generate("x.h", "struct A {\n    virtual void f() = 0;\n};\n")),
           "a pure virtual function's = 0 stays")

    pool = [Mutant(f"{folder}/x.cpp", k, 1, "int+1", 0, 1, "1", f"int a = {k};", f"int a = {k + 1};")
            for folder, n in (("app", 50), ("engine", 30), ("types", 3)) for k in range(1, n + 1)]
    picked = sample(pool, 10, 1)
    share = {f: sum(mu.path.startswith(f + "/") for mu in picked) for f in ("app", "engine", "types")}
    expect(len(picked) == 10 and share["app"] > share["engine"] > 0 and share["types"] > 0
           and picked == sorted(picked, key=pool.index),
           "a sample gives each folder its share, the smallest one too, in the files' order")
    expect(picked == sample(pool, 10, 1) and picked != sample(pool, 10, 2), "the seed alone decides the sample")

    outcomes = [(None, o, 0.0) for o in ("killed", "timed out", "survived", "equivalent", COSMETIC, COSMETIC)]
    counts, killed, scored = tally(outcomes)
    expect((killed, scored, counts[COSMETIC]) == (2, 3, 2),
           "a time-out kills; equivalent and cosmetic mutants are counted apart from the score")

    ctest_output = """\
    Start 2: SaveSafety.FullDiskLeavesTheFileAsItWas
2: [  SKIPPED ] SaveSafety.FullDiskLeavesTheFileAsItWas (3 ms)
2: [  SKIPPED ] 1 test, listed below:
2/5 Test #2: SaveSafety.FullDiskLeavesTheFileAsItWas ...***Skipped   0.02 sec
2/5 Test #1: Suite.passes ......................................   Passed    0.04 sec
4: [  SKIPPED ] Inner.case/0 (1 ms)
4/5 Test #5: off ...............................................***Not Run (Disabled)   0.00 sec
5/5 Test #4: whole_program .....................................   Passed    0.03 sec

100% tests passed, 0 tests failed out of 4
"""
    expect(not_run(ctest_output) == ["Inner.case/0", "SaveSafety.FullDiskLeavesTheFileAsItWas", "off"],
           "skipped and disabled tests are found, each once, and passing ones are not")

    import tempfile
    entries = [("killed", mutants[0]), ("survived", mutants[1]), ("did not build", mutants[2])]
    dup = Mutant("x.cpp", 1, 1, "int+1", 0, 1, "6", "int a = 5;", "int a = 6;", 2, 3)
    entries.append(("timed out", dup))
    with tempfile.NamedTemporaryFile("w", suffix=".txt", encoding="utf-8", delete=False) as f:
        f.write("All results\n\n" + "".join(f"{o:17} (3 s) {describe(m)}\n" for o, m in entries))
    reused = earlier_kills(f.name)
    os.unlink(f.name)
    expect(reused == {mutants[0].key(): "killed", mutants[2].key(): "did not build", dup.key(): "timed out"},
           "a report's kills are reused, nth included; its survivors run again")

    for f in failures:
        print("self-test FAILED:", f)
    if failures:
        for mu in mutants:
            print(f"  {mu.line}:{mu.col} {mu.op}: {mu.original!r} -> {mu.mutated!r}")
        return 1
    print(f"self-test passed ({len(mutants)} mutants from the sample)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
