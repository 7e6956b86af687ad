#include "rules/process_manager.h"

#include "common/exceptions.h"

namespace qora {

void TaiProcessManager::LoadCurrentShiftConditions() {
  throw eNotImplementException("Award conditions cannot be loaded: award interpretation is not available yet.");
}

void TaiProcessManager::Process() {}

}  // namespace qora
