// The ngspice form of the subcircuit: its text, and what it refuses. Its runs in ngspice are
// in tests/verify/ngspice_subcircuit_test.cpp; they also cover the P-channel diode, the
// one-line card and the sign of the voltage.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/command_runner.h"
#include "commands/model_update.h"
#include "commands/subcircuit_commands.h"
#include "golden/start_card.h"
#include "model/card_texts.h"
#include "model/control_names.h"
#include "model/subcircuit.h"
#include "platform/scripted_platform.h"

namespace vdmos {
namespace {

const std::string& kStartCard = golden::kStartCard;

struct Window {
  WindowState state;
  ScriptedPlatform platform;
};

TEST(NgspiceSubcircuit, TheStartValuesGiveTheNineLinesWithStandardDiodeParameters) {
  Window w;
  UpdateModel(w.state, w.platform);
  const NgspiceSubCkt subckt = NgspiceSubCircuit(w.state);
  EXPECT_EQ(subckt.text,
            ".subckt X20N60C3 d g s\r\n"
            "M1 d g s 20N60C3\r\n"
            "Rg g s 1G\r\n"
            "Db s d dbody\r\n" +
                kStartCard +
                "\r\n"
                ".model dbody D(IS=1E-17 N=2 RS=0.1 BV=630 IBV=250u)\r\n"
                ".ends\r\n")
      << subckt.problem;
}

// The breakdown voltage is read as the original subcircuit reads it: the plain reading (no
// suffixes), the sign dropped.
TEST(NgspiceSubcircuit, TheBreakdownVoltageIsReadAsTheOriginalReadsIt) {
  const std::pair<const char*, const char*> rows[] = {
      {"-30", "30"}, {"29.5", "29.5"}, {"1k", "1"}, {" 1e3", "1000"}, {"1e300", "1E+300"}};
  for (const auto& [typed, bv] : rows) {
    const NgspiceSubCkt subckt = NgspiceSubCircuit("20N60C3", true, typed, kStartCard);
    EXPECT_TRUE(subckt.text.ends_with(" BV=" + std::string(bv) + " IBV=250u)\r\n.ends\r\n"))
        << typed << subckt.problem;
  }
}

void ExpectRefused(std::string_view name, bool nChannel, std::string_view voltage, const std::string& card,
                   std::string_view problem, NgspiceSubCkt::Status status = NgspiceSubCkt::Status::Refused) {
  const NgspiceSubCkt subckt = NgspiceSubCircuit(name, nChannel, voltage, card);
  EXPECT_EQ(subckt.status, status) << name << ", " << voltage << " V, " << card;
  EXPECT_EQ(subckt.problem, problem) << name << ", " << voltage << " V, " << card;
  EXPECT_EQ(subckt.text, "") << card;
}

TEST(NgspiceSubcircuit, WhatCannotGoIntoNgspiceIsRefusedWithItsReason) {
  auto withLambda = [](const std::string& lambda) {
    std::string card = kStartCard;
    return card.replace(card.find("LAMBDA=0.001"), 12, "LAMBDA=" + lambda);
  };
  std::string unmarked = kStartCard;
  unmarked.erase(unmarked.find("+LAMBDA"), 1);
  // The start card's name, channel and voltage around no card, or no card of the right form.
  const std::pair<std::string, std::string_view> cards[] = {
      {"", kNoCardText},
      {"\r\n+\r\n+", kNoCardText},
      {std::string(kParameterErrorText), kCardParameterErrorText},
      {"Subcircuit model", kNotACardText},
      {kStartCard.substr(0, kStartCard.size() - 1), kNotACardText},
      {unmarked, kNotACardText},
      {withLambda("1\n"), kCardControlCharacterText},
      // The FET type changed after the update.
      {".MODEL 20N60C3 VDMOS(KP=6.4968 VTO=-3.0 PCHAN)", kCardFetTypeChangedText},
  };
  for (const auto& [card, problem] : cards) ExpectRefused("20N60C3", true, "630", card, problem);
  ExpectRefused("20N60C3", false, "630", kStartCard, kCardFetTypeChangedText);
  ExpectRefused("IRF540", true, "630", kStartCard, kCardNameChangedText);
  // Values ngspice would refuse, hang on (a comma) or misread (a tail holding "pchan").
  const std::string unreadable(kCardUnreadableOpening), closing(kCardUnreadableClosing);
  for (const std::string lambda : {"", "abc", "1,5", "1pchan", "1e999", "(1)"})
    ExpectRefused("20N60C3", true, "630", withLambda(lambda), unreadable + "LAMBDA=" + lambda + closing);
  ExpectRefused("20N60C3", true, "630", withLambda("0.001 2"), unreadable + "2" + closing);
  // Model names ngspice cannot take, each on a card of its own name.
  const std::pair<const char*, std::string_view> names[] = {
      {"my fet", kCardModelNameText},  {"", kCardModelNameText},         {"a;b", kCardModelNameText},
      {"a'b", kCardModelNameText},     {"100", kCardNumberNameText},     {"1k", kCardNumberNameText},
      {"1e5MEG", kCardNumberNameText}, {"IRFvdmos", kCardVdmosNameText}, {"DBODY", kCardDiodeNameText},
  };
  for (const auto& [name, problem] : names)
    ExpectRefused(name, true, "630", ".MODEL " + std::string(name) + " VDMOS(KP=1)", problem);
  // The breakdown voltage: none, or too large to read.
  ExpectRefused("20N60C3", true, "", kStartCard, kNgspiceSubCktNoBreakdownText,
                NgspiceSubCkt::Status::NoBreakdownVoltage);
  ExpectRefused("20N60C3", true, "1e999", kStartCard, kNgspiceSubCktBreakdownOverflowText);

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
  CopyToClipBoardNgspiceSubCkt_Click(w.state, w.platform);
  EXPECT_EQ(w.platform.clipboard, NgspiceSubCircuit(w.state).text);
  EXPECT_TRUE(w.platform.messages.empty());

  w.platform.clipboard.reset();
  w.state.setText(control::Text19, std::string(kParameterErrorText));
  const WindowState failed = w.state;
  RunUserCommand(CopyToClipBoardNgspiceSubCkt_Click, w.state, w.platform);
  EXPECT_EQ(w.platform.clipboard, std::nullopt);
  EXPECT_EQ(w.platform.MessageTexts(), std::vector<std::string>{std::string(kCardParameterErrorText)});
  EXPECT_EQ(w.state, failed);
}

}  // namespace
}  // namespace vdmos
