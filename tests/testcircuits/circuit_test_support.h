#pragma once
// Shared by the test-circuit tests: the window with the start values and a fixed card, the
// hand-written expected files, and a platform that records every file write.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/window_state.h"
#include "platform/scripted_platform.h"

namespace vdmos::testing {

/// The file-name suffixes in the order the export writes them.
inline const std::vector<std::string> kSuffixesInOrder = {
    "_Id(Vgs).asc",    "_Id(Vgs).plt",    "_Id(Vds,Vgs).asc", "_Id(Vds,Vgs).plt",
    "_GateCharge.asc", "_GateCharge.plt", "_Cxss.asc",        "_Cxss.plt"};

/// The window as it opens, with the FET type set and a card in the card box, so that the
/// export uses these segments and no model update runs.
inline WindowState StartValueState(const std::string& fetType) {
  WindowState state;
  state.setText("Combo1", fetType);
  const bool pmos = fetType == "PMOS";
  state.card.segment1 = std::string(".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=") +
                        (pmos ? "-3.0 " : "3.0 ");
  state.card.segment2 = "LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93";
  state.card.segment3 =
      std::string("IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF") + (pmos ? " PCHAN)" : ")");
  state.setText("Text19",
                state.card.segment1 + "\r\n+" + state.card.segment2 + "\r\n+" + state.card.segment3);
  return state;
}

/// A file's bytes as they are on disk.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// An expected file, byte for byte: data/nmos or data/pmos of this test folder, then the file
/// name.
inline std::string GoldenFile(const std::string& form, const std::string& fileName) {
  return ReadBytes(std::filesystem::path(VDMOS_TEST_DATA_DIR) / form / fileName);
}

/// Records every file write as (path, bytes). With refuseWrites set, each write fails and
/// nothing reaches the disk; otherwise it goes to the disk as usual.
class RecordingPlatform : public ScriptedPlatform {
 public:
  bool refuseWrites = false;
  std::vector<std::pair<std::string, std::string>> writes;

  bool ReplaceFile(const std::string& path, std::string_view bytes) override {
    writes.emplace_back(path, std::string(bytes));
    return !refuseWrites && Platform::ReplaceFile(path, bytes);
  }

  std::vector<std::string> WrittenPaths() const {
    std::vector<std::string> paths;
    for (const auto& write : writes) paths.push_back(write.first);
    return paths;
  }
};

}  // namespace vdmos::testing
