#include "award/award_db_loader.h"

#include <exception>
#include <memory>
#include <utility>

#include "award/award.h"
#include "award/award_list.h"
#include "award/component_registry.h"
#include "common/format.h"
#include "common/text.h"
#include "db/connection.h"
#include "db/sql_text.h"
#include "foundation/user_feedback.h"

namespace qora {
namespace {

void Debug(TUserFeedback* pLog, int32_t pTimesheetID, const std::string& pMessage) {
  if (pLog != nullptr) pLog->AddDebugMessage(pMessage, pTimesheetID, TMessageSeverity::ms_Information);
}

void LoadCategoryLinks(TDBConnection& pConnection, TObjAward& pAward) {
  const TDBResult rows =
      pConnection.Query(Format("select * from dbo._ipvAwardCategoryLinks where iAwardTDID = %d", pAward.AwardTDID()));
  for (const TDBRow& row : rows) {
    TObjAwardCategory* category = pAward.ObjLstCategories().AddNew();
    category->SetIDCategory(row["idAwardCategory"].AsInteger());
    category->SetIDCategoryLink(row["idAwardCategoryLink"].AsInteger());
    category->SetCode(row["cCode"].AsString());
    category->SetDescription(row["cDescription"].AsString());
    category->SetPercentage(row["fPercentage"].AsFloat());
  }
}

void LoadPayClasses(TDBConnection& pConnection, TObjAward& pAward) {
  const TDBResult rows =
      pConnection.Query(Format("select * from dbo._ipvPayClasses_TD where iAwardTDID = %d", pAward.AwardTDID()));
  TObjListAwardClassRates& rates = pAward.ObjLstClassRates();
  for (const TDBRow& row : rows) {
    TObjAwardClassRate* rate = rates.AddNew();
    rate->SetPayClassID(row["iPayClassID"].AsInteger());
    rate->SetPayClassTDID(row["idPayClassTD"].AsInteger());
    rate->SetCode(row["cCode"].AsString());
    rate->SetDescription(row["cDescription"].AsString());
    rate->SetWeeklyRate(row["fAutoPayAmount"].AsFloat());
    rate->SetHourlyRate(row["fNormalRate"].AsFloat());
    rate->SetIsStandardRate(rate->PayClassTDID() == pAward.StdRateID());
    rate->SetAward(&pAward);
    if (rate->IsStandardRate()) pAward.SetStdHourlyRate(rate->HourlyRate());
  }
  pAward.SetNoOfClassLevels(rates.Count());
}

void LoadComponents(TDBConnection& pConnection, TObjAward& pAward, TUserFeedback* pLog, int32_t pTimesheetID) {
  const TDBResult rows =
      pConnection.Query(Format("select * from _iptblAwardConditions where iAwardTDID = %d", pAward.AwardTDID()));
  for (const TDBRow& row : rows) {
    const int32_t id = row["idAwardCondition"].AsInteger();
    std::string why;
    if (LoadAwardComponent(pAward, row["iConditionModule"].AsLargeInt(), row["iConditionType"].AsLargeInt(),
                           row["nConditionsXML"].AsString(), id, &why) == nullptr) {
      // The rest of the award still loads; whoever debugs a run can see
      // which stored component the engine did not use, and why.
      Debug(pLog, pTimesheetID, Format("Award \"%s\": component %d skipped: %s", pAward.Code(), id, why));
    }
  }
}

void LoadConditionGroups(TDBConnection& pConnection, TObjAward& pAward) {
  const TDBResult rows =
      pConnection.Query(Format("select * from dbo._iptblAwardConditionGroup where iAwardID = %d", pAward.AwardID()));
  for (const TDBRow& row : rows) {
    TObjAwardConditionGroup* group = pAward.ObjLstConditionGroup().AddNew();
    group->SetIdConditionGroup(row["idAwardConditionGroup"].AsInteger());
    group->SetConditionGroup(row["cConditionGroup"].AsString());
  }
}

void LoadJobs(TDBConnection& pConnection, TObjAward& pAward) {
  const TDBResult rows =
      pConnection.Query(Format("select * from dbo._ipvAwardJobs where iAwardID = %d", pAward.AwardID()));
  for (const TDBRow& row : rows) {
    TObjAwardJob* job = pAward.ObjLstJobs().AddNew();
    job->SetIdJob(row["idAwardJob"].AsInteger());
    job->SetJobTitle(row["cCode"].AsString());
    job->SetJobDescription(row["cDescription"].AsString());
    job->SetClassificationCode(row["PayClass"].AsString());
    job->SetCostAccount(row["CostAccount"].AsString());
  }
}

std::unique_ptr<TObjAward> AwardFromRow(const TDBRow& pRow) {
  auto award = std::make_unique<TObjAward>();
  award->SetAwardID(pRow["idAward"].AsInteger());
  award->SetAwardTDID(pRow["idAwardTD"].AsInteger());
  award->SetCode(pRow["cCode"].AsString());
  award->SetDefClassCode(pRow["cDeftClassCode"].AsString());
  award->SetDefClassDesc(pRow["cDeftClassDesc"].AsString());
  award->SetAwardName(pRow["cName"].AsString());
  award->SetWeeklyBaseHours(pRow["fWeeklyBaseHours"].AsFloat());
  award->SetStdRateID(pRow["iStdPayClassTDID"].AsInteger());
  award->SetEffectiveDate(pRow["dEffectiveDate"].AsDateTime());
  award->SetEndDate(pRow["dEndDate"].AsDateTime());
  return award;
}

}  // namespace

TObjListAwardConditionBase* ComponentListOfModule(TObjAward& pAward, int64_t pModule) {
  switch (pModule) {
    case 1: return &pAward.ObjLstOvertime();
    case 2: return &pAward.ObjLstPenalties();
    case 3: return &pAward.ObjLstAllowances();
    case 4: return &pAward.ObjLstRules();
    case 5: return &pAward.ObjLstLeave();
    default: return nullptr;
  }
}

TObjAwardConditionBase* LoadAwardComponent(TObjAward& pAward, int64_t pModule, int64_t pConditionType,
                                           const std::string& pXml, int32_t pConditionID, std::string* pWhy) {
  auto skipped = [pWhy](std::string why) -> TObjAwardConditionBase* {
    if (pWhy != nullptr) *pWhy = std::move(why);
    return nullptr;
  };
  TObjListAwardConditionBase* list = ComponentListOfModule(pAward, pModule);
  if (list == nullptr) return skipped(Format("module %d is not a component list", pModule));
  std::unique_ptr<TObjAwardConditionBase> component = CreateAwardComponent(pConditionType);
  if (!component) return skipped(Format("condition type %d has no component class", pConditionType));
  try {
    // Components stored before the pay options were renamed carry the old
    // prefix; the values themselves are the same.
    component->LoadFromXML(StringReplaceAll(pXml, "aiapo_", "aicpo_"));
    component->SetConditionID(pConditionID);
    TObjAwardConditionBase* loaded = component.get();
    list->Add(std::move(component));
    return loaded;
  } catch (const std::exception& e) {
    return skipped(e.what());
  }
}

int LoadAwardsForDate(TDBConnection& pConnection, TDateTime pDate, TObjListAwards& pAwards, TUserFeedback* pLog,
                      int32_t pTimesheetID) {
  Debug(pLog, pTimesheetID, "Loading awards");
  const TDateTime started = Now();
  EnsureAwardClassesRegistered();
  const TDBResult rows = pConnection.Query(Format("select * from dbo._ipfnGetAwards(%s,1,0,0)", SqlDateLiteral(pDate)));
  for (const TDBRow& row : rows) {
    std::unique_ptr<TObjAward> award = AwardFromRow(row);
    LoadCategoryLinks(pConnection, *award);
    LoadPayClasses(pConnection, *award);
    LoadComponents(pConnection, *award, pLog, pTimesheetID);
    LoadConditionGroups(pConnection, *award);
    LoadJobs(pConnection, *award);
    pAwards.Add(std::move(award));
  }
  Debug(pLog, pTimesheetID,
        Format("Loaded %d award in %f.1 seconds", rows.RowCount(), (Now() - started) * 86400.0));
  return rows.RowCount();
}

}  // namespace qora
