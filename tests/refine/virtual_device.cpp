#include "refine/virtual_device.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "model/control_names.h"
#include "verify/child_process.h"
#include "verify/ngspice_output.h"
#include "verify/verify_model.h"

namespace vdmos::testing {
namespace {

constexpr double kDiodeCurrents[] = {1, 10, 30};  // A
constexpr double kTransferStep = 2e-3;            // V
constexpr double kThresholdTop = 10;              // V, the tied gate and drain's sweep

std::string Num(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

/// The netlist that measures everything; the source values carry the channel's sign s.
std::string MeasurementNetlist(const VirtualDevice& d) {
  const double s = d.pmos ? -1 : 1;
  const std::string sign = d.pmos ? "-" : "";
  std::string n = "* " + d.name + ": the values its datasheet would print\n";
  n += ".include " + std::string(VDMOS_TEST_DATA_DIR) + "/virtual/" + d.name + ".cir\n";
  n += "Vt t 0 0\nXt t t 0 VDEV\n";                                     // threshold, drain on gate
  n += "Vg g 0 0\nVd d 0 " + Num(s * d.vdsTest) + "\nXd d g 0 VDEV\n";  // transfer, Rds(on)
  n += "Vd1 c1 0 DC 0 AC 1\nVg1 gc1 0 DC 0 AC 0\nX1 c1 gc1 0 VDEV\n";   // Coss, Crss
  n += "Vd2 c2 0 DC 0 AC 0\nVg2 gc2 0 DC 0 AC 1\nX2 c2 gc2 0 VDEV\n";   // Ciss
  n += "Isd sd 0 0\nXsd sd 0 0 VDEV\n";                                 // body diode, gate on source
  n += ".control\nset nobreak\nset width=200\nset numdgt=10\n";
  n += "dc Vt 0 " + Num(s * kThresholdTop) + " " + Num(s * 1e-3) + "\n";
  n += "let vt = " + sign + "v(t)\nlet it = " + sign + "(-i(Vt))\n";
  n += "meas dc vth find vt when it=" + Num(kVirtualThresholdCurrent) + "\n";
  n += "echo @points\nprint vth\n";
  n += "dc Vg 0 " + Num(s * d.maxVgs) + " " + Num(s * kTransferStep) + "\n";
  n += "let vgs = " + sign + "v(g)\nlet id = " + sign + "(-i(Vd))\n";
  n += "echo @transfer\nprint vgs id\n";
  n += "alter Vg dc=" + Num(s * d.rdsonVgs) + "\nalter Vd dc=" + Num(s * 0.1) + "\nop\n";
  n += "let rdson = 0.1/(" + sign + "(-i(Vd)))\necho @points\nprint rdson\n";
  n += "foreach vds 0 " + Num(s * d.vdsMiddle) + " " + Num(s * d.vdsMax) + "\n";
  n += "alter Vd1 dc=$vds\nalter Vd2 dc=$vds\nac lin 1 159.15494309 159.15494309\n";
  // At the angular frequency 1e3 a capacitance C driven with 1 V draws 1e3 C.
  n += "let coss = abs(imag(i(Vd1)))*1e9\nlet crss = abs(imag(i(Vg1)))*1e9\n"
       "let ciss = abs(imag(i(Vg2)))*1e9\n";
  n += "echo @cap $vds\nprint coss crss ciss\nend\n";
  for (const double isd : kDiodeCurrents) {
    n += "alter Isd dc=" + Num(s * isd) + "\nop\n";
    n += "let vsd = " + std::string(d.pmos ? "" : "-") + "v(sd)\necho @diode " + Num(isd) + "\nprint vsd\n";
  }
  n += "quit\n.endc\n.end\n";
  return n;
}

double ValueOf(const OutputSection& section, const std::string& name) {
  const auto it = section.values.find(name);
  if (it == section.values.end()) throw std::runtime_error("no " + name + " in @" + section.name);
  return it->second;
}

}  // namespace

VirtualDatasheet MeasureVirtualDevice(const VirtualDevice& d) {
  ChildLimits limits;
  limits.timeout = std::chrono::seconds(60);
  const std::vector<ChildOutcome> runs = RunChildren({NgspiceBatchRun(MeasurementNetlist(d))}, limits);
  if (runs[0].status != ChildOutcome::Status::Exited || runs[0].exitCode != 0)
    throw std::runtime_error("ngspice failed on " + d.name + ": " + runs[0].err);
  VirtualDatasheet sheet;
  std::vector<double> cap[3];
  for (const OutputSection& section : ParseNgspiceOutput(runs[0].out)) {
    if (section.name == "points") {
      if (section.values.contains("vth")) sheet.vth = ValueOf(section, "vth");
      if (section.values.contains("rdson")) sheet.rdsOn = ValueOf(section, "rdson");
    } else if (section.name == "transfer") {
      const auto vgs = section.Column("vgs");
      const auto id = section.Column("id");
      if (!vgs || !id) throw std::runtime_error("no transfer table");
      for (std::size_t i = 0; i < vgs->size(); ++i) sheet.transfer.emplace_back((*vgs)[i], (*id)[i]);
    } else if (section.name == "cap") {
      cap[0].push_back(ValueOf(section, "coss"));
      cap[1].push_back(ValueOf(section, "crss"));
      cap[2].push_back(ValueOf(section, "ciss"));
    } else if (section.name == "diode") {
      sheet.diode.emplace_back(ValueOf(section, "vsd"), std::stod(section.tag));
    }
  }
  if (!(sheet.vth > 0 && sheet.rdsOn > 0) || sheet.transfer.empty() || cap[0].size() != 3 ||
      sheet.diode.size() != 3)
    throw std::runtime_error("ngspice printed too little for " + d.name + ":\n" + runs[0].out);
  sheet.maxId = sheet.transfer.back().second;
  // The gate charge's plateau sits where the channel takes the test current, a third of the
  // largest here, in saturation.
  sheet.plateauId = sheet.maxId / 3;
  sheet.plateauVgs = GateVoltageAt(sheet.transfer, sheet.plateauId);
  sheet.coss0 = cap[0][0], sheet.cossMiddle = cap[0][1], sheet.cossMax = cap[0][2];
  sheet.crss0 = cap[1][0], sheet.crssMiddle = cap[1][1], sheet.crssMax = cap[1][2];
  sheet.cissMiddle = cap[2][1];
  return sheet;
}

WindowState TypedVirtualDatasheet(const VirtualDevice& d, const VirtualDatasheet& s) {
  WindowState state;
  const std::pair<const char*, std::string> fields[] = {
      {control::Text20, d.name},
      {control::Combo1, d.pmos ? "PMOS" : "NMOS"},
      {control::Text6, Num(s.rdsOn)},
      {control::rdsonVgs, Num(d.rdsonVgs)},
      {control::Text3, Num(s.vth)},
      {control::VthCurrent, "250u"},
      {control::Text2, Num(d.rg)},
      {control::Vplat, Num(s.plateauVgs)},
      {control::Idplat, Num(s.plateauId)},
      {control::Text5, Num(d.maxVgs)},
      {control::Text4, Num(s.maxId)},
      {control::TextBoxVdsTest, Num(d.vdsTest)},
      {control::vd1, Num(s.diode[0].first)},
      {control::id1, Num(s.diode[0].second)},
      {control::vd2, Num(s.diode[1].first)},
      {control::id2, Num(s.diode[1].second)},
      {control::vd3, Num(s.diode[2].first)},
      {control::id3, Num(s.diode[2].second)},
      {control::Text21, Num(s.coss0)},
      {control::Text10, Num(s.crss0)},
      {control::TextVdsMiddle, Num(d.vdsMiddle)},
      {control::Text7, Num(s.cissMiddle)},
      {control::Text8, Num(s.cossMiddle)},
      {control::Text9, Num(s.crssMiddle)},
      {control::TextVdsMax, Num(d.vdsMax)},
      {control::TextCossMin, Num(s.cossMax)},
      {control::Text11, Num(s.crssMax)},
      {control::IdCharge, Num(s.plateauId)},
      {control::VdCharge, Num(0.8 * d.vdsMax)},
      {control::Qgs, ""},
      {control::Qgd, ""},
      {control::Qg, ""},
      {control::avalanche_volt, ""},
  };
  for (const auto& [control, text] : fields) state.setText(control, text);
  return state;
}

double GateVoltageAt(const std::vector<std::pair<double, double>>& transfer, double id) {
  for (std::size_t i = 1; i < transfer.size(); ++i) {
    const auto [v0, i0] = transfer[i - 1];
    const auto [v1, i1] = transfer[i];
    if (i0 > 0 && i0 <= id && id <= i1) return v0 + (v1 - v0) * std::log(id / i0) / std::log(i1 / i0);
  }
  return NAN;
}

}  // namespace vdmos::testing
