#!/usr/bin/env python3
"""The generated mutation check's scan: what it changes, what it leaves alone, and that each
mutant still builds where the original did (a chain keeps its grouping)."""
import importlib.machinery
import importlib.util
import os
import sys

loader = importlib.machinery.SourceFileLoader(
    "mutants", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "mutants"))
tool = importlib.util.module_from_spec(importlib.util.spec_from_loader("mutants", loader))
loader.exec_module(tool)

# Source, and every mutant's changed text (one changed span and its replacement) in file order.
CASES = [
    ('// a < b\nconst char* s = "x < !y"; char c = \'<\';\n#include <a.h>\nstatic_assert(1 < 2, "");', []),
    ("char buf[16]; int f(int* a) { return a[3] > 0; }",
     ["3 => 4", "3 => 2", "> => >=", "> => <=", "0 => 1"]),
    ("bool f(long x) { return static_cast<int>(x) != 0x0F; }",
     ["static_cast<int>(x) != 0x0F => !(static_cast<int>(x) != 0x0F)", "!= => ==", "0x0F => 0x10",
      "0x0F => 0x0E"]),
    ("void f(bool a) {\n    if (!a) g(a);\n    else s->h(a ? 1 : 0);\n}",
     ["! => ", "g(a); => {}", "s->h(a ? 1 : 0); => {}", "1 => 2", "1 => 0", "0 => 1"]),
    ("bool f(bool a, bool b, bool c) { return a && b && c; }",
     ["a && b && c => !(a && b && c)", "a && b => (a || b)", "a && b && c => (a && b) || c"]),
    ("int f(int x) { for (int i = 0; g(i); ++i) x = x-0; return x; }", ["0 => 1", "0 => 1"]),
]

failures = 0
for source, want in CASES:
    got = [f"{source[m.start:m.end]} => {m.replacement}" for m in tool.sites("src/x.cpp", source)]
    if got != want:
        failures += 1
        print(f"FAIL {source!r}\n  got  {got}\n  want {want}")
sys.exit(1 if failures else 0)
