#!/usr/bin/python3
"""Checks that scripts/packages.txt brings in every Debian package a command really uses.

--save-needs runs the command (CI's configure, builds and tests) under strace and keeps every
file that it or any process it starts opened or ran. Each file, and the file a symlink points
to, is mapped to its package through dpkg's file lists. A package counts as covered when the
list names it, when apt installs it with a listed package (Depends and Pre-Depends,
recursively, no Recommends), or when every Debian system has it (Essential or Priority
required). The check fails naming each package that is not covered, and each used file under
/usr/local or /opt, which no package has and a fresh machine lacks. Files under /etc are left
out: programs read the configuration that happens to be there (ld every ld.so.conf.d file).

Usage: check-deps.py [--list LIST] --save-needs FILE -- COMMAND...
       check-deps.py [--list LIST] --needs FILE
"""

import argparse
import glob
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CALL = re.compile(r'^(\d+) +(openat|open|execve|execveat)\((?:[^,"]*, )?"([^"]+)"(.*)$')
BY_HAND = ("/usr/local/", "/opt/")
# Read on every run whether anything needs them or not: ld reads all of ld.so.conf.d, and clang's
# driver looks for a CUDA installation (its version in cuda.h) before each compile, though the
# project compiles no CUDA. Neither is a dependency.
PROBED = ("/etc/", "/usr/local/cuda")


def trace(command, needs_path):
    """Runs the command under strace; writes `file<TAB>program` lines; returns its status."""
    read_end, write_end = os.pipe()
    tracer = subprocess.Popen(
        ["strace", "-f", "-qq", "--seccomp-bpf", "-e", "trace=open,openat,execve,execveat",
         "-e", "status=successful", "-o", f"/dev/fd/{write_end}", "--", *command],
        pass_fds=[write_end])
    os.close(write_end)
    programs, needs = {}, {}
    with os.fdopen(read_end) as log:
        for line in log:
            m = CALL.match(line)
            if not m or "O_DIRECTORY" in m.group(4) or not m.group(3).startswith("/"):
                continue
            pid, call, path = m.group(1), m.group(2), os.path.normpath(m.group(3))
            if call.startswith("exec"):
                programs[pid] = os.path.basename(path)
                needs.setdefault(interpreter(path), programs[pid])
            needs.setdefault(path, programs.get(pid, "a started process"))
    needs.pop(None, None)
    with open(needs_path, "w") as out:
        out.writelines(f"{path}\t{program}\n" for path, program in sorted(needs.items())
                       if not path.startswith(ROOT + "/") and not os.path.isdir(path))
    return tracer.wait()


def interpreter(path):
    """The interpreter a script's #! line names: the kernel opens it without an open call."""
    try:
        with open(path, "rb") as f:
            first = f.readline(200)
    except OSError:
        return None
    return first[2:].split()[0].decode() if first.startswith(b"#!") and first[2:].split() else None


def usr(path):
    """/usr is merged: dpkg may list a file under /lib or /bin that is opened under /usr."""
    top = path.split("/")[1]
    return "/usr" + path if top in ("bin", "sbin", "lib", "lib32", "lib64", "libx32") else path


def owners():
    files = {}
    for listing in glob.glob("/var/lib/dpkg/info/*.list"):
        package = os.path.basename(listing)[:-5].split(":")[0]
        with open(listing, errors="replace") as f:
            for line in f:
                files.setdefault(usr(line.rstrip("\n")), set()).add(package)
    return files


def covered(listed):
    """The list, the base system and what apt installs with them (its choice among
    alternatives: one already chosen, else the first real package or a sole provider)."""
    query = subprocess.run(["dpkg-query", "-W", "-f", "${Package}\t${Essential}\t${Priority}\n"],
                           capture_output=True, text=True, check=True).stdout
    roots = set(listed) | {l.split("\t")[0] for l in query.splitlines()
                           if l.split("\t")[1] == "yes" or l.split("\t")[2] == "required"}
    output = subprocess.run(
        ["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests", "--no-conflicts",
         "--no-breaks", "--no-replaces", "--no-enhances", *sorted(roots)],
        capture_output=True, text=True).stdout
    groups, package, joined = {}, None, False
    for line in output.splitlines():
        m = re.match(r"^ ([ |])(?:Pre)?Depends: (.*)$", line)
        name = (m.group(2) if m else line).strip().strip("<>").split(":")[0]
        if not line.startswith(" "):
            package, joined = groups.setdefault(name, []), False
        elif m:
            if not joined:
                package.append([])
            package[-1].append([name, not m.group(2).startswith("<"), []])
            joined = m.group(1) == "|"
        elif line.startswith("    ") and package and package[-1]:
            package[-1][-1][2].append(name)
    chosen, queue = set(roots), sorted(roots)
    while queue:
        for group in groups.get(queue.pop(), []):
            if any(name in chosen or chosen & set(providers) for name, _, providers in group):
                continue
            for name, real, providers in group:
                pick = name if real else providers[0] if len(providers) == 1 else None
                if pick:
                    chosen.add(pick)
                    queue.append(pick)
                    break
    return chosen, [p for p in listed if p not in groups]


def check(list_path, needs_path):
    with open(list_path) as f:
        listed = [w for line in f for w in line.split("#")[0].split()]
    with open(needs_path) as f:
        needs = dict(line.rstrip("\n").split("\t", 1) for line in f if "\t" in line)
    reached, unknown = covered(listed)
    files, missing = owners(), {}
    problems = [f"{p}: in {list_path}, but apt knows no such package" for p in unknown]
    for path, program in sorted(needs.items()):
        if path.startswith(PROBED):
            continue
        found = [files.get(usr(p)) for p in {path, os.path.realpath(path)} if os.path.exists(p)]
        if path.startswith(BY_HAND) and not any(found):
            problems.append(f"{path} ({program} used it) belongs to no Debian package: installed "
                            "by hand? A fresh machine will not have it")
        for packages in filter(None, found):
            if not packages & reached:
                missing.setdefault(" or ".join(sorted(packages)), (path, program))
    problems += [f"{package}: not in {list_path}, nor brought in by a package there, but "
                 f"{program} used {path}" for package, (path, program) in sorted(missing.items())]
    for problem in problems:
        print("check-deps: MISSING " + problem, file=sys.stderr)
    if not problems:
        print(f"check-deps: ok: the {len(needs)} files used come from packages that "
              f"{os.path.relpath(list_path)} brings in")
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "packages.txt"),
                        help="the package list to check")
    action = parser.add_mutually_exclusive_group(required=True)
    action.add_argument("--save-needs", metavar="FILE", help="trace the command, keep its files")
    action.add_argument("--needs", metavar="FILE", help="check the files --save-needs kept")
    parser.add_argument("command", nargs="*", help="with --save-needs: the command to trace")
    args = parser.parse_args()
    if bool(args.save_needs) != bool(args.command):
        parser.error("--save-needs takes the command to trace after --, --needs none")
    status = trace(args.command, args.save_needs) if args.save_needs else 0
    if status:
        print(f"check-deps: the traced command failed ({status})", file=sys.stderr)
    return check(args.list, args.save_needs or args.needs) or min(status, 1)


if __name__ == "__main__":
    sys.exit(main())
