#pragma once
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>

#include "verify/check_session.h"
#include "verify/verify_model.h"

namespace vdmos::ui {

/// The threads the checks run on, which outlive any window.
QThreadPool& CheckRunPool();

/// Runs the check in ngspice on worker threads, each on its own copy of a state. The two runs
/// of a comparison are independent and start together; finished() comes once both have ended.
/// Destroyed while running, it leaves the runs to end within their time limit on their own
/// copies, and their results are dropped.
class CheckRuns : public QObject {
  Q_OBJECT
 public:
  explicit CheckRuns(QObject* parent = nullptr);

  void start(const CheckRequest& request, const VerifyOptions& options);
  bool running() const { return running_; }
  /// The results of the last runs that finished.
  const CheckResults& results() const { return results_; }

 signals:
  void finished();

 private:
  void takeWhenBothEnded();

  QFutureWatcher<VerificationResult> current_, fitted_;
  bool running_ = false;
  bool comparing_ = false;
  CheckResults results_;
};

}  // namespace vdmos::ui
