#include "award/award_overtime.h"

#include <cmath>

#include "award/award.h"
#include "common/format.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardOvertimeRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardOvertime;
    return ClassBuilder<C>("TObjAwardOvertime", true)
        .Field("ApplyOvertime2", &C::FApplyOvertime2)
        .Field("Ov2FromHour", &C::FOv2FromHour)
        .Field("Rate2ID", &C::FRate2ID)
        .Field("Rate2TDID", &C::FRate2TDID)
        .Property(
            "Rate2Code", PropKind::String, [](const C& c) { return c.Rate2Code(); },
            [](C& c, const PropValue& v) { c.SetRate2Code(std::get<std::string>(v)); })
        .Field("Rate2Description", &C::FRate2Description)
        .Field("Ov2RatePerc", &C::FOv2RatePerc)
        .Getter("ConditionDetailsStr", PropKind::String, [](const C& c) { return c.GetConditionDetailsStr(); })
        .Build();
  }
};

const ClassInfo& TObjAwardOvertime::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardOvertimeRegistry::Build();
  return info;
}

void TObjAwardOvertime::SetRate2Code(const std::string& v) {
  if (v == FRate2Code) return;
  FPreviousRate2Code = FRate2Code;
  FRate2Code = v;
}

std::string TObjAwardOvertime::GetConditionDetailsStr() const { return ""; }

int32_t TObjAwardOvertime::GetOrderFromRateCode(const std::string& pCode) const {
  if (FAward == nullptr) return 0;
  const TObjAwardOvertime* rate = FAward->FindConditionByRateCode(pCode);
  if (rate == nullptr) return 0;
  const double percentage = rate->RateCode() == pCode ? rate->Percentage() : rate->Ov2RatePerc();
  return static_cast<int32_t>(std::trunc(percentage));
}

void TObjAwardOvertime::ValidateConditionFlds() {
  TObjAwardRateBase::ValidateConditionFlds();
  if (!FApplyOvertime2) return;
  TObjListAwardMessages& messages = Messages();
  if (FOv2FromHour <= 0) {
    messages.AddMessage("No After No. of Hours value entered for Next Overtime Rate to start.");
  }
  if (Trim(FRate2Code).empty()) {
    messages.AddMessage("No Rate Code entered for the Next Overtime.");
  } else if (SameText(FRate2Code, RateCode())) {
    messages.AddMessage("The Next Overtime Rate Code cannot be the same as the Rate Code.");
  } else if (HasInvalidCodeChars(FRate2Code)) {
    messages.AddMessage(CodeCharsMessage("Next Overtime Rate Code"));
  }
  if (Trim(FRate2Description).empty()) {
    messages.AddMessage("No Description has been entered for the Next Overtime Rate.");
  }
}

void TObjAwardOvertime::CopyValues(const TObjAwardConditionBase& pSource) {
  TObjAwardRateBase::CopyValues(pSource);
  FRate2ID = 0;
  FRate2TDID = 0;
}

const ClassInfo& TObjListAwardOvertime::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardOvertime>("TObjListAwardOvertime").Build();
  return info;
}

TObjAwardOvertime* TObjListAwardOvertime::GetOvertimeRate(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardOvertime* item = Overtime(i);
    if (item != nullptr && item->RateCode() == pCode) return item;
  }
  return nullptr;
}

TObjAwardOvertime* TObjListAwardOvertime::FindByRateCode(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardOvertime* item = Overtime(i);
    if (item != nullptr && (item->RateCode() == pCode || item->Rate2Code() == pCode)) return item;
  }
  return nullptr;
}

double TObjListAwardOvertime::GetPercentageForCode(const std::string& pCode) const {
  const TObjAwardOvertime* item = FindByRateCode(pCode);
  if (item == nullptr) return 100.0;
  return item->RateCode() == pCode ? item->Percentage() : item->Ov2RatePerc();
}

TStringList TObjListAwardOvertime::GetRateCodeDescLst() const {
  TStringList lines;
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardOvertime* item = Overtime(i);
    if (item == nullptr) continue;
    lines.Add(Format("%s - %s", item->RateCode(), item->RateDescription()));
    if (item->ApplyOvertime2()) lines.Add(Format("%s - %s", item->Rate2Code(), item->Rate2Description()));
  }
  return lines;
}

namespace {

// True when an item other than pItem uses pCode as its rate or next rate
// code, ignoring case. An empty code is never a duplicate.
bool CodeUsedByOther(const TObjListAwardOvertime& pList, const TObjAwardOvertime& pItem, const std::string& pCode) {
  if (pCode.empty()) return false;
  for (int i = 0; i < pList.Count(); ++i) {
    const TObjAwardOvertime* other = pList.Overtime(i);
    if (other == nullptr || other == &pItem) continue;
    if (SameText(other->RateCode(), pCode) || SameText(other->Rate2Code(), pCode)) return true;
  }
  return false;
}

}  // namespace

bool TObjListAwardOvertime::CheckDupeRateCode(const TObjAwardOvertime& pItem) const {
  return !CodeUsedByOther(*this, pItem, pItem.RateCode());
}

bool TObjListAwardOvertime::CheckDupeRate2Code(const TObjAwardOvertime& pItem) const {
  return !CodeUsedByOther(*this, pItem, pItem.Rate2Code());
}

}  // namespace qora
