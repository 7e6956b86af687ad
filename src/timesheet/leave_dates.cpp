#include "timesheet/leave_dates.h"

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

namespace {
const char* const kUserDefinedLeave = "User Defined Leave";
}

const ClassInfo& TDateGroup::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TDateGroup>("TDateGroup")
          .DateField("DateFrom", &TDateGroup::FDateFrom)
          .DateField("DateTo", &TDateGroup::FDateTo)
          .Property(
              "Description", PropKind::String, [](const TDateGroup& d) { return d.Description(); },
              [](TDateGroup&, const PropValue&) {})
          .Field("Rate", &TDateGroup::FRate)
          .Field("RateCode", &TDateGroup::FRateCode)
          .Field("LeaveReason", &TDateGroup::FLeaveReason)
          .Property(
              "LeaveType", PropKind::String, [](const TDateGroup& d) { return d.LeaveType(); },
              [](TDateGroup& d, const PropValue& v) { d.SetLeaveType(std::get<std::string>(v)); })
          .Field("LeaveClass", &TDateGroup::FLeaveClass)
          .Field("TotalHours", &TDateGroup::FTotalHours)
          .Field("PayPlannedAllowances", &TDateGroup::FPayPlannedAllowances)
          .Field("PayPlannedPenalties", &TDateGroup::FPayPlannedPenalties)
          .Field("ALLink", &TDateGroup::FALLink)
          .Build();
  return info;
}

const std::vector<std::string>& TDateGroup::KnownLeaveTypes() {
  static const std::vector<std::string> types{"Sick Leave",     "Annual Leave",       "Long Service Leave",
                                              "Other",          "Public Holiday",     "Extra Leave",
                                              kUserDefinedLeave, "RDO",               "Reduced Sick Leave"};
  return types;
}

void TDateGroup::SetLeaveType(const std::string& v) {
  for (const std::string& known : KnownLeaveTypes()) {
    if (SameText(known, v)) {
      FLeaveType = v;
      return;
    }
  }
  FLeaveType = kUserDefinedLeave;
  FLeaveClass = v;
}

const ClassInfo& TLeaveDateList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLeaveDateList>("TLeaveDateList").Build();
  return info;
}

// A date inside a leave range belongs to that leave: payroll users enter one
// entry for a week of leave and expect every day of it to be found. Days are
// compared whole, so a single-day entry still matches only its own day, with
// or without a time of day on either side. An entry without an end date
// (DateTo below 5, the engine's "no date") covers its DateFrom day only.
TDateGroup* TLeaveDateList::FindLeave(TDateTime pDate) const {
  const TDateTime day = DateOf(pDate);
  for (int i = 0; i < Count(); ++i) {
    TDateGroup* entry = Items(i);
    const TDateTime first = DateOf(entry->DateFrom());
    const TDateTime last = entry->DateTo() < 5.0 ? first : DateOf(entry->DateTo());
    if (first <= day && day <= last) return entry;
  }
  return nullptr;
}

}  // namespace qora
