// The three operations of reg; each returns the exit status and has printed what it did.
#pragma once

#include "tools/reg/arguments.h"

namespace reg {

int Query(const Arguments& args);
int Add(const Arguments& args);
int Delete(const Arguments& args);

}  // namespace reg
