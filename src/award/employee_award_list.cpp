#include "award/employee_award_list.h"

#include <exception>

#include "common/format.h"
#include "common/exceptions.h"
#include "db/connection.h"
#include "foundation/class_builder.h"

namespace qora {

namespace {

constexpr const char* kReturnMessageCaption = "Return Message";

const TRevisionWords& AwardWords() {
  static const TRevisionWords words{TEmployeeAwardList::kComponentWord, TEmployeeAwardList::kRecordCaption};
  return words;
}

// The order SaveData sends changes in; 0 for records that are not sent.
int SavePass(TChangeType type) {
  switch (type) {
    case TChangeType::ct_Delete: return 1;
    case TChangeType::ct_Edit: return 2;
    case TChangeType::ct_Add: return 3;
    case TChangeType::ct_None: return 0;
  }
  return 0;
}

std::unique_ptr<TEmployeeAward> RecordFromRow(const TDBRow& row) {
  auto record = std::make_unique<TEmployeeAward>();
  if (const TDBValue* id = row.FindField("idEmployeeAwardTD")) record->SetID(id->AsInteger());
  record->SetEffectiveDate(row["dEffectiveDate"].AsDateTime());
  record->SetEndDate(row["dEndDate"].AsDateTime());
  record->SetChangeReason(row["iChangeReasonID"].AsInteger());
  record->SetEmployeeID(row["iEmployeeID"].AsInteger());
  record->SetPayClassID(row["iPayClassID"].AsInteger());
  record->SetAwardEmplCategoryID(row["iAwardEmplCategoryID"].AsInteger());
  record->SetAwardConditionGroupID(row["iAwardConditionGroupID"].AsInteger());
  record->SetYearlySalary(row["fYearlySalary"].AsFloat());
  record->SetNormalHours(row["fNormalHours"].AsFloat());
  record->SetAwardCategoryHoursToDate(row["fAwardCategoryHoursToDate"].AsFloat());
  record->SetAutopayAmount(row["fAutopayAmount"].AsFloat());
  record->SetPayClassCode(row["cClassification"].AsString());
  record->SetPayClassDescription(row["cClassificationDescription"].AsString());
  record->SetAwardCode(row["cAwardCode"].AsString());
  record->SetCategory(row["cCategory"].AsString());
  record->SetCategoryDescription(row["cCategoryDescription"].AsString());
  record->SetConditionGroup(row["cConditionGroup"].AsString());
  record->SetUseDefaultHourlyRate(row["bUseDefaultRate"].AsBoolean());
  record->SetHourlyRate(row["fNormalRate"].AsFloat());
  record->SetAwardID(row["iAwardID"].AsInteger());
  return record;
}

// The first failing field test of ValidateAward; null when none fails.
// Imports leave the date test out (they allow a one-day record).
const char* FieldFailure(const TEmployeeAward& record, bool checkDates) {
  if (checkDates && record.HasEndDate() && record.EndDate() <= record.EffectiveDate()) {
    return "The Effective Date must be before the End date";
  }
  if (record.AwardID() < 1) return "There is no Award selected";
  if (record.PayClassID() < 1) return "There is no Classification selected";
  if (record.AwardEmplCategoryID() < 1) return "There is no Category selected";
  if (record.AwardConditionGroupID() < 1) return "There is no Condition Group selected";
  return nullptr;
}

bool ChangesFields(const TEmployeeAward& record) {
  return record.ChangeType() == TChangeType::ct_Add || record.ChangeType() == TChangeType::ct_Edit;
}

}  // namespace

const ClassInfo& TEmployeeAwardList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TEmployeeAwardList>("TEmployeeAwardList").Build();
  return info;
}

TEmployeeAwardList::TEmployeeAwardList(TDBConnection* db) : FConnection(db) { FRecords.SetUseComponentCode(false); }

TEmployeeAward* TEmployeeAwardList::Add() {
  auto record = std::make_unique<TEmployeeAward>();
  record->SetChangeType(TChangeType::ct_Add);
  TEmployeeAward* raw = record.get();
  AddObject(std::move(record));
  return raw;
}

int TEmployeeAwardList::AddObject(std::unique_ptr<TEmployeeAward> record) {
  if (record && record->EmployeeID() == 0) record->SetEmployeeID(FEmployeeID);
  return FRecords.Add(std::move(record));
}

TEmployeeAward* TEmployeeAwardList::GetCurrentAward(TDateTime date) const {
  return static_cast<TEmployeeAward*>(FRecords.GetCurrentRevision(date));
}

int32_t TEmployeeAwardList::GetCurrentAwardID(TDateTime date) const {
  const TEmployeeAward* award = GetCurrentAward(date);
  return award ? award->AwardID() : 0;
}

TEmployeeAward* TEmployeeAwardList::GetExactRevision(TDateTime date) const {
  return static_cast<TEmployeeAward*>(FRecords.GetExactRevision(0, date));
}

void TEmployeeAwardList::GetShoulderAwards(TEmployeeAward*& previous, TEmployeeAward*& next, TDateTime endDate,
                                           TDateTime effectiveDate) const {
  TEmployeeDateBasedObject* before = nullptr;
  TEmployeeDateBasedObject* after = nullptr;
  FRecords.GetShoulderRevisions(before, after, endDate, effectiveDate);
  previous = static_cast<TEmployeeAward*>(before);
  next = static_cast<TEmployeeAward*>(after);
}

TDBConnection& TEmployeeAwardList::RequireConnection() const {
  if (FConnection == nullptr) throw eDatabaseException("Employee Awards need a payroll database connection.");
  return *FConnection;
}

std::vector<std::unique_ptr<TEmployeeAward>> TEmployeeAwardList::ReadRecords(int32_t employeeID) const {
  const TDBResult rows = RequireConnection().Query(
      Format("select * from %s where ", kViewName) +
      Format("iEmployeeID = %d and iChangeType <> %d", employeeID, static_cast<int>(TChangeType::ct_Delete)) +
      " order by dEffectiveDate");
  std::vector<std::unique_ptr<TEmployeeAward>> records;
  for (const TDBRow& row : rows) records.push_back(RecordFromRow(row));
  return records;
}

void TEmployeeAwardList::ReplaceRecords(std::vector<std::unique_ptr<TEmployeeAward>> records) {
  FRecords.Clear();
  for (auto& record : records) FRecords.Add(std::move(record));
}

void TEmployeeAwardList::LoadData(int32_t employeeID) {
  ReplaceRecords(ReadRecords(employeeID));
  FEmployeeID = employeeID;
}

bool TEmployeeAwardList::SaveSingleRecord(const TEmployeeAward& record, TEmployeeRecordMessages& messages) {
  const TDBRow outputs = RequireConnection().ExecProc(
      kUpdateProcedure,
      {{"iEmployeeID", record.EmployeeID()},
       {"iAwardID", record.AwardID()},
       {"iPayClassID", record.PayClassID()},
       {"iAwardEmplCategoryID", record.AwardEmplCategoryID()},
       {"iAwardConditionGroupID", record.AwardConditionGroupID()},
       {"fYearlySalary", record.YearlySalary()},
       {"fNormalHours", record.NormalHours()},
       {"bUseDefaultRate", record.UseDefaultHourlyRate()},
       {"fNormalRate", record.HourlyRate()},
       {"fAwardCategoryHoursToDate", record.AwardCategoryHoursToDate()},
       {"fAutopayAmount", record.AutopayAmount()},
       {"iChangeType", static_cast<int>(record.ChangeType())},
       {"iAgentID", FAgentID},
       {"dEffectiveDate", TDBValue::DateTime(record.EffectiveDate())},
       {"dEndDate", record.HasEndDate() ? TDBValue::DateTime(record.EndDate()) : TDBValue::Null()},
       {"iChangeReasonID", record.ChangeReason()},
       // Ending the record that runs into an addition and replacing those
       // inside it are the two halves of replacing overlapping records.
       {"bEndDateExisting", FReplaceOverlapping},
       {"bReplaceOverlapping", FReplaceOverlapping},
       {"Message", TDBValue(), true}});
  const TDBValue* message = outputs.FindField("Message");
  if (message == nullptr || message->AsString().empty()) return true;
  messages.AddMessage(kReturnMessageCaption, message->AsString());
  return false;
}

bool TEmployeeAwardList::SaveData(TEmployeeRecordMessages& messages) {
  try {
    TDBConnection& db = RequireConnection();
    TDBTransaction transaction(db);
    for (int pass = 1; pass <= 3; ++pass) {
      for (int i = 0; i < Count(); ++i) {
        if (SavePass(Items(i)->ChangeType()) == pass && !SaveSingleRecord(*Items(i), messages)) return false;
      }
    }
    std::vector<std::unique_ptr<TEmployeeAward>> stored;
    if (FEmployeeID != 0) stored = ReadRecords(FEmployeeID);
    transaction.Commit();
    if (FEmployeeID != 0) {
      ReplaceRecords(std::move(stored));
    } else {
      // Never loaded: what was sent is what is stored.
      for (int i = Count() - 1; i >= 0; --i) {
        if (Items(i)->IsDeleted()) {
          FRecords.Delete(i);
        } else {
          Items(i)->SetChangeType(TChangeType::ct_None);
        }
      }
    }
    return true;
  } catch (const std::exception& e) {
    messages.AddMessage(kRecordCaption, std::string("Error Processing Employee Awards \r\nError: ") + e.what());
    return false;
  }
}

bool TEmployeeAwardList::ValidateAward(const TEmployeeAward& record, TEmployeeRecordMessages& messages) {
  const char* failure = FieldFailure(record, true);
  if (failure == nullptr) return true;
  messages.AddMessage(kRecordCaption, failure);
  return false;
}

TRevisionFacts TEmployeeAwardList::LoadRevisionFacts() const {
  return qora::LoadRevisionFacts(RequireConnection(), FEmployeeID);
}

std::string TEmployeeAwardList::CodeOf(const TEmployeeDateBasedObject& record) const {
  std::string code = record.ComponentCode();
  if (code.empty() && FConnection != nullptr) {
    try {
      code = TEmployeeAward::GetCodeForID(*FConnection, record.ComponentID());
    } catch (const std::exception&) {
      // Validation reports, it does not fail: a message naming the award by
      // its ID is still one the officer can act on.
    }
  }
  return code.empty() ? std::to_string(record.ComponentID()) : code;
}

bool TEmployeeAwardList::Validate(const TEmployeeAward& record, const TRevisionFacts& facts,
                                  const TRevisionRequest& request, TEmployeeRecordMessages& messages) const {
  const TEmployeeRevisionValidator validator(FRecords, facts, AwardWords(),
                                             [this](const TEmployeeDateBasedObject& r) { return CodeOf(r); });
  return validator.Validate(record, request, messages);
}

bool TEmployeeAwardList::ValidateRevision(const TEmployeeAward& record, const TRevisionFacts& facts, bool backpay,
                                          TEmployeeRecordMessages& messages) const {
  if (ChangesFields(record) && !ValidateAward(record, messages)) return false;
  TRevisionRequest request;
  request.Mode = TRevisionMode::rm_Interactive;
  request.Backpay = backpay;
  return Validate(record, facts, request, messages);
}

bool TEmployeeAwardList::ValidateImportRevision(const TEmployeeAward& record, const TRevisionFacts& facts,
                                                TEmployeeRecordMessages& messages) const {
  if (ChangesFields(record)) {
    const char* failure = record.HasEndDate() && record.EndDate() < record.EffectiveDate()
                              ? "The End Date must be equal to or greater than the Effective Date."
                              : FieldFailure(record, false);
    if (failure != nullptr) {
      messages.AddMessage(kRecordCaption, failure);
      return false;
    }
  }
  TRevisionRequest request;
  request.Mode = TRevisionMode::rm_Import;
  request.ReplaceOverlapping = FReplaceOverlapping;
  return Validate(record, facts, request, messages);
}

}  // namespace qora
