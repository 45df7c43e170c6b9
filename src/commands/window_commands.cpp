#include "commands/window_commands.h"

#include "model/control_names.h"
#include "version.h"

namespace vdmos {
namespace {

// At most one help picture is visible: showing one hides the other.
void ToggleHelpPicture(WindowState& state, control::Name picture, control::Name other) {
  if (!state.visible(picture)) {
    state.setVisible(picture, true);
    state.setVisible(other, false);
  } else {
    state.setVisible(picture, false);
  }
}

}  // namespace

void VgsPlat_Help_Click(WindowState& state, Platform&) {
  ToggleHelpPicture(state, control::Image2, control::Image3);
}

void transf_help_Click(WindowState& state, Platform&) {
  ToggleHelpPicture(state, control::Image3, control::Image2);
}

std::string AboutText() {
  const std::string lines[] = {
      "",
      "It generates a board level mosfet model (VDMOS) for Varnex using datasheet values.",
      "The model generator assumes an enhancement mode mosfet.",
      "",
      "",
      std::string("vdmosgen ") + kVersion + ", written by the vdmosgen developers",
      "version 7.0",
      "Release date 3-March-2009",
      "",
      "Thanks to everyone who tried vdmosgen's models against their datasheets and told us.",
      "Questions and discussion: the vdmosgen users' group on the project's issue tracker",
      "",
      "Published 2026",
  };
  std::string text;
  for (const std::string& line : lines) {
    if (&line != &lines[0]) text += "\r\n";
    text += line;
  }
  return text;
}

void about_Click(WindowState&, Platform& platform) { platform.ShowMessage(AboutText(), "About"); }

}  // namespace vdmos
