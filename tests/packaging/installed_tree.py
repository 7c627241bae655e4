"""What an installation of the program must hold, and checks of an installed tree against it."""

import gzip
import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ICON_SIZES = (48, 64, 128, 256)


class Failure(Exception):
    pass


def require(condition, message):
    if not condition:
        raise Failure(message)


def app_id(packaging_dir):
    """The component id of the program's AppStream metadata; it names the other files too."""
    files = sorted(Path(packaging_dir).glob("*.metainfo.xml"))
    require(len(files) == 1, f"expected one metainfo file in {packaging_dir}, found {files}")
    return ET.parse(files[0]).getroot().findtext("id")


def expected_files(app, program):
    """Paths relative to the prefix of every file the installation holds."""
    files = {
        f"bin/{program}",
        f"share/applications/{app}.desktop",
        f"share/metainfo/{app}.metainfo.xml",
        f"share/man/man1/{program}.1.gz",
        "share/doc/kinematics-test/copyright",
        "share/doc/kinematics-test/changelog.gz",
    }
    files |= {f"share/icons/hicolor/{n}x{n}/apps/{app}.png" for n in ICON_SIZES}
    return files


def files_under(root):
    """Every file and symbolic link under root, as paths relative to it."""
    return {
        str((Path(base) / name).relative_to(root))
        for base, _, names in os.walk(root)
        for name in names
    }


def png_size(path):
    data = Path(path).read_bytes()[:24]
    require(data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR", f"{path} is not a PNG")
    return struct.unpack(">II", data[16:24])


def build_id(path):
    out = subprocess.run(["readelf", "-n", str(path)], check=True, capture_output=True,
                         text=True).stdout
    ids = [line.split(":", 1)[1].strip() for line in out.splitlines()
           if line.strip().startswith("Build ID:")]
    require(len(ids) == 1, f"{path} carries no build id")
    return ids[0]


def check_tree(prefix, source_dir, packaging_dir, program):
    """Checks the files under prefix: the set is exact, each data file is its source's copy
    (compressed or not) and each icon has the size its folder names. Returns the path of the
    installed program."""
    prefix = Path(prefix)
    app = app_id(packaging_dir)
    expected = expected_files(app, program)
    found = files_under(prefix)
    require(found == expected,
            f"installed files differ from the expected ones under {prefix}\n"
            f"  missing: {sorted(expected - found)}\n  unexpected: {sorted(found - expected)}")

    copies = {
        f"share/applications/{app}.desktop": Path(packaging_dir) / f"{app}.desktop",
        f"share/metainfo/{app}.metainfo.xml": Path(packaging_dir) / f"{app}.metainfo.xml",
        "share/doc/kinematics-test/copyright": Path(packaging_dir) / "copyright",
        f"share/man/man1/{program}.1.gz": Path(packaging_dir) / f"{program}.1",
        "share/doc/kinematics-test/changelog.gz": Path(packaging_dir) / "changelog",
    }
    for n in ICON_SIZES:
        icon = f"share/icons/hicolor/{n}x{n}/apps/{app}.png"
        copies[icon] = Path(source_dir) / "assets" / "icon" / f"kinematics-test-{n}.png"
        require(png_size(prefix / icon) == (n, n),
                f"{icon} is {png_size(prefix / icon)}, not {n}x{n}")
    for installed, source in copies.items():
        data = (prefix / installed).read_bytes()
        if installed.endswith(".gz"):
            data = gzip.decompress(data)
        require(data == Path(source).read_bytes(), f"{installed} is not a copy of {source}")
        require(not os.access(prefix / installed, os.X_OK), f"{installed} is executable")

    executable = prefix / "bin" / program
    require(os.access(executable, os.X_OK), f"{executable} is not executable")
    return executable


def main(check):
    try:
        check()
    except (Failure, subprocess.CalledProcessError) as error:
        print(f"FAIL: {error}", file=sys.stderr)
        if isinstance(error, subprocess.CalledProcessError):
            print(error.stdout or "", error.stderr or "", sep="\n", file=sys.stderr)
        sys.exit(1)
    print("ok")
