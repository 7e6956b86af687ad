// An award's pay classes (classification rates): the weekly and hourly rate
// of each classification, one of them the award's standard rate.
#pragma once

#include <cstdint>
#include <string>

#include "award/checked_list.h"
#include "foundation/base_object.h"

namespace qora {

class TObjAward;

class TObjAwardClassRate : public TnxBaseObject {
  QORA_CLASS(TObjAwardClassRate, TnxBaseObject)

 public:
  TObjAwardClassRate() = default;

  int32_t PayClassID() const { return FPayClassID; }
  void SetPayClassID(int32_t v) { FPayClassID = v; }
  int32_t PayClassTDID() const { return FPayClassTDID; }
  void SetPayClassTDID(int32_t v) { FPayClassTDID = v; }
  // The classification code employees and jobs name.
  const std::string& Code() const { return FCode; }
  void SetCode(const std::string& v) { FCode = v; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  double WeeklyRate() const { return FWeeklyRate; }
  void SetWeeklyRate(double v) { FWeeklyRate = v; }
  double HourlyRate() const { return FHourlyRate; }
  void SetHourlyRate(double v) { FHourlyRate = v; }
  // True for the pay class whose PayClassTDID is the award's StdRateID.
  bool IsStandardRate() const { return FIsStandardRate; }
  void SetIsStandardRate(bool v) { FIsStandardRate = v; }
  // The owning award (not owned); null for a pay class not yet in an award.
  TObjAward* Award() const { return FAward; }
  void SetAward(TObjAward* v) { FAward = v; }

  std::string LookupText() const override { return FCode; }

 private:
  friend struct TObjAwardClassRateRegistry;

  int32_t FPayClassID = 0;
  int32_t FPayClassTDID = 0;
  std::string FCode;
  std::string FDescription;
  double FWeeklyRate = 0;
  double FHourlyRate = 0;
  bool FIsStandardRate = false;
  TObjAward* FAward = nullptr;
};

class TObjListAwardClassRates : public TCheckedObjectList<TObjAwardClassRate> {
  QORA_CLASS(TObjListAwardClassRates, TCheckedObjectList<TObjAwardClassRate>)

 public:
  TObjListAwardClassRates() = default;

  // The first pay class whose Code equals pCode exactly; null when none.
  TObjAwardClassRate* GetClassRate(const std::string& pCode) const;
  // The first pay class marked as the standard rate; null when none.
  TObjAwardClassRate* GetStandardRate() const;
};

}  // namespace qora
