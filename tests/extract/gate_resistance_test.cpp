#include "extract/gate_resistance.h"

#include <gtest/gtest.h>

#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

class GateResistance : public ::testing::Test {
 protected:
  GateResistanceForm& Open() {
    Button_Rgate_Click(state, platform);
    return *state.rgate;
  }
  /// Loads the window with the documented example: VGG 10, VGSP 5.5, Rout 2, td 15 ns,
  /// Qgs 10 nC, Qgd 20 nC.
  GateResistanceForm& OpenExample() {
    GateResistanceForm& form = Open();
    form.Text_Rout = "2";
    form.Text_Td_On = "15";
    form.Text_Qgs = "10";
    form.Text_Qgd = "20";
    return form;
  }
  void Ok() { OkButton_Click(state, platform); }

  WindowState state;
  ScriptedPlatform platform;
};

TEST_F(GateResistance, LoadingCopiesTheDriveVoltagesOnlyOnce) {
  state.setText("rdsonVgs", "12,5");
  state.setText("Vplat", "4.8V");
  const GateResistanceForm& form = Open();
  EXPECT_EQ(form, (GateResistanceForm{"12,5", "-", "4.8V", "-", "-", "-"}));

  // Already loaded: a second click leaves the typed fields and the old copies.
  state.rgate->Text_Qgs = "7";
  state.setText("Vplat", "6");
  Open();
  EXPECT_EQ(state.rgate->Text_VGSP, "4.8V");
  EXPECT_EQ(state.rgate->Text_Qgs, "7");

  // Closing unloads it; the next opening copies afresh.
  Form_Rgate_Unload(state, platform);
  EXPECT_FALSE(state.rgate.has_value());
  EXPECT_EQ(Open().Text_VGSP, "6");
}

TEST_F(GateResistance, EstimateIsWrittenIntoRg) {
  struct Row {
    const char* name;
    const char* VGSP;
    const char* td;
    const char* Text2;
  };
  const Row rows[] = {
      {"example: (10 - 2.75) * 15 / 14 - 2", "5.5", "15", "5.77"},
      {"no delay gives -Rout", "5.5", "-", "-2.0"},
      {"comma ends the number: 5,5 reads 5", "5,5", "15", "6.04"},
      {"suffixes are not read: 15n is 15", "5.5", "15n", "5.77"},
  };
  for (const Row& row : rows) {
    state = WindowState{};
    GateResistanceForm& form = OpenExample();
    form.Text_VGSP = row.VGSP;
    form.Text_Td_On = row.td;
    Ok();
    EXPECT_EQ(state.text("Text2"), row.Text2) << row.name;
    EXPECT_TRUE(state.rgate.has_value()) << row.name;  // the window stays open
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GateResistance, FaultsAndAnUnloadedWindowLeaveRgAlone) {
  const std::string rg = state.text("Text2");
  Ok();  // not loaded
  EXPECT_EQ(state.text("Text2"), rg);

  GateResistanceForm& form = OpenExample();
  form.Text_Qgs = "-";
  form.Text_Qgd = "-";
  Ok();
  EXPECT_EQ(state.text("Text2"), rg);

  form.Text_Qgs = "10";
  form.Text_Td_On = "1e999";
  Ok();
  EXPECT_EQ(state.text("Text2"), rg);

  form.Text_Td_On = "1e300";
  form.Text_Qgs = "1e-300";  // Qgd is still "-"
  Ok();  // the quotient overflows
  EXPECT_EQ(state.text("Text2"), rg);
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace vdmos
