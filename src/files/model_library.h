#pragma once
#include <string>
#include <string_view>

#include "model/window_state.h"
#include "platform/platform.h"

namespace vdmos {

void Add_Click(WindowState& state, Platform& platform);
void SaveLib_Click(WindowState& state, Platform& platform);
void OpenLib_Click(WindowState& state, Platform& platform);
void SaveModel_Click(WindowState& state, Platform& platform);
/// The whole text of a file chosen in the open dialog, or the empty text.
std::string OpenLibFile(WindowState& state, Platform& platform, std::string_view fileName, std::string_view filter);

}  // namespace vdmos
