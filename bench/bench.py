"""`make bench`: every figure beside its reference, measured side by side in one run.

Whole processes are timed in alternating pairs (ours, reference, ours, reference, ...)
and reported as min / median, so that a machine shared with other work moves both sides
alike; the ratio is ours over the reference. The in-process benches (editor, paint)
print their own rows, also measured side by side. Usage:

    python3 bench/bench.py BUILD_DIR [--quick]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mails  # noqa: E402

MB = 1000 * 1000
ROWS = []


MEMORY_FILE = os.path.join(tempfile.gettempdir(), "varnel-bench-maxrss.%d" % os.getpid())


def run(cmd, env=None, stdout=subprocess.DEVNULL):
    """Wall time in seconds and peak resident memory in bytes of one process. The peak
    comes from /usr/bin/time around every command (ours and the references alike): a
    child forked straight from this script would count the script's own pages."""
    t0 = time.perf_counter()
    p = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", MEMORY_FILE, *cmd], env=env,
                       stdout=stdout, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - t0
    if p.returncode != 0:
        err = p.stderr.decode("utf-8", "replace")
        raise RuntimeError("%s failed (%d): %s" % (cmd[0], p.returncode, err[:500]))
    with open(MEMORY_FILE) as f:
        kib = int(f.read().split()[-1])
    return elapsed, kib * 1024


def run_to_paint(cmd, env):
    """Seconds from start to the window's first paint (the program prints its moment on
    the monotonic clock), and peak memory. What the program does after the paint, on its
    way out, is not counted."""
    t0 = time.monotonic()
    p = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", MEMORY_FILE, *cmd], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if p.returncode != 0:
        raise RuntimeError("%s failed (%d)" % (cmd[0], p.returncode))
    for line in p.stderr.decode("utf-8", "replace").splitlines():
        if line.startswith("varnel32: first paint at "):
            painted = float(line.rsplit(" ", 1)[1])
            break
    else:
        raise RuntimeError("%s printed no first paint" % cmd[0])
    with open(MEMORY_FILE) as f:
        kib = int(f.read().split()[-1])
    return painted - t0, kib * 1024


def pairs(a, b, n):
    """Runs a and b alternately n times; returns their lists of (time, memory)."""
    ra, rb = [], []
    for _ in range(n):
        ra.append(a())
        rb.append(b())
    return ra, rb


def ms(seconds):
    return "%.0f ms" % (seconds * 1000) if seconds >= 0.1 else "%.1f ms" % (seconds * 1000)


def summary(values, fmt=ms):
    return "%s / %s" % (fmt(min(values)), fmt(statistics.median(values)))


def ratio(a, b):
    return "%.2f / %.2f" % (min(a) / min(b), statistics.median(a) / statistics.median(b))


def verdict(value, aim):
    if not aim:
        return ""
    op, limit = aim.split()
    limit = float(limit)
    return "met" if (value <= limit if op == "<=" else value >= limit) else "MISSED"


def row(case, figure, reference, ratio_text, aim="", check=None):
    ROWS.append((case, figure, reference, ratio_text, aim, verdict(check, aim) if aim else ""))
    print("  %s: %s | %s | %s %s" % (case, figure, reference, ratio_text, aim), flush=True)


def time_pair(case, ours, ref, refname, n, aim="", invert=False):
    ra, rb = pairs(ours, ref, n)
    ta, tb = [t for t, _ in ra], [t for t, _ in rb]
    if invert:  # how many times faster we are than the reference
        r = "%.1fx / %.1fx faster" % (min(tb) / min(ta), statistics.median(tb) / statistics.median(ta))
        check = statistics.median(tb) / statistics.median(ta)
    else:
        r = ratio(ta, tb)
        check = statistics.median(ta) / statistics.median(tb)
    row(case, summary(ta), "%s: %s" % (refname, summary(tb)), r, aim, check)
    return ra, rb


def window_env(tmp):
    env = dict(os.environ)
    home = os.path.join(tmp, "home")
    runtime = os.path.join(tmp, "run")
    os.makedirs(home, exist_ok=True)
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="offscreen",
               VARNEL_QUIT_AFTER_PAINT="1", LANG="C.UTF-8")
    env.pop("VARNEL_INI", None)
    return env


def fresh_copy(src, dst):
    shutil.copyfile(src, dst)
    return dst


def window_cases(build, tmp, sizes, n):
    exe = os.path.join(build, "bin", "varnel32")
    ref = os.path.join(build, "bin", "bench_minimal_window")
    if not (os.path.exists(exe) and os.path.exists(ref)):
        print("window cases skipped: varnel32 or the reference window is not built")
        return
    env = window_env(tmp)
    # Both sides print the moment of their first paint: start to that paint is timed,
    # not what either does on its way out.
    refrun = lambda: run_to_paint([ref], env)  # noqa: E731
    settled = dict(env, VARNEL_QUIT_AFTER_PAINT="wrapped")
    print("Window: start to first paint", flush=True)
    for size in sizes:
        path = mails.write(os.path.join(tmp, "plain%d.eml" % size), mails.plain(size * MB))
        k = n if size <= 20 else 1
        time_pair("Window, %d MB plain, first paint" % size, lambda: run_to_paint([exe, path], env),
                  refrun, "minimal Qt window", k, "<= 4" if size == 20 else "")
        # The peak is taken once the wrap left for idle time is done as well.
        mem = [run([exe, path], env=settled)[1] for _ in range(k)]
        check = statistics.median(mem) / os.path.getsize(path)
        row("Window, %d MB plain, peak memory" % size, summary(mem, lambda b: "%.0f MiB" % (b / 2**20)),
            "the file: %.0f MiB" % (os.path.getsize(path) / 2**20), "%.2f" % check,
            "<= 4" if size == 20 else "", check)
        os.remove(path)
    # Unread (marked read while opening) against already read; both reach the first paint.
    folder = os.path.join(tmp, "store", "in")
    os.makedirs(folder, exist_ok=True)
    unread_src = mails.write(os.path.join(tmp, "unread.src"), mails.multipart(100 * MB))
    read_path = mails.write(os.path.join(folder, "0002.txt"), mails.multipart(100 * MB, read=True))
    unread_path = os.path.join(folder, "0001.txt")
    ra, rb = pairs(lambda: (fresh_copy(unread_src, unread_path), run_to_paint([exe, unread_path], env))[1],
                   lambda: run_to_paint([exe, read_path], env), n)
    ta, tb = [t for t, _ in ra], [t for t, _ in rb]
    check = statistics.median(ta) / statistics.median(tb)
    row("Window, 100 MB multipart, unread vs already read", summary(ta),
        "already read: %s" % summary(tb), ratio(ta, tb), "<= 1.1", check)
    for p in (unread_src, read_path, unread_path):
        if os.path.exists(p):
            os.remove(p)


def dump_cases(build, tmp, sizes, n):
    exe = os.path.join(build, "bin", "varnel32")
    many = os.path.join(build, "bin", "bench_dump_many")
    py = [sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference", "py_email.py")]
    env = dict(os.environ, HOME=os.path.join(tmp, "home"), XDG_CONFIG_HOME=os.path.join(tmp, "home", ".config"))
    env.pop("VARNEL_INI", None)
    dump = lambda p: run([exe, "--dump", p], env=env)  # noqa: E731
    print("--dump", flush=True)
    for shape, make, refname, refcmd, aim in (
            ("plain", mails.plain, "iconv -f CP932 -t UTF-8", lambda p: ["iconv", "-f", "CP932", "-t", "UTF-8", p], "<= 1.5"),
            ("multipart", mails.multipart, "wc -l", lambda p: ["wc", "-l", p], "<= 3")):
        for size in sizes:
            path = mails.write(os.path.join(tmp, "%s%d.eml" % (shape, size)), make(size * MB))
            k = n if size <= 20 else max(1, n // 2)
            time_pair("--dump, %d MB %s" % (size, shape), lambda: dump(path),
                      lambda: run(refcmd(path)), refname, k, aim if size == 20 else "")
            if size in (1, 20):
                time_pair("--dump, %d MB %s, vs Python" % (size, shape), lambda: dump(path),
                          lambda: run(py + [path]), "Python email", max(1, n // 2),
                          ">= 10" if size == 20 else "", invert=True)
            if size == 20 and shape == "plain":
                folder = os.path.join(tmp, "dumpstore", "in")
                os.makedirs(folder, exist_ok=True)
                named = fresh_copy(path, os.path.join(folder, "0001.txt"))
                ra, rb = pairs(lambda: dump(named), lambda: dump(path), n)
                ta, tb = [t for t, _ in ra], [t for t, _ in rb]
                ma, mb = [m for _, m in ra], [m for _, m in rb]
                row("--dump, 20 MB plain stored as in/0001.txt", summary(ta),
                    "another name: %s" % summary(tb), ratio(ta, tb), "<= 1.1",
                    statistics.median(ta) / statistics.median(tb))
                row("--dump, 20 MB plain as in/0001.txt, peak memory",
                    summary(ma, lambda b: "%.0f MiB" % (b / 2**20)),
                    "another name: %s" % summary(mb, lambda b: "%.0f MiB" % (b / 2**20)),
                    "%.2f" % (statistics.median(ma) / statistics.median(mb)))
                os.remove(named)
            os.remove(path)
    if os.path.exists(many):
        names = mails.small_folder(os.path.join(tmp, "small", "in"), 2000)
        time_pair("--dump, 2000 small mails in one process", lambda: run([many] + names),
                  lambda: run(py + names), "Python email", max(1, n // 2), ">= 10", invert=True)


def program_rows(build, name, args=()):
    exe = os.path.join(build, "bin", name)
    if not os.path.exists(exe):
        print("%s skipped: not built" % name)
        return
    print(name, flush=True)
    out = subprocess.run([exe, "--rows", *args], check=True, capture_output=True, text=True).stdout
    for line in out.splitlines():
        if line.startswith("ROW\t"):
            _, case, figure, reference, ratio_text, aim, value = (line.split("\t") + [""] * 7)[:7]
            row(case, figure, reference, ratio_text, aim, float(value) if value else None)


def print_table():
    head = ("Case", "Ours (min / median)", "Reference (min / median)", "Ratio (min / median)", "Aim", "")
    widths = [max(len(str(r[i])) for r in ROWS + [head]) for i in range(6)]
    line = lambda r: "| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |"  # noqa: E731
    print()
    print(line(head))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in ROWS:
        print(line(r))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    quick = "--quick" in sys.argv
    n = 3 if quick else 5
    sizes = [1, 10, 20] if quick else [1, 10, 20, 100]
    tmp = tempfile.mkdtemp(prefix="varnel-bench-")
    try:
        program_rows(build, "bench_editor_bench")
        program_rows(build, "bench_paint_bench")
        dump_cases(build, tmp, sizes, n)
        window_cases(build, tmp, sizes, n)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    print_table()


if __name__ == "__main__":
    main()
