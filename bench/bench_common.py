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
