#!/usr/bin/python3
"""Checks that no file of the tester includes a header of a layer it may not include.

The allowed dependencies are the table between <!-- layers --> and <!-- /layers --> in
docs/ARCHITECTURE.md: one row per folder of src/ (first column), the folders it may include in the
second, each in backticks; anything else in a cell, and any further column, is commentary. A folder
may always include itself. A file belongs to the longest folder of the table its path starts with,
and so does an included header; a file under tests/X/ counts as layer X and may also include any
header of tests/. Only quoted includes whose first path component is a folder of src/ are looked
at; bench/ and fuzz/ are exempt.

    check-layers.py [root] [--table FILE]

root defaults to the repository holding this script; the table defaults to root's
docs/ARCHITECTURE.md. Exit 0 when clean, 1 with one line per offending include, 2 when the table
cannot be read.
"""

import argparse
import os
import re
import sys

SOURCE_FOLDERS = ("platform", "operator", "catalogue", "bus", "report", "engine", "project", "app", "script_ext")
CXX_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp", ".inl")
# The check's own fixture tree holds deliberate faults.
SKIPPED_DIRS = (os.path.join("tests", "layering", "fixture"),)

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
NAME = re.compile(r"`([a-z0-9_]+(?:/[a-z0-9_]+)*)`")


class TableError(Exception):
    pass


def read_table(path):
    """Returns {folder: set of folders it may include}."""
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except OSError as e:
        raise TableError(f"{path}: {e.strerror}")
    match = re.search(r"<!-- layers -->(.*?)<!-- /layers -->", text, re.S)
    if not match:
        raise TableError(f"{path}: no <!-- layers --> ... <!-- /layers --> table")
    table = {}
    for line in match.group(1).splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if len(cells) < 2:
            continue
        folder = NAME.findall(cells[0])
        if len(folder) != 1:
            continue  # the heading and the separator row
        table[folder[0]] = set(NAME.findall(cells[1])) | {folder[0]}
    if not table:
        raise TableError(f"{path}: the layer table has no rows")
    return table


def layer_of(path, table):
    """The longest folder of the table that `path` (relative, '/'-separated) lies in, or None."""
    parts = path.split("/")
    for n in range(len(parts) - 1, 0, -1):
        folder = "/".join(parts[:n])
        if folder in table:
            return folder
    return None


def source_files(top):
    for directory, subdirs, files in os.walk(top):
        subdirs.sort()
        for name in sorted(files):
            if name.endswith(CXX_SUFFIXES):
                yield os.path.join(directory, name)


def check(root, table):
    problems = []
    skipped = [os.path.join(root, d) for d in SKIPPED_DIRS]
    for kind in ("src", "tests"):
        top = os.path.join(root, kind)
        for path in source_files(top):
            if any(path.startswith(d + os.sep) for d in skipped):
                continue
            shown = os.path.relpath(path, root).replace(os.sep, "/")
            layer = layer_of(os.path.relpath(path, top).replace(os.sep, "/"), table)
            with open(path, encoding="utf-8", errors="replace") as f:
                lines = f.read().splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                header = match.group(1)
                if header.split("/")[0] not in SOURCE_FOLDERS:
                    continue
                if kind == "tests" and is_test_header(root, path, header):
                    continue
                if layer is None:
                    problems.append(f"{shown}:{number}: folder {shown.rsplit('/', 1)[0]} has no row in the layer table")
                    break
                if layer_of(header, table) not in table[layer]:
                    problems.append(f"{shown}:{number}: layer {layer} may not include {header}")
    return problems


def is_test_header(root, including, header):
    """True when `header` is one of the tests' own files rather than a header of src/."""
    if os.path.exists(os.path.join(root, "src", header)):
        return False
    return os.path.exists(os.path.join(root, "tests", header)) or os.path.exists(
        os.path.join(os.path.dirname(including), header))


def main():
    default_root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Checks the include layering of src/ and tests/.")
    parser.add_argument("root", nargs="?", default=default_root, help="the tree to check (default: this repository)")
    parser.add_argument("--table", help="the file holding the layer table (default: root/docs/ARCHITECTURE.md)")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    try:
        table = read_table(args.table or os.path.join(root, "docs", "ARCHITECTURE.md"))
    except TableError as e:
        print(f"check-layers: {e}", file=sys.stderr)
        return 2
    problems = check(root, table)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
