#pragma once
// The card of the start values, written out by hand from the card's format: the one golden
// text that the tests of every folder compare the model update's card with.

#include <string>

namespace vdmos::golden {

/// The three segments the model update stores for the start values.
inline const std::string kStartSegment1 =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 ";
inline const std::string kStartSegment2 = "LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93";
inline const std::string kStartSegment3 = "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)";

/// The card box with "Multiple Lines": CR LF and SPICE's "+" between the lines, none after.
inline const std::string kStartCard = kStartSegment1 + "\r\n+" + kStartSegment2 + "\r\n+" + kStartSegment3;
/// The one-line card: the first segment's final blank is the only separator before the second.
inline const std::string kStartCardOneLine = kStartSegment1 + kStartSegment2 + " " + kStartSegment3;

/// The segments that differ for the P-channel start values: VTO negated, the PCHAN mark.
inline const std::string kPChannelSegment1 =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=-3.0 ";
inline const std::string kPChannelSegment3 =
    "IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF PCHAN)";
inline const std::string kPChannelStartCard =
    kPChannelSegment1 + "\r\n+" + kStartSegment2 + "\r\n+" + kPChannelSegment3;

}  // namespace vdmos::golden
