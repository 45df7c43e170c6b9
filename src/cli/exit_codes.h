#pragma once
// The exit statuses of vdmosgen-cli, by which scripts that run it tell its outcomes apart.

namespace vdmos::cli {

inline constexpr int kSuccessStatus = 0;
/// A model update ended in the parameter error text, a file could not be read or written, a
/// folder is missing, or the check in ngspice failed.
inline constexpr int kFailureStatus = 1;
/// The command line could not be parsed; the message and the help went to standard error.
inline constexpr int kUsageErrorStatus = 2;

}  // namespace vdmos::cli
