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
  EXPECT_THROW(state.setCheck("", 1), std::out_of_range);
  EXPECT_THROW(state.visible("Image4"), std::out_of_range);
  EXPECT_THROW(state.setVisible("Image0", true), std::out_of_range);
  EXPECT_FALSE(state.hasText("Text99"));
  EXPECT_EQ(state, WindowState());
}

TEST(WindowState, OutputsShowTheirDesignedCaptionsAtStart) {
  const WindowState state;
  const struct {
    const char* control;
    const char* caption;
  } rows[] = {
      {"OUT_ID1", "0"},
      {"OUT_ID2", "0"},
      {"Label_DcParam", "KP  RS  RD  VTO"},
      {"Label_Rds", "Rds"},
      {"DATA1", "Vgs    Id"},
      {"DATA2", "Vgs    Id"},
      {"Ciss_on", "-"},
      {"Ciss_off", "-"},
      {"Label_ACparam", "AC model params"},
      {"Text19", ""},
      {"SubCktTextBox", "Subcircuit model\r\n"},
      {"FileName", "VDmos.lib"},
      {"LibTextBox", ""},
      {"StatusBar1", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(state.text(row.control), row.caption) << row.control;
}

TEST(WindowState, StartsWithTheDesignedSwitchesAndEmptyResults) {
  const WindowState state;
  EXPECT_EQ(state.check("ForceRdsOn"), 1);
  EXPECT_EQ(state.check("FixVTO"), 1);
  EXPECT_EQ(state.check("LineBreak"), 1);
  EXPECT_EQ(state.check("CheckDepMode"), 0);
  EXPECT_TRUE(state.optionStandard);
  EXPECT_FALSE(state.optionSubCkt);
  EXPECT_TRUE(state.enabled("Command1"));
  EXPECT_TRUE(state.enabled("SubCktTextBox"));
  EXPECT_TRUE(state.enabled("CopyToClipBoardSubCkt"));
  EXPECT_TRUE(state.visible("Image1"));
  EXPECT_FALSE(state.visible("Image2"));
  EXPECT_FALSE(state.visible("Image3"));
  EXPECT_EQ(state.params, ModelParameterSet{});
  EXPECT_EQ(state.card, CardTexts{});
  EXPECT_EQ(state.text("Combo1"), "NMOS");
  EXPECT_EQ(state.text("Text_LAMBDA"), "1m");
}

}  // namespace
}  // namespace vdmos
