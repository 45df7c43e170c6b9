#pragma once
// Which ngspice reads the card, and what that means for TCVTH. The card's temperature line keeps
// one value of TCVTH, fitted in the convention under which a positive value lowers the
// threshold as the junction warms (VTO(T) = VTO - type * TCVTH * dT, checked here with ngspice
// 39); ngspice 46 turned the sign around, so a card for it carries the negated value.

#include <optional>
#include <string>
#include <string_view>

#include "model/window_state.h"

namespace vdmos {

struct NgspiceVersion {
  int major = 0;
  int minor = 0;
  friend bool operator==(const NgspiceVersion&, const NgspiceVersion&) = default;
};

/// The first release whose TCVTH raises the threshold where the earlier ones lowered it.
inline constexpr int kFlippedTcvthMajor = 46;
/// The release the fitted convention was checked with.
inline constexpr int kFittedTcvthMajor = 39;

/// The version in what "ngspice -v" prints ("** ngspice-39 : Circuit level ...", also
/// "ngspice-44.2", "ngspice 45+"); nullopt when no such word is found. Never throws.
std::optional<NgspiceVersion> ParseNgspiceVersion(std::string_view text);

/// Whether a card for this version carries TCVTH negated; an unknown version is taken for the
/// fitted convention.
bool FlipsTcvth(const std::optional<NgspiceVersion>& version);

/// Whether the card's temperature line carries TCVTH (after TNOM), so that the convention
/// matters.
bool CardCarriesTcvth(const CardTexts& card);

/// The card as this version must read it: TCVTH negated in both forms where the version flips
/// it; otherwise the card as it stands.
CardTexts CardForNgspice(const CardTexts& card, const std::optional<NgspiceVersion>& version);

/// What the check says about it: "TCVTH in ngspice 39 convention", or for an unknown version
/// that the fitted convention is assumed.
std::string TcvthConventionText(const std::optional<NgspiceVersion>& version);

}  // namespace vdmos
