#include "commands/test_circuit_commands.h"

#include <vector>

#include "commands/model_update.h"
#include "files/save_text_file.h"
#include "files/written_files.h"
#include "model/control_names.h"
#include "testcircuits/circuit_file_path.h"
#include "testcircuits/circuit_inputs.h"
#include "testcircuits/circuit_texts.h"
#include "testcircuits/test_circuit_texts.h"

namespace vdmos {
namespace {

using TextBuilder = std::string (*)(const CircuitInputs&);

struct Circuit {
  std::string_view stem;
  TextBuilder schematic, plotSettings;
};

constexpr Circuit kCircuits[] = {
    {kIdVgsStem, IdVgsSchematic, IdVgsPlotSettings},
    {kIdVdsVgsStem, IdVdsVgsSchematic, IdVdsVgsPlotSettings},
    {kGateChargeStem, GateChargeSchematic, GateChargePlotSettings},
    {kCxssStem, CxssSchematic, CxssPlotSettings},
};

/// One file of the export, its path inside the chosen folder and the saver's filter.
struct CircuitFile {
  std::string path;
  std::string_view filter;
  std::string text;
};

/// The schematic and then the plot settings of each circuit, in the order they are written;
/// none when the folder is empty or the model name is refused.
std::vector<CircuitFile> CircuitFiles(const WindowState& state) {
  const CircuitInputs in = ReadCircuitInputs(state);
  std::vector<CircuitFile> files;
  for (const Circuit& circuit : kCircuits) {
    for (auto [extension, filter, text] :
         {std::tuple{kSchematicExtension, kSchematicFilter, circuit.schematic},
          std::tuple{kPlotSettingsExtension, kPlotSettingsFilter, circuit.plotSettings}}) {
      const std::string suffix = std::string(circuit.stem) + std::string(extension);
      auto path = CircuitFilePath(state.testCircuitFolder, state.text(control::Text20), suffix);
      if (!path) return {};
      files.push_back({std::move(*path), filter, text(in)});
    }
  }
  return files;
}

}  // namespace

std::string BrowseFolder(Platform& platform, std::string_view title) {
  return platform.ChooseFolder(title).value_or("");
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
  const std::vector<CircuitFile> files = CircuitFiles(state);
  std::vector<std::string> paths;
  for (const CircuitFile& file : files) paths.push_back(file.path);
  // Circuits the user edited by hand in the simulator are not replaced unasked.
  if (!MayReplaceFiles(platform, paths)) return;
  // The saver adds the final CR LF and stays silent on failure.
  std::vector<std::string> written;
  for (const CircuitFile& file : files)
    if (SaveTextFile(platform, file.text, file.path, file.filter, 0)) written.push_back(file.path);
  if (!written.empty()) state.setText(control::StatusBar1, WrittenFilesMessage(written));
}

}  // namespace vdmos
