#pragma once
// Reading what the netlists make ngspice print (see ngspice_netlists.h for the sections),
// and recognising ngspice's own reports of failure. Numbers are read without regard to the
// process locale.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vdmos {

/// What ngspice printed after one "@name tag" line: the values ("name = value") and the first
/// table ("Index" header, then numbered rows; the index column is dropped).
struct OutputSection {
  std::string name;
  std::string tag;
  std::map<std::string, double, std::less<>> values;
  std::vector<std::string> columns;
  std::vector<std::vector<double>> rows;

  /// The column of that name, or nullopt when the table has none.
  std::optional<std::vector<double>> Column(std::string_view column) const;
};

/// The sections in the order printed; lines before the first marker are not kept.
std::vector<OutputSection> ParseNgspiceOutput(std::string_view output);

/// A line in which ngspice reports that an analysis found no solution (it gave up on the
/// operating point, or its time step became too small), or nullopt. Notes are passed over.
std::optional<std::string> NonConvergenceLine(std::string_view output);

/// The line of ngspice's error output that best says what went wrong: the first that speaks
/// of an error, an undefined or unknown item, or something it cannot find; else the first
/// line that is not empty; nullopt when there is none. ngspice's notes are passed over.
std::optional<std::string> ErrorLine(std::string_view errorOutput);

/// The first line ngspice starts with "Error:" in its output, which it prints for a failed
/// command of its control script even when it then ends with status 0; a measurement that
/// finds nothing to measure is no such error.
std::optional<std::string> ReportedErrorLine(std::string_view output);

/// The lines in which ngspice says that it did not take a parameter of the card as written:
/// one it does not know ("unrecognized parameter (foo) - ignored"), or one it limited
/// ("junction potential VJ too large, limited to 2.500000"). The run goes on without it, so
/// its results belong to another card than the one shown, and the user must be told.
std::vector<std::string> ParameterWarningLines(std::string_view errorOutput);

/// Reads one number as ngspice writes it ("1.6001331733e-01", "25", "-0.5"); nullopt when the
/// whole text is not one number.
std::optional<double> ReadNgspiceNumber(std::string_view text);

}  // namespace vdmos
