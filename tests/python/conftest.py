# SPDX-License-Identifier: MIT
# Where the tests find the programs and files; CTest sets these.
import os
import pathlib
import subprocess

import numpy as np
import pytest

HERE = pathlib.Path(__file__).resolve()
SAMPLES = pathlib.Path(os.environ.get("TESSARO_SAMPLES_DIR", HERE.parents[2] / "samples"))
AIRFOILS = pathlib.Path(os.environ.get("TESSARO_AIRFOILS_DIR", HERE.parents[3] / "shared/airfoils"))


def batch(*arguments, cwd=None):
    program = os.environ.get("TESSARO_BATCH")
    if not program:
        pytest.skip("TESSARO_BATCH is not set: run through CTest")
    return subprocess.run([program, *map(str, arguments)], capture_output=True, cwd=cwd, timeout=60)


def diamond(per_side):
    """A symmetric section of straight sides: from (1, 0) over (0.5, 0.1) to (0, 0) and back."""
    s = np.arange(2 * per_side + 1) / per_side
    x = np.where(s <= 1, 1 - s, s - 1)
    return np.column_stack([x, np.where(s <= 1, 0.2, -0.2) * np.minimum(x, 1 - x)])
