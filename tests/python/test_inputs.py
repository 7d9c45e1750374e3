# SPDX-License-Identifier: MIT
# Any array-like of shape (N, 2) gives the float64 result and stays as it was; names keep the
# bytes they were read from.
import numpy as np
import pytest

import tessaro
from conftest import diamond

XY = diamond(12)


def wide():
    array = np.zeros((len(XY), 4))
    array[:, ::2] = XY
    return array[:, ::2]


INPUTS = {
    "float32": lambda: (XY.astype(np.float32), XY.astype(np.float32).astype(np.float64)),
    "list": lambda: (XY.tolist(), XY),
    "int": lambda: (np.rint(XY * 100).astype(np.int32), np.rint(XY * 100)),
    "Fortran order": lambda: (np.asfortranarray(XY), XY),
    "strided": lambda: (wide(), XY),
    "reversed": lambda: (XY[::-1], XY[::-1].copy()),
}


@pytest.mark.parametrize("make", INPUTS.values(), ids=INPUTS.keys())
def test_any_array_like_gives_the_float64_result(make):
    given, same_as = make()
    before = np.array(given, copy=True)
    result = tessaro.redistribute(given, points=101, mode="leading-edge").coordinates
    expected = tessaro.redistribute(np.ascontiguousarray(same_as), points=101, mode="leading-edge")
    assert result.dtype == np.float64 and result.shape == (101, 2) and result.base is None
    assert np.array_equal(result, expected.coordinates)
    assert np.array_equal(np.asarray(given), before) and np.asarray(given).dtype == before.dtype


TITLES = {
    "utf-8": ("Ölçek".encode(), "Ölçek"),
    "windows-1254": (b"\xd6l\xe7ek", "Ölçek"),
    "euro sign": (b"\x80", "€"),
    "unassigned byte": (b"A \x81", "A \ufffd"),
}


@pytest.mark.parametrize("title, shown", TITLES.values(), ids=TITLES.keys())
def test_names_read_as_the_window_shows_them_and_write_their_own_bytes(title, shown, tmp_path):
    tessaro.write(tmp_path / "titled.arf", XY, name=title, layout="arf")
    section = tessaro.read(tmp_path / "titled.arf")
    assert section.name == shown and bytes(section.name) == title
    assert bytes(section.name + " - ş") == title + " - ş".encode()
    assert bytes("ş " + section.name) == "ş ".encode() + title

    def first_line(name):
        return bytes(tessaro.format(XY, name=name, layout="selig")).split(b"\n")[0]

    assert first_line(section.name) == title and first_line(str(section.name)) == shown.encode()
    with pytest.raises(ValueError):
        section.coordinates[0, 0] = 2
