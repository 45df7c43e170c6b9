#pragma once
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <optional>

#include "model/window_state.h"
#include "verify/verify_model.h"

namespace vdmos::ui {

/// What one "Simulate in ngspice" found: the window's card, and the fitted card beside it
/// when the window's card is a refined one.
struct CheckResults {
  VerificationResult current;
  std::optional<VerificationResult> fitted;
};

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

  void start(const WindowState& current, const std::optional<WindowState>& fitted,
             const VerifyOptions& options);
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
