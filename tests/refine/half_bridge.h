#pragma once
// A hard-switched half bridge around a device's ngspice subcircuit: the test that its gate
// charge elements switch at the rated voltage and current, and the benchmark of what they cost.

#include <string>

#include "model/numbers.h"

namespace vdmos {

/// A double pulse on the low side of a half bridge whose high side, held off, carries the
/// inductor's current in its body diode: the low side turns on, builds the rated current,
/// turns off against the rated voltage, and turns on again into the diode's recovery. The
/// supply reaches the bridge through a damped 20 nH, without which ngspice stops on the bare
/// card's own turn-off. The high side's gate is held on its source through the same 10 ohm a
/// driver would hold it with: a 0 V source there makes ngspice converge on that source's
/// current, a few picoamperes beside the 1e-12 A of its absolute tolerance, while a time step
/// of 1e-11 s turns the rounding of nanofarads at the rated voltage into more than that, and
/// whether a run starts becomes a matter of rounding luck (a bare card with one more linear
/// capacitor at the gate stopped with "timestep too small" on half the sizes tried).
/// The voltages' signs follow the channel.
inline std::string HalfBridgeNetlist(const std::string& subckt, const std::string& name, bool pmos,
                                     double volts, double amps, double gateVolts) {
  const double sign = pmos ? -1 : 1;
  const double charge = 5e-6, off = 2e-6, on = 2e-6, edge = 20e-9;
  const double inductance = volts * charge / amps;
  const auto n = [](double value) { return DefaultNumberText(value); };
  const double g = sign * gateVolts;
  std::string text = "* half bridge at the rated voltage and current\n" + subckt;
  text += "Vbus bus 0 " + n(sign * volts) + "\n";
  text +=
      "Vsense bus stray 0\nLstray stray lbus 20n\nRstray stray lbus 10\nL1 lbus sw " + n(inductance) + "\n";
  text += "XH lbus gh sw X" + name + "\nRgh gh sw 10\n";
  text += "XL sw gl 0 X" + name + "\nRg drive gl 10\n";
  text += "Vdrive drive 0 PWL(0 0 " + n(edge) + " " + n(g) + " " + n(charge) + " " + n(g) + " " +
          n(charge + edge) + " 0 " + n(charge + off) + " 0 " + n(charge + off + edge) + " " + n(g) + " " +
          n(charge + off + on) + " " + n(g) + " " + n(charge + off + on + edge) + " 0)\n";
  text += ".control\ntran 1n " + n(charge + off + on + 1e-6) + "\n";
  text += "let peak = maximum(" + std::string(pmos ? "-" : "") + "i(vsense))\n";
  text += "echo @points\nprint peak\n.endc\n.end\n";
  return text;
}

}  // namespace vdmos
