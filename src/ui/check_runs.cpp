#include "ui/check_runs.h"

#include <QtConcurrent>

namespace vdmos::ui {

// Not Qt's global pool: Qt scales and converts images on its threads and waits for them, so a
// check waiting there on ngspice would stall the window's drawing for as long as it runs. Two
// threads, so that the two runs of a comparison start together even on a single core.
QThreadPool& CheckRunPool() {
  static QThreadPool pool;
  pool.setMaxThreadCount(2);
  return pool;
}

namespace {

QFuture<VerificationResult> Check(const WindowState& state, const VerifyOptions& options) {
  return QtConcurrent::run(&CheckRunPool(), [state, options] { return VerifyModel(state, options); });
}

}  // namespace

CheckRuns::CheckRuns(QObject* parent) : QObject(parent) {
  connect(&current_, &QFutureWatcherBase::finished, this, &CheckRuns::takeWhenBothEnded);
  connect(&fitted_, &QFutureWatcherBase::finished, this, &CheckRuns::takeWhenBothEnded);
}

void CheckRuns::Start(const CheckRequest& request, Done done) {
  if (running_) return;
  running_ = true;
  done_ = std::move(done);
  comparing_ = request.fitted.has_value();
  current_.setFuture(Check(request.current, options_));
  if (request.fitted) fitted_.setFuture(Check(*request.fitted, options_));
}

// Each watcher reports once, in either order; a watcher may already be finished while its
// report is still queued, so the results are taken on the first report that finds both done,
// and the other report finds nothing left to take.
void CheckRuns::takeWhenBothEnded() {
  if (!running_ || !current_.isFinished() || (comparing_ && !fitted_.isFinished())) return;
  running_ = false;
  CheckResults results{current_.result(), comparing_ ? std::optional(fitted_.result()) : std::nullopt};
  // Taken out first: what it runs may start the next check.
  const Done done = std::move(done_);
  done(std::move(results));
}

}  // namespace vdmos::ui
