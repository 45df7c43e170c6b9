#include "app/check_runner.h"

namespace vdmos {

void WaitingCheckRunner::Start(const CheckRequest& request, Done done) {
  CheckResults results{VerifyModel(request.current, options_), std::nullopt};
  if (request.fitted) results.fitted = VerifyModel(*request.fitted, options_);
  done(std::move(results));
}

}  // namespace vdmos
