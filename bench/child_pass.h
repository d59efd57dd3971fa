#pragma once

#include <string>

#include "bench/benchmark_options.h"
#include "bench/pass_record.h"

// Runs one pass in a fresh process of this same program and reads back what it reports.
// False, with the reason, when the child fails or reports nothing usable.
bool RunChildPass(const BenchmarkOptions& options, const std::string& pass, PassRecord* record,
                  std::string* error);
