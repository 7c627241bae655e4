#!/usr/bin/env python3
"""The launcher entry passes desktop-file-validate, the AppStream metadata passes appstreamcli
(pedantic, offline), and the two agree with each other and with the program: one id names the
entry, the icon and the component, the entry starts the built program, both speak Russian, and
the metadata's latest release, the changelog's latest entry and the manual page name the
project's version.

usage: check_metadata.py PACKAGING_DIR PROGRAM_NAME PROJECT_VERSION SHOWN_VERSION"""

import configparser
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

from installed_tree import app_id, main, require

LANG = "{http://www.w3.org/XML/1998/namespace}lang"
CYRILLIC = re.compile("[\u0400-\u04ff]")


def run_validator(command, package):
    require(shutil.which(command[0]), f"{command[0]} is missing (Debian package {package})")
    result = subprocess.run(command, capture_output=True, text=True)
    output = (result.stdout + result.stderr).strip()
    issues = [line for line in output.splitlines() if "Validation was successful" not in line]
    require(result.returncode == 0 and not issues, f"{' '.join(command)}:\n{output}")


def check():
    packaging_dir, program, version, shown = Path(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
    app = app_id(packaging_dir)
    desktop_file = packaging_dir / f"{app}.desktop"
    metainfo_file = packaging_dir / f"{app}.metainfo.xml"
    require(desktop_file.is_file(), f"no launcher entry {desktop_file} for the component {app}")

    run_validator(["desktop-file-validate", str(desktop_file)], "desktop-file-utils")
    run_validator(["appstreamcli", "validate", "--no-net", "--pedantic", "--strict",
                   str(metainfo_file)], "appstream")

    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(desktop_file, encoding="utf-8")
    entry = parser["Desktop Entry"]
    require(entry.get("Exec") == program, f"Exec={entry.get('Exec')}, the program is {program}")
    require(entry.get("Icon") == app, f"Icon={entry.get('Icon')}, the component is {app}")
    require(entry.get("Terminal") == "false", "the entry asks for a terminal")
    require({"Education", "Physics"} <= set(entry.get("Categories", "").split(";")),
            f"Categories={entry.get('Categories')}")
    for key in ("Name", "Comment"):
        require(CYRILLIC.search(entry.get(f"{key}[ru]", "")), f"{key}[ru] is not in Russian")

    component = ET.parse(metainfo_file).getroot()
    require(component.get("type") == "desktop-application", "the component is no application")
    launchables = [e.text for e in component.findall("launchable[@type='desktop-id']")]
    require(launchables == [desktop_file.name], f"launchable {launchables}")
    binaries = [e.text for e in component.findall("provides/binary")]
    require(binaries == [program], f"provided binaries {binaries}")
    for tag in ("name", "summary"):
        russian = [e.text for e in component.findall(tag) if e.get(LANG) == "ru"]
        require(russian and CYRILLIC.search(russian[0]), f"no Russian <{tag}>")
    require(any(p.get(LANG) == "ru" for p in component.findall("description/p")),
            "no Russian description")
    require(component.findtext("project_license") == "MIT", "the program is under MIT")
    require(component.find("content_rating") is not None, "no content rating")
    require(component.find("screenshots/screenshot/image") is not None, "no screenshot")
    releases = [e.get("version") for e in component.findall("releases/release")]
    require(releases and releases[0] == version,
            f"latest release {releases[:1]}, the project's version is {version}")

    latest = (packaging_dir / "changelog").read_text(encoding="utf-8").splitlines()[0]
    require(latest.startswith(f"{program} ({version}) "),
            f"the changelog's latest entry is {latest!r}, the project's version is {version}")
    title = (packaging_dir / f"{program}.1").read_text(encoding="utf-8").splitlines()[0]
    require(f'"{program} {shown}"' in title,
            f"the manual page's title {title!r} does not name {program} {shown}")


if __name__ == "__main__":
    main(check)
