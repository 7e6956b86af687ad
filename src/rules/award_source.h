// What the rule engine needs from the award model: for a shift, the award
// whose conditions to run, and from that award its conditions. The award
// layer implements both; the rule engine never sees the award classes.
#pragma once

#include <cstdint>
#include <string>

namespace qora {

class TaiConditionList;
class TTimesheetShift;

// The component families of an award, in the order their conditions are
// added to a shift's condition table.
enum class TAwardFamily : uint8_t { Rules, Overtime, Penalties, Allowances, Leave };
inline constexpr TAwardFamily kAwardFamilies[] = {TAwardFamily::Rules, TAwardFamily::Overtime,
                                                  TAwardFamily::Penalties, TAwardFamily::Allowances,
                                                  TAwardFamily::Leave};

// One loaded award version. It stays valid, at the same address, for the
// rest of the costing call, and the conditions it generates do not change
// during the call, so the rule engine may keep work derived from them (the
// compiled expressions) keyed by this object's address.
class IAwardConditions {
 public:
  virtual ~IAwardConditions() = default;
  // The award's code, for messages.
  virtual std::string AwardCode() const = 0;
  // Appends to pList the conditions that the family's components generate,
  // component by component in list order. An award without components of
  // that family appends nothing (not an error).
  virtual void PopulateConditions(TAwardFamily pFamily, TaiConditionList& pList) = 0;

 protected:
  IAwardConditions() = default;
};

// Finds (loading when needed) the award that a code names for a shift.
class IAwardProvider {
 public:
  virtual ~IAwardProvider() = default;
  // The award named pCode for the shift's date, with the shift set up from
  // it (base and standard rates, weekly hours). With a payroll database the
  // code is an award code; without one it names an award file. Throws
  // eaiPRocessorException "Employee "<code>" is not an award employee" for
  // an empty code and "Could not load award code "<award>" for Employee
  // "<code>"" when no award version covers the date. Not owned by the
  // caller; valid for the rest of the call.
  virtual IAwardConditions& PrepareShiftAward(TTimesheetShift& pShift, const std::string& pCode) = 0;

 protected:
  IAwardProvider() = default;
};

}  // namespace qora
