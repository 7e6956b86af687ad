// The awards loaded so far in a costing call, cached by code and date.
#pragma once

#include "foundation/object_list.h"

namespace qora {

class TObjListAwards : public TnxBaseObjectList {
  QORA_CLASS(TObjListAwards, TnxBaseObjectList)
};

}  // namespace qora
