#pragma once
// The datasheet devices of data/devices, typed from their datasheets (their sources and how sure
// each value is: SOURCES.md there).

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "commands/datasheet_commands.h"
#include "commands/model_update.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace vdmos {

/// The device's values file opened as the window opens it; "" gives the start values.
inline WindowState OpenDevice(const std::string& part) {
  WindowState state;
  if (part.empty()) return state;
  ScriptedPlatform platform;
  platform.openFiles.push_back(std::string(VDMOS_TEST_DATA_DIR) + "/devices/" + part + ".txt");
  open_Click(state, platform);
  EXPECT_EQ(state.text(control::Text20), part) << "the device file was not read";
  return state;
}

/// Every device of data/devices, "" first for the start values: N and P channel, logic level,
/// 20 V to 900 V. The older HEXFET datasheets give only maximum gate charges, which are no
/// target: those devices have none typed.
inline constexpr std::array<const char*, 16> kDatasheetDevices{
    "",        "IRLB8721",    "IRFZ44N",   "IRLZ44N",  "IRF9Z34N",  "IRF540N",  "IRF9540N",  "IRF640N",
    "IRFP460", "IPW90R120C3", "FQP30N06L", "FQP27P06", "FQPF8N60C", "IRFB4110", "IRLML6402", "STP55NF06"};

/// The name a device's results are recorded under.
inline std::string DeviceName(const std::string& part) { return part.empty() ? "start values" : part; }

/// The device's window with its model updated, as a user opens the file and updates the model.
inline WindowState UpdatedDevice(const std::string& part, Platform& platform) {
  WindowState state = OpenDevice(part);
  UpdateModel(state, platform);
  return state;
}

}  // namespace vdmos
