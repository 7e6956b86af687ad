#include "timesheet/hours_type.h"

namespace qora {

const EnumInfo& HoursTypeInfo() {
  static const EnumInfo info{
      "THoursType", {"htNone", "htOrdinary", "htOvertime", "htBreak", "htMakeUp", "htLeaveAccrual", "htLeave"}};
  return info;
}

}  // namespace qora
