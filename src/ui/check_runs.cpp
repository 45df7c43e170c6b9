#include "ui/check_runs.h"

#include <QtConcurrent>

namespace vdmos::ui {

CheckRuns::CheckRuns(QObject* parent) : QObject(parent) {
  connect(&current_, &QFutureWatcherBase::finished, this, &CheckRuns::takeWhenBothEnded);
  connect(&fitted_, &QFutureWatcherBase::finished, this, &CheckRuns::takeWhenBothEnded);
}

void CheckRuns::start(const WindowState& current, const std::optional<WindowState>& fitted,
                      const VerifyOptions& options) {
  if (running_) return;
  running_ = true;
  comparing_ = fitted.has_value();
  current_.setFuture(QtConcurrent::run([current, options] { return VerifyModel(current, options); }));
  if (fitted)
    fitted_.setFuture(
        QtConcurrent::run([fitted = *fitted, options] { return VerifyModel(fitted, options); }));
}

// Each watcher reports once, in either order; a watcher may already be finished while its
// report is still queued, so the results are taken on the first report that finds both done,
// and the other report finds nothing left to take.
void CheckRuns::takeWhenBothEnded() {
  if (!running_ || !current_.isFinished() || (comparing_ && !fitted_.isFinished())) return;
  running_ = false;
  results_.current = current_.result();
  results_.fitted = comparing_ ? std::optional(fitted_.result()) : std::nullopt;
  emit finished();
}

}  // namespace vdmos::ui
