#!/usr/bin/env python3
"""CPack builds a Debian package that holds every installed file under /usr, names itself,
its version and section, and depends on the packages of every shared library the program
links (the Qt 6 Widgets libraries among them), and through them or itself on Qt's X11 and
Wayland platform plugins, without recommendations, but on no font package: the fonts are built in.

usage: check_deb.py BUILD_DIR PROGRAM SOURCE_DIR PROJECT_VERSION SCRATCH_DIR"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from debian_closure import closure, platform_plugin_owner
from installed_tree import build_id, check_tree, main, require


def output(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def owning_package(library):
    """The Debian package that ships a shared library, found through dpkg's file lists."""
    real = Path(library).resolve()
    candidates = {str(library), str(real)}
    candidates |= {"/usr" + c for c in list(candidates) if not c.startswith("/usr/")}
    for path in sorted(candidates):
        found = subprocess.run(["dpkg-query", "-S", path], capture_output=True, text=True)
        if found.returncode == 0:
            return found.stdout.split(":", 1)[0]
    require(False, f"no package ships {library}")


def linked_packages(program):
    """The packages of the shared libraries the program links directly."""
    needed = re.findall(r"\(NEEDED\)\s+Shared library: \[(.+)\]", output("readelf", "-d", program))
    paths = dict(re.findall(r"^\s*(\S+) => (/\S+)", output("ldd", program), re.M))
    require(set(needed) <= set(paths), f"ldd does not resolve {set(needed) - set(paths)}")
    return {owning_package(paths[name]) for name in needed}


def dependency_names(depends):
    """Package names in a Depends field, without versions, alternatives taken as well."""
    return {alt.split()[0].split(":")[0] for item in depends.split(",")
            for alt in item.split("|") if alt.strip()}


def check():
    build_dir, program, source_dir, version, scratch = sys.argv[1:6]
    for tool, package in (("dpkg-deb", "dpkg"), ("dpkg-shlibdeps", "dpkg-dev")):
        require(shutil.which(tool), f"{tool} is missing (Debian package {package})")
    shutil.rmtree(scratch, ignore_errors=True)
    out_dir, root = Path(scratch) / "out", Path(scratch) / "root"
    out_dir.mkdir(parents=True)

    cpack = os.environ.get("CPACK", "cpack")
    subprocess.run([cpack, "-G", "DEB", "-B", str(out_dir), "--config",
                    str(Path(build_dir) / "CPackConfig.cmake")],
                   check=True, capture_output=True, text=True, cwd=scratch)
    debs = sorted(out_dir.glob("*.deb"))
    require(len(debs) == 1, f"cpack made {debs}, not one package")
    deb = str(debs[0])
    arch = output("dpkg", "--print-architecture").strip()
    require(debs[0].name == f"kinematics-test_{version}_{arch}.deb", f"package file {deb}")

    field = lambda name: output("dpkg-deb", "-f", deb, name).strip()
    require(field("Package") == "kinematics-test", f"Package: {field('Package')}")
    require(field("Version") == version, f"Version: {field('Version')}, expected {version}")
    require(field("Section") == "education", f"Section: {field('Section')}")
    require(field("Architecture") == arch, f"Architecture: {field('Architecture')}")
    require(re.fullmatch(r".+ <[^@ ]+@[^@ ]+>", field("Maintainer")),
            f"Maintainer: {field('Maintainer')}")
    require(len(field("Description").splitlines()) > 1, "no long description")

    depends = dependency_names(field("Depends"))
    linked = linked_packages(program)
    require("libqt6widgets6" in linked, f"the program links no Qt 6 Widgets: {sorted(linked)}")
    require(linked <= depends,
            f"Depends: {field('Depends')}\n  lacks {sorted(linked - depends)}")
    # Installed without recommendations, the program still has a window system on X11 and on
    # Wayland.
    brought = closure(depends)
    for platform in ("xcb", "wayland"):
        plugin = platform_plugin_owner(platform)
        require(plugin in brought, f"Depends: {field('Depends')}\n  does not bring {plugin}, "
                f"which has Qt's {platform} platform plugin")
    fonts = {name for name in depends if name.startswith(("fonts-", "ttf-", "otf-"))}
    require(not fonts, f"depends on font packages {sorted(fonts)}")

    # The listing: the same files as the extracted tree, all under /usr.
    listed = set()
    for line in output("dpkg-deb", "-c", deb).splitlines():
        mode, path = line.split()[0], line.split()[5]
        require(path.startswith("./usr/"), f"{path} lies outside /usr")
        if not mode.startswith("d"):
            listed.add(path[len("./usr/"):])

    subprocess.run(["dpkg-deb", "-x", deb, str(root)], check=True)
    executable = check_tree(root / "usr", source_dir, Path(build_dir) / "packaging",
                            Path(program).name)
    require(listed == {str(p.relative_to(root / "usr")) for p in (root / "usr").rglob("*")
                       if not p.is_dir()},
            "dpkg-deb -c lists other files than dpkg-deb -x extracts")
    require(build_id(executable) == build_id(program),
            f"the packaged program is not the built {program}")
    missing = [line for line in output("ldd", str(executable)).splitlines() if "not found" in line]
    require(not missing, f"the packaged program lacks libraries: {missing}")


if __name__ == "__main__":
    main(check)
