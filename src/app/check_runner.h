#pragma once
// What runs a model check's ngspice runs: the command line and the tests wait for them, the
// window runs them on worker threads and goes on. The window session starts a check through
// this interface and takes its results when they come, whichever runner it was given.

#include <functional>

#include "verify/check_session.h"
#include "verify/verify_model.h"

namespace vdmos {

class CheckRunner {
 public:
  using Done = std::function<void(CheckResults)>;
  virtual ~CheckRunner() = default;
  /// Starts the runs of the request; `done` gets their results once they have all ended, on
  /// the thread that called Start.
  virtual void Start(const CheckRequest& request, Done done) = 0;
  /// Whether runs started here have not ended yet.
  virtual bool Running() const = 0;
  /// The ngspice the runs start and how long they may take: what else asks ngspice (its
  /// version, for the export) asks the same program.
  virtual const VerifyOptions& Options() const = 0;
};

/// Runs the checks one after the other and calls `done` before Start returns.
class WaitingCheckRunner final : public CheckRunner {
 public:
  explicit WaitingCheckRunner(VerifyOptions options = {}) : options_(std::move(options)) {}
  void Start(const CheckRequest& request, Done done) override;
  bool Running() const override { return false; }
  const VerifyOptions& Options() const override { return options_; }

 private:
  VerifyOptions options_;
};

}  // namespace vdmos
