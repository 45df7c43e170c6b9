// Opening a library file of arbitrary bytes: never a crash; the box either keeps what it had or
// takes the file's text such that saving it writes that text with CR LF line ends, and nothing
// more.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "commands/library_commands.h"
#include "files/save_text_file.h"
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
  const std::string written = vdmos::WithSavedLineEnds(content);
  if (box != "kept\r\n" && box != written && box + std::string(vdmos::kSavedLineEnd) != written) std::abort();
  if (state.libCaret != box.size()) std::abort();
  return 0;
}
