// An award's categories: a percentage of the rate an employee's category
// pays, with an optional automatic increment to a next category after a
// period from a date or after a number of hours.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_enums.h"
#include "award/award_messages.h"
#include "award/checked_list.h"
#include "foundation/base_object.h"

namespace qora {

class TObjAwardCategory : public TnxBaseObject {
  QORA_CLASS(TObjAwardCategory, TnxBaseObject)

 public:
  TObjAwardCategory() = default;

  int32_t IDCategory() const { return FIDCategory; }
  void SetIDCategory(int32_t v) { FIDCategory = v; }
  int32_t IDCategoryLink() const { return FIDCategoryLink; }
  void SetIDCategoryLink(int32_t v) { FIDCategoryLink = v; }
  const std::string& Code() const { return FCode; }
  void SetCode(const std::string& v) { FCode = v; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  // The category's percentage of the rate.
  double Percentage() const { return FPercentage; }
  void SetPercentage(double v) { FPercentage = v; }
  bool StdRateOnly() const { return FStdRateOnly; }
  void SetStdRateOnly(bool v) { FStdRateOnly = v; }
  TRuleType RuleType() const { return FRuleType; }
  void SetRuleType(TRuleType v) { FRuleType = v; }
  // The category the increment rule moves the employee to.
  int32_t NextCategoryID() const { return FNextCategoryID; }
  void SetNextCategoryID(int32_t v) { FNextCategoryID = v; }
  TDateType RuleDateType() const { return FRuleDateType; }
  void SetRuleDateType(TDateType v) { FRuleDateType = v; }
  int32_t UserDefinedDateID() const { return FUserDefinedDateID; }
  void SetUserDefinedDateID(int32_t v) { FUserDefinedDateID = v; }
  TIncrementPeriodType IncrementPeriodType() const { return FIncrementPeriodType; }
  void SetIncrementPeriodType(TIncrementPeriodType v) { FIncrementPeriodType = v; }
  int32_t IncrementPeriod() const { return FIncrementPeriod; }
  void SetIncrementPeriod(int32_t v) { FIncrementPeriod = v; }
  double IncrementNoOfHours() const { return FIncrementNoOfHours; }
  void SetIncrementNoOfHours(double v) { FIncrementNoOfHours = v; }
  const std::string& UserDefinedDateField() const { return FUserDefinedDateField; }
  void SetUserDefinedDateField(const std::string& v) { FUserDefinedDateField = v; }
  bool IncrementYearly() const { return FIncrementYearly; }
  void SetIncrementYearly(bool v) { FIncrementYearly = v; }

  std::string LookupText() const override { return FCode; }
  // Appends the category's messages (category chosen, percentage, and the
  // increment rule when there is one); true when none.
  bool Validate(TObjListAwardMessages& pMessages, int32_t pLineNo = 0) const;

 private:
  friend struct TObjAwardCategoryRegistry;

  int32_t FIDCategory = 0;
  int32_t FIDCategoryLink = 0;
  std::string FCode;
  std::string FDescription;
  double FPercentage = 0;
  bool FStdRateOnly = false;
  TRuleType FRuleType = TRuleType::rtNoRule;
  int32_t FNextCategoryID = 0;
  TDateType FRuleDateType = TDateType::dtHireDate;
  int32_t FUserDefinedDateID = 0;
  TIncrementPeriodType FIncrementPeriodType = TIncrementPeriodType::iptYear;
  int32_t FIncrementPeriod = 1;
  double FIncrementNoOfHours = 0;
  std::string FUserDefinedDateField;
  bool FIncrementYearly = true;
};

class TObjListAwardCategories : public TCheckedObjectList<TObjAwardCategory> {
  QORA_CLASS(TObjListAwardCategories, TCheckedObjectList<TObjAwardCategory>)

 public:
  TObjListAwardCategories() = default;

  // Look-ups return the first match in list order, null when none.
  TObjAwardCategory* GetCategory(const std::string& pCode) const;  // exact code
  TObjAwardCategory* GetCategoryById(int32_t pID) const;           // IDCategory
  TObjAwardCategory* FindByNextCategoryID(int32_t pID) const;
  bool CategoryFound(const std::string& pCode) const { return GetCategory(pCode) != nullptr; }
  // False when a category other than pCategory has the same IDCategory.
  bool CheckDupeCategory(const TObjAwardCategory& pCategory) const;
  // True when any category pays on the standard rate only.
  bool StdRateOnlyUsed() const;
};

}  // namespace qora
