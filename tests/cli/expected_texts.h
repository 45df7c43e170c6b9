#pragma once
// Texts the command line must print, written by hand from the card format and the start
// values, and the datasheet values file of the start values.

#include <string>

#include "platform/temp_folder.h"

namespace vdmos::testing {

/// The card of the start values as printed: three lines, each ending in CR LF.
inline const std::string kCard =
    ".MODEL 20N60C3 VDMOS(KP=6.4968 RS=0.0016 RD=0.1364 RG=0.54 VTO=3.0 \r\n"
    "+LAMBDA=0.001 CGDMAX=5561p CGDMIN=5p CGS=2350p TT=720n a=1.93\r\n"
    "+IS=1.47E-08 N=1.576 RB=0.006897 m=0.797 Vj=1.03 Cjo=9600.0pF)\r\n";

inline const std::string kErrorLine =
    "Error in one or more parameters... The model data cannot be calculated.";

/// The file that saving the start values gives, byte for byte.
inline std::string StartValuesFile() { return ReadBytes(VDMOS_TEST_DATA_DIR "/start_values.txt"); }

}  // namespace vdmos::testing
