#pragma once
// A scripted platform whose writes can be made to fail the way a full disk does, which a
// test running as root cannot provoke for real.

#include <set>
#include <string>

#include "platform/scripted_platform.h"

namespace vdmos::testing {

class FailingPlatform : public ScriptedPlatform {
 public:
  std::set<std::string> unwritable;  ///< ReplaceFile fails for these paths, touching nothing

  bool ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (unwritable.contains(path)) return false;
    return ScriptedPlatform::ReplaceFile(path, bytes);
  }
};

}  // namespace vdmos::testing
