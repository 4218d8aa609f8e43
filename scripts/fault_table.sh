#!/usr/bin/env bash
# Plants deliberate faults in the program one at a time and records whether the test
# suite catches each: a table of id, description, result (caught / missed / build error /
# ambiguous / not found) and the first failing test, with "caught N of M valid".
#
# usage: scripts/fault_table.sh BUILD_DIR [IDS...]
#   BUILD_DIR  a build directory (configured here when it holds none, tests on, benchmarks off)
#   IDS        fault ids from the list (default: all)
# environment:
#   FAULTS         the fault list (default scripts/faults.tsv): tab-separated id, description,
#                  original text, replacement; \n, \t and \\ stand for a line end, a tab, a backslash.
#                  A later row with the same id gives the same fault in other words (code that has
#                  moved or changed shape); the first text found once in the tree is used.
#   FAULT_TABLE    where the markdown table goes (default BUILD_DIR/fault-table.md; also printed)
#   FAULT_JOBS     tests run at once (default 2)
#   FAULT_ALL_TESTS=1  run every test for each fault, not only those whose binaries changed
#
# Each fault is found by its text: the one file under app engine formats graphics view
# classify ui that holds the original exactly once (anywhere else, or more than once, and
# the fault is "ambiguous"). The tree must be clean there; the file is restored after each
# fault, and on any exit.
#
# Speed: only tests whose executable changed (or that run an executable that changed, such
# as gridmend-cli) can see a fault; a test whose binary is byte-identical to the clean
# build's passes as it did there. Those tests run quickest first (times from the clean run),
# and the first failure ends the fault. The clean run is kept in BUILD_DIR/fault-baseline.json
# and repeated only when a test binary of the clean tree differs from the one it recorded.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ]; then
  sed -n '6,15p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
mkdir -p "$1"
build="$(cd "$1" && pwd)"
shift
state="$build/fault-current"
restore() {
  if [ -s "$state" ]; then
    git -C "$root" checkout -- "$(cat "$state")" && rm -f "$state"
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM HUP

read -r -d '' driver <<'PYTHON' || true
import hashlib, json, os, signal, subprocess, sys, time

root, build, state = sys.argv[1:4]
wanted = sys.argv[4:]
FOLDERS = ["app", "engine", "formats", "graphics", "view", "classify", "ui"]
SOURCE_ENDINGS = (".cpp", ".h", ".hpp", ".c", ".cc")
jobs = int(os.environ.get("FAULT_JOBS", "2"))
all_tests = os.environ.get("FAULT_ALL_TESTS", "") not in ("", "0")
fault_list = os.environ.get("FAULTS", os.path.join(root, "scripts", "faults.tsv"))
table_path = os.environ.get("FAULT_TABLE", os.path.join(build, "fault-table.md"))
logs = os.path.join(build, "fault-logs")
os.makedirs(logs, exist_ok=True)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
signal.signal(signal.SIGHUP, lambda *_: sys.exit(130))


def say(text):
    print(time.strftime("%H:%M:%S ") + text, file=sys.stderr, flush=True)


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text) and text[i + 1] in "nt\\":
            out.append({"n": "\n", "t": "\t", "\\": "\\"}[text[i + 1]])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_faults():
    faults = []
    with open(fault_list, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#") or (n == 1 and line.startswith("id\t")):
                continue
            fields = line.split("\t")
            if len(fields) != 4:
                sys.exit(f"{fault_list}:{n}: expected 4 tab-separated fields, found {len(fields)}")
            text = (unescape(fields[2]), unescape(fields[3]))
            same = [f for f in faults if f["id"] == fields[0]]
            if same:
                same[0]["texts"].append(text)
            else:
                faults.append({"id": fields[0], "description": fields[1], "texts": [text]})
    return faults


def git(*args):
    return subprocess.run(["git", "-C", root, *args], check=True, capture_output=True, text=True).stdout


def source_files():
    files = []
    for folder in FOLDERS:
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            files += [os.path.join(dirpath, n) for n in names if n.endswith(SOURCE_ENDINGS)]
    return files


def locate(texts):
    """The first (original, replacement) held once by one file, with that file; or a reason."""
    reasons = []
    for original, replacement in texts:
        path, reason = locate_one(original)
        if path:
            return path, original, replacement, None
        reasons.append(reason)
    return None, None, None, reasons[0]


def locate_one(original):
    """The one file holding the text once, or a reason."""
    hits = []
    for path in source_files():
        with open(path, encoding="utf-8", errors="surrogateescape") as f:
            count = f.read().count(original)
        if count:
            hits.append((path, count))
    if not hits:
        return None, "not found"
    if len(hits) > 1 or hits[0][1] > 1:
        return None, "ambiguous"
    return hits[0][0], None


def configure():
    if os.path.exists(os.path.join(build, "build.ninja")):
        return
    say("configuring " + build)
    subprocess.run(["cmake", "-S", root, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DCMAKE_C_COMPILER_LAUNCHER=ccache", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
                    "-DGRIDMEND_BENCH=OFF", "-DGRIDMEND_TESTS=ON"], check=True, stdout=subprocess.DEVNULL)


def list_tests():
    shown = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], check=True,
                           capture_output=True, text=True).stdout
    tests = []
    for index, t in enumerate(json.loads(shown)["tests"], 1):
        command = t.get("command") or [""]
        tests.append({"index": index, "name": t["name"], "exe": os.path.abspath(command[0]) if command[0] else ""})
    return tests


def build_targets(tests):
    exes = {t["exe"] for t in tests if t["exe"].startswith(build + os.sep)}
    return sorted({os.path.basename(e) for e in exes} | {"gridmend-cli"})


def run_build(targets, log):
    with open(log, "a") as out:
        r = subprocess.run(["nice", "ninja", "-C", build, f"-j{jobs}", *targets], stdout=out, stderr=subprocess.STDOUT)
    return r.returncode == 0


def digest(path):
    if not os.path.isfile(path):
        return None
    h = hashlib.sha1()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def helper_paths():
    """Executables the tests may run besides their own (gridmend-cli)."""
    found = []
    for dirpath, _, names in os.walk(build):
        if "gridmend-cli" in names:
            found.append(os.path.join(dirpath, "gridmend-cli"))
    return found


def fingerprint(tests, helpers):
    exes = {t["exe"] for t in tests if t["exe"]} | set(helpers)
    return {e: digest(e) for e in sorted(exes)}


def run_tests(tests, order, stop_on_failure, limits, log):
    """Runs the tests in order, `jobs` at once; returns (durations, failed names in order of failing)."""
    pending, running, durations, failed = list(order), {}, {}, []
    with open(log, "a") as out:
        try:
            while pending or running:
                while pending and len(running) < jobs and not (stop_on_failure and failed):
                    t = pending.pop(0)
                    out.write(f"\n=== {t['name']}\n")
                    out.flush()
                    p = subprocess.Popen(["ctest", "--test-dir", build, "-I", f"{t['index']},{t['index']}",
                                          "--timeout", "300", "--output-on-failure"],
                                         stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
                    running[p] = (t, time.monotonic())
                time.sleep(0.2)
                for p, (t, started) in list(running.items()):
                    elapsed = time.monotonic() - started
                    rc = p.poll()
                    if rc is None and elapsed > limits.get(t["name"], 300):
                        os.killpg(p.pid, signal.SIGKILL)
                        p.wait()
                        rc, name = -9, t["name"] + " (timeout)"
                    elif rc is None:
                        continue
                    else:
                        name = t["name"]
                    del running[p]
                    durations[t["name"]] = elapsed
                    if rc != 0:
                        failed.append(name)
                if stop_on_failure and failed:
                    break
        finally:
            for p in running:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait()
    return durations, failed


def baseline(tests, targets, helpers_before):
    path = os.path.join(build, "fault-baseline.json")
    log = os.path.join(logs, "clean.log")
    say("building the clean tree")
    if not run_build(targets, log):
        sys.exit(f"the clean tree does not build; see {log}")
    helpers = helper_paths() or helpers_before
    prints = fingerprint(tests, helpers)
    if os.path.exists(path):
        with open(path) as f:
            kept = json.load(f)
        if kept.get("fingerprint") == prints:
            say("clean run reused from " + path)
            return kept
    say(f"running the whole suite on the clean tree ({len(tests)} tests)")
    durations, failed = run_tests(tests, tests, False, {}, log)
    embeds = {}
    for t in tests:
        exe = t["exe"]
        if exe and os.path.isfile(exe):
            with open(exe, "rb") as f:
                data = f.read()
            embeds[exe] = [h for h in helpers if h.encode() in data]
    kept = {"fingerprint": prints, "durations": durations, "failed": failed, "helpers": helpers, "embeds": embeds}
    with open(path, "w") as f:
        json.dump(kept, f, indent=1)
    return kept


def main():
    faults = read_faults()
    if wanted:
        unknown = sorted(set(wanted) - {f["id"] for f in faults})
        if unknown:
            sys.exit("unknown fault ids: " + " ".join(unknown))
        faults = [f for f in faults if f["id"] in wanted]
    dirty = git("status", "--porcelain", "--", *FOLDERS)
    if dirty.strip():
        sys.exit("the tree is not clean under " + " ".join(FOLDERS) + ":\n" + dirty)
    configure()
    tests = list_tests()
    if any(not t["exe"] for t in tests):   # test executables not built yet: build everything once
        say("first build of " + build)
        if not run_build([], os.path.join(logs, "clean.log")):
            sys.exit("the clean tree does not build; see " + os.path.join(logs, "clean.log"))
        tests = list_tests()
    targets = build_targets(tests)
    clean = baseline(tests, targets, helper_paths())
    broken = set(n.replace(" (timeout)", "") for n in clean["failed"])
    if broken:
        say("failing on the clean tree, left out: " + " ".join(sorted(broken)))
    judged = [t for t in tests if t["name"] not in broken]
    limits = {n: max(300.0, 4 * d) for n, d in clean["durations"].items()}
    results_path = os.path.join(build, "fault-results.json")
    results = {}
    if os.path.exists(results_path):
        with open(results_path) as f:
            results = json.load(f)
    # Results are kept per state of the code and tests, so a rerun of a few faults joins the table.
    commit = hashlib.sha1(git("ls-tree", "HEAD", "--", *FOLDERS, "tests", "CMakeLists.txt").encode()).hexdigest()

    for n, fault in enumerate(faults, 1):
        fid = fault["id"]
        started = time.monotonic()
        log = os.path.join(logs, fid + ".log")
        open(log, "w").close()
        path, original, replacement, problem = locate(fault["texts"])
        first, result, changed_tests = "", problem, 0
        if path:
            rel = os.path.relpath(path, root)
            with open(path, encoding="utf-8", errors="surrogateescape", newline="") as f:
                text = f.read()
            with open(state, "w") as f:
                f.write(rel)
            try:
                with open(path, "w", encoding="utf-8", errors="surrogateescape", newline="") as f:
                    f.write(text.replace(original, replacement, 1))
                say(f"[{n}/{len(faults)}] {fid}: {rel}")
                if not run_build(targets, log):
                    result = "build error"
                else:
                    now = fingerprint(tests, clean["helpers"])
                    moved = {e for e, d in now.items() if d != clean["fingerprint"].get(e)}
                    affected = [t for t in judged
                                if all_tests or not t["exe"].startswith(build + os.sep) or t["exe"] in moved
                                or any(h in moved for h in clean["embeds"].get(t["exe"], []))]
                    affected.sort(key=lambda t: clean["durations"].get(t["name"], 1e9))
                    changed_tests = len(affected)
                    _, failed = run_tests(tests, affected, True, limits, log)
                    result = "caught" if failed else "missed"
                    first = failed[0] if failed else ""
            finally:
                git("checkout", "--", rel)
                os.remove(state)
        seconds = time.monotonic() - started
        say(f"    {result} {first} ({changed_tests} tests run, {seconds:.0f} s)")
        results[fid] = {"commit": commit, "texts": fault["texts"],
                        "description": fault["description"], "result": result, "first": first,
                        "tests": changed_tests, "seconds": round(seconds)}
        with open(results_path, "w") as f:
            json.dump(results, f, indent=1)

    say("rebuilding the clean tree")
    run_build(targets, os.path.join(logs, "clean.log"))
    write_table(read_faults(), results, commit)


def write_table(faults, results, commit):
    """Every listed fault with a result for this state of the code and tests, and its current text."""
    rows, caught, valid = [], 0, 0
    for f in faults:
        r = results.get(f["id"])
        if not r or r["commit"] != commit or [tuple(t) for t in r.get("texts", [])] != f["texts"]:
            continue
        if r["result"] in ("caught", "missed"):
            valid += 1
            caught += r["result"] == "caught"
        cell = lambda s: s.replace("|", "\\|")
        rows.append(f"| {f['id']} | {cell(f['description'])} | {r['result']} | {r['first']} | {r['seconds']} |")
    lines = ["| id | description | result | first failing test | seconds |", "|---|---|---|---|---|", *rows, "",
             f"caught {caught} of {valid} valid"]
    with open(table_path, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("\n".join(lines))


main()
PYTHON

nice xvfb-run -a -s "-screen 0 1280x1024x24" python3 -c "$driver" "$root" "$build" "$state" "$@"
