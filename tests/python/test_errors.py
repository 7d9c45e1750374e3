# SPDX-License-Identifier: MIT
# Each failure reaches the caller as its own exception type with the library's message; nothing
# is printed, and a write that fails leaves the file that was there.
import numpy as np
import pytest

import tessaro
from conftest import diamond

KEPT = b"Kept\n 1.0 0.0\n 0.0 0.0\n 1.0 0.0\n"


def nan_at_5():
    points = diamond(10)
    points[4, 1] = np.nan
    return points


def short_end():
    points = diamond(10)
    points[-1, 0] = 0.8
    return points


def row(call, error, message, suggestion=None):
    return call, error, message, suggestion


redistribute, read = tessaro.redistribute, tessaro.read
ROWS = {
    "(2, N) array": row(lambda d: redistribute(diamond(10).T), ValueError,
        "coordinates has shape (2, 21): give one row per point, x and y in the columns of an "
        "(N, 2) array; pass its .T."),
    "NaN": row(lambda d: redistribute(nan_at_5()), ValueError,
        "contour point 5 is not a finite number: give finite x and y."),
    "1 point": row(lambda d: redistribute([[1.0, 0.0]]), ValueError,
        "contour has 1 points: give 2 to 1000 points."),
    "1001 points": row(lambda d: redistribute(diamond(500)), ValueError,
        "contour has 1001 points: give 2 to 1000 points."),
    "order at N": row(lambda d: redistribute(diamond(10), order=21), tessaro.RefusedError,
        "nPoly must be lower then 21", None),
    "surfaces ending apart": row(lambda d: redistribute(short_end()), tessaro.RefusedError,
        "Point 1 lies at x = 2 after scaling the chord to 0..1, beyond the "
        "trailing edge: both surfaces must end at the same trailing-edge x.", "own-trailing-edges"),
    "keep_frame without the leading edge": row(lambda d: redistribute(diamond(10), keep_frame=True),
        ValueError, 'keep_frame applies to the leading-edge mode only: give mode="leading-edge".'),
    "unknown method": row(lambda d: redistribute(diamond(10), method="spline"), ValueError,
        'method = "spline": give "lagrange" or "divided-differences".'),
    "missing file": row(lambda d: read(d / "missing.dat"), FileNotFoundError,
        'Cannot import "missing.dat": the file does not exist.'),
    "folder": row(lambda d: read(d), IsADirectoryError, 'Cannot import "{name}": it is a folder.'),
    "binary file": row(lambda d: read(d / "binary.dat"), tessaro.FileFormatError,
        'Cannot import "binary.dat": it is not a coordinate file of a known layout (line 2: '
        '"\\x03\\x00>\\x00\\xff").'),
    "target whose folder is a file": row(
        lambda d: tessaro.write(d / "kept.dat/out.dat", diamond(5), name="Out", layout="selig"),
        OSError,
        'Could not export "{folder}/kept.dat/out.dat": a part of the path is not a folder'),
    "Lednicer written": row(
        lambda d: tessaro.write(d / "kept.dat", diamond(5), name="Out", layout="lednicer"),
        ValueError, 'layout = "lednicer": the Lednicer layout is read but never written; give '
        '"arf" or "selig".'),
}


@pytest.mark.parametrize("call, error, message, suggestion", ROWS.values(), ids=ROWS.keys())
def test_errors(call, error, message, suggestion, tmp_path, capfd):
    (tmp_path / "kept.dat").write_bytes(KEPT)
    (tmp_path / "binary.dat").write_bytes(b"\x7fELF\x02\x01\x01\x00\n\x03\x00>\x00\xff\n")
    with pytest.raises(error) as raised:
        call(tmp_path)
    assert type(raised.value) is error
    assert str(raised.value) == message.format(name=tmp_path.name, folder=tmp_path)
    assert getattr(raised.value, "suggestion", None) == suggestion
    assert (tmp_path / "kept.dat").read_bytes() == KEPT
    assert capfd.readouterr() == ("", "")
