#include "model/window_state.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vdmos {
namespace {

TEST(WindowState, UnknownControlNamesThrow) {
  WindowState state;
  EXPECT_THROW(state.text("Text99"), std::out_of_range);
  EXPECT_THROW(state.setText("text19", "x"), std::out_of_range);  // names are case-sensitive
  EXPECT_THROW(state.check("LineBreaks"), std::out_of_range);
  EXPECT_THROW(state.setVisible("Image0", true), std::out_of_range);
}

}  // namespace
}  // namespace vdmos
