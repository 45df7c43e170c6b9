#pragma once
// Shared by the test-circuit tests: the window with the start values and a fixed card, the
// hand-written expected files, and a platform that records every file write.

#include <string>
#include <utility>
#include <vector>

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
  state.card.segment1 = std::string(".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=") +
                        (pmos ? "-3.0 " : "3.0 ");
  state.card.segment2 = "LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93";
  state.card.segment3 =
      std::string("IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF") + (pmos ? " PCHAN)" : ")");
  state.setText(control::Text19,
                state.card.segment1 + "\r\n+" + state.card.segment2 + "\r\n+" + state.card.segment3);
  return state;
}

/// An expected file, byte for byte: data/nmos or data/pmos of this test folder, then the file
/// name.
inline std::string GoldenFile(const std::string& form, const std::string& fileName) {
  return ReadBytes(std::string(VDMOS_TEST_DATA_DIR) + "/" + form + "/" + fileName);
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
