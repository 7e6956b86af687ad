// Checks on a change to an employee's effective-dated records before it is
// saved, in the maintenance screen (interactive) and in imports. They keep
// an employee's assignment history one that payroll can trust: no two
// records in force on the same day, no gap opened without the officer being
// told, nothing changed inside a pay period that has been processed, and no
// end date before the last day the record was used in a pay calculation.
//
// The record checked is the proposed record, not one of the list's own: for
// ct_Add a new record, for ct_Edit and ct_Delete a copy whose effective date
// (the key the update procedure uses) finds the original in the list. A
// ct_Edit whose original is not in the list is checked as an addition. A
// list record passed in is left out of the comparisons and counts as its own
// original (nothing changed).
//
// Checks in order; the first error ends the check (one error at a time, as
// the screen shows them), warnings only accompany an accepted change.
// The record's own fields are checked before (TEmployeeAwardList). Texts
// name the component by its word ("Award"; "%ss" is the word made plural,
// "Awards") and the code of the record concerned, the employee by code, and
// show dates as YYYY-MM-DD, the form the update procedure's own messages use.
//
//  Adding (ct_Add):
//   a record of the same component with the same effective date -> "%s
//     \"%s\" already exists for this employee with an Effective Date of %s..."
//   effective date before the employee's earliest record -> "The Effective
//     Date you have entered is before the Effective Date of the earliest
//     maintenance record...". The earliest record is where the employee's
//     assignment history starts; an earlier start replaces that record
//     rather than slipping in before it.
//   interactive back pay: effective date not before the current period start
//     -> "The Backpay Effective Date must be prior to the Start Period Date of
//     \"%s\"" (the period start);
//   otherwise: effective date before the current period start -> "The
//     Effective Date may not be before the employee's current period Start
//     Date %s." Days of earlier periods have been paid.
//   effective date inside the current period while the employee has
//     unprocessed transactions -> "This record must not have an Effective Date
//     in the current period as the employee has a current transaction..."
//   overlap with another record:
//     interactive: an open record starting earlier -> "%s \"%s\" effective on
//       %s already exists for this employee.\r\nThis record must be given an
//       End Date before another record can be added."; any other -> "The
//       date range you have entered overlaps ... from %s to %s..." (an open
//       end as "<No End Date>");
//     import: a record starting earlier and running past the new end (the
//       new record would split it) -> the same overlap text, or for an open
//       record "... effective from %s onward..."; other overlaps without
//       ReplaceOverlapping -> "Cannot insert Employee Award: Overlapping
//       records exist and \"Replace Overlapping Records\" has not been
//       selected."; with it the save ends the earlier record and replaces
//       the later ones, and the warning "Overlapping %ss on Employee \"%s\"
//       have been overwritten" says so;
//   end date inside the current period, before its end, while the employee
//     has unprocessed transactions -> "Transactions exist for this employee
//     in the current period.\r\nThe End Date you are entering must therefore
//     be equal to or greater than the current period End Date %s."
//   warnings: "This employee has a gap in their %ss prior to %s" (no record
//     runs up to the day before the effective date although earlier records
//     exist) and "... after %s" (the next record starts later than the day
//     after the end date); interactive back pay: "%ss on Employee \"%s\" have
//     been back-dated".
//  Editing (ct_Edit), against the original:
//   import: the original is historic (it ended on or before the end of the
//     last processed period in which the employee was paid) and anything but
//     the change reason differs -> "This record is historic. Nothing can be
//     updated except the Change Reason."
//   the original has been used (it started on or before that period end) and
//     a pay value differs -> "Cannot update Employee Award: Used records
//     cannot be updated." (in both modes: paid history stays as it was paid;
//     a new record from the current period changes the assignment);
//   when the end date changes: removing it while a later record exists ->
//     "The End Date of this record cannot be removed ..."; an end date before
//     the last processed period end the record was used in -> "%s \"%s\" has
//     been used in calculations after the End Date you have entered...";
//     the current-transactions end date check above; overlap with another
//     record (edits never replace) -> the overlap text of the mode; the gap
//     warning after the end date.
//  Deleting (ct_Delete): a used original -> "Cannot update Employee Award:
//   Used records cannot be updated."; a warning when the records around it
//   no longer meet ("gap ... after %s", the day before the gap).
//  ct_None: nothing to check.
#pragma once

#include <functional>
#include <string>

#include "award/employee_date_based.h"
#include "award/employee_record_messages.h"
#include "common/datetime.h"

namespace qora {

class TDBConnection;

// What validation needs to know about the employee's pay, read from the
// payroll database by LoadRevisionFacts (or set by the caller).
struct TRevisionFacts {
  std::string EmployeeCode;
  // The current pay period of the employee's pay frequency (the earliest
  // unprocessed one); both 0 when there is none.
  TDateTime PeriodStart = 0;
  TDateTime PeriodEnd = 0;
  // The employee has transactions in an unprocessed period.
  bool HasCurrentTransactions = false;
  // The end of the last processed period in which the employee has
  // transactions; 0 when they have never been paid.
  TDateTime LastProcessedPeriodEnd = 0;
};

// Reads the facts of employee `employeeID` (idEmployee of _iptblEmployee).
// An unknown employee gives empty facts. Throws EDatabaseError when a query
// fails.
TRevisionFacts LoadRevisionFacts(TDBConnection& db, int32_t employeeID);

enum class TRevisionMode { rm_Interactive, rm_Import };

struct TRevisionRequest {
  TRevisionMode Mode = TRevisionMode::rm_Interactive;
  // Interactive: the officer is entering a back-dated change (back pay).
  bool Backpay = false;
  // Import: "Replace Overlapping Records" is selected.
  bool ReplaceOverlapping = false;
};

// The words a list's messages use.
struct TRevisionWords {
  std::string Component;      // "Award"
  std::string RecordCaption;  // "Employee Award": the messages' caption
};

class TEmployeeRevisionValidator {
 public:
  // The code of a record's component for messages.
  using TCodeOf = std::function<std::string(const TEmployeeDateBasedObject&)>;

  // All references must outlive the validator.
  TEmployeeRevisionValidator(const TEmployeeDateBasedObjectList& records, const TRevisionFacts& facts,
                             const TRevisionWords& words, TCodeOf codeOf);

  // Checks `record` as described above, appending to `messages`. True when
  // no error was added (warnings may have been). Never throws for data.
  bool Validate(const TEmployeeDateBasedObject& record, const TRevisionRequest& request,
                TEmployeeRecordMessages& messages) const;

 private:
  class TCheck;

  const TEmployeeDateBasedObjectList& FRecords;
  const TRevisionFacts& FFacts;
  const TRevisionWords& FWords;
  TCodeOf FCodeOf;
};

}  // namespace qora
