#!/usr/bin/env python3
"""Prints vorn/snprintf and vorn/fmt CPU-time ratios from format_bench's JSON output
(medians when the run had repetitions)."""
import json
import sys

runs = json.load(open(sys.argv[1]))["benchmarks"]
times = {}
for r in runs:
    if r.get("run_type") == "aggregate" and r.get("aggregate_name") != "median":
        continue
    case, _, who = r["run_name"].partition("/") if "run_name" in r else r["name"].partition("/")
    times.setdefault(case, {})[who] = r["cpu_time"]
print(f"{'case':<12} {'vorn ns':>9} {'snprintf':>9} {'fmt':>9} {'vorn/snprintf':>14} {'vorn/fmt':>9}")
for case, t in times.items():
    v = t.get("vorn")
    s = t.get("snprintf")
    f = t.get("fmt")
    print(f"{case:<12} {v:9.1f} {s:9.1f} {f:9.1f} {v / s:14.2f} {v / f:9.2f}")
    for extra in sorted(k for k in t if k not in ("vorn", "snprintf", "fmt")):
        print(f"  {extra:<10} {t[extra]:9.1f} {'':9} {'':9} {t[extra] / s:14.2f} {t[extra] / f:9.2f}")
