#pragma once
// The datasheet devices of data/devices, typed from their datasheets (their sources and how sure
// each value is: SOURCES.md there).

#include <gtest/gtest.h>

#include <string>

#include "commands/datasheet_commands.h"
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

}  // namespace vdmos
