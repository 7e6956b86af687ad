#include "award/award_rule_base.h"

#include "award/condition_text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardRuleRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardRule;
    return ClassBuilder<C>("TObjAwardRule", true)
        .Field("WorkDaysLst", &C::FWorkDaysLst)
        .Getter("DaysWorkedStr", PropKind::String, [](const C& c) { return c.GetDaysWorkedStr(); })
        .Build();
  }
};

const ClassInfo& TObjAwardRule::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRuleRegistry::Build();
  return info;
}

TObjAwardRule::TObjAwardRule() : FWorkDaysLst(DefaultWorkDays()) { SetOrder(-1000); }

std::string TObjAwardRule::GetDaysWorkedStr() const { return DaysWorkedText(FWorkDaysLst); }

void TObjAwardRule::ValidateConditionFlds() {
  TObjAwardConditionBase::ValidateConditionFlds();
  if (FWorkDaysLst.Empty()) Messages().AddMessage("No Work Days selected.");
}

}  // namespace qora
