// Employees' award assignments already loaded in a costing call.
#pragma once

#include "foundation/object_list.h"

namespace qora {

class TEmployeeAwardCache : public TnxBaseObjectList {
  QORA_CLASS(TEmployeeAwardCache, TnxBaseObjectList)
};

}  // namespace qora
