# SPDX-License-Identifier: MIT
# format(redistribute(...)) gives tessaro-batch's bytes: every sample in every mode and layout,
# the shared airfoils where they are, and titles in each encoding a file may hold.
import pathlib

import pytest

import tessaro
from conftest import AIRFOILS, SAMPLES, batch

MODES = {
    "specified": [],
    "own-trailing-edges": ["-t"],
    "leading-edge": ["-L"],
    "leading-edge, own frame": ["-L", "--keep-frame"],
}
TITLES = {
    "utf-8": "Ölçek İş".encode(),
    "windows-1254": b"\xd6l\xe7ek \xdd\xfe \x80",
    "unassigned in windows-1254": b"NACA \x81\x8d\x9e",
    "cut utf-8": b"NACA \xc3",
}


def cases():
    for source in [*sorted(SAMPLES.glob("*.arf")), *TITLES]:
        name = getattr(source, "name", f"{source} title")
        for layout, mode in ((layout, mode) for layout in ("arf", "selig") for mode in MODES):
            yield pytest.param(source, mode, layout, id=f"{name}-{mode}-{layout}")
    shared = sorted(AIRFOILS.glob("*.arf")) + sorted(AIRFOILS.glob("source/*"))
    if not shared:
        absent = pytest.mark.skip(reason=f"{AIRFOILS} is absent")
        yield pytest.param(None, "specified", "arf", marks=absent)
    for path in shared:
        layout = "arf" if path.suffix == ".arf" else "selig"
        yield from (pytest.param(path, mode, layout, id=f"{path.name}-{mode}") for mode in MODES)


def titled(tmp_path, title, layout):
    """naca2412's points under the title's bytes, in the layout the name reads in."""
    points = tessaro.read(SAMPLES / "naca2412.arf").coordinates
    path = tmp_path / f"titled.{'arf' if layout == 'arf' else 'dat'}"
    tessaro.write(path, points, name=TITLES[title], layout=layout)
    return path


@pytest.mark.parametrize("source, mode, layout", cases())
def test_same_bytes_as_tessaro_batch(source, mode, layout, tmp_path):
    path = source if isinstance(source, pathlib.Path) else titled(tmp_path, source, layout)
    run = batch("-q", "-n", 161, "-p", 3, *MODES[mode], "-f", layout, "-o", "-", path)
    section = tessaro.read(path)
    options = dict(points=161, order=3, mode=mode.split(",")[0], keep_frame=mode.endswith("frame"))
    if run.returncode != 0:
        with pytest.raises(tessaro.RefusedError) as refused:
            tessaro.redistribute(section.coordinates, **options)
        assert run.stdout == b"" and str(refused.value).encode() in run.stderr
        return
    result = tessaro.redistribute(section.coordinates, **options)
    text = tessaro.format(result.coordinates, name=section.name + " - redistributed", layout=layout)
    assert bytes(text) == run.stdout
    # The same warnings, each ending in its own advice.
    assert run.stderr.count(b": warning: ") == len(result.warnings)
    assert all(warning.rsplit(": ", 1)[0].encode() in run.stderr for warning in result.warnings)
