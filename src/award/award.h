// One version of an industrial award (pay agreement) in memory: its header,
// pay classes, jobs, categories and condition groups, and the five lists of
// components from which the rule engine's conditions are generated.
//
// Member lists are created on first access and owned by the award; the
// award is not copyable.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "award/award_category.h"
#include "award/award_class_rate.h"
#include "award/award_component_lists.h"
#include "award/award_condition_group.h"
#include "award/award_job.h"
#include "award/award_messages.h"
#include "award/award_overtime.h"
#include "common/datetime.h"
#include "foundation/base_object.h"

namespace qora {

class TObjAward : public TnxBaseObject {
  QORA_CLASS(TObjAward, TnxBaseObject)

 public:
  // EffectiveDate today, 38 weekly hours, one class level, leave reverses
  // normal hours.
  TObjAward();
  ~TObjAward() override;

  int32_t AwardID() const { return FAwardID; }
  void SetAwardID(int32_t v) { FAwardID = v; }
  // The effective-dated version's identity; pay classes, category links
  // and components are keyed by it.
  int32_t AwardTDID() const { return FAwardTDID; }
  void SetAwardTDID(int32_t v) { FAwardTDID = v; }
  const std::string& Code() const { return FCode; }
  void SetCode(const std::string& v) { FCode = v; }
  const std::string& AwardName() const { return FAwardName; }
  void SetAwardName(const std::string& v) { FAwardName = v; }
  TDateTime EffectiveDate() const { return FEffectiveDate; }
  void SetEffectiveDate(TDateTime v) { FEffectiveDate = v; }
  TDateTime AwardEffectiveDate() const { return FAwardEffectiveDate; }
  void SetAwardEffectiveDate(TDateTime v) { FAwardEffectiveDate = v; }
  // Below 5.0 (usually 0): the version has no end.
  TDateTime EndDate() const { return FEndDate; }
  void SetEndDate(TDateTime v) { FEndDate = v; }
  int32_t ChangeReasonID() const { return FChangeReasonID; }
  void SetChangeReasonID(int32_t v) { FChangeReasonID = v; }
  double WeeklyBaseHours() const { return FWeeklyBaseHours; }
  void SetWeeklyBaseHours(double v) { FWeeklyBaseHours = v; }
  // Stems of generated classification codes and descriptions.
  const std::string& DefClassCode() const { return FDefClassCode; }
  void SetDefClassCode(const std::string& v) { FDefClassCode = v; }
  const std::string& DefClassDesc() const { return FDefClassDesc; }
  void SetDefClassDesc(const std::string& v) { FDefClassDesc = v; }
  int32_t NoOfClassLevels() const { return FNoOfClassLevels; }
  void SetNoOfClassLevels(int32_t v) { FNoOfClassLevels = v; }
  // PayClassTDID of the standard (base) pay class.
  int32_t StdRateID() const { return FStdRateID; }
  void SetStdRateID(int32_t v) { FStdRateID = v; }
  bool ReverseNormHrsOnLeave() const { return FReverseNormHrsOnLeave; }
  void SetReverseNormHrsOnLeave(bool v) { FReverseNormHrsOnLeave = v; }

  // Hourly rate of the standard pay class, set by whoever loads the pay
  // classes; 0 when the award has none.
  double StdHourlyRate() const { return FStdHourlyRate; }
  void SetStdHourlyRate(double v) { FStdHourlyRate = v; }
  // Set by maintenance when the stems change; CopyClassRates acts on them.
  bool DefClassCodeChange() const { return FDefClassCodeChange; }
  void SetDefClassCodeChange(bool v) { FDefClassCodeChange = v; }
  bool DefClassDescChange() const { return FDefClassDescChange; }
  void SetDefClassDescChange(bool v) { FDefClassDescChange = v; }

  // The member lists, created on first access, owned by the award.
  TObjListAwardClassRates& ObjLstClassRates();
  TObjListAwardJobs& ObjLstJobs();
  TObjListAwardCategories& ObjLstCategories();
  TObjListConditionGroup& ObjLstConditionGroup();
  TObjListAwardOvertime& ObjLstOvertime();
  TObjListAwardPenalties& ObjLstPenalties();
  TObjListAwardAllowances& ObjLstAllowances();
  TObjListAwardRules& ObjLstRules();
  TObjListAwardLeave& ObjLstLeave();
  // Validation messages of ValidateAward.
  TObjListAwardMessages& Messages();

  // Gives every overtime component and pay class its back reference to
  // this award. Call before generating conditions: overtime orders are
  // looked up through the award.
  void SetupListProperties();
  // The first overtime component, in list order, whose RateCode or
  // Rate2Code equals pCode exactly; null when none.
  TObjAwardOvertime* FindConditionByRateCode(const std::string& pCode);

  // "<stem><level>" and "<stem> Level <level>", the level with a leading 0
  // below 10 (3 -> "03", 12 -> "12"); the stem is pStem trimmed, or
  // DefClassCode / DefClassDesc when that is empty.
  std::string GenerateDefaultClassCode(int32_t pLevel, const std::string& pStem = {}) const;
  std::string GenerateDefaultClassDesc(int32_t pLevel, const std::string& pStem = {}) const;
  // Appends a pay class with generated code and description at pLevel (the
  // next level, count + 1, when pLevel is below 1); never the standard
  // rate. Returns it (owned by the award).
  TObjAwardClassRate& AddNewClassRate(int32_t pLevel);
  // Appends pay classes for levels 1 to NoOfClassLevels.
  void CreateNewDefaultClassRates();
  // After a stem change: regenerates every pay class code from its
  // position (moving the jobs paid at the old code to the new one) and/or
  // every description, then clears both change flags.
  void CopyClassRates();

  // Checks the award's header fields; messages go to Messages() (cleared
  // first). True when there is none. Never throws.
  bool ValidateAward();
  // ValidateAward, then every category and job (with its 1-based line) and
  // the condition groups, all into Messages(): what an award import checks
  // before it stores anything. True when there is no message.
  bool ValidateAwardAndMembers();

 private:
  friend struct TObjAwardRegistry;

  int32_t FAwardID = 0;
  int32_t FAwardTDID = 0;
  std::string FCode;
  std::string FAwardName;
  TDateTime FEffectiveDate = 0;
  TDateTime FAwardEffectiveDate = 0;
  TDateTime FEndDate = 0;
  int32_t FChangeReasonID = 0;
  double FWeeklyBaseHours = 38.0;
  std::string FDefClassCode;
  std::string FDefClassDesc;
  int32_t FNoOfClassLevels = 1;
  int32_t FStdRateID = 0;
  bool FReverseNormHrsOnLeave = true;

  double FStdHourlyRate = 0;
  bool FDefClassCodeChange = false;
  bool FDefClassDescChange = false;

  std::unique_ptr<TObjListAwardClassRates> FObjLstClassRates;
  std::unique_ptr<TObjListAwardJobs> FObjLstJobs;
  std::unique_ptr<TObjListAwardCategories> FObjLstCategories;
  std::unique_ptr<TObjListConditionGroup> FObjLstConditionGroup;
  std::unique_ptr<TObjListAwardOvertime> FObjLstOvertime;
  std::unique_ptr<TObjListAwardPenalties> FObjLstPenalties;
  std::unique_ptr<TObjListAwardAllowances> FObjLstAllowances;
  std::unique_ptr<TObjListAwardRules> FObjLstRules;
  std::unique_ptr<TObjListAwardLeave> FObjLstLeave;
  std::unique_ptr<TObjListAwardMessages> FMessages;
};

}  // namespace qora
