// Opening a datasheet values file of arbitrary bytes: never a crash, and a file that does not
// start with the header (after a byte order mark) changes no field.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "commands/datasheet_commands.h"
#include "files/byte_order_mark.h"
#include "fuzz_open_files.h"
#include "model/window_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  InMemoryOpenPlatform platform(content);
  vdmos::WindowState state;
  const vdmos::WindowState before = state;
  vdmos::open_Click(state, platform);
  if (!vdmos::WithoutByteOrderMark(content).starts_with("Mosfet datasheet values") && !(state == before))
    std::abort();
  return 0;
}
