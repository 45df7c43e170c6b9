#pragma once
#include <functional>
#include <optional>

#include "model/window_state.h"
#include "platform/platform.h"
#include "verify/ngspice_version.h"

namespace vdmos {

/// File > "Save ngspice Test Circuits": the four benches as ngspice netlists, each runnable
/// with "ngspice -b". Folder and names follow the test circuit export: the folder picker with
/// its title (a cancel ends the command), the model name checked as a file name, the model
/// updated first when the card box is empty, and the files named after the model name with
/// the circuits' stems and ".cir". Next to them the ngspice subcircuit of the card, named
/// after the model name with "_subckt.lib"; when there is none (no breakdown voltage, or a
/// card it refuses), a message says why and the netlists are written all the same. When any of
/// the files exists, asks Yes or No before replacing them (No writes nothing). Files that
/// cannot be written are named in a message; the status bar names what was written.
/// A card with TCVTH is written in the convention of the ngspice readVersion names (asked only
/// then), as the model check hands it over.
void ngspicecircuits_Click(WindowState& state, Platform& platform,
                           const std::function<std::optional<NgspiceVersion>()>& readVersion);

}  // namespace vdmos
