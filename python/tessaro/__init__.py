# SPDX-License-Identifier: MIT
"""Tessaro's redistribution of airfoil contours, on NumPy arrays.

    import tessaro
    s = tessaro.read("naca2412.dat")
    r = tessaro.redistribute(s.coordinates, points=161, order=3, mode="leading-edge")
    tessaro.write("out.dat", r.coordinates, name=s.name + " - redistributed", layout="selig")

Failures are raised, never printed: RefusedError for what the calculation refuses,
ValueError for bad options or arrays, FileFormatError for a file that is not a coordinate
file, FileNotFoundError, IsADirectoryError or OSError for a file that cannot be read or
written. help(tessaro.redistribute) lists the options.
"""

import os as _os

from ._core import FileFormatError, Frame, RefusedError, Result, __version__, redistribute
from . import _core

__all__ = [
    "FileFormatError",
    "FileText",
    "Frame",
    "RefusedError",
    "Result",
    "Section",
    "__version__",
    "format",
    "read",
    "redistribute",
    "write",
]


def _decode(data):
    # As the window shows a title: UTF-8 where the bytes are valid UTF-8, Windows-1254 otherwise.
    try:
        return data.decode("utf-8-sig")
    except UnicodeDecodeError:
        return data.decode("cp1254", "replace")


class FileText(str):
    """A str that keeps the bytes it was decoded from, so that it is written back unchanged.

    bytes(text) gives those bytes. text + str and str + text keep them, adding the plain
    str's UTF-8; every other str operation gives a plain str, which is written as UTF-8.
    FileText(text) alone holds the UTF-8 of text.
    """

    __slots__ = ("_bytes",)

    def __new__(cls, text="", data=None):
        self = super().__new__(cls, text)
        self._bytes = str.encode(self, "utf-8") if data is None else bytes(data)
        return self

    @classmethod
    def _of(cls, data):
        return cls(_decode(data), data)

    def __bytes__(self):
        return self._bytes

    def __add__(self, other):
        if not isinstance(other, str):
            return NotImplemented
        return FileText(str(self) + other, self._bytes + _bytes_of(other))

    def __radd__(self, other):
        if not isinstance(other, str):
            return NotImplemented
        return FileText(other + str(self), _bytes_of(other) + self._bytes)

    def __reduce__(self):
        return (FileText, (str(self), self._bytes))


def _bytes_of(name):
    if isinstance(name, FileText):
        return name._bytes
    if isinstance(name, str):
        return name.encode("utf-8")
    if isinstance(name, (bytes, bytearray)):
        return bytes(name)
    raise TypeError(f"name must be str or bytes, not {type(name).__name__}")


class Section:
    """A coordinate file as read.

    name: the title as a FileText (UTF-8 where its bytes are valid UTF-8, Windows-1254
        otherwise); written with write() or format(), it gives the file's bytes again.
    coordinates: the points in file order and the file's own units, a read-only (N, 2)
        float64 array.
    layout: "arf", "selig" or "lednicer", told from the content.
    """

    __slots__ = ("_name", "_coordinates", "_layout")

    def __init__(self, name, coordinates, layout):
        self._name, self._coordinates, self._layout = name, coordinates, layout

    name = property(lambda self: self._name, doc="The title, a FileText.")
    coordinates = property(
        lambda self: self._coordinates, doc="The points read, a read-only (N, 2) float64 array."
    )
    layout = property(lambda self: self._layout, doc='"arf", "selig" or "lednicer".')

    def __repr__(self):
        return (
            f"<tessaro.Section {str(self._name)!r}: {len(self._coordinates)} points, "
            f"{self._layout}>"
        )


def read(path):
    """Reads a coordinate file: .arf, Selig or Lednicer, told apart by the content.

    Returns a Section. Raises FileNotFoundError, IsADirectoryError or OSError when the file
    cannot be read, FileFormatError when its bytes are not a coordinate file; the messages
    are the window's.
    """
    name, coordinates, layout = _core.read_file(_os.fsencode(path))
    return Section(FileText._of(name), coordinates, layout)


def format(coordinates, *, name, layout):
    """The text of a coordinate file of the points, as write() would write it; nothing is written.

    coordinates: an (N, 2) array-like, 1 <= N <= 1000, finite.
    name: the title line; a name read from a file (a FileText) gives its own bytes, any
        other str its UTF-8, bytes themselves. Line breaks become blanks.
    layout: "arf" (the window's save: CR LF, five decimals) or "selig" (its export: LF,
        eight decimals).

    Returns a FileText: bytes(text) is exactly the file.
    """
    return FileText._of(_core.format_points(coordinates, _bytes_of(name), layout))


def write(path, coordinates, *, name, layout):
    """Writes the points as a coordinate file, format()'s bytes, to path.

    A file already there is replaced only once the whole text is on disk. Raises OSError
    when the file cannot be written, the file that was there left as it was; ValueError
    for a bad array or layout.
    """
    _core.write_file(_os.fsencode(path), coordinates, _bytes_of(name), layout)
