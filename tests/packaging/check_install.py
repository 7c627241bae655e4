#!/usr/bin/env python3
"""`cmake --install` into a scratch root puts every file where the desktop looks for it, the
program installed is the one built, and AppStream accepts the installed tree as a whole.

usage: check_install.py BUILD_DIR PROGRAM SOURCE_DIR SCRATCH_DIR"""

import filecmp
import os
import shutil
import subprocess
import sys
from pathlib import Path

from installed_tree import check_tree, main, require


def check():
    build_dir, program, source_dir, scratch = sys.argv[1:5]
    packaging_dir = Path(build_dir) / "packaging"
    root = Path(scratch) / "root"
    shutil.rmtree(scratch, ignore_errors=True)
    root.mkdir(parents=True)

    cmake = os.environ.get("CMAKE", "cmake")
    subprocess.run([cmake, "--install", build_dir, "--prefix", "/usr"], check=True,
                   capture_output=True, text=True, env=dict(os.environ, DESTDIR=str(root)))
    require(sorted(p.name for p in root.iterdir()) == ["usr"],
            f"files installed outside the prefix: {sorted(root.iterdir())}")

    executable = check_tree(root / "usr", source_dir, packaging_dir, Path(program).name)
    require(filecmp.cmp(executable, program, shallow=False),
            f"{executable} is not the built {program}")

    # The metainfo, its launcher entry and its icon, found together as a software centre would.
    result = subprocess.run(["appstreamcli", "validate-tree", "--no-net", "--pedantic",
                             str(root / "usr")], capture_output=True, text=True)
    issues = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:", "I:", "P:")]
    require(result.returncode == 0 and not issues,
            f"appstreamcli validate-tree:\n{result.stdout}{result.stderr}")


if __name__ == "__main__":
    main(check)
