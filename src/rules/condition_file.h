// A condition table read from a file (the layout SaveRulesToFile writes)
// standing in for an award, so that award maintainers can try conditions
// on a timesheet without a database or an award.
#pragma once

#include <string>
#include <vector>

#include "rules/award_source.h"
#include "rules/condition_program.h"

namespace qora {

// The rows of the file as award conditions: all of them come as the
// award's rules, in file order, with their order numbers.
class TConditionFileAward : public IAwardConditions {
 public:
  // Reads the file (see TdmaiProcessor::LoadRulesFromFile for what is
  // accepted and thrown).
  explicit TConditionFileAward(const std::string& pFilename);

  std::string AwardCode() const override { return FFilename; }
  void PopulateConditions(TAwardFamily pFamily, TaiConditionList& pList) override;
  const std::vector<TConditionRow>& Rows() const { return FRows; }

 private:
  std::string FFilename;
  std::vector<TConditionRow> FRows;
};

// Answers every shift with the one condition file, whatever the shift's
// award code; another award's code (a condition that runs another award's
// conditions) cannot be had: "Could not load award code "X" for Employee
// "Y"". The shift is not changed.
class TConditionFileProvider : public IAwardProvider {
 public:
  // pAward is not owned and must outlive the provider's use.
  explicit TConditionFileProvider(TConditionFileAward& pAward) : FAward(pAward) {}
  IAwardConditions& PrepareShiftAward(TTimesheetShift& pShift, const std::string& pCode) override;

 private:
  TConditionFileAward& FAward;
};

}  // namespace qora
