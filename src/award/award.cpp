#include "award/award.h"

#include <string>
#include <utility>
#include <vector>

#include "award/award_conditions.h"
#include "award/component_registry.h"
#include "common/format.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {
namespace {

template <class L>
L& CreateOnFirstUse(std::unique_ptr<L>& pList) {
  if (!pList) pList = std::make_unique<L>();
  return *pList;
}

std::string LevelText(int32_t pLevel) {
  return (pLevel < 10 ? "0" : "") + std::to_string(pLevel);
}

}  // namespace

struct TObjAwardRegistry {
  static const ClassInfo& Build() {
    using C = TObjAward;
    const ClassInfo& info =
        ClassBuilder<C>("TObjAward")
            .Field("AwardID", &C::FAwardID)
            .Field("AwardTDID", &C::FAwardTDID)
            .Field("Code", &C::FCode)
            .Field("AwardName", &C::FAwardName)
            .DateField("EffectiveDate", &C::FEffectiveDate)
            .DateField("AwardEffectiveDate", &C::FAwardEffectiveDate)
            .DateField("EndDate", &C::FEndDate)
            .Field("ChangeReasonID", &C::FChangeReasonID)
            .Field("WeeklyBaseHours", &C::FWeeklyBaseHours)
            .Field("DefClassCode", &C::FDefClassCode)
            .Field("DefClassDesc", &C::FDefClassDesc)
            .Field("NoOfClassLevels", &C::FNoOfClassLevels)
            .Field("StdRateID", &C::FStdRateID)
            .Field("ReverseNormHrsOnLeave", &C::FReverseNormHrsOnLeave)
            .Object("ObjLstClassRates", [](C& a) { return &a.ObjLstClassRates(); }, true)
            .Object("ObjLstJobs", [](C& a) { return &a.ObjLstJobs(); }, true)
            .Object("ObjLstCategories", [](C& a) { return &a.ObjLstCategories(); }, true)
            .Object("ObjLstConditionGroup", [](C& a) { return &a.ObjLstConditionGroup(); }, true)
            .Object("ObjLstOvertime", [](C& a) { return &a.ObjLstOvertime(); }, true)
            .Object("ObjLstPenalties", [](C& a) { return &a.ObjLstPenalties(); }, true)
            .Object("ObjLstAllowances", [](C& a) { return &a.ObjLstAllowances(); }, true)
            .Object("ObjLstRules", [](C& a) { return &a.ObjLstRules(); }, true)
            .Object("ObjLstLeave", [](C& a) { return &a.ObjLstLeave(); }, true)
            .Build();
    // Loading an award from XML creates its members by class name; every
    // class an award can hold is known from the moment the award class is.
    RegisterAwardMemberClasses();
    return info;
  }
};

const ClassInfo& TObjAward::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRegistry::Build();
  return info;
}

TObjAward::TObjAward() : FEffectiveDate(Today()) {}

TObjAward::~TObjAward() = default;

TObjListAwardClassRates& TObjAward::ObjLstClassRates() { return CreateOnFirstUse(FObjLstClassRates); }
TObjListAwardJobs& TObjAward::ObjLstJobs() { return CreateOnFirstUse(FObjLstJobs); }
TObjListAwardCategories& TObjAward::ObjLstCategories() { return CreateOnFirstUse(FObjLstCategories); }
TObjListConditionGroup& TObjAward::ObjLstConditionGroup() { return CreateOnFirstUse(FObjLstConditionGroup); }
TObjListAwardOvertime& TObjAward::ObjLstOvertime() { return CreateOnFirstUse(FObjLstOvertime); }
TObjListAwardPenalties& TObjAward::ObjLstPenalties() { return CreateOnFirstUse(FObjLstPenalties); }
TObjListAwardAllowances& TObjAward::ObjLstAllowances() { return CreateOnFirstUse(FObjLstAllowances); }
TObjListAwardRules& TObjAward::ObjLstRules() { return CreateOnFirstUse(FObjLstRules); }
TObjListAwardLeave& TObjAward::ObjLstLeave() { return CreateOnFirstUse(FObjLstLeave); }
TObjListAwardMessages& TObjAward::Messages() { return CreateOnFirstUse(FMessages); }

void TObjAward::SetupListProperties() {
  // Every overtime component, in whichever list its stored module put it,
  // orders its condition through this award.
  for (TAwardFamily family : kAwardFamilies) {
    TObjListAwardConditionBase& list = FamilyList(*this, family);
    for (int i = 0; i < list.Count(); ++i) {
      if (auto* item = dynamic_cast<TObjAwardOvertime*>(list.Items(i))) item->SetAward(this);
    }
  }
  TObjListAwardClassRates& rates = ObjLstClassRates();
  for (int i = 0; i < rates.Count(); ++i) {
    if (TObjAwardClassRate* rate = rates.Items(i)) rate->SetAward(this);
  }
}

TObjAwardOvertime* TObjAward::FindConditionByRateCode(const std::string& pCode) {
  return ObjLstOvertime().FindByRateCode(pCode);
}

std::string TObjAward::GenerateDefaultClassCode(int32_t pLevel, const std::string& pStem) const {
  const std::string stem = Trim(pStem);
  return Format("%s%s", stem.empty() ? FDefClassCode : stem, LevelText(pLevel));
}

std::string TObjAward::GenerateDefaultClassDesc(int32_t pLevel, const std::string& pStem) const {
  const std::string stem = Trim(pStem);
  return Format("%s Level %s", stem.empty() ? FDefClassDesc : stem, LevelText(pLevel));
}

TObjAwardClassRate& TObjAward::AddNewClassRate(int32_t pLevel) {
  TObjListAwardClassRates& rates = ObjLstClassRates();
  const int32_t level = pLevel < 1 ? rates.Count() + 1 : pLevel;
  TObjAwardClassRate* rate = rates.AddNew();
  rate->SetCode(GenerateDefaultClassCode(level));
  rate->SetDescription(GenerateDefaultClassDesc(level));
  rate->SetIsStandardRate(false);
  rate->SetAward(this);
  return *rate;
}

void TObjAward::CreateNewDefaultClassRates() {
  for (int32_t level = 1; level <= FNoOfClassLevels; ++level) AddNewClassRate(level);
}

void TObjAward::CopyClassRates() {
  TObjListAwardClassRates& rates = ObjLstClassRates();
  if (FDefClassCodeChange) {
    // Every job is moved at most once, from the code it had before the
    // change: a new code equal to another class's old code must not move
    // that class's jobs a second time.
    std::vector<std::pair<std::string, std::string>> renamed;
    for (int i = 0; i < rates.Count(); ++i) {
      TObjAwardClassRate* rate = rates.Items(i);
      if (rate == nullptr) continue;
      renamed.emplace_back(rate->Code(), GenerateDefaultClassCode(i + 1));
      rate->SetCode(renamed.back().second);
    }
    TObjListAwardJobs& jobs = ObjLstJobs();
    for (int j = 0; j < jobs.Count(); ++j) {
      TObjAwardJob* job = jobs.Items(j);
      if (job == nullptr) continue;
      for (const auto& [old_code, new_code] : renamed) {
        if (job->ClassificationCode() == old_code) {
          job->SetClassificationCode(new_code);
          break;
        }
      }
    }
  }
  if (FDefClassDescChange) {
    for (int i = 0; i < rates.Count(); ++i) {
      if (TObjAwardClassRate* rate = rates.Items(i)) rate->SetDescription(GenerateDefaultClassDesc(i + 1));
    }
  }
  FDefClassCodeChange = false;
  FDefClassDescChange = false;
}

bool TObjAward::ValidateAward() {
  TObjListAwardMessages& messages = Messages();
  messages.Clear();
  if (Trim(FCode).empty()) messages.AddMessage("No Award Code entered.");
  if (HasApostrophe(FCode)) messages.AddMessage("No apostrophe's allowed in Code.");
  if (Trim(FAwardName).empty()) messages.AddMessage("No Award Name entered.");
  if (FWeeklyBaseHours <= 0) messages.AddMessage("Base Hours must be greater than Zero.");
  if (Trim(FDefClassCode).empty()) messages.AddMessage("No Default Code entered.");
  if (HasApostrophe(FDefClassCode)) messages.AddMessage(ApostropheMessage("Default Code"));
  if (Trim(FDefClassDesc).empty()) messages.AddMessage("No Default Description entered.");
  return messages.Count() == 0;
}

bool TObjAward::ValidateAwardAndMembers() {
  ValidateAward();
  TObjListAwardMessages& messages = Messages();
  TObjListAwardCategories& categories = ObjLstCategories();
  for (int i = 0; i < categories.Count(); ++i) {
    if (const TObjAwardCategory* category = categories.Items(i)) category->Validate(messages, i + 1);
  }
  ObjLstConditionGroup().Validate(messages);
  TObjListAwardJobs& jobs = ObjLstJobs();
  for (int i = 0; i < jobs.Count(); ++i) {
    if (const TObjAwardJob* job = jobs.Items(i)) job->Validate(messages, i + 1);
  }
  return messages.Count() == 0;
}

}  // namespace qora
