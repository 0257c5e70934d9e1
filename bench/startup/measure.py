#!/usr/bin/env python3
"""Whole-process start-up of KaneloY against a bare Qt window.

Runs the two programs alternately (so both see the same machine load), each
ending at its first paint, and reports the median wall time and the median
peak memory (/usr/bin/time -v) of each.

  measure.py <build dir> [rounds] [entries]

Needs a display (e.g. Xvfb) in DISPLAY.
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 30
entries = int(sys.argv[3]) if len(sys.argv) > 3 else 100000
year = time.localtime().tm_year

work = tempfile.mkdtemp(prefix="kanelo-startup-")
folder = os.path.join(work, "home")
subprocess.run([os.path.join(build, "bench", "startup_folder"), folder, str(year), str(entries)], check=True)
runtime = os.path.join(work, "runtime")
os.mkdir(runtime, 0o700)
env = dict(os.environ, KANELO_HOME=folder, XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_RUNTIME_DIR=runtime)
programs = {
    "bare": [os.path.join(build, "bench", "startup_bare")],
    "kanelo": [os.path.join(build, "bench", "startup_kanelo")],
}


def run(cmd, timed=True):
    lock = os.path.join(folder, "KaneloY.lock")
    if os.path.exists(lock):
        os.remove(lock)
    if timed:
        t = time.perf_counter()
        child = subprocess.Popen(cmd, env=env)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - t
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            sys.exit(f"{cmd[0]} ended with {child.returncode}")
        return wall, usage.ru_utime + usage.ru_stime
    out = subprocess.run(["/usr/bin/time", "-v"] + cmd, env=env, check=True, stderr=subprocess.PIPE, text=True).stderr
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", out).group(1))


for cmd in programs.values():  # warm the page cache
    run(cmd)
times = {k: [] for k in programs}
cpu = {k: [] for k in programs}
memory = {k: [] for k in programs}
for _ in range(rounds):
    for name, cmd in programs.items():
        wall, used = run(cmd)
        times[name].append(wall)
        cpu[name].append(used)
for _ in range(max(5, rounds // 3)):
    for name, cmd in programs.items():
        memory[name].append(run(cmd, timed=False))
shutil.rmtree(work)

t = {k: statistics.median(v) * 1000 for k, v in times.items()}
c = {k: statistics.median(v) * 1000 for k, v in cpu.items()}
m = {k: statistics.median(v) / 1024 for k, v in memory.items()}
for k in programs:
    print(f"{k:7s} start to first paint: median {t[k]:6.1f} ms (min {min(times[k]) * 1000:.1f}, max {max(times[k]) * 1000:.1f})"
          f"   CPU (user+sys): median {c[k]:6.1f} ms   peak memory: median {m[k]:.1f} MiB")
print(f"kanelo / bare: wall {t['kanelo'] / t['bare']:.2f}x, CPU {c['kanelo'] / c['bare']:.2f}x"
      f"   memory above bare: {m['kanelo'] - m['bare']:+.1f} MiB"
      f"   ({entries} entries, {rounds} rounds)")
