#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times tessaro.redistribute against the SciPy spline re-panelling a Python user writes without
it, on the exact sections (61 and 35 points to 161) and a 1000-point section (to 1000), and the
import of the module. Prints its figures and never fails.

    PYTHONPATH=build/python /usr/bin/python3 bench/bench_python.py [EXACT_SECTIONS_DIR]
"""
import pathlib
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
EXACT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT.parent / "shared/exact-sections")
SECTION_1000 = ROOT / "samples" / "naca0012_1000.arf"
CALLS = 51

try:
    import numpy as np

    import tessaro
except ImportError as missing:
    print(f"bench_python: {missing}; build the module and run with PYTHONPATH=build/python")
    sys.exit(0)
try:
    from scipy.interpolate import CubicSpline
except ImportError:
    CubicSpline = None


def spline_repanel(xy, n_side=81):
    i = int(np.argmin(xy[:, 0]))
    sides = []
    for part in (xy[: i + 1][::-1], xy[i:]):
        s = np.concatenate([[0], np.cumsum(np.hypot(*np.diff(part, axis=0).T))])
        cs = CubicSpline(s, part, bc_type="not-a-knot")
        sides.append(cs(s[-1] * (1 - np.cos(np.linspace(0, np.pi, n_side))) / 2))
    return np.vstack([sides[0][::-1], sides[1][1:]])


def median_seconds(call):
    """The median time of one call, or None when it fails."""
    try:
        call()
    except Exception as failure:  # a refused section or a spline that cannot be built
        print(f"    failed: {type(failure).__name__}: {failure}")
        return None
    times = []
    for _ in range(CALLS):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def import_times():
    script = (
        "import time; t0 = time.perf_counter(); import numpy; t1 = time.perf_counter(); "
        "import tessaro; t2 = time.perf_counter(); print(t1 - t0, t2 - t1)"
    )
    runs = [subprocess.run([sys.executable, "-c", script], capture_output=True, text=True)
            for _ in range(5)]
    pairs = [tuple(map(float, run.stdout.split())) for run in runs if run.returncode == 0]
    return [statistics.median(column) for column in zip(*pairs)] if pairs else None


def microseconds(seconds):
    return "-" if seconds is None else f"{seconds * 1e6:9.1f}"


def main():
    print(f"tessaro {tessaro.__version__}, NumPy {np.__version__}, Python {sys.version.split()[0]}")
    if CubicSpline is None:
        print("SciPy is not installed (Debian: python3-scipy): the spline is skipped")
    sections = [(path, 161, 81) for path in sorted(EXACT.glob("*.dat"))]
    if not sections:
        print(f"{EXACT}: no exact sections; only the 1000-point section is timed")
    if SECTION_1000.exists():
        sections.append((SECTION_1000, 1000, 500))  # the spline gives 999 points
    groups = {}
    print(f"{'section':<22}{'N':>6}{'new':>6}{'tessaro us':>12}{'spline us':>12}{'ratio':>8}")
    for path, points, n_side in sections:
        xy = np.ascontiguousarray(tessaro.read(path).coordinates)
        ours = median_seconds(
            lambda: tessaro.redistribute(xy, points=points, order=3, mode="leading-edge"))
        theirs = median_seconds(lambda: spline_repanel(xy, n_side)) if CubicSpline else None
        ratio = f"{ours / theirs:8.3f}" if ours and theirs else "       -"
        print(f"{path.name:<22}{len(xy):>6}{points:>6}{microseconds(ours):>12}"
              f"{microseconds(theirs):>12}{ratio}")
        groups.setdefault(f"{len(xy)} -> {points}", []).append((ours, theirs))
    print("median per section:")
    for group, pairs in groups.items():
        ours = [o for o, _ in pairs if o is not None]
        theirs = [t for _, t in pairs if t is not None]
        ours = statistics.median(ours) if ours else None
        theirs = statistics.median(theirs) if theirs else None
        target = " (target: at most 0.2)" if group.endswith("-> 161") else ""
        ratio = f"ratio {ours / theirs:.3f}{target}" if ours and theirs else "no ratio"
        print(f"  {group:>12} points, {len(pairs)} sections: "
              f"tessaro {microseconds(ours).strip()} us, "
              f"spline {microseconds(theirs).strip()} us, {ratio}")
    imported = import_times()
    if imported:
        print(f"import numpy: {imported[0] * 1e3:.1f} ms, "
              f"then import tessaro: {imported[1] * 1e3:.1f} ms "
              f"(median of 5 fresh interpreters)")
    else:
        print("import time: the interpreter did not start")


if __name__ == "__main__":
    main()
