#!/usr/bin/env python3
"""Every package of the `run` set of scripts/install-deps is needed to build the program or to
run it: each ships a file the program's build read (CMake's package files, headers, libraries,
compiler, CMake, Ninja, pkg-config, the fonts it builds in) or one of Qt's platform plugins for
X11 and Wayland. That the set is enough is shown on a machine that has nothing else (CI runs
tests/packaging/run_in_fresh_root.sh in a fresh root); a package that nothing needs passes there
unseen. The build's own record says what it read: the files CMake's configuring read, the
compiler's dependency files (through Ninja) and the link command. The build is the one
scripts/run makes: the program preset's, without tests.

usage: check_run_set.py BUILD_DIR SOURCE_DIR"""

import re
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

from debian_closure import owners, platform_plugin_owner
from installed_tree import main, require


def output(*command, cwd=None):
    return subprocess.run(command, check=True, capture_output=True, text=True, cwd=cwd).stdout


def cache_value(build_dir, name):
    match = re.search(rf"^{name}:[A-Z]+=(.*)$", (Path(build_dir) / "CMakeCache.txt").read_text(),
                      re.M)
    require(match, f"{name} is not in {build_dir}/CMakeCache.txt")
    return match.group(1)


def used_files(build_dir):
    """Files outside the build and source trees that the program's build read."""
    ninja = cache_value(build_dir, "CMAKE_MAKE_PROGRAM")
    inputs = output(ninja, "-t", "inputs", "kinematics-test", cwd=build_dir).split()
    objects = [name for name in inputs if name.endswith(".o")]
    files = {line.strip() for line in output(ninja, "-t", "deps", *objects, cwd=build_dir)
             .splitlines() if line.startswith("    /")}
    link = output(ninja, "-t", "commands", "kinematics-test", cwd=build_dir).splitlines()[-1]
    for word in shlex.split(link):
        if word.startswith("/") and ".so" in word:
            files.add(word)
        elif word.startswith("-l"):
            found = output(cache_value(build_dir, "CMAKE_CXX_COMPILER"),
                           f"-print-file-name=lib{word[2:]}.so").strip()
            if found.startswith("/"):
                files.add(found)
    # What CMake read to configure the build: Qt's package files and those they pull in.
    files |= {line.strip(" |") for line in output(ninja, "-t", "query", "build.ninja",
                                                   cwd=build_dir).splitlines()
              if line.startswith("    | /")}
    for tool in ("CMAKE_COMMAND", "CMAKE_MAKE_PROGRAM", "CMAKE_CXX_COMPILER",
                 "PKG_CONFIG_EXECUTABLE"):
        files.add(shutil.which(cache_value(build_dir, tool)))
    cache = (Path(build_dir) / "CMakeCache.txt").read_text()
    files |= set(re.findall(r"^KT_FONT_\w+:FILEPATH=(.*)$", cache, re.M))
    return {f for f in files if not f.startswith(("/tmp/", str(Path(build_dir).resolve())))}


def check():
    build_dir, source_dir = sys.argv[1:3]
    run_set = output(str(Path(source_dir) / "scripts/install-deps"), "--list", "run").split()
    files = used_files(build_dir)
    require(len(files) > 50, f"the build seems to have read only {sorted(files)}")
    owned = owners(sorted(f for f in files if not f.startswith(source_dir)))
    plugins = {platform_plugin_owner(name) for name in ("xcb", "wayland")}
    unneeded = sorted(set(run_set) - set().union(*owned.values()) - plugins)
    require(not unneeded, f"the run set holds {unneeded}, which ship nothing the build read and "
            "none of Qt's X11 and Wayland platform plugins")
    print(f"check_run_set: the {len(run_set)} packages of the run set ship {len(files)} files "
          "the build read and Qt's platform plugins")


if __name__ == "__main__":
    main(check)
