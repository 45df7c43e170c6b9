#pragma once
// The windows the benchmarks run on, each with its card made: the start values, the start
// values with their hot values typed, and the virtual device of the tests with its curves.

#include <string>
#include <utility>

#include "commands/curve_commands.h"
#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace vdmos {

inline WindowState UpdatedStartWindow(const char* fetType = "NMOS") {
  WindowState state;
  state.setText(control::Combo1, fetType);
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  return state;
}

/// The start values (a 600 V device) with its values at 150 C typed.
inline WindowState UpdatedHotStartWindow() {
  WindowState state;
  for (const auto& [field, text] : {std::pair{control::TjHot, "150"},
                                    {control::RdsHotRatio, "2.5"},
                                    {control::VthHot, "2.2"},
                                    {control::VsdHot, "0.65"},
                                    {control::IsdHot, "3"},
                                    {control::ZtcVgs, "6.5"},
                                    {control::BvHot, "680"}})
    state.setText(field, text);
  ScriptedPlatform platform;
  UpdateModel(state, platform);
  return state;
}

/// The virtual device of the tests (a level-1 MOSFET with a junction-law gate-drain
/// capacitance and a separate body diode), with every one of its digitized curves.
inline WindowState UpdatedVirtualDeviceWindow() {
  const std::string folder = VDMOS_TESTS_DIR "/golden/virtual_device/";
  WindowState state;
  ScriptedPlatform platform;
  platform.openFiles.push_back(folder + "VIRT100.txt");
  open_Click(state, platform);
  for (const auto& [name, file] : {std::pair{"transfer", "transfer.csv"},
                                   {"output:5", "output_5.csv"},
                                   {"output:10", "output_10.csv"},
                                   {"rdson", "rdson.csv"},
                                   {"ciss", "ciss.csv"},
                                   {"coss", "coss.csv"},
                                   {"crss", "crss.csv"},
                                   {"gatecharge", "gatecharge.csv"},
                                   {"diode", "diode.csv"}})
    ImportCurveFile(state, platform, name, folder + file);
  UpdateModel(state, platform);
  return state;
}

}  // namespace vdmos
