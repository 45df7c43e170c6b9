#pragma once
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>

#include "app/check_runner.h"
#include "verify/verify_model.h"

namespace vdmos::ui {

/// The threads the checks run on, which outlive any window.
QThreadPool& CheckRunPool();

/// Runs the check in ngspice on worker threads, each on its own copy of a state, so the window
/// stays with the user meanwhile. The two runs of a comparison are independent and start
/// together; the results are handed on, on the window's thread, once both have ended.
/// Destroyed while running, it leaves the runs to end within their time limit on their own
/// copies, and their results are dropped.
class CheckRuns : public QObject, public CheckRunner {
  Q_OBJECT
 public:
  explicit CheckRuns(QObject* parent = nullptr);

  void Start(const CheckRequest& request, Done done) override;
  bool Running() const override { return running_; }
  /// The ngspice program and the time limit of the next runs.
  void setOptions(VerifyOptions options) { options_ = std::move(options); }
  const VerifyOptions& Options() const override { return options_; }

 private:
  void takeWhenBothEnded();

  VerifyOptions options_;
  QFutureWatcher<VerificationResult> current_, fitted_;
  bool running_ = false;
  bool comparing_ = false;
  Done done_;
};

}  // namespace vdmos::ui
