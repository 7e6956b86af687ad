// An employee's award assignment records as maintenance works on them:
// loaded from the payroll database, looked up by date, changed, validated
// and saved back through the update procedure.
//
// The list reaches the payroll database through the connection its owner
// gives it (the one payroll connection of the process; the list does not own
// it). Look-ups never need it.
//
// Messages: validation and SaveData append to a TEmployeeRecordMessages the
// caller passes and reads, and return whether the change went through; the
// list never writes to the run log itself, since its callers (the
// maintenance screen, the import, the command-line tool) each show messages
// their own way.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "award/employee_award.h"
#include "award/employee_award_validation.h"
#include "award/employee_date_based.h"
#include "award/employee_record_messages.h"

namespace qora {

class TDBConnection;

class TEmployeeAwardList : public TnxBaseObject {
  QORA_CLASS(TEmployeeAwardList, TnxBaseObject)

 public:
  explicit TEmployeeAwardList(TDBConnection* db = nullptr);

  TDBConnection* Connection() const { return FConnection; }
  void SetConnection(TDBConnection* db) { FConnection = db; }

  // The database objects and words of award assignments.
  static constexpr const char* kViewName = "_ipvEmployeeAwards";
  static constexpr const char* kUpdateProcedure = "_ipspUpdateEmployeeAward_TD";
  static constexpr const char* kVersionTable = "_iptblAwards_TD";
  static constexpr const char* kKeyColumn = "iAwardID";
  static constexpr const char* kComponentWord = "Award";
  static constexpr const char* kRecordCaption = "Employee Award";

  // The records (UseComponentCode off: an employee has one award at a time).
  TEmployeeDateBasedObjectList& Records() { return FRecords; }
  const TEmployeeDateBasedObjectList& Records() const { return FRecords; }
  int Count() const { return FRecords.Count(); }
  TEmployeeAward* Items(int index) const { return static_cast<TEmployeeAward*>(FRecords.GetItem(index)); }
  // Appends a new record (ct_Add, the list's employee) and returns it.
  TEmployeeAward* Add();
  // Appends `record`, taking ownership; a record without an employee gets
  // the list's. Returns its index.
  int AddObject(std::unique_ptr<TEmployeeAward> record);

  // The employee of the last LoadData; 0 before.
  int32_t EmployeeID() const { return FEmployeeID; }
  // The user recorded with saved changes (@iAgentID).
  int32_t AgentID() const { return FAgentID; }
  void SetAgentID(int32_t v) { FAgentID = v; }
  // Import option "Replace Overlapping Records": ValidateImportRevision then
  // accepts an addition that overlaps, and the save ends the record running
  // into it the day before and replaces those starting inside its range.
  bool ReplaceOverlapping() const { return FReplaceOverlapping; }
  void SetReplaceOverlapping(bool v) { FReplaceOverlapping = v; }

  // Look-ups (deleted records are never returned; null or 0 when none).
  TEmployeeAward* GetCurrentAward(TDateTime date) const;
  int32_t GetCurrentAwardID(TDateTime date) const;
  TEmployeeAward* GetExactRevision(TDateTime date) const;
  void GetShoulderAwards(TEmployeeAward*& previous, TEmployeeAward*& next, TDateTime endDate,
                         TDateTime effectiveDate) const;

  // Replaces the records with the employee's stored ones (not deleted), in
  // effective-date order, each ct_None. Throws eDatabaseException without a
  // connection and EDatabaseError when the query fails; the list is then
  // unchanged.
  void LoadData(int32_t employeeID);
  // Saves every changed record in one transaction: deletions first, then
  // edits, then additions (so a record can be deleted and added again on the
  // same date, and an end date moves before the next record is added). On
  // success the list is read back from the database, which the procedure
  // may have changed beyond the records sent, and true is returned. A
  // procedure message (under "Return Message") or a database error ("Error
  // Processing Employee Awards \r\nError: " and the error text) rolls the
  // whole save back, leaves the list as it was and returns false.
  bool SaveData(TEmployeeRecordMessages& messages);
  // Sends one record to the update procedure. A non-empty @Message is
  // appended under the caption "Return Message" and gives false. Throws
  // EDatabaseError when the call fails (SaveData reports it).
  bool SaveSingleRecord(const TEmployeeAward& record, TEmployeeRecordMessages& messages);

  void MarkAllAsDeleted() { FRecords.MarkAllAsDeleted(); }
  void EndCurrentDeleteFuture(TDateTime date) { FRecords.EndCurrentDeleteFuture(date); }

  // The record's own fields, caption "Employee Award", first failing test
  // only: "The Effective Date must be before the End date" (an end date not
  // after the effective date), "There is no Award selected", "There is no
  // Classification selected", "There is no Category selected", "There is no
  // Condition Group selected". True when none failed.
  static bool ValidateAward(const TEmployeeAward& record, TEmployeeRecordMessages& messages);
  // The employee's pay facts for the revision checks (LoadData first).
  // Throws as LoadData does.
  TRevisionFacts LoadRevisionFacts() const;
  // Interactive check of a change (see employee_award_validation.h): the
  // ValidateAward tests for additions and edits, then the revision checks.
  bool ValidateRevision(const TEmployeeAward& record, const TRevisionFacts& facts, bool backpay,
                        TEmployeeRecordMessages& messages) const;
  // Import check of a change: for additions and edits "The End Date must be
  // equal to or greater than the Effective Date." (a one-day record is
  // allowed) and the selection tests of ValidateAward, then the revision
  // checks with ReplaceOverlapping.
  bool ValidateImportRevision(const TEmployeeAward& record, const TRevisionFacts& facts,
                              TEmployeeRecordMessages& messages) const;

 private:
  TDBConnection& RequireConnection() const;
  std::vector<std::unique_ptr<TEmployeeAward>> ReadRecords(int32_t employeeID) const;
  void ReplaceRecords(std::vector<std::unique_ptr<TEmployeeAward>> records);
  bool Validate(const TEmployeeAward& record, const TRevisionFacts& facts, const TRevisionRequest& request,
                TEmployeeRecordMessages& messages) const;
  std::string CodeOf(const TEmployeeDateBasedObject& record) const;

  TEmployeeDateBasedObjectList FRecords;
  TDBConnection* FConnection = nullptr;
  int32_t FEmployeeID = 0;
  int32_t FAgentID = 0;
  bool FReplaceOverlapping = false;
};

}  // namespace qora
