#include "award/employee_award.h"

#include "common/format.h"
#include "db/connection.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TEmployeeAward::StaticClassInfo() {
  // The dates, change reason and change type live on the base record but are
  // published here, after the pay values, where the stored form has them.
  using T = TEmployeeAward;
  static const ClassInfo& info = ClassBuilder<T>("TEmployeeAward")
                                     .Field("NormalHours", &T::FNormalHours)
                                     .Field("YearlySalary", &T::FYearlySalary)
                                     .Field("AwardID", &T::FAwardID)
                                     .Field("PayClassID", &T::FPayClassID)
                                     .Field("PayClassCode", &T::FPayClassCode)
                                     .Field("PayClassDescription", &T::FPayClassDescription)
                                     .Field("AwardEmplCategoryID", &T::FAwardEmplCategoryID)
                                     .Field("AwardConditionGroupID", &T::FAwardConditionGroupID)
                                     .Field("UseDefaultHourlyRate", &T::FUseDefaultHourlyRate)
                                     .Field("HourlyRate", &T::FHourlyRate)
                                     .Field("AwardCategoryHoursToDate", &T::FAwardCategoryHoursToDate)
                                     .Field("AutopayAmount", &T::FAutopayAmount)
                                     .DateField("EffectiveDate", &T::FEffectiveDate)
                                     .DateField("EndDate", &T::FEndDate)
                                     .Field<int32_t>("ChangeReason", &T::FChangeReason)
                                     .Enum<TChangeType>("ChangeType", &T::FChangeType, TChangeTypeInfo())
                                     .Build();
  return info;
}

bool TEmployeeAward::SameAssignment(const TEmployeeDateBasedObject& other) const {
  const auto* o = dynamic_cast<const TEmployeeAward*>(&other);
  return o != nullptr && FAwardID == o->FAwardID && FPayClassID == o->FPayClassID &&
         FAwardEmplCategoryID == o->FAwardEmplCategoryID && FAwardConditionGroupID == o->FAwardConditionGroupID &&
         FYearlySalary == o->FYearlySalary && FNormalHours == o->FNormalHours &&
         FUseDefaultHourlyRate == o->FUseDefaultHourlyRate && FHourlyRate == o->FHourlyRate &&
         FAwardCategoryHoursToDate == o->FAwardCategoryHoursToDate && FAutopayAmount == o->FAutopayAmount;
}

int32_t TEmployeeAward::GetAwardTDID(TDBConnection& db) const {
  const TDBValue version = db.QueryValue(
      "select top 1 idAwardTD from _iptblAwards_TD where iAwardID = :AwardID AND dEffectiveDate <= :Date1 AND "
      "((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date2)) order by dEffectiveDate DESC",
      {{"AwardID", FAwardID},
       {"Date1", TDBValue::DateTime(FEffectiveDate)},
       {"Date2", TDBValue::DateTime(FEffectiveDate)}});
  return version.AsInteger();
}

std::string TEmployeeAward::GetCodeForID(TDBConnection& db, int32_t id) {
  return db.QueryValue(Format("SELECT %s from %s where %s = %d", "cCode", "_iptblAwards", "idAward", id)).AsString();
}

}  // namespace qora
