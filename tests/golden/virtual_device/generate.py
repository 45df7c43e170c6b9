#!/usr/bin/env python3
"""Simulates the virtual devices in ngspice and writes their table values as datasheet values
files (VIRT100.txt from virt100.sub, VIRT600.txt from virt600.sub), and VIRT100's curves as a
datasheet would print them, as plot digitizer files (*.csv). Run from anywhere: python3
generate.py [ngspice]. The outputs are committed; run again only when a device or the test
conditions change."""

import math
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
NGSPICE = sys.argv[1] if len(sys.argv) > 1 else "ngspice"

# Each device's subcircuit, gate resistance (the values file's field), breakdown voltage and
# datasheet test conditions: the transfer test's Vds, the gate charge test's Id, Vds and top
# gate voltage (and how long its 1 mA takes), the body diode's currents.
DEVICES = {
    "VIRT100": {"sub": "virt100.sub", "rg": "1.2", "avalanche": "100", "vds_test": 25.0,
                "charge": (20.0, 50.0, 10.0), "charge_time": "60u", "diode_isd": [1.0, 10.0, 50.0]},
    "VIRT600": {"sub": "virt600.sub", "rg": "2", "avalanche": "600", "vds_test": 40.0,
                "charge": (7.5, 480.0, 10.0), "charge_time": "120u", "diode_isd": [1.0, 3.0, 7.5]},
}
RDSON_VGS = 10.0
OUTPUT_VGS = [5.0, 6.0, 7.0, 10.0]
CAP_MIDDLE, CAP_MAX = 25.0, 100.0

# The device being simulated, and its test conditions.
NAME = "VIRT100"
VDS_TEST = 25.0
CHARGE_ID, CHARGE_VDS, CHARGE_VG = 20.0, 50.0, 10.0
DIODE_ISD = [1.0, 10.0, 50.0]


def run(body, control):
    """ngspice's output for the circuit `body`, whose device under test is written DUT, and the
    control lines `control`."""
    body = body.replace("DUT", NAME)
    netlist = "* %s test data\n.include %s\n%s\n.control\nset width=200\nset numdgt=10\n%s\nquit\n.endc\n.end\n" % (
        NAME, os.path.join(HERE, DEVICES[NAME]["sub"]), body, control)
    done = subprocess.run([NGSPICE, "-b", "/dev/stdin"], input=netlist, capture_output=True, text=True, check=True)
    return done.stdout


def table(text, columns):
    """The rows of the printed tables whose first field is an index: the last columns, those asked
    for (a DC sweep prints its sweep before them)."""
    rows = []
    for line in text.splitlines():
        fields = line.split()
        if len(fields) > columns and fields[0].isdigit():
            try:
                rows.append(tuple(float(f) for f in fields[-columns:]))
            except ValueError:
                pass
    return rows


def values(text):
    return {m.group(1): float(m.group(2)) for m in re.finditer(r"^(\w+) = ([-+0-9.e]+)", text, re.M)}


def interpolate(points, x):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        if x0 <= x <= x1:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    raise ValueError(x)


def cross(points, y):
    """The x where the rising curve reaches y."""
    return interpolate([(b, a) for a, b in points], y)


def g4(value):
    return "%.4g" % value


def write_csv(name, header, points, separator):
    with open(os.path.join(HERE, name), "w", newline="") as f:
        f.write(header + "\r\n")
        for x, y in points:
            f.write(g4(x) + separator + g4(y) + "\r\n")


def transfer():
    out = run("VG g 0 0\nVD d 0 %g\nX1 d g 0 DUT" % VDS_TEST,
              "dc VG 0 10 0.01\nlet id = -i(VD)\nprint v(g) id")
    return table(out, 2)


def output(vgs):
    out = run("VG g 0 %g\nVD d 0 0\nX1 d g 0 DUT" % vgs, "dc VD 0 10 0.05\nlet id = -i(VD)\nprint v(d) id")
    return table(out, 2)


def rdson():
    out = run("VG g 0 %g\nID 0 m 1\nVM m d 0\nX1 d g 0 DUT" % RDSON_VGS,
              "dc ID 0.5 100 0.5\nprint abs(i(VM)) v(d)/abs(i(VM))")
    return table(out, 2)


def capacitances(voltages):
    body = ("V1 d1 0 DC 0 AC 1\nV2 g1 0 DC 0 AC 0\nX1 d1 g1 0 DUT\n"
            "V3 d2 0 DC 0 AC 0\nV4 g2 0 DC 0 AC 1\nX2 d2 g2 0 DUT")
    control = ("foreach vds %s\nalter V1 dc=$vds\nalter V3 dc=$vds\nac lin 1 %r %r\n"
               "let cis = abs(imag(i(V4)))*1e9\nlet cos = abs(imag(i(V1)))*1e9\nlet crs = abs(imag(i(V2)))*1e9\n"
               "print cis cos crs\nend") % (" ".join(g4(v) for v in voltages), 1e3 / (2 * math.pi), 1e3 / (2 * math.pi))
    out = run(body, control)
    found = [re.findall(r"^%s = (\S+)" % name, out, re.M) for name in ("cis", "cos", "crs")]
    return [(v, float(a), float(b), float(c)) for v, a, b, c in zip(voltages, *found)]


def gate_charge():
    ig = 1e-3
    # S1 holds the gate on the source until the start has settled; then IG charges it.
    body = ("VH hold 0 PWL(0 1 0.9u 1 0.95u 0)\nS1 g 0 hold 0 HOLD\n.model HOLD SW(VT=0.5 VH=0.1 RON=1m ROFF=1e15)\n"
            "IG 0 g PWL(0 0 1u 0 1.01u %g)\nX1 d g 0 DUT\nI1 0 d %g\nD1 d clamp DCL\nV2 clamp 0 %g\n"
            ".model DCL D(IS=1e-10 N=0.05)") % (ig, CHARGE_ID, CHARGE_VDS)
    out = run(body, "tran 10n %s 0 10n\nprint (time-1.005u)*%g v(g)" % (DEVICES[NAME]["charge_time"], ig * 1e9))
    return [(q, v) for q, v in table(out, 2) if q >= 0 and v <= CHARGE_VG * 1.2]


def diode():
    out = run("VD d 0 0\nX1 d 0 0 DUT", "dc VD 0 -1.6 -0.002\nlet vsd = -v(d)\nprint vsd i(VD)")
    return table(out, 2)


def thin(points, xs):
    return [(x, interpolate(points, x)) for x in xs]


def write_curves(tr):
    tr_x = [x / 10 for x in range(36, 91, 3)]  # 3.6 V to 9 V
    write_csv("transfer.csv", "Vgs (V),Id (A)", thin(tr, tr_x), ",")
    for vgs in OUTPUT_VGS:
        out = output(vgs)
        write_csv("output_%g.csv" % vgs, "Vds\tId", thin(out, [0.25 * k for k in range(1, 41, 2)]), "\t")
    rd = rdson()
    write_csv("rdson.csv", "# Rds(on) against Id at Vgs = 10 V\nId;Rds(on)", thin(rd, [2.5 * k for k in range(1, 33)]), ";")
    cap_v = [0.1, 0.2, 0.5, 1, 2, 3, 5, 7, 10, 15, 20, 25, 30, 40, 50, 60, 70, 80, 90, 100]
    caps = capacitances(cap_v)
    for index, name in ((1, "ciss"), (2, "coss"), (3, "crss")):
        write_csv(name + ".csv", "Vds " + name, [(row[0], row[index]) for row in caps], " ")
    gc = gate_charge()
    q_top = cross(gc, CHARGE_VG)
    gc_x = [q_top * k / 30 for k in range(1, 31)]
    write_csv("gatecharge.csv", "Qg,Vgs", thin(gc, gc_x), ",")
    di = diode()
    di_x = [0.5 + 0.025 * k for k in range(0, 25)]
    write_csv("diode.csv", "Vsd,Isd", [p for p in thin(di, di_x) if p[1] > 0.05], ",")


def write_table(tr):
    """The table of the datasheet, read off the same simulations as the curves."""
    gc = gate_charge()
    q_top = cross(gc, CHARGE_VG)
    di = diode()
    id_rdson = run("VG g 0 %g\nVD d 0 0.1\nX1 d g 0 DUT" % RDSON_VGS, "op\nlet idon = -i(VD)\nprint idon")
    rds_on = 0.1 / values(id_rdson)["idon"]
    vth_out = run("VG g 0 0\nX1 g g 0 DUT", "dc VG 0 6 0.001\nlet id = -i(VG)\nprint v(g) id")
    vth = cross(table(vth_out, 2), 250e-6)
    vplat = cross(tr, CHARGE_ID)
    max_vgs = 8.0
    max_id = interpolate(tr, max_vgs)
    cap = {row[0]: row for row in capacitances([0, CAP_MIDDLE, CAP_MAX])}
    vsd = [cross(di, i) for i in DIODE_ISD]
    q_plateau_start = next(q for q, v in gc if v >= vplat - 0.02)
    q_plateau_end = next(q for q, v in gc if q > q_plateau_start and v >= vplat + 0.3)
    qgs, qgd = q_plateau_start, q_plateau_end - q_plateau_start
    lines = ["Mosfet datasheet values", NAME, "dc parameters", g4(rds_on), "0", DEVICES[NAME]["rg"], g4(vth), g4(max_id),
             g4(max_vgs), "ac parameters", g4(cap[CAP_MIDDLE][1]), g4(cap[CAP_MIDDLE][2]), g4(cap[0][2]),
             g4(cap[CAP_MIDDLE][3]), g4(cap[0][3]), g4(cap[CAP_MAX][3]), "body diode parameters", "0", "0", "0",
             g4(CAP_MIDDLE), g4(RDSON_VGS), "60", "NMOS", g4(VDS_TEST), "10", g4(CHARGE_ID), g4(CHARGE_VDS), "0",
             "0", g4(CHARGE_ID), g4(vplat), g4(DIODE_ISD[0]), g4(vsd[0]), g4(DIODE_ISD[1]), g4(vsd[1]),
             g4(DIODE_ISD[2]), g4(vsd[2]), g4(CAP_MAX), g4(cap[CAP_MAX][2]),
             "Qgs=" + g4(qgs), "Qgd=" + g4(qgd), "Qg=" + g4(q_top), "VgCharge=" + g4(CHARGE_VG),
             "avalanche_volt=" + DEVICES[NAME]["avalanche"]]
    with open(os.path.join(HERE, NAME + ".txt"), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


def main():
    global NAME, VDS_TEST, CHARGE_ID, CHARGE_VDS, CHARGE_VG, DIODE_ISD
    for NAME, device in DEVICES.items():
        VDS_TEST = device["vds_test"]
        CHARGE_ID, CHARGE_VDS, CHARGE_VG = device["charge"]
        DIODE_ISD = device["diode_isd"]
        tr = transfer()
        if NAME == "VIRT100":
            write_curves(tr)
        write_table(tr)


main()
