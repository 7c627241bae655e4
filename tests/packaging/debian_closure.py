"""Which Debian packages own files, and which packages a set of packages brings along."""

import os
import re
import subprocess
from pathlib import Path


def owners(paths):
    """The packages that ship each file: the file itself and every link on the way to it (as
    /usr/bin/c++ leads through an alternative to g++'s link and on to g++-12's compiler), by
    dpkg's file lists, which name some files by their /lib path, some by their /usr/lib one.
    Files no package ships are left out."""
    def chain(path):
        links = [Path(path)]
        while links[-1].is_symlink() and len(links) < 40:
            links.append(links[-1].parent / os.readlink(links[-1]))
        both = {os.path.normpath(p) for p in links} | {str(Path(path).resolve())}
        return both | {"/usr" + p for p in both if not p.startswith("/usr/")} | \
            {p[len("/usr"):] for p in both if p.startswith("/usr/")}

    wanted = sorted(set().union(*(chain(p) for p in paths))) if paths else []
    found = subprocess.run(["dpkg-query", "-S", *wanted], capture_output=True, text=True)
    shipped = {}
    for line in found.stdout.splitlines():
        if not line.startswith("diversion ") and ": " in line:
            names, path = line.split(": ", 1)
            shipped[path] = {name.split(":")[0] for name in names.split(", ")}
    owned = {}
    for path in paths:
        names = set().union(*(shipped.get(c, set()) for c in chain(path)))
        if names:
            owned[path] = names
    return owned


def closure(packages):
    """The packages that installing these with --no-install-recommends brings to a bare machine:
    Depends and Pre-Depends, followed all the way, taking the first of alternatives (and the first
    package that provides a virtual one), as apt does when none of them is installed."""
    brought, frontier = set(), set(packages)
    while frontier:
        brought |= frontier
        listing = subprocess.run(
            ["apt-cache", "depends", "--no-recommends", "--no-suggests", "--no-conflicts",
             "--no-breaks", "--no-replaces", "--no-enhances", *sorted(frontier)],
            check=True, capture_output=True, text=True).stdout
        chosen, alternative, virtual = set(), False, False
        for line in listing.splitlines():
            if line.startswith("    "):  # a provider of the virtual package above
                if virtual:
                    chosen.add(line.strip())
                    virtual = False
                continue
            match = re.match(r" ([| ])(?:Pre)?Depends: (\S+)", line)
            if not match:
                alternative = virtual = False
                continue
            name, first = match.group(2), not alternative
            alternative = match.group(1) == "|"  # the next line is another way to the same end
            virtual = first and name.startswith("<")
            if first and not virtual:
                chosen.add(name.split(":")[0])
        frontier = chosen - brought
    return brought


def platform_plugin_owner(name):
    """The package of Qt 6's platform plugin of that name."""
    found = subprocess.run(["dpkg-query", "-S", f"*/qt6/plugins/platforms/libq{name}*.so"],
                           capture_output=True, text=True)
    names = set(re.findall(r"^([^:,\s]+)", found.stdout, re.M))
    return min(names) if names else None
