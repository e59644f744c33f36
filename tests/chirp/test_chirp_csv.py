#!/usr/bin/python3
"""Channel lists exchanged with CHIRP itself, through the generic CSV driver of Debian's package
`chirp` (its Python modules; the window is never opened).

1. Our export, loaded by CHIRP, holds every channel in use as the data file holds it (compared
   memory by memory with the file's configuration text).
2. The list CHIRP saves from it, imported onto a copy of the data file whose channels were changed
   first, gives back the data file byte for byte; imported onto the data file itself it changes
   nothing.
3. A list written with CHIRP's own API (Location from 0, as CHIRP counts) imports with --renumber.

Exits 77 (skipped) when CHIRP's modules cannot be imported.
Usage: test_chirp_csv.py KP53 [WORK_DIR]
"""
import builtins
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile

KP53 = sys.argv[1]
sys.path.append(os.environ.get("KP53_CHIRP_PATH", "/opt/kp53-chirp/usr/lib/python3/dist-packages"))
try:
    import yaml
    from chirp import chirp_common
    from chirp.drivers import generic_csv
except ImportError as e:
    print("skipped: CHIRP's Python modules are not installed (scripts/install-deps installs them):", e)
    sys.exit(77)

# Debian's chirp 1:20221106 opens lists with mode "rU", which Python 3.11 refuses; for this module
# alone "rU" is read as "r" (the same universal-newline reading).
generic_csv.open = lambda file, mode="r", *a, **k: builtins.open(file, mode.replace("U", ""), *a, **k)

# Channels of every kind this CHIRP can express (it has no CrossMode, RxDtcsCode or Power column),
# with fields the list cannot carry set on some of them (W4, DCS "both", ARTS, time-out timer,
# busy lockout, squelch).
CHANNELS = {
    1: {},  # the default: " CH-001", with its leading blank
    2: {"rx": "146.94000", "tx": "146.34000", "tx_tone": "C-100.0", "power": "L", "tag": "RPT-2"},
    3: {"rx": "147.00000", "tx": "147.60000", "rx_tone": "C- 88.5", "tx_tone": "C- 88.5", "bandwidth": "N",
        "scan": False},
    4: {"rx": "150.00000", "rx_tone": "D-023N", "tx_tone": "D-023N", "tag": "DCS"},
    5: {"rx": "150.10000", "rx_tone": "D-754N", "tx_tone": "D-754I", "tot": True},
    6: {"rx": "151.00000", "tx": "151.50000", "tx_inhibit": True, "tag": "RX ONLY"},
    7: {"rx": "150.50000", "tx": "160.00000", "squelch": 9},
    8: {"rx": "155.00000", "rx_tone": "C- 88.5", "tx_tone": "C- 67.0", "tag": "X-TONE"},
    9: {"rx": "156.80000", "tag": "PRIO"},
    10: {"in_use": False},
    11: {"rx": "157.00000", "bandwidth": "W4", "rx_tone": "D-131B", "tx_tone": "D-131N", "lockout": "BC"},
    12: {"rx": "158.00000", "rx_tone": "D-411N", "tx_tone": "D-411N", "arts": True, "scan": False},
}
PRIORITY = 9


def run(*args, expect=0):
    p = subprocess.run([KP53, *args], capture_output=True, text=True)
    if p.returncode != expect:
        sys.exit(f"kp53 {' '.join(args)}: exit {p.returncode}, expected {expect}\n{p.stdout}{p.stderr}")
    return p.stdout


def channels(data_file):
    config = yaml.safe_load(run("export", data_file))
    return config["channels"], config["scanning"]["priority_channel"]


def hz(mhz):
    return round(float(mhz) * 1e6)


def expected_memory(number, ch, priority):
    """The CHIRP memory a channel of the configuration text stands for."""
    rx, tx = hz(ch["rx"]), hz(ch["tx"])
    m = {"name": ch["tag"].rstrip(), "freq": rx, "mode": "NFM" if ch["bandwidth"] == "N" else "FM"}
    if ch["tx_inhibit"]:
        m["duplex"], m["offset"] = "off", tx if tx != rx else 0
    elif tx == rx:
        m["duplex"] = ""  # the offset means nothing
    else:
        m["duplex"], m["offset"] = ("+" if tx > rx else "-"), abs(tx - rx)
    m["skip"] = "P" if number == priority else "" if ch["scan"] else "S"
    rx_tone, tx_tone = ch["rx_tone"].strip(), ch["tx_tone"].strip()
    if rx_tone == tx_tone == "-------":
        m["tmode"] = ""
    elif rx_tone == "-------" and tx_tone.startswith("C-"):
        m["tmode"], m["rtone"] = "Tone", float(tx_tone[2:])
    elif rx_tone.startswith("C-") and rx_tone == tx_tone:
        m["tmode"], m["rtone"], m["ctone"] = "TSQL", float(rx_tone[2:]), float(rx_tone[2:])
    elif rx_tone.startswith("D-") and tx_tone.startswith("D-") and rx_tone[2:5] == tx_tone[2:5]:
        m["tmode"], m["dtcs"] = "DTCS", int(tx_tone[2:5])
        m["dtcs_polarity"] = ("R" if tx_tone[5] == "I" else "N") + ("R" if rx_tone[5] == "I" else "N")
    elif rx_tone.startswith("C-") and tx_tone.startswith("C-"):
        m["tmode"], m["rtone"], m["ctone"] = "Cross", float(tx_tone[2:]), float(rx_tone[2:])
    else:
        raise AssertionError(f"channel {number}: tones {rx_tone}/{tx_tone} are not in this test's list")
    return m


def main():
    work = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="kp53-chirp-")
    os.makedirs(work, exist_ok=True)
    os.chdir(work)
    failures = []

    config = {"channels": {n: dict(ch) for n, ch in CHANNELS.items()},
              "scanning": {"priority_channel": PRIORITY}}
    for n, ch in config["channels"].items():
        ch.setdefault("tx", ch.get("rx", "150.00000"))
    with open("channels.yaml", "w") as f:
        yaml.safe_dump(config, f)
    for name in ("radio.k53", "ours.csv", "chirp.csv", "copy.k53", "fresh.k53", "api.k53"):
        if os.path.exists(name):
            os.remove(name)
    run("import", "channels.yaml", "-o", "radio.k53")
    run("normalize", "radio.k53")  # as every import-csv leaves the file
    held, priority = channels("radio.k53")
    assert priority == PRIORITY, priority

    # 1. Our export as CHIRP reads it.
    run("export-csv", "radio.k53", "-o", "ours.csv")
    radio = generic_csv.CSVRadio("ours.csv")
    if radio.errors:
        failures.append(f"CHIRP refused rows of our export: {radio.errors}")
    memories = {m.number: m for m in radio.get_memories() if not m.empty}
    in_use = {n for n, ch in held.items() if ch["in_use"]}
    if set(memories) != in_use:
        failures.append(f"CHIRP holds memories {sorted(memories)}, the file channels {sorted(in_use)}")
    for number in sorted(in_use & set(memories)):
        for field, value in expected_memory(number, held[number], priority).items():
            got = getattr(memories[number], field)
            if got != value:
                failures.append(f"memory {number}: {field} is {got!r}, the file holds {value!r}")

    # 2. Saved by CHIRP, imported back.
    radio.save("chirp.csv")
    shutil.copy("radio.k53", "copy.k53")
    out = run("import-csv", "chirp.csv", "copy.k53", expect=1)
    rows = len(in_use)
    if not out.startswith(f"{rows} rows: 0 channels programmed, {rows} unchanged, 0 skipped\n"):
        failures.append(f"importing CHIRP's list onto the file it came from reported:\n{out}")
    shutil.copy("radio.k53", "fresh.k53")
    # Every field the list carries changed first. W4, DCS "both", ARTS (channels 11 and 12) and a
    # frequency stored on the step the grid would not choose (the defaults at 150 MHz) are no such
    # fields and stay, since no list can give them back; the priority channel keeps its scan flag,
    # which "P" does not carry.
    def pinned(n):
        return "rx_step" in held[n] or "tx_step" in held[n]

    def freq(n):
        return f"{hz(held[n]['rx']) / 1e6:.6f},," if pinned(n) else "170.000000,+,1.000000"

    with open("scramble.csv", "w", newline="") as f:
        f.write("Location,Name,Frequency,Duplex,Offset,Skip\r\n")
        f.writelines(f"{n},SCRAMBLE,{freq(n)},{'' if n == PRIORITY else 'S'}\r\n" for n in sorted(in_use))
    with open("scramble-tones.csv", "w", newline="") as f:
        f.write("Location,Frequency,Tone,rToneFreq,cToneFreq,Mode\r\n")
        f.writelines(f"{n},{freq(n).split(',')[0]},TSQL,97.4,97.4,NFM\r\n" for n in sorted(in_use - {11, 12}))
    run("import-csv", "scramble.csv", "fresh.k53")
    run("import-csv", "scramble-tones.csv", "fresh.k53")
    run("import-csv", "chirp.csv", "fresh.k53")
    if not filecmp.cmp("fresh.k53", "radio.k53", shallow=False):
        failures.append("CHIRP's list imported onto changed channels does not give back the data file: "
                        + run("diff", "fresh.k53", "radio.k53", expect=1))

    # 3. A list written with CHIRP's own API, counted from 0.
    api = generic_csv.CSVRadio(None)  # memory 0 holds 146.010000
    for number, freq, name, setup in [
        (1, 146520000, "CALL", {"tmode": "TSQL", "rtone": 100.0, "ctone": 100.0, "mode": "NFM"}),
        (2, 147300000, "RPT+", {"duplex": "+", "offset": 600000, "tmode": "Tone", "rtone": 123.0,
                                "skip": "S"}),
        (3, 162550000, " WX", {"duplex": "off", "offset": 0, "tmode": "DTCS", "dtcs": 23,
                               "dtcs_polarity": "NR"}),
    ]:
        m = chirp_common.Memory(number=number, name=name)
        m.freq = freq
        for k, v in setup.items():
            setattr(m, k, v)
        api.set_memory(m)
    api.save("api.csv")
    run("new", "api.k53")
    out = run("import-csv", "--renumber", "api.csv", "api.k53")
    if not out.startswith("4 rows: 4 channels programmed, 0 unchanged, 0 skipped\n"):
        failures.append(f"CHIRP's own list imported as:\n{out}")
    got, _ = channels("api.k53")
    for m in api.get_memories():
        if not m.empty:  # Location n went to channel n + 1
            for field, value in expected_memory(m.number + 1, got[m.number + 1], None).items():
                if getattr(m, field) != value:
                    failures.append(f"CHIRP's memory {m.number}: {field} {getattr(m, field)!r} came in as {value!r}")

    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failures; files in {work}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
