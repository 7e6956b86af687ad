// The pattern formatter behind FormatFloat without its shortcut for plain
// patterns, so that tests and benchmarks can hold the two side by side.
// Internal to src/common; callers use format.h.
#pragma once

#include <string>
#include <string_view>

namespace qora {

// FormatFloat's text for every pattern and value, always by the scanned
// pattern (the reference the plain-pattern shortcut must match).
std::string FormatFloatGeneral(std::string_view pattern, double value);

}  // namespace qora
