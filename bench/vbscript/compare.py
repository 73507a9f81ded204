#!/usr/bin/env python3
"""Runs the engine benchmarks and the same work in CPython on this machine, side by side."""
import json
import subprocess
import sys
import time


def best_of(fn, runs=5):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        fn()
        times.append((time.perf_counter() - start) * 1000.0)
    return min(times)


def loop_modulo():
    s = 0
    for i in range(1, 10000001):
        s = s + i % 7
    return s


def concatenation():
    s = ""
    for _ in range(100000):
        s = s + "x"
    return s


def add(a, b):
    c = a + b
    return c


def calls():
    t = 0
    for i in range(1, 1000001):
        t = add(t, i)
    return t


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/bench/vbscript/vbscript_bench"
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5"],
                         check=True, capture_output=True, text=True).stdout
    ours = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"]
        ours[name] = min(ours.get(name, float("inf")), b["real_time"])
    python = {
        "ForLoopModulo": best_of(loop_modulo),
        "StringConcatenation": best_of(concatenation),
        "FunctionCalls": best_of(calls),
    }
    print(f"{'benchmark (best of 5)':24} {'vbscript ms':>12} {'python3 ms':>12}")
    for name, ms in ours.items():
        py = python.get(name)
        print(f"{name:24} {ms:12.1f} {py:12.1f}" if py else f"{name:24} {ms:12.2f} {'-':>12}")


if __name__ == "__main__":
    main()
