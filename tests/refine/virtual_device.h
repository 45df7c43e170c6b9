#pragma once
// Virtual devices: MOSFET subcircuits written in another model structure than VDMOS (level-1
// and level-3 MOSFETs with a junction-law gate-drain capacitance and a separate body diode,
// tests/refine/data/virtual), simulated in ngspice under a datasheet's test conditions to give
// the values a datasheet would print. Fed to the tool, they show how well its model meets a
// device whose true curves are known.

#include <string>
#include <vector>

#include "model/window_state.h"

namespace vdmos::testing {

/// The test conditions a virtual device is measured under.
struct VirtualDevice {
  std::string name;  ///< the netlist's stem in the data folder, and the model name typed
  bool pmos = false;
  double rdsonVgs = 10, vdsTest = 25, maxVgs = 7;
  double vdsMiddle = 25, vdsMax = 100;
  double rg = 0;  ///< the subcircuit's gate resistance, which a datasheet prints as Rg
};

/// What the device's datasheet prints (magnitudes), and its true transfer curve at vdsTest.
struct VirtualDatasheet {
  double vth = 0;  ///< gate voltage at 250 uA of terminal current, drain tied to the gate
  double rdsOn = 0;
  double maxId = 0, plateauVgs = 0, plateauId = 0;
  double coss0 = 0, crss0 = 0, cissMiddle = 0, cossMiddle = 0, crssMiddle = 0, cossMax = 0, crssMax = 0;
  std::vector<std::pair<double, double>> diode;     ///< (Vsd, Isd)
  std::vector<std::pair<double, double>> transfer;  ///< (Vgs, Id), fine steps
};

inline constexpr double kVirtualThresholdCurrent = 250e-6;

/// Simulates the device; throws std::runtime_error when ngspice fails or prints too little.
VirtualDatasheet MeasureVirtualDevice(const VirtualDevice& device);

/// The window with the datasheet typed in (the gate charges left empty).
WindowState TypedVirtualDatasheet(const VirtualDevice& device, const VirtualDatasheet& sheet);

/// The gate voltage at which a transfer curve, rising, reaches the current: interpolated in
/// the logarithm of the current, which the subthreshold tail and the square law both follow
/// closely between near points.
double GateVoltageAt(const std::vector<std::pair<double, double>>& transfer, double id);

}  // namespace vdmos::testing
