#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

/// Takes a plot digitizer's file as the curve named `name` ("ciss", "output:10"), in place of
/// the one the window held for that figure line. nullopt when it was taken; otherwise why not,
/// naming the file (and the line at fault), and the window is unchanged.
std::optional<std::string> ImportCurveFile(WindowState& state, Platform& platform, std::string_view name,
                                           const std::string& path);

}  // namespace vdmos
