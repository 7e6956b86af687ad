#include "award/award_category.h"

#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardCategoryRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardCategory;
    return ClassBuilder<C>("TObjAwardCategory")
        .Field("IDCategory", &C::FIDCategory)
        .Field("IDCategoryLink", &C::FIDCategoryLink)
        .Field("Code", &C::FCode)
        .Field("Description", &C::FDescription)
        .Field("Percentage", &C::FPercentage)
        .Field("StdRateOnly", &C::FStdRateOnly)
        .Enum("RuleType", &C::FRuleType, TRuleTypeInfo())
        .Field("NextCategoryID", &C::FNextCategoryID)
        .Enum("RuleDateType", &C::FRuleDateType, TDateTypeInfo())
        .Field("UserDefinedDateID", &C::FUserDefinedDateID)
        .Enum("IncrementPeriodType", &C::FIncrementPeriodType, TIncrementPeriodTypeInfo())
        .Field("IncrementPeriod", &C::FIncrementPeriod)
        .Field("IncrementNoOfHours", &C::FIncrementNoOfHours)
        .Field("UserDefinedDateField", &C::FUserDefinedDateField)
        .Field("IncrementYearly", &C::FIncrementYearly)
        .Build();
  }
};

const ClassInfo& TObjAwardCategory::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardCategoryRegistry::Build();
  return info;
}

bool TObjAwardCategory::Validate(TObjListAwardMessages& pMessages, int32_t pLineNo) const {
  const int before = pMessages.Count();
  if (FIDCategory < 1) pMessages.AddMessage("No Category selected.", pLineNo);
  if (NotEnteredAmount(FPercentage)) pMessages.AddMessage("No Percentage entered.", pLineNo);
  if (FRuleType != TRuleType::rtNoRule) {
    // Only a next category that was chosen can be the category itself; an
    // empty one is reported by the next check alone.
    if (FNextCategoryID >= 1 && FNextCategoryID == FIDCategory) {
      pMessages.AddMessage(FCode + " - The specified \"Next Category\" is not valid.", pLineNo);
    }
    if (FNextCategoryID < 1) {
      pMessages.AddMessage("No \"Next Category\" specified for Category Auto Increment Rule.", pLineNo);
    }
    if (FRuleType == TRuleType::rtDate && FRuleDateType == TDateType::dtUserDefinedDate && FUserDefinedDateID < 1) {
      pMessages.AddMessage("No \"User Defined Date\" specified for Category Auto Increment Rule.", pLineNo);
    }
    if (FRuleType == TRuleType::rtHours && FIncrementNoOfHours <= 0) {
      pMessages.AddMessage("No \"Hours\" entered for Category Auto Increment Rule.", pLineNo);
    }
  }
  return pMessages.Count() == before;
}

const ClassInfo& TObjListAwardCategories::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardCategories>("TObjListAwardCategories").Build();
  return info;
}

TObjAwardCategory* TObjListAwardCategories::GetCategory(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardCategory* item = Items(i);
    if (item != nullptr && item->Code() == pCode) return item;
  }
  return nullptr;
}

TObjAwardCategory* TObjListAwardCategories::GetCategoryById(int32_t pID) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardCategory* item = Items(i);
    if (item != nullptr && item->IDCategory() == pID) return item;
  }
  return nullptr;
}

TObjAwardCategory* TObjListAwardCategories::FindByNextCategoryID(int32_t pID) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardCategory* item = Items(i);
    if (item != nullptr && item->NextCategoryID() == pID) return item;
  }
  return nullptr;
}

bool TObjListAwardCategories::CheckDupeCategory(const TObjAwardCategory& pCategory) const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardCategory* other = Items(i);
    if (other != nullptr && other != &pCategory && other->IDCategory() == pCategory.IDCategory()) return false;
  }
  return true;
}

bool TObjListAwardCategories::StdRateOnlyUsed() const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardCategory* item = Items(i);
    if (item != nullptr && item->StdRateOnly()) return true;
  }
  return false;
}

}  // namespace qora
