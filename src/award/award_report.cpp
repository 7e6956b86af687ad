#include "award/award_report.h"

#include <set>
#include <vector>

#include "award/award.h"
#include "award/award_conditions.h"
#include "award/condition_text.h"
#include "common/datetime.h"
#include "common/format.h"
#include "common/string_list.h"
#include "foundation/class_info.h"
#include "timesheet/timesheet_json.h"

namespace qora {
namespace {

using nlohmann::ordered_json;

const char* FamilyName(TAwardFamily pFamily) {
  switch (pFamily) {
    case TAwardFamily::Rules: return "Rules";
    case TAwardFamily::Overtime: return "Overtime";
    case TAwardFamily::Penalties: return "Penalties";
    case TAwardFamily::Allowances: return "Allowances";
    case TAwardFamily::Leave: return "Leave";
  }
  return "";
}

std::string Joined(const TStringList& pList, const char* pSeparator) {
  std::string out;
  for (int i = 0; i < pList.Count(); ++i) out += (i > 0 ? pSeparator : "") + pList[i];
  return out;
}

std::string DateText(TDateTime pDate) { return pDate < 5.0 ? std::string() : FormatIsoDate(pDate); }

// The class whose properties every component of this kind shares; the
// component's own settings are the properties it adds to them.
const ClassInfo& SharedBaseOf(const TObjAwardConditionBase& pComponent) {
  if (pComponent.InheritsFrom(TObjAwardOvertime::StaticClassInfo())) return TObjAwardOvertime::StaticClassInfo();
  if (pComponent.InheritsFrom(TObjAwardRateBase::StaticClassInfo())) return TObjAwardRateBase::StaticClassInfo();
  if (pComponent.InheritsFrom(TObjAwardAddDedBase::StaticClassInfo())) return TObjAwardAddDedBase::StaticClassInfo();
  return TObjAwardConditionBase::StaticClassInfo();
}

std::string RateText(const std::string& pCode, double pPercentage) {
  return Format("%s at %s %%", pCode, FloatToStr(pPercentage));
}

void AppendLine(std::string& pOut, const std::string& pLine) { pOut += pLine + "\n"; }

void AppendHeader(std::string& pOut, TObjAward& pAward) {
  AppendLine(pOut, Format("Award %s: %s", pAward.Code(), pAward.AwardName()));
  const std::string end = DateText(pAward.EndDate());
  AppendLine(pOut, Format("Version from %s, %s", DateText(pAward.EffectiveDate()),
                          end.empty() ? std::string("no end date") : "to " + end));
  const TObjAwardClassRate* standard = pAward.ObjLstClassRates().GetStandardRate();
  AppendLine(pOut, Format("Weekly base hours %s; standard rate %s at %f an hour",
                          FloatToStr(pAward.WeeklyBaseHours()),
                          standard != nullptr ? standard->Code() : std::string("(none)"), pAward.StdHourlyRate()));
}

void AppendMembers(std::string& pOut, TObjAward& pAward) {
  TObjListAwardClassRates& rates = pAward.ObjLstClassRates();
  AppendLine(pOut, Format("\nPay classes (%d)", rates.Count()));
  for (int i = 0; i < rates.Count(); ++i) {
    const TObjAwardClassRate& r = *rates.Items(i);
    AppendLine(pOut, Format("  %-10s %-30s %10f an hour %10f a week%s", r.Code(), r.Description(), r.HourlyRate(),
                            r.WeeklyRate(), std::string(r.IsStandardRate() ? "  (standard rate)" : "")));
  }
  TObjListAwardCategories& categories = pAward.ObjLstCategories();
  AppendLine(pOut, Format("\nCategories (%d)", categories.Count()));
  for (int i = 0; i < categories.Count(); ++i) {
    const TObjAwardCategory& c = *categories.Items(i);
    AppendLine(pOut, Format("  %-10s %-30s %s %%", c.Code(), c.Description(), FloatToStr(c.Percentage())));
  }
  TObjListConditionGroup& groups = pAward.ObjLstConditionGroup();
  AppendLine(pOut, Format("\nCondition groups (%d)", groups.Count()));
  for (int i = 0; i < groups.Count(); ++i) AppendLine(pOut, "  " + groups.Items(i)->ConditionGroup());
  TObjListAwardJobs& jobs = pAward.ObjLstJobs();
  AppendLine(pOut, Format("\nJobs (%d)", jobs.Count()));
  for (int i = 0; i < jobs.Count(); ++i) {
    const TObjAwardJob& j = *jobs.Items(i);
    AppendLine(pOut, Format("  %-20s paid at %-10s cost account %s", j.JobTitle(), j.ClassificationCode(),
                            j.CostAccount().empty() ? std::string("(none)") : j.CostAccount()));
  }
}

void AppendComponents(std::string& pOut, TObjAward& pAward) {
  pAward.SetupListProperties();
  for (TAwardFamily family : kAwardFamilies) {
    TObjListAwardConditionBase& list = FamilyList(pAward, family);
    AppendLine(pOut, Format("\n%s (%d)", std::string(FamilyName(family)), list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
      const TObjAwardConditionBase& c = *list.Items(i);
      AppendLine(pOut, Format("  %d. %s: %s", i + 1, c.ConditionTypeName(), c.Description()));
      AppendLine(pOut, "     Groups: " + c.ConditionGroupStr());
      if (const std::string pays = ComponentPayDetails(c); !pays.empty()) AppendLine(pOut, "     Pays: " + pays);
      if (const std::string settings = ComponentSettings(c); !settings.empty()) {
        AppendLine(pOut, "     Settings: " + settings);
      }
    }
  }
}

ordered_json ComponentJson(const TObjAwardConditionBase& pComponent) {
  ordered_json out;
  out["Type"] = pComponent.ConditionTypeName();
  out["Class"] = pComponent.ClassName();
  out["Description"] = pComponent.Description();
  out["ConditionGroups"] = pComponent.ConditionGroupLst().Items();
  out["PayDetails"] = ComponentPayDetails(pComponent);
  out["Properties"] = PublishedScalarsToJson(pComponent);
  return out;
}

template <class List>
ordered_json ItemsJson(List& pList) {
  ordered_json out = ordered_json::array();
  for (int i = 0; i < pList.Count(); ++i) out.push_back(PublishedScalarsToJson(*pList.Items(i)));
  return out;
}

}  // namespace

std::string ComponentPayDetails(const TObjAwardConditionBase& pComponent) {
  if (const auto* overtime = dynamic_cast<const TObjAwardOvertime*>(&pComponent)) {
    std::string text = overtime->GetConditionDetailsStr();
    text += (text.empty() ? "" : ", ") + std::string("paid as ") +
            RateText(overtime->RateCode(), overtime->Percentage());
    if (overtime->ApplyOvertime2() && !overtime->Rate2Code().empty()) {
      text += Format(", then as %s after %s hours", RateText(overtime->Rate2Code(), overtime->Ov2RatePerc()),
                     FloatToStr(overtime->Ov2FromHour()));
    }
    return text;
  }
  if (const auto* rate = dynamic_cast<const TObjAwardRateBase*>(&pComponent)) {
    return rate->RateCode().empty() ? std::string() : RateText(rate->RateCode(), rate->Percentage());
  }
  if (const auto* addition = dynamic_cast<const TObjAwardAddDedBase*>(&pComponent)) {
    return addition->AddDedCode() + " " +
           PayDetailsText(addition->PayOption(), addition->AddDedAmountPerc(), addition->AdditionPayUnit());
  }
  return {};
}

std::string ComponentSettings(const TObjAwardConditionBase& pComponent) {
  std::set<std::string> shared;
  for (const PropertyInfo* prop : SharedBaseOf(pComponent).Properties()) shared.insert(prop->name);
  std::string out;
  for (const PropertyInfo* prop : pComponent.GetClassInfo().Properties()) {
    if (shared.count(prop->name) > 0 || prop->ReadOnly() || prop->IsObject()) continue;
    const PropValue value = prop->get(pComponent);
    const std::string text = prop->kind == PropKind::StringList ? Joined(std::get<TStringList>(value), ", ")
                                                                : PropValueToText(*prop, value);
    if (text.empty()) continue;
    out += (out.empty() ? "" : "; ") + prop->name + " " + text;
  }
  return out;
}

std::string AwardSummaryText(TObjAward& pAward) {
  std::string out;
  AppendHeader(out, pAward);
  AppendMembers(out, pAward);
  AppendComponents(out, pAward);
  return out;
}

ordered_json AwardSummaryJson(TObjAward& pAward) {
  ordered_json out;
  out["Code"] = pAward.Code();
  out["AwardName"] = pAward.AwardName();
  out["EffectiveDate"] = DateText(pAward.EffectiveDate());
  out["EndDate"] = DateText(pAward.EndDate()).empty() ? ordered_json(nullptr) : ordered_json(DateText(pAward.EndDate()));
  out["WeeklyBaseHours"] = pAward.WeeklyBaseHours();
  out["StandardHourlyRate"] = pAward.StdHourlyRate();
  out["DefClassCode"] = pAward.DefClassCode();
  out["DefClassDesc"] = pAward.DefClassDesc();
  out["PayClasses"] = ItemsJson(pAward.ObjLstClassRates());
  out["Categories"] = ItemsJson(pAward.ObjLstCategories());
  ordered_json groups = ordered_json::array();
  for (int i = 0; i < pAward.ObjLstConditionGroup().Count(); ++i) {
    groups.push_back(pAward.ObjLstConditionGroup().Items(i)->ConditionGroup());
  }
  out["ConditionGroups"] = std::move(groups);
  out["Jobs"] = ItemsJson(pAward.ObjLstJobs());
  pAward.SetupListProperties();
  ordered_json components;
  for (TAwardFamily family : kAwardFamilies) {
    ordered_json list = ordered_json::array();
    TObjListAwardConditionBase& items = FamilyList(pAward, family);
    for (int i = 0; i < items.Count(); ++i) list.push_back(ComponentJson(*items.Items(i)));
    components[FamilyName(family)] = std::move(list);
  }
  out["Components"] = std::move(components);
  return out;
}

}  // namespace qora
