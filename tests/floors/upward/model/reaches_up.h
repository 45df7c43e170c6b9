#pragma once
// A model header that reaches up to the commands: the floor check must refuse it.
#include "commands/model_update.h"
