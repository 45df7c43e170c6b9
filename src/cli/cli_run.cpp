#include "cli/cli_run.h"

#include <algorithm>
#include <ostream>

#include "cli/state_json.h"
#include "extract/ac_update.h"
#include "extract/dc_update.h"
#include "model/command_runner.h"
#include "model/model_update.h"
#include "model/new_command.h"
#include "platform/scripted_platform.h"

namespace vdmos::cli {
namespace {

Command WindowCommand(CliCommand command) {
  switch (command) {
    case CliCommand::UpdateModel:
      return Command2_Click;
    case CliCommand::UpdateDc:
      return Update_DC_Click;
    case CliCommand::UpdateAc:
      return Update_AC_Click;
    case CliCommand::New:
      return New_Click;
    case CliCommand::LineBreak:
      return LineBreak_Click;
  }
  return Command2_Click;
}

// The card box shows the error text after a failed model update; a command started on its
// own reports the same text in a message box.
bool EndedInParameterError(const WindowState& state, const ScriptedPlatform& platform) {
  if (state.text("Text19") == kParameterErrorText) return true;
  return std::ranges::any_of(platform.messages, [](const ScriptedPlatform::Message& message) {
    return message.text == kParameterErrorText;
  });
}

// The card has no line end after its last line; one is added so that the output is whole
// CR LF lines, like the subcircuit.
void WriteText(const std::string& text, std::ostream& out) {
  out << text;
  if (!text.empty() && text.back() != '\n') out << "\r\n";
}

}  // namespace

int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
  WindowState state;
  // No dialog is answered: a command that asks for a file or folder is cancelled.
  ScriptedPlatform platform;

  for (const ControlSetting& setting : options.settings) ApplySetting(setting, state, platform);
  for (CliCommand command : options.commands) RunUserCommand(WindowCommand(command), state, platform);

  switch (options.output) {
    case OutputForm::Card:
      WriteText(state.text("Text19"), out);
      break;
    case OutputForm::SubCkt:
      WriteText(state.text("SubCktTextBox"), out);
      break;
    case OutputForm::Json:
      out << StateJson(state, platform.MessageTexts()) << '\n';
      break;
  }
  if (options.output != OutputForm::Json)
    for (const std::string& message : platform.MessageTexts()) err << message << '\n';

  return EndedInParameterError(state, platform) ? kParameterErrorStatus : 0;
}

}  // namespace vdmos::cli
