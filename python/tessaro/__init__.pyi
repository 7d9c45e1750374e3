# SPDX-License-Identifier: MIT
from os import PathLike
from typing import Literal, final

import numpy as np
import numpy.typing as npt

__version__: str

_Path = str | bytes | PathLike[str] | PathLike[bytes]
_Name = str | bytes
_Coordinates = npt.NDArray[np.float64]

class FileText(str):
    def __new__(cls, text: str = ..., data: bytes | None = ...) -> FileText: ...
    def __bytes__(self) -> bytes: ...
    def __add__(self, other: str) -> FileText: ...  # type: ignore[override]
    def __radd__(self, other: str) -> FileText: ...

@final
class Section:
    @property
    def name(self) -> FileText: ...
    @property
    def coordinates(self) -> _Coordinates: ...
    @property
    def layout(self) -> Literal["arf", "selig", "lednicer"]: ...

@final
class Frame:
    @property
    def nose(self) -> tuple[float, float]: ...
    @property
    def angle(self) -> float: ...
    @property
    def chord(self) -> float: ...

@final
class Result:
    @property
    def coordinates(self) -> _Coordinates: ...
    @property
    def order_check(self) -> float | None: ...
    @property
    def order_check_x(self) -> float | None: ...
    @property
    def panel_fit(self) -> float | None: ...
    @property
    def panel_fit_x(self) -> float | None: ...
    @property
    def warnings(self) -> tuple[str, ...]: ...
    @property
    def frame(self) -> Frame | None: ...
    @property
    def chord(self) -> float: ...

class RefusedError(ValueError):
    suggestion: Literal["own-trailing-edges", "leading-edge-off"] | None

class FileFormatError(ValueError): ...

def read(path: _Path) -> Section: ...
def redistribute(
    coordinates: npt.ArrayLike,
    *,
    points: int = 161,
    order: int = 3,
    method: Literal["lagrange", "divided-differences"] = "lagrange",
    mode: Literal["specified", "own-trailing-edges", "leading-edge"] = "specified",
    keep_frame: bool = False,
) -> Result: ...
def format(
    coordinates: npt.ArrayLike, *, name: _Name, layout: Literal["arf", "selig"]
) -> FileText: ...
def write(
    path: _Path, coordinates: npt.ArrayLike, *, name: _Name, layout: Literal["arf", "selig"]
) -> None: ...
