#!/usr/bin/env python3
"""Prints hyperfine's JSON results as a Markdown table: median, min, max of each command and how
many times slower than the first command (ours) it is."""
import json
import statistics
import sys

results = json.load(open(sys.argv[1]))["results"]
base = statistics.median(results[0]["times"])
print("| command | median | min | max | ÷ ours |")
print("|---|---|---|---|---|")
for r in results:
    median = statistics.median(r["times"])
    ratio = "1" if r is results[0] else f"{median / base:.1f}×"
    print(f"| {r['command']} | {median * 1000:.0f} ms | {min(r['times']) * 1000:.0f} ms | "
          f"{max(r['times']) * 1000:.0f} ms | {ratio} |")
