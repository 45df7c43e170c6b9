#pragma once
// Standard output of a run: per model the card or one form of the subcircuit (with the check
// table after it), or its JSON object; with files the JSON objects form one array, each with
// its "file".

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/model_report.h"
#include "model/window_state.h"

namespace vdmos::cli {

class OutputWriter {
 public:
  /// perFile: the run reads files, so JSON objects go into an array and message boxes are
  /// prefixed with the file they belong to.
  OutputWriter(OutputForm form, bool perFile, std::ostream& out, std::ostream& err);

  /// One model's output. Outside JSON the message boxes go to err, one per line block.
  /// file is nullptr for the start values.
  void Write(const WindowState& state, const std::vector<std::string>& messages, const std::string* file,
             const ModelReport& report);
  /// Ends the output (closes the JSON array).
  void Finish();

 private:
  OutputForm form_;
  bool perFile_;
  std::ostream& out_;
  std::ostream& err_;
  std::size_t objects_ = 0;
};

}  // namespace vdmos::cli
