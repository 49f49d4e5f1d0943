#!/usr/bin/env python3
"""The JSON report end to end, one scenario a row: window_host.exe shows the windows, a program of
the build runs with -json under Wine, and its standard output, parsed by Python's json module (which
takes lone surrogates), must be the row's document; its exit code must be the document's "exit".
    json-report.py BIN_DIR        (in the Wine session named by QUELLIX_WINE_STATE)
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

BIN = sys.argv[1]
WINE = os.environ.get("WINE", "/usr/lib/wine/wine64")
ENV = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
with open(os.path.join(os.environ["QUELLIX_WINE_STATE"], "env")) as f:
    ENV.update(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
SCRATCH = tempfile.mkdtemp(prefix="json-report.")
PID = "#pid"  # stands for the first window_host's process id
STARTED = []  # every process started here: any left running are ended at the end

# Titles as the document shows them (None: whole).
HOSTILE = [
    ('say "hi" \\ to C:\\dir\\', None),
    ("".join(map(chr, range(1, 32))), None),
    ("a" + "\n" * 500 + "b", None),
    ("lone \ud800 high, lone \udc00 low", None),
    ("emoji \U0001F600 and Straße", None),
    ("x" * 600, "x" * 511),
    ("y" * 510 + "\U0001F600", "y" * 510),  # the pair would straddle the limit
    ("z" * 509 + "\ud800zz", "z" * 509 + "\ud800z"),  # a lone surrogate is one unit like any other
    ("\x01" * 511, None),  # the longest escape for every unit of the longest title
]

# Each row: the window_host programs that own the windows ((mode, titles); mode "late", listed last:
# started once the document holds a window), the program and its arguments ({c}: the row's class), the settings
# that differ from the defaults, each window of the document in order (host, text, outcome, other
# members), the exit code, and other members of the tail. Settings None: nothing on standard output.
ROWS = [
    ("listed, every setting", [("", ["one", "two"])],
     "quellixc.exe -json -t -v -exe=window_host.exe -pid=#pid -text=*o* -class={c} -wait=70 -count=9 -a",
     dict(test=True, exe="window_host.exe", pid=PID, text="*o*", wait=70, count=9, activate=True),
     [(0, "two", "listed"), (0, "one", "listed")], 0),
    ("closed, GUI program", [("", ["shut"])], "quellix.exe -json -v -class={c}", {}, [(0, "shut", "closed")], 0),
    ("stayed", [("-ignore", ["stay"])], "quellixc.exe -json -v -wait=50 -class={c}", dict(wait=50),
     [(0, "stay", "stayed")], 1),
    ("blocked by its dialog", [("-dialog", ["busy"])], "quellixc.exe -json -v -class={c}", {},
     [(0, "busy", "blocked", dict(dialog_text="Popup", dialog_class="{c}Popup"))], 1),
    ("refused", [("", ["elevated"])], "quellix_seam.exe -json -v -class=Qx.Refused", dict(cls="Qx.Refused"),
     [(0, "elevated", "refused", dict(error=5, image=None))], 1),
    ("ended", [("-ignore", ["stubborn"])], "quellixc.exe -json -v -force -wait=50 -class={c}",
     dict(wait=50, force=True), [(0, "stubborn", "ended")], 0),
    ("not ended: other windows", [("-ignore", ["stubborn", "other"])],
     "quellixc.exe -json -v -force -wait=50 -text=stubborn -class={c}", dict(wait=50, force=True, text="stubborn"),
     [(0, "stubborn", "not ended", dict(reason="other windows"))], 1),
    ("not ended: access denied", [("", ["elevated"])], "quellix_seam.exe -json -v -force -class=Qx.Refused",
     dict(cls="Qx.Refused", force=True), [(0, "elevated", "not ended", dict(error=5, image=None,
                                                                              reason="access denied"))], 1),
    ("activated", [("-ignore", ["stay"])], "quellixc.exe -json -v -a -wait=50 -class={c}",
     dict(activate=True, wait=50), [(0, "stay", "stayed", dict(activated=True))], 1),
    ("hostile titles", [("", [t for t, _ in HOSTILE])], "quellix.exe -json -count=99 -class={c}", dict(count=99),
     [(0, shown or title, "closed") for title, shown in reversed(HOSTILE)], 0),
    ("a late window", [("", ["early"]), ("late", ["late"])], "quellixc.exe -json -watch=20000 -count=2 -class={c}",
     dict(watch=20000, count=2), [(0, "early", "closed"), (1, "late", "closed")], 0),
    ("nothing appears", [], "quellixc.exe -json -watch=300 -class={c}", dict(watch=300), [], 2),
    ("no windows", [], "quellix.exe -json -class={c}", {}, [], 0),
    ("no interactive desktop", [], "quellix_session0.exe -json -class={c}", {}, [], 3, dict(hidden_station="WinSta0")),
    ("usage error", [], "quellixc.exe -json -v", None, [], 4),
]


def fail(row, why, *details):
    print(f"json-report: {row}: {why}", *details, sep="\n", file=sys.stderr)
    sys.exit(1)


def spawn(args, out):
    STARTED.append(subprocess.Popen([WINE, *args], stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=subprocess.DEVNULL, env=ENV))
    return STARTED[-1]


def host_argument(title):  # window_host spells control characters and surrogates as \uXXXX
    return "".join(f"\\u{ord(c):04x}" if ord(c) < 0x20 or 0xD800 <= ord(c) < 0xE000 else c for c in title)


def start_host(row, n, mode, cls, titles):
    log = os.path.join(SCRATCH, f"host{n}")
    with open(log, "w") as out:
        proc = spawn([f"{BIN}/window_host.exe", *([mode] if mode.startswith("-") else []), cls,
                      *map(host_argument, titles)], out)
    deadline = time.monotonic() + 30
    while not open(log).read().endswith("\n"):  # its process id, once its windows show
        if proc.poll() is not None or time.monotonic() > deadline:
            fail(row, f"window_host.exe did not show its windows (exit code {proc.poll()})")
        time.sleep(0.05)
    return proc, int(open(log).read())


def run_row(n, name, hosts, command, settings, windows, code, tail=None):
    cls = (settings or {}).get("cls", f"Qx.Json{n}")
    exe, *args = command.replace("{c}", cls).split()
    started = [start_host(name, k, m, cls, t) for k, (m, t) in enumerate(hosts) if m != "late"]
    args = [a.replace(PID, str(started[0][1])) if PID in a else a for a in args]
    out = os.path.join(SCRATCH, "out")
    with open(out, "wb") as f:
        proc = spawn([f"{BIN}/{exe}", *args], f)
    for k, (mode, titles) in enumerate(hosts):
        if mode == "late":  # once the document holds a window, the windows of the start are known
            while b'"outcome"' not in open(out, "rb").read() and proc.poll() is None:
                time.sleep(0.05)
            started.append(start_host(name, k, mode, cls, titles))
    rc = proc.wait(timeout=120)
    data = open(out, "rb").read()
    want = None if settings is None else expected(hosts, started, cls, settings, windows, code, tail)
    try:
        doc = json.loads(data.decode("utf-8")) if data or want else None  # strict UTF-8, no BOM
    except ValueError as e:
        fail(name, f"not a JSON document in UTF-8: {e}", data[:2000])
    handles = [w.pop("handle", None) for w in doc["windows"]] if want else []
    if not all(re.fullmatch(r"0x[0-9a-f]{8,}", h or "") for h in handles) or len(set(handles)) < len(handles):
        fail(name, f"handles {handles}")
    if "-t" in args:  # as the text report writes them
        with open(out, "wb") as f:
            spawn([f"{BIN}/{exe}", *(a for a in args if a != "-json")], f).wait(timeout=60)
        listing = open(out, "rb").read()
        if re.findall(rb"hWnd=(0x[0-9a-fA-F]+)", listing) != [h.encode() for h in handles]:
            fail(name, f"handles {handles} against the text report", listing)
    for proc_k, _ in started:  # the next row may use the same class
        proc_k.kill()
        proc_k.wait()
    if doc != want or rc != code:
        fail(name, f"exit code {rc}, document:", json.dumps(doc, indent=1), "expected:", json.dumps(want, indent=1))


def expected(hosts, started, cls, settings, windows, code, tail):
    base = dict(text=None, exe=None, pid=0, wait=1000, count=1, activate=False, test=False, watch=0, force=False)
    base.update({"class": cls}, **{k: started[0][1] if v == PID else v for k, v in settings.items() if k != "cls"})
    shown = []
    for host, text, outcome, *more in windows:
        w = dict(pid=started[host][1], image="window_host.exe", text=text, outcome=outcome, error=0, reason="",
                 dialog_text=None, dialog_class=None, activated=False, **{"class": cls})
        w.update(*more)
        if w["dialog_class"]:
            w["dialog_class"] = w["dialog_class"].replace("{c}", cls)
        shown.append(w)
    totals = {k: sum(w["outcome"] == k for w in shown) for k in ("closed", "ended")}
    return dict(format=1, settings=base, windows=shown, found=len(shown), **totals,
                activated=sum(w["activated"] for w in shown), hidden_station=None, exit=code) | (tail or {})


try:
    for n, row in enumerate(ROWS):
        t = time.monotonic()
        run_row(n, *row)
        print(f"json-report: {row[0]}: as expected ({time.monotonic() - t:.1f} s)")
finally:
    for p in STARTED:
        if p.poll() is None:
            p.kill()
            p.wait()
    shutil.rmtree(SCRATCH, ignore_errors=True)
