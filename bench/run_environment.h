#pragma once
#include <string>

// What tools/run-bench hands the benchmark in its environment.
namespace quellix::bench {

// A path named in an environment variable, as this program reaches it (a Unix path through drive Z:); empty when
// the variable is not set.
std::wstring PathFromEnvironment(const char* name);

// The variable's text; empty when it is not set.
std::string TextFromEnvironment(const char* name);

}  // namespace quellix::bench
