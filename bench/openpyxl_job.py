#!/usr/bin/python3
"""The file jobs of tabulara-file-job, done with openpyxl, one per process.

usage: openpyxl_job.py open-save|change-all INPUT OUTPUT
prints "SECONDS PROCESSOR_SECONDS PEAK_KIB"."""

import resource
import sys
import time

import openpyxl


def change_every_cell(workbook):
    for sheet in workbook.worksheets:
        for row in sheet.iter_rows():
            for cell in row:
                if isinstance(cell.value, (int, float)) and not isinstance(cell.value, bool):
                    cell.value = cell.value + 1
                elif isinstance(cell.value, str):
                    cell.value = cell.value + "+"


def main(job, source, target):
    start = time.perf_counter()
    workbook = openpyxl.load_workbook(source)
    if job == "change-all":
        change_every_cell(workbook)
    workbook.save(target)
    elapsed = time.perf_counter() - start
    usage = resource.getrusage(resource.RUSAGE_SELF)
    print(f"{elapsed} {usage.ru_utime + usage.ru_stime} {usage.ru_maxrss}")


if __name__ == "__main__":
    main(*sys.argv[1:4])
