#!/usr/bin/python3
"""Checks that scripts/packages.txt names every Debian package that vdmosgen's build and tests need.

What is needed is derived from what the build really uses, and whether the list covers it from
apt's metadata, never from what happens to be installed here. The project is configured the ways
the Makefile configures it (make -n), in /tmp/deps-check-*, and every file outside the source and
build trees that this takes is collected:

- every CMake file that configure read (find_package's config and find modules and their
  includes), every program that it ran, every file and folder in its cache (find_library,
  find_program, the *_DIR of each package found) and the file that each find_path looked for;
- the .pc files of the pkg-config modules it asked for (how Qt finds XKB);
- what the generated build uses: the libraries and compilers in every link line, the include
  folders, moc;
- every header that a source includes (the compiler's -M, for every compile command);
- what the compiler runs and the linker reads with the build's own sanitizer and fuzzer flags
  (the ASan, UBSan and libFuzzer runtimes);
- the programs that the Makefile, CI, the scripts and the tests run (PROGRAMS below).

Each file is mapped to its Debian package with dpkg -S (following symlinks and the merged-/usr
aliases). A package counts as covered when the list names it, when apt installs it anyway as a
hard dependency (Depends and Pre-Depends, recursively, no Recommends) of a listed package, or
when every Debian system has it (Essential or Priority required, with their dependencies). The
check fails naming each package that is not covered and a file that needs it.

An optional dependency that configure finds on this machine counts as needed: a fresh machine
should configure the way CI does.

Usage: scripts/check-deps.sh [PACKAGE_LIST] [--save-needs FILE] [--needs FILE] [--keep]
"""

import argparse
import glob
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_LIST = os.path.join(ROOT, "scripts", "packages.txt")

# The Makefile targets whose configurations are checked: the README's two commands, and the
# ones CI (.ci/run) and the contributors' text add. Their cmake commands are read from
# `make -n`, so that a new option or target configuration cannot slip past.
MAKE_TARGETS = ["run", "test", "sanitize-test", "bench", "fuzz"]

# The programs (looked up on PATH unless absolute) and files that the Makefile, .ci/run, the
# scripts and the tests use beyond what configure shows.
PROGRAMS = [
    ("make", "the two commands of the README"),
    ("/bin/sh", "tests/verify/child_process_test.cpp runs its children with it"),
    ("sleep", "tests/cli/cli_signal_test.cpp: the stand-in for a hanging ngspice"),
    ("ngspice", "tests/verify and tests/ui simulate the model with it"),
    ("dpkg-query", "scripts/install-deps.sh and scripts/check-deps.sh: installed, and whose"),
    ("apt-get", "scripts/install-deps.sh: installing"),
    ("locale", "scripts/install-deps.sh: is de_DE.UTF-8 there"),
    ("locale-gen", "scripts/install-deps.sh: de_DE.UTF-8 for tests/model/numbers_test.cpp"),
    ("/usr/share/i18n/locales/de_DE", "locale-gen de_DE.UTF-8"),
    ("/usr/share/i18n/charmaps/UTF-8.gz", "locale-gen de_DE.UTF-8"),
    ("nproc", "the Makefile: JOBS"),
    ("sed", "scripts/install-deps.sh"),
    ("awk", "scripts/fuzz.sh and bench/*.sh"),
    ("xargs", "bench/batch_library.sh"),
    ("getconf", "bench/batch_library.sh"),
    ("cpack", "README, Installing: cpack -G DEB"),
    ("dpkg-shlibdeps", "cpack -G DEB (CPACK_DEBIAN_PACKAGE_SHLIBDEPS)"),
    ("file", "cpack -G DEB looks at every file with it"),
    ("llvm-symbolizer", "ASan, UBSan and libFuzzer print their stack traces with it"),
    ("/usr/bin/python3", "scripts/check-deps.sh"),
    ("apt-cache", "scripts/check-deps.sh: the dependencies of the listed packages"),
    ("clang-format", "scripts/check-format.sh: the formatting check of CI"),
    ("git", "scripts/check-format.sh lists the tracked C++ files"),
]

PKG_CONFIG_KEYWORDS = {"REQUIRED", "QUIET", "NO_CMAKE_PATH", "NO_CMAKE_ENVIRONMENT_PATH",
                       "IMPORTED_TARGET", "GLOBAL"}
FIND_KEYWORDS = {"NAMES", "HINTS", "PATHS", "PATH_SUFFIXES", "DOC", "NO_DEFAULT_PATH",
                 "NAMES_PER_DIR", "REQUIRED", "NO_CACHE", "ENV", "NO_PACKAGE_ROOT_PATH",
                 "NO_CMAKE_PATH", "NO_CMAKE_ENVIRONMENT_PATH", "NO_SYSTEM_ENVIRONMENT_PATH",
                 "NO_CMAKE_SYSTEM_PATH", "NO_CMAKE_INSTALL_PREFIX", "CMAKE_FIND_ROOT_PATH_BOTH",
                 "ONLY_CMAKE_FIND_ROOT_PATH", "NO_CMAKE_FIND_ROOT_PATH", "VALIDATOR",
                 "REGISTRY_VIEW"}
MERGED_USR = ("bin", "sbin", "lib", "lib32", "lib64", "libx32")


class Failure(Exception):
    pass


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


class Needs:
    """Files outside the source and build trees, each with why it is needed."""

    def __init__(self, ignored):
        self.ignored = [os.path.realpath(p) for p in ignored]
        self.reasons = {}
        self.key = {}  # each path as given: the normalised path kept, or None when left out

    def add(self, path, reason):
        if not path or not path.startswith("/"):
            return
        if path not in self.key:
            self.key[path] = self.keep(os.path.normpath(path))
        kept = self.key[path]
        if kept is not None:
            reasons = self.reasons.setdefault(kept, [])
            if reason not in reasons and len(reasons) < 3:
                reasons.append(reason)

    def keep(self, path):
        if path.startswith(("/proc/", "/dev/", "/sys/", "/tmp/")) or not os.path.exists(path):
            return None
        real = os.path.realpath(path)
        for root in self.ignored:
            if real == root or real.startswith(root + "/") or path.startswith(root + "/"):
                return None
        return path

    def program(self, name, reason):
        path = name if name.startswith("/") else shutil.which(name)
        if not path or not os.path.exists(path):
            raise Failure(f"{name} is not on this machine ({reason}): install the list first "
                          "(scripts/install-deps.sh), or add the package that has it")
        self.add(path, reason)


def read_list(path):
    packages = []
    with open(path) as f:
        for line in f:
            packages += line.split("#", 1)[0].split()
    return packages


def read_cache(build):
    cache = {}
    with open(os.path.join(build, "CMakeCache.txt")) as f:
        for line in f:
            m = re.match(r"^([^#/][^:=]*):([A-Z]+)=(.*)$", line.rstrip("\n"))
            if m:
                cache[m.group(1)] = (m.group(2), m.group(3))
    return cache


def configure(name, environment, options, work):
    build = os.path.join(work, name)
    trace = os.path.join(work, name + ".trace.json")
    command = ["cmake", "-S", ROOT, "-B", build, *options, "--trace-format=json-v1",
               "--trace-expand", "--trace-redirect=" + trace]
    result = run(command, env={**os.environ, **environment})
    if result.returncode != 0:
        notes = [line for line in result.stdout.splitlines() if "NOT find" in line]
        errors = [line for line in result.stderr.splitlines() if line.strip()][:60]
        report = "\n".join(notes + errors)
        raise Failure(f"configure '{name}' failed ({shlex.join(command)}):\n{report}\n"
                      "When it could not find a package after scripts/install-deps.sh, "
                      "scripts/packages.txt lacks the Debian package that has it.")
    return build, trace


def from_trace(name, trace, needs):
    """Files CMake read and programs it ran; the find_path/find_file calls for the cache."""
    finds = []
    with open(trace) as f:
        for line in f:
            entry = json.loads(line)
            if "cmd" not in entry:
                continue
            needs.add(entry.get("file"), f"configure ({name}) read it")
            command, args = entry["cmd"].lower(), entry.get("args", [])
            if command == "execute_process":
                for i, arg in enumerate(args[:-1]):
                    if arg == "COMMAND" and args[i + 1]:
                        program = args[i + 1].split(";")[0]
                        path = program if program.startswith("/") else shutil.which(program)
                        needs.add(path, f"configure ({name}) ran it")
            elif command in ("find_path", "find_file") and args:
                rest = args[1:]
                if rest and rest[0] == "NAMES":
                    rest = rest[1:]
                    names = []
                    for arg in rest:
                        if arg in FIND_KEYWORDS:
                            break
                        names += arg.split(";")
                else:
                    names = rest[:1]
                finds.append((args[0], [n for n in names if n]))
    return finds


def from_cache(name, build, finds, needs):
    cache = read_cache(build)
    for key, (kind, value) in cache.items():
        if kind not in ("FILEPATH", "PATH") or key.startswith("CMAKE_INSTALL_"):
            continue
        for path in value.split(";"):
            needs.add(path, f"configure ({name}) found it: {key}")
    for variable, names in finds:
        folder = cache.get(variable, ("", ""))[1]
        if folder.startswith("/"):
            for n in names:
                needs.add(os.path.join(folder, n), f"configure ({name}) looked for it: {variable}")
    # pkg-config modules, and the modules they require.
    pkg_config = cache.get("PKG_CONFIG_EXECUTABLE", ("", ""))[1]
    modules = []
    for key, (_, value) in cache.items():
        if key.startswith("__pkg_config_arguments_"):
            for word in value.split(";"):
                word = re.split(r"[<>=]", word)[0].strip()
                if word and word not in PKG_CONFIG_KEYWORDS:
                    modules.append(word)
    seen = set()
    while modules and pkg_config:
        module = modules.pop()
        if module in seen:
            continue
        seen.add(module)
        found = run([pkg_config, "--path", module])
        if found.returncode != 0:
            continue  # an optional module that this machine lacks too
        needs.add(found.stdout.strip(), f"configure ({name}) used pkg-config module {module}")
        for flag in ("--print-requires", "--print-requires-private"):
            for line in run([pkg_config, flag, module]).stdout.splitlines():
                if line.split():
                    modules.append(line.split()[0])
    return cache


def from_build_system(name, build, needs):
    """What the generated build uses: link lines, include folders, moc."""
    link_flags = set()
    for link in glob.glob(os.path.join(build, "**", "link.txt"), recursive=True):
        with open(link) as f:
            for line in f:
                words = shlex.split(line)
                if words:
                    needs.add(shutil.which(words[0]) or words[0], f"the build ({name}) runs it")
                for word in words:
                    if word.startswith("/"):
                        needs.add(word, f"the build ({name}) links it")
                    elif word.startswith("-f"):
                        link_flags.add(word)
    for flags in glob.glob(os.path.join(build, "**", "flags.make"), recursive=True):
        with open(flags) as f:
            for line in f:
                if line.startswith("CXX_INCLUDES"):
                    words = shlex.split(line.split("=", 1)[1])
                    for i, word in enumerate(words):
                        if word.startswith("-I"):
                            needs.add(word[2:], f"the build ({name}) includes from it")
                        elif word in ("-isystem", "-iquote") and i + 1 < len(words):
                            needs.add(words[i + 1], f"the build ({name}) includes from it")
    for info in glob.glob(os.path.join(build, "**", "*_autogen.dir", "*Info.json"), recursive=True):
        with open(info) as f:
            data = json.load(f)
        for key, value in data.items():
            if key.endswith("_EXECUTABLE") and isinstance(value, str):
                needs.add(value, f"the build ({name}) runs it: {key}")
            elif key.endswith("_CMD") and isinstance(value, list) and value:
                needs.add(value[0], f"the build ({name}) runs it: {key}")
    return sorted(link_flags)


def headers(name, build, needs, jobs):
    """Every header the sources include: each compile command with -M -MG instead of -c."""
    path = os.path.join(build, "compile_commands.json")
    if not os.path.exists(path):
        return
    with open(path) as f:
        commands = json.load(f)

    def scan(entry):
        words = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
        command, skip = [], False
        for word in words:
            if skip:
                skip = False
            elif word == "-o":
                skip = True
            elif word != "-c":
                command.append(word)
        if not os.path.exists(entry["file"]):
            return entry["file"], [], ""  # generated by the build (moc)
        result = run(command + ["-M", "-MG"], cwd=entry["directory"])
        return entry["file"], result.stdout.replace("\\\n", " ").split()[1:], (
            result.stderr if result.returncode else "")

    with ThreadPoolExecutor(jobs) as pool:
        for source, deps, error in pool.map(scan, commands):
            if error:
                raise Failure(f"the compiler could not read the includes of {source} ({name}):\n"
                              + error.strip())
            where = os.path.relpath(source, ROOT)
            for dep in deps:
                needs.add(os.path.join(os.path.dirname(source), dep) if not dep.startswith("/")
                          else dep, f"{where} includes it ({name})")


def probe_toolchain(name, cache, link_flags, work, needs):
    """What the compiler runs and what the linker reads, with the build's link flags."""
    compiler = cache.get("CMAKE_CXX_COMPILER", ("", ""))[1]
    if not compiler:
        return
    fuzzer = any(re.match(r"-fsanitize=(.*,)?fuzzer(,|$)", flag) for flag in link_flags)
    source = os.path.join(work, name + "-probe.cpp")
    with open(source, "w") as f:
        f.write("#include <cstddef>\n#include <cstdint>\n#include <iostream>\n")
        if fuzzer:
            f.write('extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) '
                    '{ std::cout << ""; return 0; }\n')
        else:
            f.write('int main() { std::cout << "probe\\n"; }\n')
    command = [compiler, *link_flags, "-v", source, "-o", os.path.join(work, name + "-probe"),
               "-Wl,--trace"]
    result = run(command)
    if result.returncode != 0:
        raise Failure(f"the compiler of '{name}' cannot link a program with the build's flags "
                      f"({shlex.join(command)}):\n{result.stderr.strip()[-2000:]}")
    flags = " ".join(link_flags) or "no flags"
    for line in (result.stdout + result.stderr).splitlines():
        if line.startswith(" "):  # a command that the driver runs, or a folder it searches
            words = shlex.split(line)
            program = words[0] if words else ""
            program = program if program.startswith("/") else shutil.which(program) or ""
            if os.path.isfile(program) and os.access(program, os.X_OK):
                needs.add(program, f"the compiler of '{name}' runs it")
            continue
        m = re.match(r"^(?:-l\S+ \()?(/[^()\s]+)", line)  # the linker's --trace
        if m and os.path.isfile(m.group(1)):
            needs.add(m.group(1), f"the linker reads it ({name}, {flags})")


def makefile_commands():
    """The commands that the Makefile targets run, as (environment, words), from make -n."""
    result = run(["make", "-n", "--no-print-directory", *MAKE_TARGETS, "CMAKE_FLAGS="], cwd=ROOT)
    if result.returncode != 0:
        raise Failure("make -n " + " ".join(MAKE_TARGETS) + " failed:\n" + result.stderr.strip())
    commands = []
    for line in result.stdout.replace("\\\n", " ").splitlines():
        words = shlex.split(line)
        environment = {}
        while words and re.match(r"^[A-Za-z_][A-Za-z0-9_]*=", words[0]):
            key, _, value = words.pop(0).partition("=")
            environment[key] = value
        if words:
            commands.append((environment, words))
    return commands


def configurations(commands, work):
    """Each `cmake -S . -B DIR OPTIONS` of the Makefile, to be run into work/DIR instead."""
    configs = []
    for environment, words in commands:
        if os.path.basename(words[0]) != "cmake" or "-S" not in words:
            continue
        options, name, i = [], None, 1
        while i < len(words):
            if words[i] in ("-S", "-B") and i + 1 < len(words):
                if words[i] == "-B":
                    name = os.path.basename(os.path.normpath(words[i + 1]))
                i += 2
            else:
                options.append(words[i])
                i += 1
        if name and name not in (c[0] for c in configs):
            configs.append((name, environment, options))
    if not configs:
        raise Failure("make -n showed no cmake -S command: the Makefile changed, update "
                      "scripts/check-deps.py")
    return configs


def derive(work, jobs):
    needs = Needs([ROOT, work])
    commands = makefile_commands()
    for _, words in commands:
        if not words[0].startswith((".", "/")) and "/" not in words[0]:
            needs.program(words[0], "the Makefile runs it")
    configs = configurations(commands, work)
    with ThreadPoolExecutor(len(configs)) as pool:
        builds = list(pool.map(lambda c: configure(c[0], c[1], c[2], work), configs))
    for (name, _, _), (build, trace) in zip(configs, builds):
        finds = from_trace(name, trace, needs)
        cache = from_cache(name, build, finds, needs)
        link_flags = from_build_system(name, build, needs)
        headers(name, build, needs, jobs)
        probe_toolchain(name, cache, link_flags, work, needs)
    for program, reason in PROGRAMS:
        needs.program(program, reason)
    return needs.reasons


# --- Which package has each file ---

def dpkg_search(paths):
    owners = {}
    paths = sorted(set(p for p in paths if not re.search(r"[*?\[\]\\]", p)))
    for i in range(0, len(paths), 500):
        result = run(["dpkg-query", "-S", *paths[i:i + 500]])
        for line in result.stdout.splitlines():
            if line.startswith("diversion by "):
                continue
            packages, sep, path = line.partition(": /")
            if sep:
                owners["/" + path] = sorted(p.strip().split(":")[0] for p in packages.split(","))
    return owners


def candidates(path):
    """The path, each step of its symlinks, its real path; each also in its merged-/usr form."""
    steps, current, seen = [path], path, set()
    while os.path.islink(current) and current not in seen:
        seen.add(current)
        current = os.path.normpath(os.path.join(os.path.dirname(current), os.readlink(current)))
        steps.append(current)
    steps.append(os.path.realpath(path))
    result = []
    for step in steps:
        parts = step.split("/")
        if len(parts) > 2 and parts[1] == "usr" and parts[2] in MERGED_USR:
            alias = "/" + "/".join(parts[2:])
        elif len(parts) > 1 and parts[1] in MERGED_USR:
            alias = "/usr" + step
        else:
            alias = None
        for p in (step, alias):
            if p and p not in result:
                result.append(p)
    return result


def owners_of(paths):
    tried = {p: candidates(p) for p in paths}
    found = dpkg_search(c for cs in tried.values() for c in cs)
    result = {}
    for path, cs in tried.items():
        result[path] = next((found[c] for c in cs if c in found), [])
    return result


# --- What apt installs with the list ---

def apt_graph(roots):
    command = ["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests",
               "--no-conflicts", "--no-breaks", "--no-replaces", "--no-enhances", *sorted(roots)]
    output = run(command).stdout
    graph, current, last, joined = {}, None, None, False

    def plain(name):
        return name.strip().strip("<>").split(":")[0]

    for line in output.splitlines():
        if not line.startswith(" "):
            current = graph.setdefault(plain(line), {"virtual": line.startswith("<"), "groups": []})
            last, joined = None, False
            continue
        m = re.match(r"^ ([ |])(PreDepends|Depends): (.*)$", line)
        if m:
            alternative = {"name": plain(m.group(3)), "virtual": m.group(3).startswith("<"),
                           "providers": []}
            if joined and current["groups"]:
                current["groups"][-1].append(alternative)
            else:
                current["groups"].append([alternative])
            joined, last = m.group(1) == "|", alternative
        elif line.startswith("    ") and last is not None:
            last["providers"].append(plain(line))
        else:
            last = None
    return graph


def reach(graph, roots):
    """The packages apt installs for roots with --no-install-recommends: a group of alternatives
    is met by one already chosen, else by the first real package, or by a virtual one with a
    single provider (apt's own choice)."""
    chosen, queue = set(roots), list(roots)
    while queue:
        package = queue.pop(0)
        for group in graph.get(package, {"groups": []})["groups"]:
            if any(a["name"] in chosen or set(a["providers"]) & chosen for a in group):
                continue
            for a in group:
                pick = None
                if not a["virtual"] and a["name"] in graph and not graph[a["name"]]["virtual"]:
                    pick = a["name"]
                elif len(a["providers"]) == 1:
                    pick = a["providers"][0]
                if pick:
                    chosen.add(pick)
                    queue.append(pick)
                    break
    return chosen


def unknown_to_apt(graph, packages):
    return sorted(p for p in packages if p not in graph or graph[p]["virtual"])


def base_system():
    """Essential and required packages: on every Debian system (debootstrap's minbase)."""
    result = run(["dpkg-query", "-W", "-f", "${Package}\t${Essential}\t${Priority}\n"])
    return {line.split("\t")[0] for line in result.stdout.splitlines()
            if line.split("\t")[1:2] == ["yes"] or line.split("\t")[2:3] == ["required"]}


def apt_update():
    """apt-cache knows nothing before the first apt-get update of a fresh machine."""
    as_root = [] if os.geteuid() == 0 else ["sudo"]
    print("check-deps: apt does not know every listed package; running apt-get update",
          file=sys.stderr)
    subprocess.run([*as_root, "apt-get", "update", "-qq"], check=False)


def check(list_path, needs):
    listed = read_list(list_path)
    if not listed:
        raise Failure(f"{list_path} names no packages")
    base = base_system()
    graph = apt_graph(set(listed) | base)
    if unknown_to_apt(graph, listed):
        apt_update()
        graph = apt_graph(set(listed) | base)
    unknown = unknown_to_apt(graph, listed)
    covered = reach(graph, set(listed) | base)
    owners = owners_of(needs)
    missing, orphans = {}, []
    for path, reasons in sorted(needs.items()):
        packages = owners[path]
        if not packages:
            orphans.append((path, reasons))
        elif not set(packages) & covered:
            missing.setdefault(" or ".join(packages), []).append((path, reasons))

    problems = []
    for package in unknown:
        problems.append(f"{package}: in {list_path}, but apt knows no such package")
    for package, files in sorted(missing.items()):
        path, reasons = files[0]
        more = f" (and {len(files) - 1} more files)" if len(files) > 1 else ""
        problems.append(f"{package}: not in {list_path}, nor brought in by a package there, "
                        f"but needed for {path} ({reasons[0]}){more}")
    for path, reasons in orphans:
        problems.append(f"{path} ({reasons[0]}) belongs to no Debian package: installed by "
                        "hand? A fresh machine will not have it")
    if problems:
        for problem in problems:
            print("check-deps: MISSING " + problem, file=sys.stderr)
        return 1

    needed = {p for path in needs for p in owners[path]} & covered
    from_base = reach(graph, base)
    unused = [p for p in listed if not (reach(graph, {p}) - from_base) & needed]
    print(f"check-deps: ok: {len(needs)} files that configure, the build and the tests need come "
          f"from {len(needed)} packages, all installed by {os.path.relpath(list_path)} "
          f"({len(listed)} listed, {len(covered)} with their dependencies and the base system)")
    if unused:
        print("check-deps: listed, though nothing derived here needs them (used at run time, or "
              "only for what the check does not see): " + " ".join(unused))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("list", nargs="?", default=DEFAULT_LIST, help="the package list to check")
    parser.add_argument("--save-needs", metavar="FILE", help="write what is needed to FILE")
    parser.add_argument("--needs", metavar="FILE",
                        help="take what is needed from FILE (written by --save-needs) instead of "
                             "configuring again")
    parser.add_argument("--keep", action="store_true", help="keep the temporary build folders")
    args = parser.parse_args()
    try:
        if args.needs:
            with open(args.needs) as f:
                needs = json.load(f)
        else:
            work = tempfile.mkdtemp(prefix="deps-check-", dir="/tmp")
            try:
                needs = derive(work, os.cpu_count() or 2)
            finally:
                if args.keep:
                    print(f"check-deps: build folders kept in {work}", file=sys.stderr)
                else:
                    shutil.rmtree(work, ignore_errors=True)
        if args.save_needs:
            with open(args.save_needs, "w") as f:
                json.dump(needs, f, indent=1, sort_keys=True)
        return check(args.list, needs)
    except Failure as failure:
        print(f"check-deps: FAILED: {failure}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
