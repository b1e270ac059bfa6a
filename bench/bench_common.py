"""Helpers shared by the comparison scripts: locate the Release build, run a benchmark
binary in a scratch directory and read its medians."""
import json
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "release")


def build(*targets):
    subprocess.run(["cmake", "-S", ROOT, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DONDRIX_TESTS=OFF"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, "--target", *targets], check=True,
                   stdout=subprocess.DEVNULL)


def run_medians(binary, bench_filter=".", repetitions=5, cwd=None, extra_args=()):
    """Runs the benchmark binary and returns {name: median real time in ms}."""
    exe = os.path.join(BUILD, "bench", binary)
    with tempfile.TemporaryDirectory(dir=cwd) as work:
        out = os.path.join(work, "result.json")
        subprocess.run([exe, f"--benchmark_filter={bench_filter}",
                        f"--benchmark_repetitions={repetitions}",
                        "--benchmark_report_aggregates_only=true",
                        f"--benchmark_out={out}", "--benchmark_out_format=json", *extra_args],
                       cwd=work, check=True, stdout=subprocess.DEVNULL)
        with open(out) as f:
            data = json.load(f)
    medians = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            medians[b["run_name"].replace("/real_time", "")] = b["real_time"] * scale
    return medians


def interleaved_medians(target, repetitions=9):
    """Builds the benchmark target, runs all its benchmarks with their rounds interleaved
    and returns {run name: median record}, each record with its real and CPU time in ns
    ("ns", "cpu_ns") beside the benchmark's own counters."""
    build(target)
    exe = os.path.join(BUILD, "bench", target)
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "result.json")
        subprocess.run([exe, f"--benchmark_repetitions={repetitions}", "--benchmark_report_aggregates_only=true",
                        "--benchmark_enable_random_interleaving=true",
                        f"--benchmark_out={out}", "--benchmark_out_format=json"],
                       cwd=work, check=True, stdout=subprocess.DEVNULL)
        with open(out) as f:
            data = json.load(f)
    medians = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
        medians[b["run_name"]] = dict(b, ns=b["real_time"] * scale, cpu_ns=b["cpu_time"] * scale)
    return medians


def short_run_records(target, bench_filter="."):
    """Each benchmark's record (counters included) of one short run: for counters such as
    allocations or transport operations per call, which need no repetitions."""
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "counters.json")
        subprocess.run([os.path.join(BUILD, "bench", target), f"--benchmark_filter={bench_filter}",
                        "--benchmark_min_time=0.05", f"--benchmark_out={out}", "--benchmark_out_format=json"],
                       cwd=work, check=True, stdout=subprocess.DEVNULL)
        with open(out) as f:
            return {b["name"]: b for b in json.load(f)["benchmarks"]}


def peak_rss_mb(binary, bench_filter):
    """Peak resident memory of one run of the benchmarks matching the filter."""
    exe = os.path.join(BUILD, "bench", binary)
    code = ("import resource,subprocess,sys;"
            "subprocess.run(sys.argv[1:],stdout=subprocess.DEVNULL,check=True);"
            "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
    with tempfile.TemporaryDirectory() as work:
        out = subprocess.run([sys.executable, "-c", code, exe, f"--benchmark_filter={bench_filter}",
                              "--benchmark_repetitions=1"], cwd=work, check=True,
                             capture_output=True, text=True).stdout
    return int(out.strip().splitlines()[-1]) / 1024.0


def loadavg():
    """The one-minute load average."""
    return os.getloadavg()[0]


def load_text(loads):
    return "load %.1f-%.1f" % (min(loads), max(loads))


def run_once(binary, bench_filter, cwd, env=None, extra_args=()):
    """Runs the benchmarks of `binary` matching the filter once each, spawned directly in
    `cwd` (with `env` added to the environment); {name: real time in ms} and the counters
    of each run under {name: {counter: value}}."""
    exe = os.path.join(BUILD, "bench", binary)
    out = os.path.join(cwd, "result_%d.json" % os.getpid())
    full_env = dict(os.environ)
    full_env.update(env or {})
    subprocess.run([exe, f"--benchmark_filter={bench_filter}", f"--benchmark_out={out}",
                    "--benchmark_out_format=json", *extra_args],
                   cwd=cwd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=full_env)
    with open(out) as f:
        data = json.load(f)
    os.remove(out)
    times, counters = {}, {}
    for b in data["benchmarks"]:
        if b.get("error_occurred"):
            sys.exit(f"{b['name']}: {b.get('error_message')}")
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        name = b["run_name"].replace("/real_time", "").replace("/iterations:1", "")
        times[name] = b["real_time"] * scale
        counters[name] = {k: v for k, v in b.items() if isinstance(v, (int, float))}
    return times, counters


def alternate(steps, rounds):
    """Runs every step once per round, the order reversed every other round, so that each
    sees the load its peers see. steps: [(key, fn)], fn() returns milliseconds or a dict
    of them. Returns ({key: [ms, ...]}, [load average at each round])."""
    times, loads = {}, []
    for r in range(rounds):
        for key, fn in (steps if r % 2 == 0 else steps[::-1]):
            got = fn()
            for k, v in (got.items() if isinstance(got, dict) else [(key, got)]):
                times.setdefault(k, []).append(v)
        loads.append(loadavg())
    return times, loads


def timed_ms(fn):
    """Milliseconds of one call of fn."""
    import time
    start = time.perf_counter()
    fn()
    return (time.perf_counter() - start) * 1000.0


def median(values):
    import statistics
    return statistics.median(values)


def numpy_python():
    """Re-runs the calling script with Debian's python when numpy is missing here."""
    try:
        import numpy  # noqa: F401
    except ImportError:
        system = "/usr/bin/python3"
        if os.path.exists(system) and os.path.realpath(sys.executable) != os.path.realpath(system):
            os.execv(system, [system] + sys.argv)
        sys.exit("needs numpy: apt-get install python3-numpy")


def exact(name):
    """A benchmark filter that matches the one benchmark of that name."""
    import re
    return "^" + re.escape(name) + "(/iterations:[0-9]+)?(/real_time)?$"


def run_one(binary, name, cwd, min_time):
    """Runs the one benchmark `name` of `binary` for at least `min_time` seconds, spawned
    directly in `cwd`; its JSON record (exits on a benchmark error)."""
    exe = os.path.join(BUILD, "bench", binary)
    out = os.path.join(cwd, "result.json")
    subprocess.run([exe, f"--benchmark_filter=^{name}/", f"--benchmark_min_time={min_time}", f"--benchmark_out={out}",
                    "--benchmark_out_format=json"], cwd=cwd, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    with open(out) as f:
        run = json.load(f)["benchmarks"][0]
    if run.get("error_occurred"):
        sys.exit(f"{name}: {run.get('error_message')}")
    return run


def seconds(run):
    """A benchmark record's real time in seconds."""
    return run["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
