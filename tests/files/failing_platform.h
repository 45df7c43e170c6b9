#pragma once
// A scripted platform whose file operations can be made to fail the way a full disk or an
// unreadable file does, which a test running as root cannot provoke for real.

#include <set>
#include <string>

#include "platform/scripted_platform.h"

namespace vdmos::testing {

class FailingPlatform : public ScriptedPlatform {
 public:
  std::set<std::string> unwritable;  ///< ReplaceFile fails for these paths, touching nothing
  std::set<std::string> unreadable;  ///< ReadFile cannot open these paths

  bool ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (unwritable.contains(path)) return false;
    return ScriptedPlatform::ReplaceFile(path, bytes);
  }
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override {
    if (unreadable.contains(path)) return {};
    return ScriptedPlatform::ReadFile(path, maxBytes);
  }
};

}  // namespace vdmos::testing
