#!/usr/bin/python3
"""Prints the table of bench/compare-anchors: per job and tool the fastest run,
"s (MiB)", marked ✗ when the output is wrong; the ratio of the fastest other
tool whose output is correct to tabulara; what is wrong with tabulara's output.

usage: anchors_table.py BENCH "TOOLS" "JOBS" SORT_10M_INPUT

BENCH/results/results.tsv holds the runs; BENCH/results/verify.json the
anchors' verdicts on their six jobs. The two extra jobs are checked here,
reading the outputs BENCH/out/TOOL-JOB.xlsx with openpyxl, read-only:
font-big keeps every value of big.xlsx and its first 1,000 rows are Arial 10
bold upright; sort-10M has its sheets in order of their names ignoring case,
and each keeps its first two rows (the whole first sheet is compared)."""

import csv
import itertools
import json
import os
import sys
import warnings

import openpyxl

warnings.simplefilter("ignore")


def font_big(source, output):
    problems = set()
    before = openpyxl.load_workbook(source, read_only=True).worksheets[0]
    after = openpyxl.load_workbook(output, read_only=True).worksheets[0]
    pairs = itertools.zip_longest(before.iter_rows(values_only=True), after.iter_rows(values_only=True))
    if any(a != b for a, b in pairs):
        problems.add("values changed")
    for row in after.iter_rows(max_row=1000):
        for cell in row:
            font = cell.font
            if (font.name, font.sz, bool(font.b), bool(font.i)) != ("Arial", 10, True, False):
                problems.add("font not Arial 10 bold upright")
    return sorted(problems)


def sort_10m(source, output):
    problems = []
    before = openpyxl.load_workbook(source, read_only=True)
    after = openpyxl.load_workbook(output, read_only=True)
    if after.sheetnames != sorted(before.sheetnames, key=str.lower):
        problems.append("wrong sheet order")
    for index, name in enumerate(after.sheetnames):
        if name not in before.sheetnames:
            return problems + [f"sheet {name} unknown"]
        rows = None if index == 0 else 2
        if list(after[name].iter_rows(max_row=rows, values_only=True)) != \
                list(before[name].iter_rows(max_row=rows, values_only=True)):
            return problems + [f"sheet {name} changed"]
    return problems


def verdicts(bench, tools, jobs, sort_input):
    """{tool: {job: [problems]}}, an empty list for a correct output."""
    with open(f"{bench}/results/verify.json") as file:
        found = json.load(file)["jobs"]
    extra = {"font-big": lambda out: font_big(f"{bench}/in/big.xlsx", out),
             "sort-10M": lambda out: sort_10m(sort_input, out)}
    for tool in tools:
        for job in jobs:
            if job in extra:
                out = f"{bench}/out/{tool}-{job}.xlsx"
                try:
                    found.setdefault(tool, {})[job] = extra[job](out) if os.path.exists(out) else ["no output"]
                except Exception as error:  # an output openpyxl cannot read is wrong
                    found[tool][job] = [f"cannot check: {type(error).__name__}: {error}"]
    return found


def main(bench, tools, jobs, sort_input):
    with open(f"{bench}/results/results.tsv") as file:
        runs = [r for r in csv.DictReader(file, delimiter="\t") if r["rc"] == "0"]
    found = verdicts(bench, tools, jobs, sort_input)

    def fastest(tool, job):
        mine = [(float(r["wall_s"]), float(r["maxrss_kb"]) / 1024) for r in runs if (r["tool"], r["job"]) == (tool, job)]
        return min(mine) if mine else None

    def correct(tool, job):
        return not [p for p in found.get(tool, {}).get(job, ["?"]) if not p.startswith("warning")]

    print("| job | " + " | ".join(f"{t} s (MiB)" for t in tools) + " | best other / tabulara | tabulara output |")
    print("|---" * (len(tools) + 3) + "|")
    for job in jobs:
        cells, others = [], []
        for tool in tools:
            run = fastest(tool, job)
            cells.append("—" if run is None else f"{run[0]:.2f} ({run[1]:.0f})" + ("" if correct(tool, job) else " ✗"))
            if tool != "tabulara" and run is not None and correct(tool, job):
                others.append(run[0])
        ours = fastest("tabulara", job)
        ratio = f"{min(others) / ours[0]:.1f}×" if ours and ours[0] > 0 and others else "—"
        verdict = "; ".join(found.get("tabulara", {}).get(job, ["?"])) or "correct"
        print(f"| {job} | " + " | ".join(cells) + f" | {ratio} | {verdict} |")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2].split(), sys.argv[3].split(), sys.argv[4])
