#include "award/award_store.h"

#include <map>
#include <utility>
#include <vector>

#include "award/award.h"
#include "award/award_db_loader.h"
#include "award/award_file.h"
#include "award/award_list.h"
#include "award/component_registry.h"
#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "db/connection.h"

namespace qora {
namespace {

constexpr int64_t kFirstModule = 1;
constexpr int64_t kLastModule = 5;

TDBValue TextOrNull(const std::string& pText) { return pText.empty() ? TDBValue::Null() : TDBValue(pText); }

// Stored end dates below day 5 mean "no end"; the payroll's empty date is day 0.
TDBValue EndDateValue(TDateTime pEndDate) { return TDBValue::DateTime(pEndDate < 5.0 ? 0.0 : DateOf(pEndDate)); }

// The identity of the first row whose key column equals pKey (exactly, or
// ignoring case); 0 when none.
int32_t FindId(TDBConnection& pConnection, const std::string& pSql, const std::string& pKey, bool pIgnoreCase = false) {
  for (const TDBRow& row : pConnection.Query(pSql)) {
    const std::string key = row.Field(1).AsString();
    if (pIgnoreCase ? SameText(key, pKey) : key == pKey) return row.Field(0).AsInteger();
  }
  return 0;
}

// ---- Validation --------------------------------------------------------------

void AddList(std::vector<std::string>& pOut, const TObjListAwardMessages& pMessages, const std::string& pPrefix) {
  for (const std::string& text : pMessages.Texts()) pOut.push_back(pPrefix + text);
}

void ValidateComponents(TObjAward& pAward, std::vector<std::string>& pOut) {
  for (int64_t module = kFirstModule; module <= kLastModule; ++module) {
    TObjListAwardConditionBase& list = *ComponentListOfModule(pAward, module);
    for (int i = 0; i < list.Count(); ++i) {
      TObjAwardConditionBase* component = list.Items(i);
      if (component == nullptr) continue;
      const std::string prefix = Format("%s line %d (%s \"%s\"): ", list.ClassName(), i + 1,
                                        component->ConditionTypeName(), component->Description());
      if (!component->ValidateAllFields()) AddList(pOut, component->Messages(), prefix);
      // A group the award does not have would silently never match.
      const TStringList& names = component->ConditionGroupLst();
      for (int g = 0; g < names.Count(); ++g) {
        if (pAward.ObjLstConditionGroup().GetConditionGroup(names[g]) == nullptr) {
          pOut.push_back(prefix + Format("Condition group \"%s\" is not a condition group of the award.", names[g]));
        }
      }
    }
  }
}

// Every message that stops an import, each saying where it belongs.
std::vector<std::string> ImportMessages(TObjAward& pAward) {
  std::vector<std::string> out;
  pAward.ValidateAward();
  AddList(out, pAward.Messages(), "");
  TObjListAwardClassRates& rates = pAward.ObjLstClassRates();
  for (int i = 0; i < rates.Count(); ++i) {
    const std::string& code = rates.Items(i)->Code();
    if (Trim(code).empty()) out.push_back(Format("Pay classes line %d: No Classification Code entered.", i + 1));
    if (rates.GetClassRate(code) != rates.Items(i)) {
      out.push_back(Format("Pay classes line %d: Classification \"%s\" appears more than once.", i + 1, code));
    }
  }
  TObjListAwardCategories& categories = pAward.ObjLstCategories();
  for (int i = 0; i < categories.Count(); ++i) {
    TObjListAwardMessages messages;
    categories.Items(i)->Validate(messages);
    AddList(out, messages, Format("Categories line %d: ", i + 1));
  }
  TObjListAwardMessages groups;
  pAward.ObjLstConditionGroup().Validate(groups);
  for (int i = 0; i < groups.Count(); ++i) {
    out.push_back(Format("Condition groups line %d: %s", groups.Items(i)->LineNo(), groups.Items(i)->Message()));
  }
  TObjListAwardJobs& jobs = pAward.ObjLstJobs();
  for (int i = 0; i < jobs.Count(); ++i) {
    const TObjAwardJob& job = *jobs.Items(i);
    TObjListAwardMessages messages;
    job.Validate(messages);
    AddList(out, messages, Format("Jobs line %d: ", i + 1));
    if (!job.ClassificationCode().empty() && rates.GetClassRate(job.ClassificationCode()) == nullptr) {
      out.push_back(Format("Jobs line %d: Classification \"%s\" of job \"%s\" is not a pay class of the award.", i + 1,
                           job.ClassificationCode(), job.JobTitle()));
    }
  }
  ValidateComponents(pAward, out);
  return out;
}

// ---- Storing -----------------------------------------------------------------

class TAwardWriter {
 public:
  TAwardWriter(TDBConnection& pConnection, TObjAward& pAward) : FDb(pConnection), FAward(pAward) {}

  // Categories are the database's own records: each is found (or created)
  // by code before validation, which checks that every category is one.
  void ResolveCategories() {
    TObjListAwardCategories& categories = FAward.ObjLstCategories();
    for (int i = 0; i < categories.Count(); ++i) {
      TObjAwardCategory& category = *categories.Items(i);
      if (Trim(category.Code()).empty()) continue;
      const std::string sql = "select idAwardCategory, cCode from _iptblAwardCategories";
      int32_t id = FindId(FDb, sql, category.Code());
      if (id == 0) {
        FDb.Execute("insert into _iptblAwardCategories (cCode, cDescription) values (:Code, :Description)",
                    {{"Code", category.Code()}, {"Description", category.Description()}});
        id = FindId(FDb, sql, category.Code());
      }
      category.SetIDCategory(id);
    }
  }

  TAwardImportResult Write() {
    TAwardImportResult result;
    result.AwardID = WriteAward();
    result.AwardTDID = WriteVersion(result.AwardID, result.Replaced);
    WritePayClasses(result.AwardID, result.AwardTDID);
    WriteCategoryLinks(result.AwardTDID);
    WriteConditionGroups(result.AwardID);
    WriteJobs(result.AwardID);
    result.Components = WriteComponents(result.AwardTDID);
    return result;
  }

 private:
  int32_t WriteAward() {
    const std::string sql = "select idAward, cCode from _iptblAwards";
    int32_t id = FindId(FDb, sql, FAward.Code(), true);
    if (id != 0) {
      FDb.Execute(Format("update _iptblAwards set cName = :Name where idAward = %d", id), {{"Name", FAward.AwardName()}});
      return id;
    }
    FDb.Execute("insert into _iptblAwards (cCode, cName, bInactive) values (:Code, :Name, 0)",
                {{"Code", FAward.Code()}, {"Name", FAward.AwardName()}});
    return FindId(FDb, sql, FAward.Code(), true);
  }

  int32_t FindVersion(int32_t pAwardID) {
    const TDBResult rows =
        FDb.Query(Format("select idAwardTD, dEffectiveDate from _iptblAwards_TD where iAwardID = %d", pAwardID));
    for (const TDBRow& row : rows) {
      if (DateOf(row["dEffectiveDate"].AsDateTime()) == DateOf(FAward.EffectiveDate())) {
        return row["idAwardTD"].AsInteger();
      }
    }
    return 0;
  }

  TDBParams VersionParams() const {
    return {{"DefClassCode", FAward.DefClassCode()},
            {"DefClassDesc", FAward.DefClassDesc()},
            {"WeeklyBaseHours", FAward.WeeklyBaseHours()},
            {"ChangeReasonID", FAward.ChangeReasonID()},
            {"EffectiveDate", TDBValue::DateTime(DateOf(FAward.EffectiveDate()))},
            {"EndDate", EndDateValue(FAward.EndDate())}};
  }

  int32_t WriteVersion(int32_t pAwardID, bool& pReplaced) {
    int32_t id = FindVersion(pAwardID);
    pReplaced = id != 0;
    if (pReplaced) {
      FDb.Execute(Format("update _iptblAwards_TD set cDeftClassCode = :DefClassCode, cDeftClassDesc = :DefClassDesc, "
                         "fWeeklyBaseHours = :WeeklyBaseHours, iChangeReasonID = :ChangeReasonID, "
                         "dEffectiveDate = :EffectiveDate, dEndDate = :EndDate where idAwardTD = %d",
                         id),
                  VersionParams());
      for (const char* table : {"_iptblPayClasses_TD", "_iptblAwardCategoryLinks", "_iptblAwardConditions"}) {
        FDb.Execute(Format("delete from %s where iAwardTDID = %d", std::string(table), id));
      }
      return id;
    }
    FDb.Execute(Format("insert into _iptblAwards_TD (iAwardID, cDeftClassCode, cDeftClassDesc, fWeeklyBaseHours, "
                       "iStdPayClassTDID, iChangeReasonID, dEffectiveDate, dEndDate) values (%d, :DefClassCode, "
                       ":DefClassDesc, :WeeklyBaseHours, 0, :ChangeReasonID, :EffectiveDate, :EndDate)",
                       pAwardID),
                VersionParams());
    return FindVersion(pAwardID);
  }

  void WritePayClasses(int32_t pAwardID, int32_t pAwardTDID) {
    const std::string sql = Format("select idPayClass, cCode from _iptblPayClasses where iAwardID = %d", pAwardID);
    TObjListAwardClassRates& rates = FAward.ObjLstClassRates();
    int32_t standard = 0;
    for (int i = 0; i < rates.Count(); ++i) {
      const TObjAwardClassRate& rate = *rates.Items(i);
      int32_t id = FindId(FDb, sql, rate.Code());
      if (id != 0) {
        FDb.Execute(Format("update _iptblPayClasses set cDescription = :Description where idPayClass = %d", id),
                    {{"Description", rate.Description()}});
      } else {
        FDb.Execute(Format("insert into _iptblPayClasses (iAwardID, cCode, cDescription) values (%d, :Code, "
                           ":Description)",
                           pAwardID),
                    {{"Code", rate.Code()}, {"Description", rate.Description()}});
        id = FindId(FDb, sql, rate.Code());
      }
      FPayClassIds[rate.Code()] = id;
      FDb.Execute(Format("insert into _iptblPayClasses_TD (iPayClassID, iAwardTDID, fAutoPayAmount, fNormalRate) "
                         "values (%d, %d, :WeeklyRate, :HourlyRate)",
                         id, pAwardTDID),
                  {{"WeeklyRate", rate.WeeklyRate()}, {"HourlyRate", rate.HourlyRate()}});
      if (rate.IsStandardRate() && standard == 0) {
        standard = FDb.QueryValue(Format("select idPayClassTD from _iptblPayClasses_TD where iPayClassID = %d and "
                                         "iAwardTDID = %d",
                                         id, pAwardTDID))
                       .AsInteger();
      }
    }
    FDb.Execute(Format("update _iptblAwards_TD set iStdPayClassTDID = %d where idAwardTD = %d", standard, pAwardTDID));
  }

  void WriteCategoryLinks(int32_t pAwardTDID) {
    TObjListAwardCategories& categories = FAward.ObjLstCategories();
    for (int i = 0; i < categories.Count(); ++i) {
      const TObjAwardCategory& category = *categories.Items(i);
      FDb.Execute(Format("insert into _iptblAwardCategoryLinks (iAwardTDID, iAwardCategoryID, fPercentage, "
                         "bStdRateOnly) values (%d, %d, :Percentage, :StdRateOnly)",
                         pAwardTDID, category.IDCategory()),
                  {{"Percentage", category.Percentage()}, {"StdRateOnly", category.StdRateOnly()}});
    }
  }

  void WriteConditionGroups(int32_t pAwardID) {
    const std::string sql = Format(
        "select idAwardConditionGroup, cConditionGroup from _iptblAwardConditionGroup where iAwardID = %d", pAwardID);
    TObjListConditionGroup& groups = FAward.ObjLstConditionGroup();
    for (int i = 0; i < groups.Count(); ++i) {
      const std::string& name = groups.Items(i)->ConditionGroup();
      if (FindId(FDb, sql, name) != 0) continue;
      FDb.Execute(Format("insert into _iptblAwardConditionGroup (iAwardID, cConditionGroup) values (%d, :Name)",
                         pAwardID),
                  {{"Name", name}});
    }
  }

  TDBValue CostAccountId(const std::string& pCode) {
    if (pCode.empty()) return TDBValue::Null();
    const std::string sql = "select idCostAccount, cCostCode from _iptblCostAccounts";
    int32_t id = FindId(FDb, sql, pCode);
    if (id == 0) {
      FDb.Execute("insert into _iptblCostAccounts (cCostCode, cDescription) values (:Code, :Code)", {{"Code", pCode}});
      id = FindId(FDb, sql, pCode);
    }
    return TDBValue(id);
  }

  void WriteJobs(int32_t pAwardID) {
    const std::string sql = Format("select idAwardJob, cCode from _iptblAwardJobs where iAwardID = %d", pAwardID);
    TObjListAwardJobs& jobs = FAward.ObjLstJobs();
    for (int i = 0; i < jobs.Count(); ++i) {
      const TObjAwardJob& job = *jobs.Items(i);
      auto pay_class = FPayClassIds.find(job.ClassificationCode());
      TDBParams params = {{"Code", job.JobTitle()},
                          {"Description", TextOrNull(job.JobDescription())},
                          {"PayClassID", pay_class != FPayClassIds.end() ? TDBValue(pay_class->second) : TDBValue()},
                          {"CostAccountID", CostAccountId(job.CostAccount())}};
      if (const int32_t id = FindId(FDb, sql, job.JobTitle()); id != 0) {
        FDb.Execute(Format("update _iptblAwardJobs set cCode = :Code, cDescription = :Description, iPayClassID = "
                           ":PayClassID, iCostAccountID = :CostAccountID where idAwardJob = %d",
                           id),
                    params);
      } else {
        FDb.Execute(Format("insert into _iptblAwardJobs (iAwardID, cCode, cDescription, iPayClassID, iCostAccountID) "
                           "values (%d, :Code, :Description, :PayClassID, :CostAccountID)",
                           pAwardID),
                    params);
      }
    }
  }

  int32_t WriteComponents(int32_t pAwardTDID) {
    int32_t count = 0;
    for (int64_t module = kFirstModule; module <= kLastModule; ++module) {
      TObjListAwardConditionBase& list = *ComponentListOfModule(FAward, module);
      for (int i = 0; i < list.Count(); ++i) {
        const TObjAwardConditionBase* component = list.Items(i);
        if (component == nullptr) continue;
        FDb.Execute(Format("insert into _iptblAwardConditions (iAwardTDID, iConditionModule, iConditionType, "
                           "cDescription, nConditionsXML) values (%d, %d, %d, :Description, :XML)",
                           pAwardTDID, module, component->ConditionType()),
                    {{"Description", component->Description()}, {"XML", component->SaveToXML()}});
        ++count;
      }
    }
    return count;
  }

  TDBConnection& FDb;
  TObjAward& FAward;
  std::map<std::string, int32_t> FPayClassIds;
};

}  // namespace

TAwardImportResult ImportAward(TDBConnection& pConnection, TObjAward& pAward) {
  TDBTransaction transaction(pConnection);
  TAwardWriter writer(pConnection, pAward);
  writer.ResolveCategories();
  const std::vector<std::string> messages = ImportMessages(pAward);
  if (!messages.empty()) {
    std::string text = Format("Award \"%s\" was not imported; correct the award file:", pAward.Code());
    for (const std::string& message : messages) text += "\n  " + message;
    throw eaiPRocessorException(text);
  }
  const TAwardImportResult result = writer.Write();
  transaction.Commit();
  return result;
}

std::unique_ptr<TObjAward> LoadStoredAward(TDBConnection& pConnection, const std::string& pCode, TDateTime pDate) {
  TObjListAwards awards;
  LoadAwardsForDate(pConnection, pDate, awards, nullptr);
  TObjAward* found = awards.GetAward(pCode, pDate);
  if (found == nullptr) {
    throw eRecordNotFoundException(
        Format("Award \"%s\" has no version in force on %s.", pCode, FormatIsoDate(pDate)));
  }
  std::unique_ptr<TnxBaseObject> extracted = awards.Extract(found);
  extracted.release();
  return std::unique_ptr<TObjAward>(found);
}

void ClearDatabaseIdentities(TObjAward& pAward) {
  pAward.SetAwardID(0);
  pAward.SetAwardTDID(0);
  pAward.SetStdRateID(0);
  TObjListAwardClassRates& rates = pAward.ObjLstClassRates();
  for (int i = 0; i < rates.Count(); ++i) {
    rates.Items(i)->SetPayClassID(0);
    rates.Items(i)->SetPayClassTDID(0);
  }
  TObjListAwardCategories& categories = pAward.ObjLstCategories();
  for (int i = 0; i < categories.Count(); ++i) {
    categories.Items(i)->SetIDCategory(0);
    categories.Items(i)->SetIDCategoryLink(0);
  }
  TObjListConditionGroup& groups = pAward.ObjLstConditionGroup();
  for (int i = 0; i < groups.Count(); ++i) groups.Items(i)->SetIdConditionGroup(0);
  TObjListAwardJobs& jobs = pAward.ObjLstJobs();
  for (int i = 0; i < jobs.Count(); ++i) jobs.Items(i)->SetIdJob(0);
  for (int64_t module = kFirstModule; module <= kLastModule; ++module) {
    TObjListAwardConditionBase& list = *ComponentListOfModule(pAward, module);
    for (int i = 0; i < list.Count(); ++i) {
      if (TObjAwardConditionBase* component = list.Items(i)) component->SetConditionID(0);
    }
  }
}

std::string ExportAwardText(TDBConnection& pConnection, const std::string& pCode, TDateTime pDate) {
  std::unique_ptr<TObjAward> award = LoadStoredAward(pConnection, pCode, pDate);
  ClearDatabaseIdentities(*award);
  return AwardFileText(*award);
}

}  // namespace qora
