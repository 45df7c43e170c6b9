#pragma once
// The process groups of the children that are running now, so that they end with this
// process: a signal that ends it first ends them. A child whose parent dies in any other way
// (SIGKILL) is ended by the kernel instead, through the parent-death signal the runner sets.

#include <sys/types.h>

namespace vdmos {

/// Notes the group of a child that has started. Safe from any thread.
void RegisterChildGroup(pid_t group);
/// Forgets it once the child has been reaped.
void ForgetChildGroup(pid_t group);

/// Makes SIGINT, SIGTERM and SIGHUP kill every registered group and then end the process as
/// they would have. A signal the process was started with ignored stays ignored.
void EndChildrenOnTerminatingSignals();

}  // namespace vdmos
