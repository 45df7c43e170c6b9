#include "verify/ngspice_circuit_export.h"

#include <vector>

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "commands/test_circuit_commands.h"
#include "files/save_text_file.h"
#include "files/written_files.h"
#include "model/card_reading.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/model_card.h"
#include "model/subcircuit.h"
#include "testcircuits/circuit_file_path.h"
#include "testcircuits/test_circuit_texts.h"
#include "verify/bench_setup.h"
#include "verify/ngspice_netlists.h"
#include "verify/verify_texts.h"

namespace vdmos {

void ngspicecircuits_Click(WindowState& state, Platform& platform,
                           const std::function<std::optional<NgspiceVersion>()>& readVersion) {
  const std::string folder = BrowseFolder(platform, kChooseFolderTitle);
  if (folder.empty()) return;
  if (auto problem = ModelNameProblem(state.text(control::Text20))) {
    platform.ShowMessage(*problem);
    return;
  }
  // A card box that shows the update's error keeps an older card, which would be written in
  // place of the model the fields describe.
  if (!EnsureCard(state, platform, kParameterErrorText)) return;
  if (auto problem = CardProblem(state.card)) {
    platform.ShowMessage(*problem);
    return;
  }
  BenchSetup setup;
  try {
    setup = ReadBenchSetup(state);
  } catch (const ArithmeticFault&) {
    platform.ShowMessage(kFieldOverflowText);
    return;
  }
  // A netlist file is written for every bench, so each must be able to run.
  std::optional<std::string> problem = BenchSetupProblem(setup);
  if (!problem) problem = GateChargeSetupProblem(setup);
  if (problem) {
    platform.ShowMessage(*problem);
    return;
  }
  const CardTexts card =
      CardCarriesTcvth(state.card) ? CardForNgspice(state.card, readVersion()) : state.card;
  // The subcircuit wraps the card the netlists take, under the card's own name and channel.
  const NgspiceSubCkt subckt = NgspiceSubCircuit(CardModelName(card).value_or(""), !CardIsPChannel(card),
                                                 state.text(control::avalanche_volt), ThreeLineCard(card),
                                                 HotBreakdownOf(state), state.params.chargeElement);
  struct File {
    std::string path, text;
    std::string_view filter;
  };
  std::vector<File> files;
  for (const Bench bench : kBenches) {
    const std::string suffix = std::string(BenchStem(bench)) + std::string(kNetlistExtension);
    files.push_back({CircuitFilePath(folder, state.text(control::Text20), suffix).value_or(""),
                     NgspiceNetlist(bench, card, setup), kNetlistFilter});
  }
  // SaveTextFile ends the file with the line end the subcircuit text already has.
  if (subckt.ok())
    files.push_back({CircuitFilePath(folder, state.text(control::Text20), kNgspiceSubCktSuffix).value_or(""),
                     subckt.text.substr(0, subckt.text.size() - 2), kNgspiceSubCktFilter});
  std::vector<std::string> paths;
  for (const File& file : files) paths.push_back(file.path);
  if (!MayReplaceFiles(platform, paths)) return;
  std::string notWritten;
  std::vector<std::string> written;
  for (const File& file : files) {
    if (SaveTextFile(platform, file.text, file.path, file.filter, 0))
      written.push_back(file.path);
    else
      notWritten += "\r\n" + file.path;
  }
  if (!written.empty()) state.setText(control::StatusBar1, WrittenFilesMessage(written));
  if (!notWritten.empty()) platform.ShowMessage(std::string(kNetlistsNotWrittenText) + notWritten);
  if (!subckt.ok()) platform.ShowMessage(std::string(kNgspiceSubCktNotWrittenText) + "\r\n" + subckt.problem);
}

}  // namespace vdmos
