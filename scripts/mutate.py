#!/usr/bin/env python3
"""Mutation testing of src/ by the native test suite.

Applies single-token changes to the C++ code the native build compiles, one at a time, rebuilds
(build/mutate: Debug, no sanitizers) and runs the tests whose programs changed and that run the
changed line (by a --coverage build of the same tree in build/coverage; slow GoogleTest programs
case by case), fastest first, up to the first failure. A change the suite fails on (or times out on) is caught; one that does not compile
or leaves every program as it was is left out of the count. The chosen changes are written to a
list that a later run replays exactly (--list-in), so that two test suites can be compared on the
same changes:

  scripts/mutate.py --count 150 --list-out before.json --results before.tsv
  scripts/mutate.py --list-in before.json --results after.tsv     # after tests were removed
  scripts/mutate.py --compare before.tsv after.tsv

The file being changed is copied to build/mutate/backup.json first and put back after every
change, also on Ctrl-C; a run that was killed outright is mended by the next start.
"""
import argparse
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "mutate"
BACKUP = BUILD / "backup.json"
TEST_LOG = BUILD / "test.log"  # the output of the last test run
COVERAGE = ROOT / "build" / "coverage"
WINDOWS_ONLY = ("src/platform/win32/", "src/ui/win32/")
FLIP = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">", "&&": "||", "||": "&&"}
CONTROL = re.compile(r"(if|for|while|switch|catch|else|do|try)\b")


def mask(text):
    """The text with comments, literals' contents, preprocessor lines and static_asserts blanked
    (lengths and line breaks kept), so that changes are looked for in code only."""
    out, i, n = list(text), 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c == "R" and text.startswith('R"', i) and not text[i - 1 : i].isalnum():
            delim = text[i + 2 : text.find("(", i)]
            j = text.find(")" + delim + '"', i) + len(delim) + 2
        elif c in "\"'" and not (c == "'" and text[i - 1 : i].isalnum()):  # 1'000 is a number
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, j)
            i = j + 1
            continue
        elif c == "#" and text[text.rfind("\n", 0, i) + 1 : i].strip() == "":
            j = i
            while True:  # a directive runs on over lines ending in a backslash
                j = text.find("\n", j)
                if j < 0 or text[j - 1] != "\\":
                    j = n if j < 0 else j
                    break
                j += 1
        elif text.startswith("static_assert", i):
            j = text.find(";", i) + 1
        else:
            i += 1
            continue
        blank(i, j)
        i = j
    return "".join(out)


def matching_paren(s, start):
    depth = 0
    for k in range(start, len(s)):
        depth += {"(": 1, ")": -1}.get(s[k], 0)
        if depth == 0:
            return k
    return -1


def frame_for(head, parent):
    """(function kind, inside code) of the block a '{' opens, from the text before it."""
    h = " ".join(head.split())
    if re.search(r"->\s*bool\s*$", h):
        return ("bool", True)
    if h == "" or CONTROL.match(h):
        return parent
    if re.search(r"\]\s*(\(.*\))?\s*(mutable\s*)?(->.*)?$", h):
        return ("lambda", True)
    if re.search(r"\b(namespace|class|struct|union|enum)\b", h) and not h.endswith(")"):
        return (None, False)
    if re.search(r"\)\s*((const|override|final|noexcept)\s*)*$", h):
        bool_fn = re.search(r"(^|[\s*&])(bool\s+[\w:~]+|operator bool)\s*\(", h)
        return ("bool" if bool_fn else "other", True)
    return parent  # braces of an initialiser


def scan_frames(m):
    """For masked text m: per line, whether it lies in a function body; per offset of a 'return',
    the kind of the function it returns from."""
    stack, head_start, parens = [(None, False)], 0, 0
    line_in_code, returns = [False], {}
    for t in re.finditer(r"[{};()\n]|\breturn\b", m):
        tok, pos = t.group(), t.start()
        if tok == "\n":
            line_in_code.append(stack[-1][1])
        elif tok == "return":
            returns[pos] = stack[-1][0]
        elif tok in "()":
            parens = max(0, parens + (1 if tok == "(" else -1))
        elif tok == "{":
            stack.append(frame_for(m[head_start:pos], stack[-1]))
        elif tok == "}" and len(stack) > 1:
            stack.pop()
        if tok in "{}" or (tok == ";" and parens == 0):
            head_start = pos + 1
    return line_in_code, returns


def changes_in(rel, text):
    m = mask(text)
    lines, mlines = text.split("\n"), m.split("\n")
    line_in_code, returns = scan_frames(m)
    found, offset = [], 0

    def add(no, col, old, new, kind):
        found.append(dict(file=rel, line=no + 1, col=col, old=old, new=new, kind=kind,
                          text=lines[no]))

    for no, ml in enumerate(mlines):
        for t in re.finditer(r"(?<= )(==|!=|<=|>=|<|>|&&|\|\|)(?= )", ml):
            kind = "logic" if t.group() in ("&&", "||") else "comparison"
            add(no, t.start(), t.group(), FLIP[t.group()], kind)
        for t in re.finditer(r"\bif \(", ml):
            close = matching_paren(ml, t.end() - 1)
            cond = ml[t.end() : close]  # not one with a declaration or an assignment
            if close > 0 and ";" not in cond and not re.search(r"(?<![=!<>])=(?!=)", cond):
                cond = lines[no][t.end() : close]
                add(no, t.end() - 1, f"({cond})", f"(!({cond}))", "negate-if")
        for t in re.finditer(r"\b(true|false)\b", ml):
            add(no, t.start(), t.group(), "false" if t.group() == "true" else "true", "constant")
        for t in re.finditer(r"(?<![\w.'])(\d[\d']*)([uUlL]*)(?![\w.'])", ml):
            if ml[t.end() :].strip() == ";" and re.search(
                    r"\)\s*((const|override|noexcept)\s*)*=\s*$", ml[: t.start()]):
                continue  # "= 0;" of a pure virtual function
            value = int(t.group(1).replace("'", ""))
            new = {0: "1", 1: "0"}.get(value, str(value + 1)) + t.group(2)
            add(no, t.start(), t.group(), new, "constant")
        stmt = ml.strip()
        if line_in_code[no] and is_call_statement(stmt, mlines, no):
            start = ml.index(stmt)
            add(no, start, lines[no][start : start + len(stmt)], ";", "remove-call")
        for t in re.finditer(r"\breturn ([^;]+);", ml):
            if returns.get(offset + t.start()) == "bool" and t.group(1).strip() not in (
                    "true", "false"):
                expr = lines[no][t.start(1) : t.end(1)]
                add(no, t.start(), f"return {expr};", f"return !({expr});", "return-bool")
        offset += len(ml) + 1
    return found


def is_call_statement(stmt, mlines, no):
    """A whole expression statement that is a call: 'f(x);', 'a.b->c(x, y(z));'."""
    if not stmt.endswith(");") or "(" not in stmt:
        return False
    callee = stmt[: stmt.index("(")]
    if not re.fullmatch(r"\*?[A-Za-z_~][\w:]*((\.|->)~?[A-Za-z_]\w*|\[[^\]]*\])*", callee):
        return False
    if CONTROL.match(callee) or callee in ("return", "sizeof", "throw"):
        return False
    depth = 0
    for k, c in enumerate(stmt[:-1]):  # the parentheses close only at the end
        depth += {"(": 1, ")": -1}.get(c, 0)
        if depth == 0 and c == ")" and k != len(stmt) - 2 and stmt[k + 1] not in ".-(":
            return False
    if depth != 0:
        return False
    previous = next((mlines[k].strip() for k in range(no - 1, -1, -1) if mlines[k].strip()), "{")
    return previous[-1] in ";{})" or previous.endswith("else") or re.search(
        r"^(case\b.*|default|public|private|protected):$", previous) is not None


# ---- the build and the tests


def run(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def configure():
    if (BUILD / "CMakeCache.txt").exists():
        return
    # CMake takes a compiler launcher (ccache) from CMAKE_CXX_COMPILER_LAUNCHER in the environment.
    cmd = ["cmake", "-S", str(ROOT), "-B", str(BUILD), "-DCMAKE_BUILD_TYPE=Debug"]
    if shutil.which("ninja"):
        cmd += ["-G", "Ninja"]
    linker = next((ld for ld in ("lld", "gold") if shutil.which("ld." + ld)), None)
    if linker:
        cmd += [f"-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld={linker}"]
    out = run(cmd)
    if out.returncode:
        sys.exit(out.stdout + "\nconfiguring build/mutate failed")


def load_tests(build_dir=BUILD):
    info = json.loads(run(["ctest", "--test-dir", str(build_dir), "--show-only=json-v1"]).stdout)
    tests = []
    for t in info["tests"]:
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        env = dict(e.split("=", 1) for e in props.get("ENVIRONMENT", []))
        # What a test runs of ours: its program, programs named in its arguments, and programs
        # whose paths are written into it (the console tests start varokin-console).
        command = t.get("command", [])
        programs = {a for a in command if a.startswith(str(build_dir))}
        tests.append(dict(name=t["name"], command=command, cwd=props.get("WORKING_DIRECTORY"),
                          env=env, programs=programs))
    return tests


def embedded_programs(path):
    data = Path(path).read_bytes()
    found = set()
    for p in re.findall(re.escape(str(BUILD).encode()) + rb"/[\w./+-]+", data):
        p = p.decode()
        if os.path.isfile(p) and os.access(p, os.X_OK):
            found.add(p)
    return found


def split_slow(tests, durations, scratch):
    """Each slow GoogleTest program becomes one test per case, so that a change runs only the
    cases that run its line."""
    units = []
    for t in tests:
        listing = subprocess.run([t["command"][0], "--gtest_list_tests"], cwd=t["cwd"],
                                 env=dict(os.environ, **t["env"]), stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, text=True)
        if durations[t["name"]] < 15 or listing.returncode:
            units.append(t)
            continue
        suite = None
        for line in listing.stdout.splitlines():
            if m := re.match(r"(\S+)\.\s*(#.*)?$", line):
                suite = m.group(1)
            elif (m := re.match(r"  (\S+)", line)) and suite:
                case = dict(t, name=f"{t['name']}:{suite}.{m.group(1)}",
                            command=t["command"] + [f"--gtest_filter={suite}.{m.group(1)}"])
                began = time.time()
                if run_tests([case], scratch, lambda t: 600)[0] != "survived":
                    sys.exit(TEST_LOG.read_text()[-3000:] + f"\n{case['name']} fails alone")
                durations[case["name"]] = time.time() - began
                units.append(case)
    return units


def coverage_map(tests, scratch):
    """Per file and line of src/, the tests that run it, from a --coverage build of the same tree
    (build/coverage, as scripts/coverage.sh makes it): a change on a line that a test never runs
    cannot make that test fail."""
    # An object records the folder it was compiled in: ccache must neither share it between
    # folders nor make its paths relative.
    env = {k: v for k, v in os.environ.items() if k not in ("CCACHE_BASEDIR", "CCACHE_NOHASHDIR")}
    if not (COVERAGE / "CMakeCache.txt").exists():
        run(["cmake", "-S", str(ROOT), "-B", str(COVERAGE), "-DCMAKE_BUILD_TYPE=Debug",
             *(f"-D{v}=--coverage" for v in ("CMAKE_C_FLAGS", "CMAKE_CXX_FLAGS",
                                             "CMAKE_EXE_LINKER_FLAGS"))], env=env)
    out = run(["cmake", "--build", str(COVERAGE), "-j", "2"], env=env)
    if out.returncode:
        sys.exit(out.stdout[-3000:] + "\nthe coverage build failed")
    lines = {}
    for t in tests:
        t = dict(t, command=[a.replace(str(BUILD), str(COVERAGE)) for a in t["command"]],
                 cwd=t["cwd"] and t["cwd"].replace(str(BUILD), str(COVERAGE)))
        for old in COVERAGE.rglob("*.gcda"):
            old.unlink()
        if run_tests([t], scratch, lambda t: 600)[0] != "survived":
            sys.exit(TEST_LOG.read_text()[-3000:] + f"\n{t['name']} fails in build/coverage")
        gcda = [str(p) for p in COVERAGE.rglob("*.gcda")]
        reports = subprocess.run(["gcov", "--stdout", "--json-format", *gcda], cwd=scratch,
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        for report in map(json.loads, reports.stdout.splitlines()):
            for f in report["files"]:
                path = os.path.relpath(os.path.join(report["current_working_directory"],
                                                    f["file"]), ROOT)
                for line in f["lines"] if path.startswith("src/") else []:
                    runners = lines.setdefault((path, line["line_number"]), set())
                    if line["count"] > 0:
                        runners.add(t["name"])
    return lines


def build(targets):
    return run(["cmake", "--build", str(BUILD), "-j", "2", "--target", *targets], timeout=1800)


def source_files():
    """Files of src/ the build compiles: the sources and headers its objects depend on."""
    deps = run(["ninja", "-C", str(BUILD), "-t", "deps"]).stdout if shutil.which("ninja") else ""
    files = set()
    for line in deps.splitlines():
        if line.startswith("    "):
            p = os.path.normpath(os.path.join(BUILD, line.strip()))
            files.add(os.path.relpath(p, ROOT))
    if not files:  # without ninja's records: every source and header of src/
        files = {str(p.relative_to(ROOT)) for p in (ROOT / "src").rglob("*.[ch]*")}
    return sorted(f for f in files if f.startswith("src/") and not f.startswith(WINDOWS_ONLY)
                  and f.endswith((".cpp", ".h")))


class Digests:
    def __init__(self):
        self.cache = {}

    def __call__(self, path):
        st = os.stat(path)
        key = (path, st.st_mtime_ns, st.st_size)
        if key not in self.cache:
            self.cache[key] = hashlib.sha1(Path(path).read_bytes()).hexdigest()
        return self.cache[key]


def run_tests(tests, scratch, timeout_of):
    """Runs the tests in order until one fails: (result, test name)."""
    for t in tests:
        env = dict(os.environ, **t["env"], TMPDIR=scratch, XDG_RUNTIME_DIR=scratch,
                   GTEST_FAIL_FAST="1")
        with open(TEST_LOG, "w") as log:
            p = subprocess.Popen(t["command"], cwd=t["cwd"], env=env, stdout=log,
                                 stderr=subprocess.STDOUT, start_new_session=True)
        try:
            code = p.wait(timeout=timeout_of(t))
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait()
            return "timeout", t["name"]
        finally:
            try:
                os.killpg(p.pid, signal.SIGKILL)  # what the test left running
            except ProcessLookupError:
                pass
        if code != 0:
            return "caught", t["name"]
    return "survived", "-"


# ---- changing files


# Sources are taken byte for byte (line ends and any encoding kept).
def read(path):
    return Path(path).read_bytes().decode("latin-1")


def write(path, text):
    Path(path).write_bytes(text.encode("latin-1"))


def restore_leftover():
    if BACKUP.exists():
        saved = json.loads(BACKUP.read_text())
        write(ROOT / saved["file"], saved["text"])
        BACKUP.unlink()
        print(f"restored {saved['file']} left changed by an interrupted run")


def locate(change):
    """The line number of a change's line in today's file, or None when its text is gone."""
    path = ROOT / change["file"]
    if not path.exists():
        return None
    lines = read(path).split("\n")
    no = change["line"]
    if no <= len(lines) and lines[no - 1] == change["text"]:
        return no
    same = [k + 1 for k, line in enumerate(lines) if line == change["text"]]
    return same[0] if len(same) == 1 else None  # moved, but still one of a kind


class Changed:
    """The file with one change applied, put back on leaving (also on an exception)."""

    def __init__(self, change, no):
        self.change, self.no = change, no
        self.path = ROOT / change["file"]

    def __enter__(self):
        self.original = read(self.path)
        partial = BACKUP.with_suffix(".partial")  # a backup is whole or absent
        partial.write_text(json.dumps(dict(file=self.change["file"], text=self.original)))
        os.replace(partial, BACKUP)
        lines = self.original.split("\n")
        c, line = self.change, lines[self.no - 1]
        assert line[c["col"] : c["col"] + len(c["old"])] == c["old"], c
        lines[self.no - 1] = line[: c["col"]] + c["new"] + line[c["col"] + len(c["old"]) :]
        write(self.path, "\n".join(lines))

    def __exit__(self, *exc):
        write(self.path, self.original)
        BACKUP.unlink()


def describe(c):
    return f"{c['file']}:{c['line']}:{c['col'] + 1}\t{c['kind']}\t{c['old']} -> {c['new']}"


def read_results(path):
    """The rows of a results file by change (its place and text), with the result and test."""
    rows = {}
    for line in Path(path).read_text().splitlines():
        if line and not line.startswith("#"):
            f = line.split("\t")
            rows["\t".join(f[4:])] = dict(id=f[0], result=f[1], test=f[2])
    return rows


def compare(old_path, new_path):
    old, new = read_results(old_path), read_results(new_path)
    for name, rows in (("old", old), ("new", new)):
        tried = [r for r in rows.values() if r["result"] in ("caught", "timeout", "survived")]
        caught = [r for r in tried if r["result"] != "survived"]
        print(f"{name}: {len(caught)} caught of {len(tried)} tried")
    lost = [k for k, r in old.items() if r["result"] in ("caught", "timeout")
            and new.get(k, {}).get("result") not in ("caught", "timeout")]
    print(f"caught before, not after: {len(lost)}")
    for k in lost:
        print(f"  #{old[k]['id']} {k} (by {old[k]['test']}; now "
              f"{new.get(k, {}).get('result', 'not tried')})")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=150)
    ap.add_argument("--list-out", default=str(BUILD / "changes.json"))
    ap.add_argument("--list-in", help="replay the changes of an earlier --list-out")
    ap.add_argument("--results", default=str(BUILD / "results.tsv"))
    ap.add_argument("--list-only", action="store_true", help="choose the changes, run nothing")
    ap.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"))
    ap.add_argument("--no-coverage", action="store_true",
                    help="run every test whose program changed, not only those that run the line")
    args = ap.parse_args()
    if args.compare:
        return compare(*args.compare)

    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):  # each puts the file back
        signal.signal(sig, signal.default_int_handler)
    BUILD.mkdir(parents=True, exist_ok=True)
    restore_leftover()
    configure()
    tests = load_tests()
    if any(not t["command"] for t in tests):  # ctest names a test's program once it is built
        out = run(["cmake", "--build", str(BUILD), "-j", "2"], timeout=3600)
        if out.returncode:
            sys.exit(out.stdout[-3000:] + "\nthe unchanged tree does not build")
        tests = load_tests()
    # The test programs, and every program and library of src/ (a change must compile in all).
    commands = json.loads((BUILD / "compile_commands.json").read_text())
    targets = sorted({os.path.basename(p) for t in tests for p in t["programs"]} | {
        m.group(1) for c in commands
        if (m := re.search(r" -o src/\S*/CMakeFiles/([\w-]+)\.dir/", c["command"]))})
    started = time.time()
    out = build(targets)
    if out.returncode:
        sys.exit(out.stdout[-3000:] + "\nthe unchanged tree does not build")

    if args.list_in:
        changes = json.loads(Path(args.list_in).read_text())
    else:
        every = [c for f in source_files() for c in changes_in(f, read(ROOT / f))]
        changes = random.Random(args.seed).sample(every, min(args.count, len(every)))
        changes.sort(key=lambda c: (c["file"], c["line"], c["col"]))  # one file after the other
        print(f"{len(every)} possible changes; chose {len(changes)} at seed {args.seed}")
    if args.list_out and args.list_out != args.list_in:
        Path(args.list_out).write_text(json.dumps(changes, indent=1) + "\n")
    if args.list_only:
        for k, c in enumerate(changes):
            print(f"{k}\t{describe(c)}")
        return

    digest = Digests()
    scratch = tempfile.mkdtemp(prefix="varokin-mutate.", dir="/dev/shm" if os.access(
        "/dev/shm", os.W_OK) else None)  # the settings store syncs every write: tmpfs is faster
    durations = {}
    for t in tests:
        t["programs"] |= {e for p in t["programs"] for e in embedded_programs(p)}
        for attempt in range(2):  # a timing test may fail once on a busy machine
            began = time.time()
            result, _ = run_tests([t], scratch, lambda t: 600)
            durations[t["name"]] = time.time() - began
            if result == "survived":
                break
            print(f"{t['name']} failed without any change; trying once more", flush=True)
        if result != "survived":
            sys.exit(TEST_LOG.read_text()[-3000:] + f"\n{t['name']} fails without any change")
    tests = sorted(split_slow(tests, durations, scratch), key=lambda t: durations[t["name"]])
    programs = {str(p) for name in targets for p in BUILD.rglob(name)
                if p.is_file() and os.access(p, os.X_OK)}
    baseline = {p: digest(p) for p in programs | {p for t in tests for p in t["programs"]}}
    print(f"suite without changes: {len(tests)} tests (slow programs split into their cases), "
          f"{sum(durations[t['name']] for t in tests):.0f} s")
    cover = None if args.no_coverage else coverage_map(tests, scratch)
    print(f"set-up {time.time() - started:.0f} s")

    counts, survivors, loop_start = {}, [], time.time()
    with open(args.results, "w") as results:
        results.write("# id\tresult\ttest\tseconds\tfile:line\tkind\tchange\n")
        try:
            for k, c in enumerate(changes):
                began, test = time.time(), "-"
                no = locate(c)
                if no is None:
                    result = "stale"
                else:
                    with Changed(c, no):
                        out = build(targets)
                        if out.returncode:
                            result = "build-failed"
                        else:
                            changed = {p for p in baseline if digest(p) != baseline[p]}
                            # Code run only in a forked child leaves no record: a line no test
                            # is known to run is tried with every test.
                            runners = (cover or {}).get((c["file"], no)) or None
                            chosen = [t for t in tests if t["programs"] & changed and (
                                runners is None or t["name"] in runners)]
                            result, test = run_tests(chosen, scratch, lambda t: 3 * durations[
                                t["name"]] + 15)
                            if not changed:  # not compiled here (#ifdef), or the same code
                                result = "unchanged"
                            elif result == "survived":
                                test = f"{len(chosen)} run"
                counts[result] = counts.get(result, 0) + 1
                seconds = time.time() - began
                results.write(f"{k}\t{result}\t{test}\t{seconds:.1f}\t{describe(c)}\n")
                results.flush()
                if result == "survived":
                    survivors.append(f"#{k} {describe(c)}")
                print(f"[{k + 1}/{len(changes)}] {result:12} {seconds:5.1f} s  {test:16} "
                      f"{describe(c)}", flush=True)
        finally:
            shutil.rmtree(scratch, ignore_errors=True)

    elapsed = time.time() - loop_start
    caught = counts.get("caught", 0) + counts.get("timeout", 0)
    tried = caught + counts.get("survived", 0)
    print("survived:\n  " + "\n  ".join(survivors) if survivors else "survived: none")
    print(f"tried {tried}, caught {caught}" + (f" ({100 * caught / tried:.0f}%)" if tried else "")
          + ", " + ", ".join(f"{v} {k}" for k, v in sorted(counts.items())))
    print(f"{elapsed:.0f} s for {len(changes)} changes, {elapsed / max(1, len(changes)):.1f} s each;"
          f" results in {args.results}")


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("interrupted; the changed file was put back")
