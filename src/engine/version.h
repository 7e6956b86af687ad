// The engine's version text.
#pragma once

#include <string>

namespace qora {

// "Version 8.0 SP4".
std::string GetVersionText();

}  // namespace qora
