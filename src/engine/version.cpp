#include "engine/version.h"

namespace qora {

std::string GetVersionText() { return std::string("Version ") + QORA_VERSION_TEXT; }

}  // namespace qora
