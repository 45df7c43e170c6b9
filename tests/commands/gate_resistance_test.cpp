#include "commands/gate_resistance.h"

#include <gtest/gtest.h>

#include "model/control_names.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

class GateResistance : public ::testing::Test {
 protected:
  GateResistanceForm& Open() {
    Button_Rgate_Click(state, platform);
    return *state.rgate;
  }
  void Ok() { OkButton_Click(state, platform); }

  WindowState state;
  ScriptedPlatform platform;
};

TEST_F(GateResistance, LoadingCopiesTheDriveVoltagesOnlyOnce) {
  state.setText(control::rdsonVgs, "12,5");
  state.setText(control::Vplat, "4.8V");
  const GateResistanceForm& form = Open();
  EXPECT_EQ(form, (GateResistanceForm{"12,5", "-", "4.8V", "-", "-", "-"}));

  // Already loaded: a second click leaves the typed fields and the old copies.
  state.rgate->Text_Qgs = "7";
  state.setText(control::Vplat, "6");
  Open();
  EXPECT_EQ(state.rgate->Text_VGSP, "4.8V");
  EXPECT_EQ(state.rgate->Text_Qgs, "7");

  // Closing unloads it; the next opening copies afresh.
  Form_Rgate_Unload(state, platform);
  EXPECT_FALSE(state.rgate.has_value());
  EXPECT_EQ(Open().Text_VGSP, "6");
}

TEST_F(GateResistance, EstimateIsWrittenIntoRgUnlessItFaults) {
  Ok();  // not loaded: nothing happens
  EXPECT_EQ(state.text(control::Text2), "540m");
  EXPECT_TRUE(platform.messages.empty());
  // The form's fields: VGG, Rout, VGSP, Qgs, Qgd, td (the example: 10 V, 2 Ohm, 5.5 V, 10 nC,
  // 20 nC, 15 ns).
  // clang-format off
  const struct {
    const char* name;
    GateResistanceForm form;
    const char* Text2;
    std::string message;  ///< empty: none
  } rows[] = {
      {"example: (10 - 2.75) * 15 / 14 - 2", {"10", "2", "5.5", "10", "20", "15"}, "5.77", ""},
      {"suffixes are not read, a blank ends the number", {"10", "2", "5 .5", "10", "20", "15n"}, "6.04", ""},
      {"no charges: a division by zero", {"10", "2", "5.5", "-", "-", "15"}, "540m",
       std::string(kGateResistanceFaultText)},
      {"an overflowing delay", {"10", "2", "5.5", "10", "20", "1e999"}, "540m",
       std::string(kGateResistanceFaultText)},
      // A negative RG would make the card switch faster than any driver could.
      {"no delay: the loop is 0", {"10", "2", "5.5", "10", "20", "-"}, "540m", NegativeGateResistanceText(0, 2)},
      {"a driver larger than the loop", {"10", "50", "5.5", "11", "33", "20"}, "540m",
       NegativeGateResistanceText(7.25 * 20 / 17.6, 50)},
  };
  // clang-format on
  for (const auto& row : rows) {
    state = WindowState{};
    state.rgate = row.form;
    platform.messages.clear();
    Ok();
    EXPECT_EQ(state.text(control::Text2), row.Text2) << row.name;
    EXPECT_TRUE(state.rgate.has_value()) << row.name;  // the window stays open
    EXPECT_EQ(platform.MessageTexts(),
              row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message})
        << row.name;
  }
  EXPECT_NE(NegativeGateResistanceText(8.2386, 50).find("gate loop of 8.24 Ohm"), std::string::npos);
}

}  // namespace
}  // namespace vdmos
