#pragma once
// Shared by the test-circuit tests: the window with the start values and a fixed card, the
// hand-written expected files, and a platform that records every file write.

#include <string>
#include <utility>
#include <vector>

#include "golden/start_card.h"
#include "model/control_names.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"
#include "platform/temp_folder.h"

namespace vdmos::testing {

/// The file-name suffixes in the order the export writes them.
inline const std::vector<std::string> kSuffixesInOrder = {
    "_Id(Vgs).asc",    "_Id(Vgs).plt",    "_Id(Vds,Vgs).asc", "_Id(Vds,Vgs).plt",
    "_GateCharge.asc", "_GateCharge.plt", "_Cxss.asc",        "_Cxss.plt"};

/// The window as it opens, with the FET type set and a card in the card box, so that the
/// export uses these segments and no model update runs.
inline WindowState StartValueState(const std::string& fetType) {
  WindowState state;
  state.setText(control::Combo1, fetType);
  const bool pmos = fetType == "PMOS";
  state.card.segment1 = pmos ? golden::kPChannelSegment1 : golden::kStartSegment1;
  state.card.segment2 = golden::kStartSegment2;
  state.card.segment3 = pmos ? golden::kPChannelSegment3 : golden::kStartSegment3;
  state.setText(control::Text19, pmos ? golden::kPChannelStartCard : golden::kStartCard);
  return state;
}

/// An expected file, byte for byte: data/nmos or data/pmos of this test folder, then the file
/// name.
inline std::string GoldenFile(const std::string& form, const std::string& fileName) {
  return ReadBytes(std::string(VDMOS_TESTS_DIR) + "/testcircuits/data/" + form + "/" + fileName);
}

/// Records the path of every file write. With refuseWrites set, each write fails and nothing
/// reaches the disk; otherwise it goes to the disk as usual.
class RecordingPlatform : public ScriptedPlatform {
 public:
  bool refuseWrites = false;
  std::vector<std::string> writtenPaths;

  bool ReplaceFile(const std::string& path, std::string_view bytes) override {
    writtenPaths.push_back(path);
    return !refuseWrites && Platform::ReplaceFile(path, bytes);
  }
};

}  // namespace vdmos::testing
