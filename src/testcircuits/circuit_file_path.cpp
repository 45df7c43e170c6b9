#include "testcircuits/circuit_file_path.h"

#include <filesystem>

#include "testcircuits/test_circuit_texts.h"

namespace vdmos {
namespace {

// Built by appending: GCC 12 misreads `"literal" + std::string` as overlapping copies in
// optimised builds (-Wrestrict).
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text).append("\"");
  return quoted;
}

std::string Refusal(std::string_view what, std::string_view reason) {
  std::string refusal(kModelNameRefused);
  refusal.append(what).append(reason);
  return refusal;
}

}  // namespace

std::optional<std::string> ModelNameProblem(std::string_view modelName) {
  for (const char c : modelName) {
    if (c == '/' || c == '\\') return Refusal(Quoted(std::string_view(&c, 1)), kLeavesFolderReason);
    if (c == '\0') return Refusal(kNulCharacter, kNotInFileNameReason);
    if (static_cast<unsigned char>(c) < 0x20) return Refusal(kControlCharacter, kNotInFileNameReason);
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
      return Refusal(Quoted(std::string_view(&c, 1)), kNotInFileNameReason);
    }
  }
  if (modelName.find("..") != std::string_view::npos) return Refusal(Quoted(".."), kLeavesFolderReason);
  return std::nullopt;
}

std::optional<std::string> CircuitFilePath(std::string_view folder, std::string_view modelName,
                                           std::string_view suffix) {
  if (folder.empty() || ModelNameProblem(modelName)) return std::nullopt;
  return (std::filesystem::path(folder) / (std::string(modelName) + std::string(suffix))).string();
}

}  // namespace vdmos
