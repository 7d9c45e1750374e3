# SPDX-License-Identifier: MIT
# The package as a user meets it: documented and typed names, the version, the README's example,
# and an installed copy that imports with its own library.
import ast
import importlib.util
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys

import pytest

import tessaro
from conftest import AIRFOILS, SAMPLES, batch

CLASSES = (tessaro.Section, tessaro.Result, tessaro.Frame)


def test_every_public_name_is_documented_and_in_the_stub():
    stub = ast.parse(pathlib.Path(tessaro.__file__).with_name("__init__.pyi").read_text())
    definitions = (ast.FunctionDef, ast.ClassDef)
    stubbed = {node.name for node in stub.body if isinstance(node, definitions)}
    stubbed |= {node.target.id for node in stub.body if isinstance(node, ast.AnnAssign)}
    assert stubbed == set(tessaro.__all__)
    assert pathlib.Path(tessaro.__file__).with_name("py.typed").exists()
    documented = [getattr(tessaro, name) for name in tessaro.__all__ if name != "__version__"]
    documented += [getattr(c, name) for c in CLASSES for name in vars(c) if name[0] != "_"]
    assert [item for item in documented if len(item.__doc__ or "") < 20] == []
    assert batch("--version").stdout.decode().split() == ["tessaro-batch", tessaro.__version__]


def test_the_readme_example_runs(tmp_path):
    source = AIRFOILS / "source" / "naca2412.dat"
    if not source.exists():
        pytest.skip(f"{source} is absent")
    readme = pathlib.Path(os.environ.get("TESSARO_README", SAMPLES.parent / "README.md"))
    section = readme.read_text().split("## Use it from Python", 1)[1]
    example = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    shutil.copy(source, tmp_path)
    env = dict(os.environ, PYTHONPATH=str(pathlib.Path(tessaro.__file__).parents[1]))
    run = subprocess.run([sys.executable, "-c", example], cwd=tmp_path, env=env,
                         capture_output=True, text=True, timeout=120)
    assert run.returncode == 0, run.stderr
    assert re.fullmatch(r"(\S+: order check \S+ at x = \S+\n){2}", run.stdout), run.stdout
    plotted = importlib.util.find_spec("matplotlib") is not None
    assert (tmp_path / "python-example.png").exists() == plotted


def test_an_installed_copy_imports_with_its_own_library(tmp_path):
    names = ("TESSARO_CMAKE", "TESSARO_BUILD_DIR", "TESSARO_PYTHON_DIR")
    cmake, build, folder = (os.environ.get(name) for name in names)
    if not (cmake and build and folder):
        pytest.skip("run through CTest")
    # cmake itself is not instrumented: it runs without the sanitizer runtimes.
    plain = {name: value for name, value in os.environ.items() if name != "LD_PRELOAD"}
    run = subprocess.run([cmake, "--install", build, "--prefix", tmp_path], capture_output=True,
                         text=True, env=plain)
    assert run.returncode == 0, run.stderr
    package = tmp_path / folder / "tessaro"
    assert {"__init__.py", "__init__.pyi", "py.typed"} <= {path.name for path in package.iterdir()}
    script = (
        "import json, sys, tessaro\n"
        "s = tessaro.read(sys.argv[1])\n"
        "r = tessaro.redistribute(s.coordinates, mode='leading-edge')\n"
        "maps = [line.split()[-1] for line in open('/proc/self/maps') if 'libtessaro' in line]\n"
        "print(json.dumps([tessaro.__file__, sorted(set(maps)), r.coordinates.tolist()]))\n"
    )
    env = dict(os.environ, PYTHONPATH=str(tmp_path / folder))
    run = subprocess.run([sys.executable, "-c", script, SAMPLES / "naca2412.arf"], cwd=tmp_path,
                         env=env, capture_output=True, text=True, timeout=60)
    assert run.returncode == 0, run.stderr
    module, libraries, points = json.loads(run.stdout)
    assert pathlib.Path(module).parent == package
    assert len(libraries) == 1
    assert tmp_path.resolve() in pathlib.Path(libraries[0]).resolve().parents
    here = tessaro.read(SAMPLES / "naca2412.arf").coordinates
    assert points == tessaro.redistribute(here, mode="leading-edge").coordinates.tolist()
