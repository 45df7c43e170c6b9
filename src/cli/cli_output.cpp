#include "cli/cli_output.h"

#include <ostream>

#include "cli/state_json.h"
#include "cli/verification_table.h"

namespace vdmos::cli {
namespace {

// The card has no line end after its last line; one is added so that the output is whole
// CR LF lines, like the subcircuit.
void WriteText(const std::string& text, std::ostream& out) {
  out << text;
  if (!text.empty() && text.back() != '\n') out << "\r\n";
}

}  // namespace

OutputWriter::OutputWriter(OutputForm form, bool perFile, std::ostream& out, std::ostream& err)
    : form_(form), perFile_(perFile), out_(out), err_(err) {}

void OutputWriter::Write(const WindowState& state, const std::vector<std::string>& messages,
                         const std::string* file, const VerificationResult* verification) {
  if (form_ == OutputForm::Json) {
    nlohmann::json object = StateJson(state, messages);
    if (file != nullptr) object["file"] = *file;
    if (verification != nullptr) object["verification"] = VerificationJson(*verification);
    if (perFile_) out_ << (objects_ == 0 ? "[\n" : ",\n");
    out_ << JsonText(object);
    if (!perFile_) out_ << '\n';
    ++objects_;
    return;
  }
  WriteText(state.text(form_ == OutputForm::SubCkt ? "SubCktTextBox" : "Text19"), out_);
  if (verification != nullptr && verification->ok()) out_ << VerificationTable(*verification);
  for (const std::string& message : messages) {
    if (file != nullptr) err_ << *file << ": ";
    err_ << message << '\n';
  }
}

void OutputWriter::Finish() {
  if (form_ != OutputForm::Json || !perFile_) return;
  out_ << (objects_ == 0 ? "[]\n" : "\n]\n");
}

}  // namespace vdmos::cli
