#!/usr/bin/env python3
"""Endurance run: veltro-cli records a simulated 10 Hz receiver that is unplugged and plugged in
again every 30 s, while its memory and processor time are sampled every second.

At the end it checks that
  - the recording holds every byte the simulator put on the line, in order, and nothing else;
  - the memory (resident set) grew by less than 1 MiB after the warm-up, the stream ring's pages
    excepted (see RING_BYTES);
  - veltro-cli ended within 5 s of being asked (SIGTERM), with status 0,
prints the figures and exits with status 1 when a check failed (2 when the run could not start).

    tools/soak/soak.py --duration 3600          # an hour, by hand
    tools/soak/soak.py --bin build/bin          # where veltro-cli and veltro-sim are

Why the comparison is exact: the simulator keeps every byte that its write calls took
(--written-log) and speaks only while a host has the line open, which it learns from the flush
that the host's opening makes. Before it unplugs the line, and before it exits, it waits until the
host has read everything written: a pseudo-terminal that closes drops what is still in it, as a
pulled cable drops what is on the wire, and no host could record that. So every written byte
reached veltro-cli, which must have recorded all of them, in order, once each. veltro-cli sends
nothing of its own here, so the recording holds nothing else.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

MIB = 1024 * 1024
MAX_GROWTH = 1 * MIB
EXIT_WITHIN_S = 5.0
TICKS = os.sysconf("SC_CLK_TCK")
# veltro-cli keeps the latest 4 MiB of the stream in memory; the ring's pages become resident as
# the stream first fills it, which takes minutes at 10 Hz. It is not a leak, so its part
# (the bytes received so far, which the recording counts, up to 4 MiB) is taken off.
RING_BYTES = 4 * MIB
PAGE = os.sysconf("SC_PAGE_SIZE")


def parse_arguments():
    default_bin = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "bin")
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--duration", type=float, default=60, help="seconds of recording (default 60)")
    parser.add_argument("--replug-every", type=int, default=30, help="seconds between unplugs (default 30)")
    parser.add_argument("--history", type=int, default=900,
                        help="epochs of history veltro-cli keeps (default 900, its own default)")
    parser.add_argument("--warm-up", type=float, default=None,
                        help="seconds before the memory is watched (default: the time the history takes "
                        "to fill at 10 Hz, or a third of a run shorter than twice that)")
    parser.add_argument("--bin", default=default_bin, help="folder of veltro-cli and veltro-sim")
    parser.add_argument("--work", help="folder for the logs (default: a new temporary one, removed after success)")
    arguments = parser.parse_args()
    if arguments.warm_up is None:
        filled = arguments.history / 10 + 10
        arguments.warm_up = filled if arguments.duration >= 2 * filled else arguments.duration / 3
    if arguments.warm_up >= arguments.duration:
        parser.error("the warm-up must end before the run does")
    return arguments


class Sampler:
    """Resident memory and processor time of one process, once a second."""

    def __init__(self, pid, recording):
        self.pid = pid
        self.recording = recording
        self.samples = []  # (seconds since start, resident bytes less the ring's, processor seconds, raw resident)
        self.start = time.monotonic()

    def sample(self):
        try:
            with open(f"/proc/{self.pid}/status") as status:
                rss = next(int(line.split()[1]) * 1024 for line in status if line.startswith("VmRSS:"))
            with open(f"/proc/{self.pid}/stat") as stat:
                # The command name may hold spaces; the fields after it are fixed.
                fields = stat.read().rsplit(")", 1)[1].split()
            cpu = (int(fields[11]) + int(fields[12])) / TICKS
            received = os.path.getsize(self.recording) if os.path.exists(self.recording) else 0
        except (OSError, StopIteration, IndexError, ValueError):
            return
        ring = -(-min(received, RING_BYTES) // PAGE) * PAGE
        self.samples.append((time.monotonic() - self.start, rss - ring, cpu, rss))

    def after(self, seconds):
        return [s for s in self.samples if s[0] >= seconds]


def count(path, text):
    with open(path, errors="replace") as f:
        return f.read().count(text)


def wait_until(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def first_difference(a, b):
    n = min(len(a), len(b))
    step = 65536
    for block in range(0, n, step):
        if a[block:block + step] != b[block:block + step]:
            return next(k for k in range(block, min(block + step, n)) if a[k] != b[k])
    return n


def compare_logs(written, recorded, failures):
    if recorded == written:
        return
    at = first_difference(written, recorded)
    failures.append(f"the recording differs from what was written at byte {at} "
                    f"(written {len(written)} bytes, recorded {len(recorded)})")


def stop_simulator(simulator, failures):
    simulator.send_signal(signal.SIGTERM)
    try:
        simulator.wait(15)
    except subprocess.TimeoutExpired:
        simulator.kill()
        simulator.wait()
        failures.append("veltro-sim did not end")


def stop_cli(cli, failures):
    asked = time.monotonic()
    cli.send_signal(signal.SIGTERM)
    try:
        status = cli.wait(EXIT_WITHIN_S)
    except subprocess.TimeoutExpired:
        failures.append(f"veltro-cli did not end within {EXIT_WITHIN_S:.0f} s of SIGTERM")
        cli.kill()
        cli.wait()
        return EXIT_WITHIN_S
    if status != 0:
        failures.append(f"veltro-cli ended with status {status}")
    return time.monotonic() - asked


def run(arguments, work):
    sim_errors = os.path.join(work, "veltro-sim.err")
    cli_errors = os.path.join(work, "veltro-cli.err")
    link = os.path.join(work, "receiver")
    written_path = os.path.join(work, "written.kvb")
    recorded_path = os.path.join(work, "recorded.kvb")
    config = os.path.join(work, "config")
    os.makedirs(config, exist_ok=True)
    failures = []

    with open(sim_errors, "w") as err:
        simulator = subprocess.Popen(
            [os.path.join(arguments.bin, "veltro-sim"), "--rate", "10", "--link", link,
             "--replug-every", str(arguments.replug_every), "--written-log", written_path],
            stdout=subprocess.PIPE, stderr=err)
    if simulator.stdout.readline().decode().strip() != link:
        simulator.kill()
        print("soak: veltro-sim did not start; see " + sim_errors, file=sys.stderr)
        return 2
    # The user's settings stay out of it, and it of them.
    environment = dict(os.environ, VELTRO_CONFIG_HOME=config)
    with open(cli_errors, "w") as err:
        cli = subprocess.Popen([os.path.join(arguments.bin, "veltro-cli"), "record", recorded_path, "--port", link,
                                "--history", str(arguments.history)],
                               stdout=subprocess.DEVNULL, stderr=err, env=environment)
    sampler = Sampler(cli.pid, recorded_path)
    deadline = sampler.start + arguments.duration
    next_sample = sampler.start
    while time.monotonic() < deadline and cli.poll() is None:
        sampler.sample()
        next_sample += 1.0
        time.sleep(max(0.0, min(next_sample, deadline) - time.monotonic()))
    elapsed = time.monotonic() - sampler.start
    if cli.poll() is not None:
        failures.append(f"veltro-cli ended by itself after {elapsed:.0f} s with status {cli.returncode}")

    stop_simulator(simulator, failures)
    unplugs = count(sim_errors, "veltro-sim: unplugged")
    plug_ins = count(sim_errors, "veltro-sim: plugged in again")
    # veltro-cli tells a lost device once its watchdog closed the port, which it does only after
    # the reads before the hang-up were recorded; the simulator's exit is the last loss.
    if cli.poll() is None and not wait_until(lambda: count(cli_errors, "lost; waiting") >= unplugs + 1, 5):
        failures.append("veltro-cli did not see the simulator go")
    exit_seconds = stop_cli(cli, failures) if cli.poll() is None else 0.0
    reconnects = count(cli_errors, "reconnected")
    if reconnects != plug_ins:
        failures.append(f"veltro-cli reconnected {reconnects} times to {plug_ins} plug-ins")

    with open(written_path, "rb") as f:
        written = f.read()
    with open(recorded_path, "rb") as f:
        recorded = f.read()
    compare_logs(written, recorded, failures)
    if not written:
        failures.append("veltro-sim wrote nothing")

    samples = sampler.samples
    warm = sampler.after(arguments.warm_up)
    if not warm:
        failures.append("no memory samples after the warm-up")
        warm = samples[-1:] or [(0, 0, 0, 0)]
    growth = max(s[1] for s in warm) - warm[0][1]
    if growth >= MAX_GROWTH:
        failures.append(f"memory grew by {growth / 1024:.0f} KiB after the warm-up")
    cpu = samples[-1][2] if samples else 0.0

    print(f"soak: {elapsed:.0f} s at 10 Hz, replugged every {arguments.replug_every} s: "
          f"{unplugs} unplugs, {reconnects} reconnects")
    print(f"soak: {len(written)} bytes written while connected, {len(recorded)} recorded")
    print(f"soak: resident memory start {samples[0][3] / 1024:.0f} KiB, "
          f"after {arguments.warm_up:.0f} s warm-up {warm[0][3] / 1024:.0f} KiB, "
          f"end {samples[-1][3] / 1024:.0f} KiB, max {max(s[3] for s in samples) / 1024:.0f} KiB; "
          f"growth after warm-up, less the stream ring's, {growth / 1024:.0f} KiB"
          if samples else "soak: no memory samples")
    print(f"soak: processor {cpu:.2f} s = {100 * cpu / max(elapsed, 1e-9):.2f} % of one core; "
          f"ended {exit_seconds:.2f} s after SIGTERM")
    for failure in failures:
        print("soak: FAILED: " + failure)
    if failures:
        print("soak: the logs are in " + work)
    return 1 if failures else 0


def main():
    arguments = parse_arguments()
    if arguments.work:
        os.makedirs(arguments.work, exist_ok=True)
        return run(arguments, arguments.work)
    work = tempfile.mkdtemp(prefix="veltro-soak-")
    status = run(arguments, work)
    if status == 0:
        shutil.rmtree(work, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
