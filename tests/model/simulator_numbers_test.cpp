// Which typed texts may go into a card or circuit as typed: those a simulator reads as the
// tool does.

#include "model/simulator_numbers.h"

#include <gtest/gtest.h>

#include "model/card_texts.h"

namespace vdmos {
namespace {

TEST(SimulatorNumber, PlainNumbersWithAScaleAndAUnitPass) {
  for (const char* text : {"480",  "-20.7", "+5", ".5", "10.", "1e-3", "1E+3", "540m", "1meg", "1MEG",
                           "1Meg", "2.2u",  "3n", "4p", "5f",  "6k",   "6K",   "50V",  "20mA", "1e-999"})
    EXPECT_TRUE(IsSimulatorNumber(text)) << text;
}

// Texts a simulator reads otherwise than the tool (other suffixes, case), or not as one
// number at all: the hostile ones would start lines or parameters of their own.
TEST(SimulatorNumber, EverythingElseIsRefused) {
  for (const char* text : {"",
                           " 480",
                           "480 ",
                           "2,5",
                           "1e",
                           "1g",
                           "1t",
                           "1mil",
                           "1mEG",
                           "5a",
                           "1e999",
                           "1megV2",
                           "0x10",
                           "&H10",
                           "1m KP=100",
                           "1m\n.control",
                           "480\\n.include /etc/passwd",
                           "1m\r\n+ KP=100",
                           "{480}",
                           "480;",
                           "1m*2"})
    EXPECT_FALSE(IsSimulatorNumber(text)) << text;
  EXPECT_EQ(NumberFieldProblem("VdCharge", "480"), std::nullopt);
  EXPECT_EQ(NumberFieldProblem("VdCharge", "480\n.endc"), NotANumberFieldText("VdCharge"));
  EXPECT_NE(NotANumberFieldText("VdCharge").find("The field VdCharge "), std::string::npos);
}

}  // namespace
}  // namespace vdmos
