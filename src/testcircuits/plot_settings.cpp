#include "testcircuits/plot_settings.h"

namespace vdmos {
namespace {

std::string TracesLine(const std::vector<Trace>& traces) {
  std::string line = "traces: " + std::to_string(traces.size());
  for (const Trace& trace : traces)
    line += " {" + std::to_string(trace.code) + ",0,\"" + trace.expression + "\"}";
  return line;
}

}  // namespace

std::string PlotSettingsText(const PlotSettings& plot) {
  const bool nested = plot.indent == PlotIndent::Nested;
  const std::string pane(nested ? 3 : 0, ' ');
  const std::string item(nested ? 6 : 0, ' ');

  std::vector<std::string> lines{std::string(plot.section), "{", pane + "Npanes: 1", pane + "{",
                                 item + TracesLine(plot.traces)};
  // The trailing space after the closing quote is part of the format the simulator writes.
  if (plot.parametric) lines.push_back(item + "Parametric: \"" + *plot.parametric + "\" ");
  for (std::string_view scale : plot.scales) lines.push_back(item + std::string(scale));
  lines.push_back(item + "Log: 0 0 0");
  lines.push_back(item + "GridStyle: 1");
  if (plot.plotMagnitude) lines.push_back(item + "PltMag: 1");
  lines.push_back(pane + "}");
  lines.push_back("}");
  return JoinLines(lines, plot.ending);
}

}  // namespace vdmos
