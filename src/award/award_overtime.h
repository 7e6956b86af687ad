// Overtime components: when hours of a shift become overtime and at which
// rate code they are paid, with an optional next rate after a number of
// overtime hours. The award's overtime list is also its table of overtime
// rates: the rates' percentages order every overtime condition.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_component_list.h"
#include "award/award_rate_base.h"
#include "common/string_list.h"

namespace qora {

class TObjAward;

class TObjAwardOvertime : public TObjAwardRateBase {
  QORA_CLASS(TObjAwardOvertime, TObjAwardRateBase)

 public:
  TObjAwardOvertime() { FRateGrouping = TRateGrouping::rg_Overtime; }

  // A next rate (Rate2Code) applies after Ov2FromHour overtime hours.
  bool ApplyOvertime2() const { return FApplyOvertime2; }
  void SetApplyOvertime2(bool v) { FApplyOvertime2 = v; }
  double Ov2FromHour() const { return FOv2FromHour; }
  void SetOv2FromHour(double v) { FOv2FromHour = v; }
  int32_t Rate2ID() const { return FRate2ID; }
  void SetRate2ID(int32_t v) { FRate2ID = v; }
  int32_t Rate2TDID() const { return FRate2TDID; }
  void SetRate2TDID(int32_t v) { FRate2TDID = v; }
  const std::string& Rate2Code() const { return FRate2Code; }
  // A different code keeps the code it replaces in PreviousRate2Code.
  void SetRate2Code(const std::string& v);
  const std::string& PreviousRate2Code() const { return FPreviousRate2Code; }
  const std::string& Rate2Description() const { return FRate2Description; }
  void SetRate2Description(const std::string& v) { FRate2Description = v; }
  // The next rate as a percentage; it orders the conditions that pay it.
  double Ov2RatePerc() const { return FOv2RatePerc; }
  void SetOv2RatePerc(double v) { FOv2RatePerc = v; }

  // What the component does, as the maintenance list shows it; "" here.
  virtual std::string GetConditionDetailsStr() const;

  // The award this component belongs to (not owned); set by
  // TObjAward::SetupListProperties. Null until then.
  TObjAward* Award() const { return FAward; }
  void SetAward(TObjAward* pAward) { FAward = pAward; }
  // The order of the overtime rate with that code: the truncated
  // Percentage of the award's first overtime whose RateCode is pCode, or
  // the truncated Ov2RatePerc when that first match is by Rate2Code. 0 when
  // no overtime of the award has the code, or the component has no award
  // yet (the condition table then numbers the condition by its position).
  int32_t GetOrderFromRateCode(const std::string& pCode) const;

  void ValidateConditionFlds() override;
  void CopyValues(const TObjAwardConditionBase& pSource) override;

 private:
  friend struct TObjAwardOvertimeRegistry;

  bool FApplyOvertime2 = false;
  double FOv2FromHour = 0;
  int32_t FRate2ID = 0;
  int32_t FRate2TDID = 0;
  std::string FRate2Code;
  std::string FPreviousRate2Code;
  std::string FRate2Description;
  double FOv2RatePerc = 0;
  TObjAward* FAward = nullptr;
};

class TObjListAwardOvertime : public TObjListAwardConditionBase {
  QORA_CLASS(TObjListAwardOvertime, TObjListAwardConditionBase)

 public:
  TObjListAwardOvertime() = default;

  // Item `index` as an overtime component; null for a component of another
  // family. Throws std::out_of_range for a bad index.
  TObjAwardOvertime* Overtime(int index) const { return dynamic_cast<TObjAwardOvertime*>(Items(index)); }

  // The first item whose RateCode equals pCode (exact); null when none.
  TObjAwardOvertime* GetOvertimeRate(const std::string& pCode) const;
  // The first item, in list order, whose RateCode or Rate2Code equals
  // pCode (exact); null when none.
  TObjAwardOvertime* FindByRateCode(const std::string& pCode) const;
  // The percentage paid for a rate code: Percentage of the first item whose
  // RateCode is pCode or Ov2RatePerc of the first whose Rate2Code is, which
  // ever comes first; 100 (ordinary time) when no item has the code.
  double GetPercentageForCode(const std::string& pCode) const;
  // "CODE - Description" for every rate code, and for every next rate
  // code of items with ApplyOvertime2, in list order.
  TStringList GetRateCodeDescLst() const;
  // False when another item than pItem already uses pItem's RateCode
  // (resp. Rate2Code) as its rate code or next rate code, ignoring case.
  bool CheckDupeRateCode(const TObjAwardOvertime& pItem) const;
  bool CheckDupeRate2Code(const TObjAwardOvertime& pItem) const;
};

}  // namespace qora
