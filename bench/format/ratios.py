#!/usr/bin/env python3
"""Prints vorn/snprintf and vorn/fmt CPU-time ratios from format_bench's JSON output.

With repetitions the fastest repetition of each benchmark is taken: on a shared
machine the minimum is the figure least disturbed by other load.
Usage: format_bench --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true \
         --benchmark_format=json --benchmark_out=run.json; ratios.py run.json
"""
import json
import sys

runs = json.load(open(sys.argv[1]))["benchmarks"]
times = {}
for r in runs:
    if r.get("run_type") == "aggregate":
        continue
    case, _, who = r.get("run_name", r["name"]).partition("/")
    best = times.setdefault(case, {})
    best[who] = min(best.get(who, float("inf")), r["cpu_time"])
print(f"{'case':<14} {'vorn ns':>9} {'snprintf':>9} {'fmt':>9} {'vorn/snprintf':>14} {'vorn/fmt':>9}")
for case, t in times.items():
    v, s, f = t["vorn"], t["snprintf"], t["fmt"]
    print(f"{case:<14} {v:9.1f} {s:9.1f} {f:9.1f} {v / s:14.2f} {v / f:9.2f}")
    for extra in sorted(k for k in t if k not in ("vorn", "snprintf", "fmt")):
        print(f"  {extra:<12} {t[extra]:9.1f} {'':9} {'':9} {t[extra] / s:14.2f} {t[extra] / f:9.2f}")
