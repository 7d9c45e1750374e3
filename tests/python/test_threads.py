# SPDX-License-Identifier: MIT
# Calls run without the GIL: eight threads at once give exactly what a serial loop gives.
from concurrent.futures import ThreadPoolExecutor

import numpy as np

import tessaro
from conftest import diamond

MODES = ("specified", "own-trailing-edges", "leading-edge")
METHODS = ("lagrange", "divided-differences")
# Sections of many shapes and settings, so that the threads' tables and frames differ.
CASES = [
    (diamond(8 + k % 40) * [1, 1 + 0.01 * k],
     dict(points=50 + k, order=1 + k % 5, method=METHODS[k % 2], mode=MODES[k % 3]))
    for k in range(200)
]


def run(first):
    order = [(first * 25 + k) % len(CASES) for k in range(len(CASES))]
    return {k: tessaro.redistribute(CASES[k][0], **CASES[k][1]).coordinates for k in order}


def test_eight_threads_give_what_a_serial_loop_gives():
    serial = run(0)
    with ThreadPoolExecutor(8) as pool:
        threaded = list(pool.map(run, range(8)))
    for results in threaded:
        assert all(np.array_equal(results[k], serial[k]) for k in serial)
