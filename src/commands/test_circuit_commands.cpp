#include "commands/test_circuit_commands.h"

#include "commands/model_update.h"
#include "files/save_text_file.h"
#include "model/control_names.h"
#include "testcircuits/circuit_file_path.h"
#include "testcircuits/circuit_inputs.h"
#include "testcircuits/circuit_texts.h"
#include "testcircuits/test_circuit_texts.h"

namespace vdmos {
namespace {

using TextBuilder = std::string (*)(const CircuitInputs&);

/// Writes one file without a dialog; the saver adds the final CR LF and stays silent on failure.
void SaveCircuitFile(Platform& platform, const WindowState& state, std::string_view stem,
                     std::string_view extension, std::string_view filter, const std::string& text) {
  const std::string suffix = std::string(stem) + std::string(extension);
  if (auto path = CircuitFilePath(state.testCircuitFolder, state.text(control::Text20), suffix)) {
    SaveTextFile(platform, text, *path, filter, 0);
  }
}

void SaveCircuitPair(const WindowState& state, Platform& platform, std::string_view stem,
                     TextBuilder schematic, TextBuilder plotSettings) {
  const CircuitInputs in = ReadCircuitInputs(state);
  SaveCircuitFile(platform, state, stem, kSchematicExtension, kSchematicFilter, schematic(in));
  SaveCircuitFile(platform, state, stem, kPlotSettingsExtension, kPlotSettingsFilter, plotSettings(in));
}

}  // namespace

std::string BrowseFolder(Platform& platform, std::string_view title) {
  return platform.ChooseFolder(title).value_or("");
}

void SaveIdVgsCircuit(WindowState& state, Platform& platform) {
  SaveCircuitPair(state, platform, kIdVgsStem, IdVgsSchematic, IdVgsPlotSettings);
}

void SaveIdVdsVgsCircuit(WindowState& state, Platform& platform) {
  SaveCircuitPair(state, platform, kIdVdsVgsStem, IdVdsVgsSchematic, IdVdsVgsPlotSettings);
}

void SaveGateChargeCircuit(WindowState& state, Platform& platform) {
  SaveCircuitPair(state, platform, kGateChargeStem, GateChargeSchematic, GateChargePlotSettings);
}

void SaveCxssCircuit(WindowState& state, Platform& platform) {
  SaveCircuitPair(state, platform, kCxssStem, CxssSchematic, CxssPlotSettings);
}

void testcircuits_Click(WindowState& state, Platform& platform) {
  state.testCircuitFolder = BrowseFolder(platform, kChooseFolderTitle);
  // Without a folder the paths would be rooted anywhere; a cancel means the user changed
  // their mind.
  if (state.testCircuitFolder.empty()) return;
  if (auto problem = ModelNameProblem(state.text(control::Text20))) {
    platform.ShowMessage(*problem);
    return;
  }
  if (auto problem = CircuitInputsProblem(state)) {
    platform.ShowMessage(*problem);
    return;
  }
  // With a card present no update runs: the old card goes out with the current test conditions.
  // A failed model is refused, as every command that needs a card refuses it.
  if (!EnsureCard(state, platform, kParameterErrorText)) return;
  SaveIdVgsCircuit(state, platform);
  SaveIdVdsVgsCircuit(state, platform);
  SaveGateChargeCircuit(state, platform);
  SaveCxssCircuit(state, platform);
}

}  // namespace vdmos
