// The ngspice form of the subcircuit: its text, and what it refuses. Its runs in ngspice are
// in tests/verify/ngspice_subcircuit_test.cpp.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/command_runner.h"
#include "model/model_update.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

const std::string kStartCard =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 \r\n"
    "+LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93\r\n"
    "+IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)";
const std::string kPChannelOneLineCard =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=-3.0 LAMBDA=0.001 CGDMAX=5561p "
    "CGDMIN=5p CGS=2350p TT=720n a=1.93 IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF PCHAN)";

struct Window {
  WindowState state;
  ScriptedPlatform platform;
};

TEST(NgspiceSubcircuit, TheStartValuesGiveTheNineLinesWithStandardDiodeParameters) {
  Window w;
  UpdateModel(w.state, w.platform);
  const NgspiceSubCkt subckt = NgspiceSubCircuit(w.state);
  ASSERT_TRUE(subckt.ok()) << subckt.problem;
  EXPECT_EQ(subckt.text,
            ".subckt X20N60C3 d g s\r\n"
            "M1 d g s 20N60C3\r\n"
            "Rg g s 1G\r\n"
            "Db s d dbody\r\n"
            ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 \r\n"
            "+LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93\r\n"
            "+IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)\r\n"
            ".model dbody D(IS=1E-17 N=2 RS=0.1 BV=630 IBV=250u)\r\n"
            ".ends\r\n");
  EXPECT_EQ(subckt.problem, "");
  // The original subcircuit stays as it is.
  EXPECT_TRUE(w.state.text("SubCktTextBox").ends_with("\r\n.model dbody d ron=0.1 vrev= 630 vfwd=2\r\n.ends\r\n"));
}

TEST(NgspiceSubcircuit, APChannelCardOnOneLineTurnsTheDiodeAround) {
  Window w;
  w.state.setText("Combo1", "PMOS");
  w.state.setCheck("LineBreak", 0);
  w.state.setText("avalanche_volt", "-30");
  UpdateModel(w.state, w.platform);
  ASSERT_EQ(w.state.text("Text19"), kPChannelOneLineCard);
  EXPECT_EQ(NgspiceSubCircuit(w.state).text, ".subckt X20N60C3 d g s\r\nM1 d g s 20N60C3\r\nRg g s 1G\r\n"
                                             "Db d s dbody\r\n" +
                                                 kPChannelOneLineCard +
                                                 "\r\n.model dbody D(IS=1E-17 N=2 RS=0.1 BV=30 IBV=250u)\r\n"
                                                 ".ends\r\n");
}

// The breakdown voltage is read as the original subcircuit reads it: the plain reading (no
// suffixes), the sign dropped.
TEST(NgspiceSubcircuit, TheBreakdownVoltageIsReadAsTheOriginalReadsIt) {
  struct Row {
    const char* typed;
    const char* bv;
  };
  const Row rows[] = {{"630", "630"}, {"-30", "30"}, {"29.5", "29.5"}, {"1k", "1"}, {" 1e3", "1000"},
                      {"1e300", "1E+300"}};
  for (const Row& row : rows) {
    const NgspiceSubCkt subckt = NgspiceSubCircuit("20N60C3", true, row.typed, kStartCard);
    ASSERT_TRUE(subckt.ok()) << row.typed << ": " << subckt.problem;
    EXPECT_TRUE(subckt.text.ends_with(".model dbody D(IS=1E-17 N=2 RS=0.1 BV=" + std::string(row.bv) +
                                      " IBV=250u)\r\n.ends\r\n"))
        << row.typed;
  }
}

TEST(NgspiceSubcircuit, WhatCannotGoIntoNgspiceIsRefusedWithItsReason) {
  using S = NgspiceSubCkt::Status;
  const std::string unreadable = std::string(kNgspiceSubCktUnreadableOpening);
  const std::string closing = std::string(kNgspiceSubCktUnreadableClosing);
  auto withLambda = [](const std::string& lambda) {
    std::string card = kStartCard;
    card.replace(card.find("LAMBDA=0.001"), 12, "LAMBDA=" + lambda);
    return card;
  };
  struct Row {
    std::string name;
    bool nChannel;
    std::string voltage;
    std::string card;
    S status;
    std::string problem;
  };
  const Row rows[] = {
      // No card, or the parameter error in its place.
      {"20N60C3", true, "630", "", S::Refused, std::string(kNgspiceSubCktNoCardText)},
      {"20N60C3", true, "630", "\r\n+\r\n+", S::Refused, std::string(kNgspiceSubCktNoCardText)},
      {"20N60C3", true, "630", std::string(kParameterErrorText), S::Refused,
       std::string(kNgspiceSubCktParameterErrorText)},
      {"20N60C3", true, "630", "Subcircuit model", S::Refused, std::string(kNgspiceSubCktNotACardText)},
      {"20N60C3", true, "630", kStartCard.substr(0, kStartCard.size() - 1), S::Refused,
       std::string(kNgspiceSubCktNotACardText)},
      {"20N60C3", true, "630", "+" + kStartCard, S::Refused, std::string(kNgspiceSubCktNotACardText)},
      {"20N60C3", true, "630", withLambda("1\n"), S::Refused, std::string(kNgspiceSubCktControlCharacterText)},
      // Values ngspice would refuse, hang on (a comma) or misread (a tail holding "pchan").
      {"20N60C3", true, "630", withLambda(""), S::Refused, unreadable + "LAMBDA=" + closing},
      {"20N60C3", true, "630", withLambda("abc"), S::Refused, unreadable + "LAMBDA=abc" + closing},
      {"20N60C3", true, "630", withLambda("1,5"), S::Refused, unreadable + "LAMBDA=1,5" + closing},
      {"20N60C3", true, "630", withLambda("1pchan"), S::Refused, unreadable + "LAMBDA=1pchan" + closing},
      {"20N60C3", true, "630", withLambda("1e999"), S::Refused, unreadable + "LAMBDA=1e999" + closing},
      {"20N60C3", true, "630", withLambda("{x}"), S::Refused, unreadable + "LAMBDA={x}" + closing},
      {"20N60C3", true, "630", withLambda("(1)"), S::Refused, unreadable + "LAMBDA=(1)" + closing},
      {"20N60C3", true, "630", withLambda("0.001 2"), S::Refused, unreadable + "2" + closing},
      // Model names ngspice cannot take.
      {"my fet", true, "630", ".MODEL my fet VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktModelNameText)},
      {"", true, "630", ".MODEL  VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktModelNameText)},
      {"a;b", true, "630", ".MODEL a;b VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktModelNameText)},
      {"a'b", true, "630", ".MODEL a'b VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktModelNameText)},
      {"100", true, "630", ".MODEL 100 VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktNumberNameText)},
      {"1k", true, "630", ".MODEL 1k VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktNumberNameText)},
      {"1e5MEG", true, "630", ".MODEL 1e5MEG VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktNumberNameText)},
      {"IRFvdmos", true, "630", ".MODEL IRFvdmos VDMOS(KP=1)", S::Refused,
       std::string(kNgspiceSubCktVdmosNameText)},
      {"DBODY", true, "630", ".MODEL DBODY VDMOS(KP=1)", S::Refused, std::string(kNgspiceSubCktDiodeNameText)},
      // The name or the FET type changed after the update.
      {"IRF540", true, "630", kStartCard, S::Refused, std::string(kNgspiceSubCktNameChangedText)},
      {"20N60C3", false, "630", kStartCard, S::Refused, std::string(kNgspiceSubCktFetTypeChangedText)},
      {"20N60C3", true, "630", kPChannelOneLineCard, S::Refused, std::string(kNgspiceSubCktFetTypeChangedText)},
      // The breakdown voltage: none, or too large to read.
      {"20N60C3", true, "", kStartCard, S::NoBreakdownVoltage, std::string(kNgspiceSubCktNoBreakdownText)},
      {"20N60C3", true, "-0", kStartCard, S::NoBreakdownVoltage, std::string(kNgspiceSubCktNoBreakdownText)},
      {"20N60C3", true, "volts", kStartCard, S::NoBreakdownVoltage, std::string(kNgspiceSubCktNoBreakdownText)},
      {"20N60C3", true, "1e999", kStartCard, S::Refused, std::string(kNgspiceSubCktBreakdownOverflowText)},
  };
  for (const Row& row : rows) {
    const NgspiceSubCkt subckt = NgspiceSubCircuit(row.name, row.nChannel, row.voltage, row.card);
    EXPECT_EQ(subckt.status, row.status) << row.card;
    EXPECT_EQ(subckt.problem, row.problem) << row.card;
    EXPECT_EQ(subckt.text, "") << row.card;
  }
  // Names and values it takes: a name that starts like a number but is none, flags in any case.
  for (const char* name : {"2N7000", "1e5x", "1.5A", "STP20NM60-FD", "pchan"}) {
    const std::string card = ".MODEL " + std::string(name) + " VDMOS(KP=1 LAMBDA=1m Cjo=9600.0pF pchan)";
    EXPECT_TRUE(NgspiceSubCircuit(name, false, "30", card).ok()) << name;
  }
}

TEST(NgspiceSubcircuit, TheBreakdownVoltageSwitchIsTheOriginalsRule) {
  for (const char* given : {"630", "-30", "1e999", "0.1"}) EXPECT_TRUE(HasBreakdownVoltage(given)) << given;
  for (const char* none : {"", "0", "-0", "volts", " "}) EXPECT_FALSE(HasBreakdownVoltage(none)) << none;
}

TEST(NgspiceSubcircuit, CopyPutsItOnTheClipboardOrShowsWhyNotAndChangesNothing) {
  Window w;
  UpdateModel(w.state, w.platform);
  const WindowState updated = w.state;
  CopyToClipBoardNgspiceSubCkt_Click(w.state, w.platform);
  EXPECT_EQ(w.platform.clipboard, NgspiceSubCircuit(w.state).text);
  EXPECT_TRUE(w.platform.messages.empty());
  EXPECT_EQ(w.state, updated);

  w.platform.clipboard.reset();
  w.state.setText("Text19", std::string(kParameterErrorText));
  const WindowState failed = w.state;
  RunUserCommand(CopyToClipBoardNgspiceSubCkt_Click, w.state, w.platform);
  EXPECT_EQ(w.platform.clipboard, std::nullopt);
  EXPECT_EQ(w.platform.MessageTexts(), std::vector<std::string>{std::string(kNgspiceSubCktParameterErrorText)});
  EXPECT_EQ(w.state, failed);
}

}  // namespace
}  // namespace vdmos
