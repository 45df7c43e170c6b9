#include "model/window_state.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "model/control_names.h"

namespace vdmos {
namespace {

TEST(WindowState, StartsWithTheDesignedCaptionsAndSwitches) {
  const WindowState state;
  // clang-format off
  const std::vector<std::pair<const char*, const char*>> captions = {
      {control::OUT_ID1, "0"}, {control::OUT_ID2, "0"}, {control::Label_DcParam, "KP  RS  RD  VTO"}, {control::Label_Rds, "Rds"},
      {control::DATA1, "Vgs    Id"}, {control::DATA2, "Vgs    Id"}, {control::Ciss_on, "-"}, {control::Ciss_off, "-"},
      {control::Label_ACparam, "AC model params"}};  // the subcircuit box and FileName: in their own tests
  // clang-format on
  for (const auto& [control, caption] : captions) EXPECT_EQ(state.text(control), caption) << control;
  // The other switches show in the start values' results.
  EXPECT_EQ(state.check(control::ForceRdsOn), 1);
  EXPECT_FALSE(state.optionSubCkt);
  EXPECT_TRUE(state.visible(control::Image1));
  EXPECT_FALSE(state.visible(control::Image2) || state.visible(control::Image3));
}

TEST(WindowState, UnknownControlNamesThrow) {
  WindowState state;
  EXPECT_THROW(state.text("Text99"), std::out_of_range);
  EXPECT_THROW(state.setText("text19", "x"), std::out_of_range);  // names are case-sensitive
  EXPECT_THROW(state.check("LineBreaks"), std::out_of_range);
  EXPECT_THROW(state.setVisible("Image0", true), std::out_of_range);
}

}  // namespace
}  // namespace vdmos
