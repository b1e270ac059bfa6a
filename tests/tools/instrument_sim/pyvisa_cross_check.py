#!/usr/bin/env python3
"""pyvisa-py, an independent VXI-11 client, against the simulator program: an identity
query, and a large download written with write_raw that must arrive byte-exact in the
store folder.

VISA libraries find a network instrument's portmapper on port 111 only, so the
simulator must bind that port on its loopback address. Where it cannot (another
portmapper runs, or the user may not bind ports below 1024) the check is skipped with
exit code 77, as it is when pyvisa-py is not installed.

Usage: pyvisa_cross_check.py <path of ondrix_instrument_sim>"""
import os
import signal
import subprocess
import sys
import tempfile

SKIP = 77
# The simulator's exit code when an address or port cannot be bound.
CANNOT_LISTEN = 3


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIP)


def fail(reason):
    print(f"FAILED: {reason}")
    sys.exit(1)


def start(program, address, work):
    """Starts the simulator in its own process group; returns it once it is ready."""
    store = os.path.join(work, "store")
    args = [program, "--instrument", f"{address}=generator:2", "--portmapper-port", "111", "--store", store,
            "--journal", os.path.join(work, "journal.txt"), "--timeouts", "fast"]
    sim = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                           start_new_session=True)
    for line in sim.stdout:
        if line.startswith("ready: "):
            return sim, store
    code = sim.wait()
    message = sim.stderr.read().strip()
    if code == CANNOT_LISTEN:
        skip(f"port 111 cannot be bound on {address} ({message})")
    fail(f"the simulator did not start (exit code {code}): {message}")


def stop(sim):
    try:
        os.killpg(sim.pid, signal.SIGTERM)
        sim.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.killpg(sim.pid, signal.SIGKILL)
        sim.wait()
    except ProcessLookupError:
        sim.wait()


def check(address, store):
    import pyvisa
    rm = pyvisa.ResourceManager("@py")
    inst = rm.open_resource(f"TCPIP0::{address}::INSTR")
    inst.timeout = 10000
    idn = inst.query("*IDN?")
    if idn.strip() != "Korvane,ZQWR120V,SIM1002,1.2.3":
        fail(f"identity {idn!r}")

    # 8 MB of samples, every byte value in every position.
    samples = bytes((i * 131 + i // 251) & 0xFF for i in range(1 << 16)) * 128
    head = b"C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,crosscheck,LENGTH,%d,WAVEDATA," % len(samples)
    written = inst.write_raw(head + samples)
    count = written[0] if isinstance(written, tuple) else written
    if count != len(head) + len(samples):
        fail(f"write_raw wrote {count} of {len(head) + len(samples)} bytes")
    inst.close()
    rm.close()

    path = os.path.join(store, address, "crosscheck.bin")
    try:
        with open(path, "rb") as f:
            stored = f.read()
    except OSError as e:
        fail(f"nothing stored: {e}")
    if stored != samples:
        fail(f"stored {len(stored)} bytes that differ from the {len(samples)} sent")


def main():
    if len(sys.argv) != 2:
        fail(__doc__)
    try:
        import pyvisa  # noqa: F401
        import pyvisa_py  # noqa: F401
    except ImportError as e:
        skip(f"pyvisa-py is not installed ({e}); Debian's package is python3-pyvisa-py")
    # An address of this run's own, so a run elsewhere on the machine rarely meets it.
    address = f"127.{97 + os.getpid() % 100}.{os.getpid() // 100 % 250}.{2 + os.getpid() % 250}"
    with tempfile.TemporaryDirectory() as work:
        sim, store = start(sys.argv[1], address, work)
        try:
            check(address, store)
        finally:
            stop(sim)
    print("pyvisa-py and the simulator agree")


if __name__ == "__main__":
    main()
