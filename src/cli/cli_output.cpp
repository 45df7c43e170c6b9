#include "cli/cli_output.h"

#include <ostream>

#include "cli/state_json.h"
#include "cli/verification_table.h"
#include "model/control_names.h"
#include "model/subcircuit.h"

namespace vdmos::cli {
namespace {

// The card has no line end after its last line; one is added so that the output is whole
// CR LF lines, like the subcircuit.
void WriteText(const std::string& text, std::ostream& out) {
  out << text;
  if (!text.empty() && text.back() != '\n') out << "\r\n";
}

/// {"text": the ngspice subcircuit or null, "problem": why there is none or null}.
nlohmann::json NgspiceSubCktJson(const WindowState& state) {
  const NgspiceSubCkt subckt = NgspiceSubCircuit(state);
  if (subckt.ok()) return {{"text", subckt.text}, {"problem", nullptr}};
  return {{"text", nullptr}, {"problem", subckt.problem}};
}

}  // namespace

OutputWriter::OutputWriter(OutputForm form, bool perFile, std::ostream& out, std::ostream& err)
    : form_(form), perFile_(perFile), out_(out), err_(err) {}

void OutputWriter::Write(const WindowState& state, const std::vector<std::string>& messages,
                         const std::string* file, const ModelReport& report) {
  if (form_ == OutputForm::Json) {
    nlohmann::json object = StateJson(state, messages);
    object["ngspiceSubckt"] = NgspiceSubCktJson(state);
    if (file != nullptr) object["file"] = *file;
    if (report.check && report.check->Results()) {
      const CheckResults& results = *report.check->Results();
      object["verification"] = VerificationJson(results.current);
      if (results.fitted) object["fittedVerification"] = VerificationJson(*results.fitted);
      object["ngspiceWarnings"] = report.check->Warnings();
    }
    if (report.advice) object["switchAdvice"] = SwitchAdviceJson(*report.advice);
    if (report.refinement) object["refinement"] = RefinementJson(*report.refinement);
    object["fieldWarnings"] = FieldWarningsJson(report.fieldWarnings);
    if (perFile_) out_ << (objects_ == 0 ? "[\n" : ",\n");
    out_ << JsonText(object);
    if (!perFile_) out_ << '\n';
    ++objects_;
    return;
  }
  if (form_ == OutputForm::NgspiceSubCkt) {
    // When there is none, the run reports why; nothing goes to standard output.
    WriteText(NgspiceSubCircuit(state).text, out_);
  } else {
    WriteText(state.text(form_ == OutputForm::SubCkt ? control::SubCktTextBox : control::Text19), out_);
  }
  out_ << ReportTables(report);
  // What the refinement changed, as the window's status bar says it; beside the card, not in it.
  std::vector<std::string> lines = messages;
  if (report.refinement) lines.push_back(RefinementSummary(*report.refinement));
  for (const std::string& line : lines) {
    if (file != nullptr) err_ << *file << ": ";
    err_ << line << '\n';
  }
}

void OutputWriter::Finish() {
  if (form_ != OutputForm::Json || !perFile_) return;
  out_ << (objects_ == 0 ? "[]\n" : "\n]\n");
}

}  // namespace vdmos::cli
