// Award rules: components that adjust a shift before or after its pay is
// costed (condition-group change, minimum hours, minimum overtime, higher
// duties, unworked public holiday). Every rule applies on a list of days.
#pragma once

#include <string>

#include "award/award_condition_base.h"
#include "common/string_list.h"

namespace qora {

class TObjAwardRule : public TObjAwardConditionBase {
  QORA_CLASS(TObjAwardRule, TObjAwardConditionBase)

 public:
  // Monday to Friday, order -1000: rules run before every other component.
  TObjAwardRule();

  // Day names ("Monday" ... "Sunday", "Public Holiday").
  TStringList& WorkDaysLst() { return FWorkDaysLst; }
  const TStringList& WorkDaysLst() const { return FWorkDaysLst; }
  // The days as shown to users (Mon,Tue,...); see DaysWorkedText.
  virtual std::string GetDaysWorkedStr() const;

  void ValidateConditionFlds() override;

 private:
  friend struct TObjAwardRuleRegistry;

  TStringList FWorkDaysLst;
};

}  // namespace qora
