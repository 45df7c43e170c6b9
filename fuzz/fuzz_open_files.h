#pragma once
// A platform whose open dialog always picks one file, and whose file system holds exactly the
// fuzzer's bytes there, so the readers see arbitrary content without touching the disk.
#include <string>

#include "platform/scripted_platform.h"

class InMemoryOpenPlatform : public vdmos::ScriptedPlatform {
 public:
  explicit InMemoryOpenPlatform(std::string content) : content_(std::move(content)) {
    openFiles.push_back(std::string(kPath));
  }
  bool FileExists(const std::string& path) override { return path == kPath; }
  vdmos::FileRead ReadFile(const std::string& path, std::size_t maxBytes) override {
    if (path != kPath) return {};
    if (content_.size() > maxBytes) return {vdmos::FileRead::Status::TooLarge, content_.substr(0, maxBytes)};
    return {vdmos::FileRead::Status::Ok, content_};
  }
  bool ReplaceFile(const std::string&, std::string_view) override { return false; }

 private:
  static constexpr const char* kPath = "fuzzed-input";
  std::string content_;
};
