// Opening a library file of arbitrary bytes: never a crash; the box either takes the file's
// text unchanged or keeps what it had.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "commands/library_commands.h"
#include "fuzz_open_files.h"
#include "model/control_names.h"
#include "model/window_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  InMemoryOpenPlatform platform(content);
  vdmos::WindowState state;
  state.setText(vdmos::control::LibTextBox, "kept\r\n");
  vdmos::OpenLib_Click(state, platform);
  const std::string& box = state.text(vdmos::control::LibTextBox);
  if (box != "kept\r\n" && box != content) std::abort();
  if (state.libCaret != box.size()) std::abort();
  return 0;
}
