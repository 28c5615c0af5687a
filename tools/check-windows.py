#!/usr/bin/python3
"""Compiles every program source for Windows with MinGW-w64, syntax and types only.

Windows is the program's first target, but only the Linux build runs here. This
takes each program source's command from the build's compile_commands.json,
swaps the compiler for MinGW-w64's, and stops after the syntax and type checks,
so every branch under Q_OS_WIN meets a real Windows compiler and the Windows
API declarations. Nothing is linked (there is no Qt for Windows here).

Most of each file's time goes to Qt's headers. Files share a precompiled
header of the Qt and standard headers they include, built once for Windows;
system headers stay out of it, so each file still meets <windows.h> and the
like as it includes them. Commands that differ only in their include folders
and Qt module macros share one header (its macros are those every such
command defines, as GCC requires); any other command gets one of its own.

usage: check-windows.py [BUILD_DIR]     (default: build)
Prints one line per file that fails, with its first errors; exits 1 when any
file fails, 2 when the check cannot run at all.
"""

import concurrent.futures
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import time

COMPILER = "x86_64-w64-mingw32-g++-posix"
# Folders whose sources are not part of the program.
NOT_PROGRAM = ("tests", "bench", "tools", "build")
FIRST_ERRORS = 5
# A group this small gains less from a shared header than building it costs.
SHARED_HEADER_MIN_FILES = 3
# Qt's class headers (<QString>) and the standard library's (<memory>).
SHAREABLE_INCLUDE = re.compile(r'^\s*#\s*include\s*<((?:Q[A-Za-z]+)|(?:[a-z_]+))>', re.M)


def program_sources(build_dir, source_dir):
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    build_dir = os.path.realpath(build_dir)
    chosen = {}
    for entry in entries:
        path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
        if path.startswith(build_dir + os.sep):
            continue  # generated: moc, rcc, schedules
        relative = os.path.relpath(path, source_dir)
        if relative.startswith("..") or relative.split(os.sep)[0] in NOT_PROGRAM:
            continue
        chosen.setdefault(path, entry)
    return chosen


def windows_command(entry):
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    # Skip a compiler launcher such as ccache, then the compiler itself.
    while words and os.path.basename(words[0]) in ("ccache", "sccache", "distcc"):
        words = words[1:]
    command = [COMPILER]
    skip_next = False
    for word in words[1:]:
        if skip_next:
            skip_next = False
            continue
        if word in ("-o", "-MF", "-MT", "-MQ"):
            skip_next = True
            continue
        if word in ("-c", "-fPIC", "-MD", "-MMD", "-g") or word.startswith("-o"):
            continue
        command.append(word)
    # Qt's Linux headers carry export attributes MinGW warns about.
    command += ["-fsyntax-only", "-Wno-attributes"]
    return command


def group_key(path, entry):
    """The file's command without the file: files with equal keys can share a header."""
    return tuple(word for word in windows_command(entry) if word not in (entry["file"], path))


def shareable_includes(paths):
    names = set()
    for path in paths:
        for candidate in (path, os.path.splitext(path)[0] + ".h"):
            try:
                with open(candidate, encoding="utf-8") as f:
                    names.update(SHAREABLE_INCLUDE.findall(f.read()))
            except OSError:
                pass
    return sorted(names)


def build_shared_header(job):
    """Precompiles the group's header; None where it cannot (the files then go without)."""
    header, key, names, directory = job
    with open(header, "w", encoding="utf-8") as f:
        f.writelines("#include <%s>\n" % name for name in names)
    command = [word for word in key if word != "-fsyntax-only"] + ["-x", "c++-header", header, "-o", header + ".gch"]
    result = subprocess.run(command, cwd=directory, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return header if result.returncode == 0 else None


def split_key(key):
    """A command's flags, and its include folders and macros as (option, value) pairs."""
    flags, paths = [], []
    words = list(key)
    i = 0
    while i < len(words):
        word = words[i]
        if word in ("-I", "-D", "-isystem") and i + 1 < len(words):
            paths.append((word, words[i + 1]))
            i += 2
            continue
        if word.startswith(("-I", "-D")) and len(word) > 2:
            paths.append((word[:2], word[2:]))
        else:
            flags.append(word)
        i += 1
    return flags, paths


def merge_groups(groups):
    """Joins the groups whose commands share their flags into the largest such
    set: the union of their include folders, the macros they all define. A
    header built so is valid for each of them; GCC refuses it otherwise, and
    the check fails loudly (-Werror=invalid-pch)."""
    by_flags = {}
    for key, paths in groups.items():
        by_flags.setdefault(tuple(split_key(key)[0]), []).append(key)
    flags, keys = max(by_flags.items(), key=lambda item: sum(len(groups[k]) for k in item[1]))
    if len(keys) < 2:
        return groups
    pairs = [split_key(key)[1] for key in keys]
    folders = []
    for pair in (p for group in pairs for p in group if p[0] != "-D"):
        if pair not in folders:
            folders.append(pair)
    macros = [p for p in pairs[0] if p[0] == "-D" and all(p in group for group in pairs)]
    merged_key = tuple([flags[0]] + [w for option, value in folders + macros for w in (option, value)]
                       + list(flags[1:]))
    merged = {key: paths for key, paths in groups.items() if key not in keys}
    merged[merged_key] = [path for key in keys for path in groups[key]]
    return merged


def shared_headers(sources, work_dir, pool):
    """Maps each source that gets a shared header to that header."""
    groups = {}
    for path, entry in sources.items():
        groups.setdefault(group_key(path, entry), []).append(path)
    groups = merge_groups(groups)
    jobs = []
    members = []
    for number, (key, paths) in enumerate(sorted(groups.items())):
        if len(paths) < SHARED_HEADER_MIN_FILES:
            continue
        header = os.path.join(work_dir, "shared-%d.h" % number)
        jobs.append((header, key, shareable_includes(paths), sources[paths[0]]["directory"]))
        members.append(paths)
    chosen = {}
    for header, paths in zip(pool.map(build_shared_header, jobs), members):
        if header:
            chosen.update((path, header) for path in paths)
    return chosen


def check(item):
    path, entry, header = item
    command = windows_command(entry)
    if header:
        # A header that cannot be used is an error, not a silent slow path.
        command[1:1] = ["-include", header, "-Winvalid-pch", "-Werror=invalid-pch"]
    result = subprocess.run(command, cwd=entry["directory"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    errors = [line for line in result.stdout.splitlines() if " error: " in line or "fatal error:" in line]
    if result.returncode != 0 and not errors:
        errors = result.stdout.splitlines()[-FIRST_ERRORS:] or ["exit status %d" % result.returncode]
    return path, result.returncode, errors[:FIRST_ERRORS]


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build"
    source_dir = os.path.realpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    if not shutil.which(COMPILER):
        print("check-windows: %s is missing (packages g++-mingw-w64-x86-64-posix, mingw-w64-x86-64-dev)" % COMPILER,
              file=sys.stderr)
        return 2
    try:
        sources = program_sources(build_dir, source_dir)
    except (OSError, ValueError) as error:
        print("check-windows: cannot read %s/compile_commands.json: %s" % (build_dir, error), file=sys.stderr)
        return 2
    if not sources:
        print("check-windows: no program sources in %s/compile_commands.json" % build_dir, file=sys.stderr)
        return 2

    started = time.monotonic()
    failed = 0
    work_dir = os.path.join(os.path.realpath(build_dir), "check-windows")
    os.makedirs(work_dir, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        headers = shared_headers(sources, work_dir, pool)
        items = [(path, entry, headers.get(path)) for path, entry in sorted(sources.items())]
        for path, code, errors in pool.map(check, items):
            if code != 0:
                failed += 1
                print("FAILED %s: %s" % (os.path.relpath(path, source_dir), " | ".join(errors)))
    print("check-windows: %d program files compiled for Windows, %d failed, %.0f s"
          % (len(sources), failed, time.monotonic() - started))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
