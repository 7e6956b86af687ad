#include "award/employee_award_validation.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/format.h"
#include "db/connection.h"

namespace qora {

namespace {

// The last day before `date`'s day.
TDateTime DayBefore(TDateTime date) { return DateOf(date) - 1; }

std::string DateText(TDateTime date) { return FormatIsoDate(date); }

std::string EndText(const TEmployeeDateBasedObject& record) {
  return record.HasEndDate() ? DateText(record.EndDate()) : "<No End Date>";
}

}  // namespace

TRevisionFacts LoadRevisionFacts(TDBConnection& db, int32_t employeeID) {
  TRevisionFacts facts;
  const TDBResult employee =
      db.Query(Format("select cEmpCode, iPayFrequencyID from _iptblEmployee where idEmployee = %d", employeeID));
  if (employee.Empty()) return facts;
  facts.EmployeeCode = employee[0]["cEmpCode"].AsString();
  const int frequency = employee[0]["iPayFrequencyID"].AsInteger();

  const TDBResult period = db.Query(Format("select * from [dbo]._efnGetFreqPeriodData(%d, %d)", frequency, 0));
  if (!period.Empty()) {
    facts.PeriodStart = period[0]["dPeriodStart"].AsDateTime();
    facts.PeriodEnd = period[0]["dPeriodEnd"].AsDateTime();
  }
  const std::string ofEmployee = " and ET.iPayFrequencyID = " + std::to_string(frequency) +
                                 " and iEmployeeID = " + std::to_string(employeeID);
  facts.HasCurrentTransactions = !db.Query("select top 1 iEmployeeID from _iptblEmployeeTrans ET " +
                                           std::string(" left join PRPeriod PR on ET.iPeriodID = PR.Counter") +
                                           " where IsProcessed = 0" + ofEmployee)
                                      .Empty();
  // Processed periods only: what an unprocessed period holds can still be
  // deleted and entered again, a processed pay cannot.
  facts.LastProcessedPeriodEnd =
      db.QueryValue("select top 1 PR.PeriodEnd from _ipvEmployeeTrans ET " +
                    std::string(" left join PRPeriod PR on ET.iPeriodID = PR.Counter") + " where IsProcessed = 1" +
                    ofEmployee + " order by PR.PeriodEnd DESC")
          .AsDateTime();
  return facts;
}

// The state of one Validate call.
class TEmployeeRevisionValidator::TCheck {
 public:
  TCheck(const TEmployeeRevisionValidator& owner, const TEmployeeDateBasedObject& record,
         const TRevisionRequest& request, TEmployeeRecordMessages& messages)
      : V(owner), R(record), Q(request), M(messages) {
    if (R.ChangeType() == TChangeType::ct_Edit || R.ChangeType() == TChangeType::ct_Delete) {
      O = V.FRecords.GetExactRevision(R.ComponentID(), R.EffectiveDate());
      if (O == &R) O = nullptr;
    }
    for (int i = 0; i < V.FRecords.Count(); ++i) {
      const TEmployeeDateBasedObject* x = V.FRecords.Items(i);
      if (x == nullptr || x == &R || x == O || x->IsDeleted()) continue;
      if (V.FRecords.UseComponentCode() && R.ComponentID() != 0 && x->ComponentID() != R.ComponentID()) continue;
      Others.push_back(x);
    }
    std::stable_sort(Others.begin(), Others.end(), [](const auto* a, const auto* b) {
      return a->EffectiveDate() < b->EffectiveDate();
    });
  }

  bool Run() {
    switch (R.ChangeType()) {
      case TChangeType::ct_None: return true;
      case TChangeType::ct_Delete: return O == nullptr || CheckDelete();
      case TChangeType::ct_Edit:
        if (O != nullptr) return CheckEdit();
        [[fallthrough]];
      case TChangeType::ct_Add: return CheckAdd();
    }
    return true;
  }

 private:
  bool Import() const { return Q.Mode == TRevisionMode::rm_Import; }
  bool Backpay() const { return !Import() && Q.Backpay; }
  const TRevisionFacts& F() const { return V.FFacts; }
  std::string Word() const { return V.FWords.Component; }
  std::string Words() const { return V.FWords.Component + "s"; }
  std::string Code(const TEmployeeDateBasedObject& x) const { return V.FCodeOf(x); }
  bool HasPeriod() const { return F().PeriodStart > 0; }
  bool InCurrentPeriod(TDateTime date) const {
    return HasPeriod() && date >= F().PeriodStart && date <= F().PeriodEnd;
  }
  bool Used(const TEmployeeDateBasedObject& x) const {
    return F().LastProcessedPeriodEnd > 0 && x.EffectiveDate() <= F().LastProcessedPeriodEnd;
  }

  bool Error(const std::string& text) {
    M.AddMessage(V.FWords.RecordCaption, text);
    return false;
  }
  void Warning(const std::string& text) {
    M.AddMessage(V.FWords.RecordCaption, text, TMessageSeverity::ms_Warning);
  }

  bool CheckAdd() {
    if (!CheckUnique() || !CheckEarliest() || !CheckPeriodStart() ||
        !CheckStartWithTransactions()) {
      return false;
    }
    bool replaces = false;
    if (!CheckAddOverlap(replaces) || !CheckEndWithTransactions()) return false;
    WarnGaps(true);
    if (Backpay()) Warning(Format("%s on Employee \"%s\" have been back-dated", Words(), F().EmployeeCode));
    if (replaces) Warning(Format("Overlapping %s on Employee \"%s\" have been overwritten", Words(), F().EmployeeCode));
    return true;
  }

  bool CheckEdit() {
    const bool sameValues = R.SameAssignment(*O);
    const bool endChanged = R.EndDate() != O->EndDate() && (R.HasEndDate() || O->HasEndDate());
    if (Import() && Used(*O) && O->HasEndDate() && O->EndDate() <= F().LastProcessedPeriodEnd &&
        (!sameValues || endChanged)) {
      return Error("This record is historic. Nothing can be updated except the Change Reason.");
    }
    if (Used(*O) && !sameValues) return UsedError();
    if (!endChanged) return true;
    if (O->HasEndDate() && !R.HasEndDate() && LaterRecordExists()) {
      return Error(
          "The End Date of this record cannot be removed as the employee has a future-dated occurrence of the "
          "same component.\r\nThe End Date can be changed but not removed.");
    }
    const TDateTime lastUsed = F().LastProcessedPeriodEnd;
    if (R.HasEndDate() && lastUsed > R.EndDate() && R.EffectiveDate() <= lastUsed) {
      return Error(Format("%s \"%s\" has been used in calculations after the End Date you have entered.\r\nThe "
                          "End Date you are entering must therefore be equal to or greater than %s.",
                          Word(), Code(R), DateText(lastUsed)));
    }
    if (!CheckEndWithTransactions()) return false;
    for (const TEmployeeDateBasedObject* x : Others) {
      if (x->Overlaps(R.EffectiveDate(), R.LastDay())) return OverlapError(*x);
    }
    WarnGaps(false);
    return true;
  }

  bool CheckDelete() {
    if (Used(*O)) return UsedError();
    std::optional<TDateTime> covered;  // the last day the earlier records run to
    for (const TEmployeeDateBasedObject* x : Others) {
      if (x->EffectiveDate() < O->EffectiveDate()) covered = std::max(covered.value_or(0), x->LastDay());
    }
    const TEmployeeDateBasedObject* next = FirstStartingAfter(O->EffectiveDate());
    if (covered && next != nullptr && *covered < DayBefore(next->EffectiveDate())) {
      Warning(Format("This employee has a gap in their %s after %s", Words(), DateText(*covered)));
    }
    return true;
  }

  bool CheckUnique() {
    for (const TEmployeeDateBasedObject* x : Others) {
      if (x->EffectiveDate() == R.EffectiveDate()) {
        return Error(Format("%s \"%s\" already exists for this employee with an Effective Date of %s.\r\nPlease "
                            "enter a unique Effective Date or <Edit> the record that already exists.",
                            Word(), Code(*x), DateText(x->EffectiveDate())));
      }
    }
    return true;
  }

  bool CheckEarliest() {
    if (Others.empty() || R.EffectiveDate() >= Others.front()->EffectiveDate()) return true;
    const TEmployeeDateBasedObject& first = *Others.front();
    return Error(Format("The Effective Date you have entered is before the Effective Date of the earliest "
                        "maintenance record of %s \"%s\".\r\nThe earliest Effective Date you can enter is %s.",
                        Word(), Code(first), DateText(first.EffectiveDate())));
  }

  bool CheckPeriodStart() {
    if (!HasPeriod()) return true;
    if (Backpay()) {
      if (R.EffectiveDate() < F().PeriodStart) return true;
      return Error(Format("The Backpay Effective Date must be prior to the Start Period Date of \"%s\"",
                          DateText(F().PeriodStart)));
    }
    if (R.EffectiveDate() >= F().PeriodStart) return true;
    return Error(Format("The Effective Date may not be before the employee's current period Start Date %s.",
                        DateText(F().PeriodStart)));
  }

  bool CheckStartWithTransactions() {
    if (!F().HasCurrentTransactions || !InCurrentPeriod(R.EffectiveDate())) return true;
    return Error(
        "This record must not have an Effective Date in the current period as the employee has a current "
        "transaction.\r\nEither change the Effective Date to be after the current period End Date, or abandon the "
        "change you are making, delete the employee transactions and re-enter this change.");
  }

  bool CheckEndWithTransactions() {
    if (!F().HasCurrentTransactions || !R.HasEndDate() || !InCurrentPeriod(R.EndDate()) ||
        R.EndDate() >= F().PeriodEnd) {
      return true;
    }
    return Error(Format("Transactions exist for this employee in the current period.\r\nThe End Date you are "
                        "entering must therefore be equal to or greater than the current period End Date %s.",
                        DateText(F().PeriodEnd)));
  }

  bool CheckAddOverlap(bool& replaces) {
    for (const TEmployeeDateBasedObject* x : Others) {
      if (!x->Overlaps(R.EffectiveDate(), R.LastDay())) continue;
      const bool earlier = x->EffectiveDate() < R.EffectiveDate();
      if (!Import()) {
        if (earlier && !x->HasEndDate()) {
          return Error(Format("%s \"%s\" effective on %s already exists for this employee.\r\nThis record must be "
                              "given an End Date before another record can be added.",
                              Word(), Code(*x), DateText(x->EffectiveDate())));
        }
        return OverlapError(*x);
      }
      if (earlier && R.HasEndDate() && x->LastDay() > R.EndDate()) return OverlapError(*x);
      replaces = true;
    }
    if (replaces && !Q.ReplaceOverlapping) {
      return Error(Format("Cannot insert %s: Overlapping records exist and \"Replace Overlapping Records\" has not "
                          "been selected.",
                          V.FWords.RecordCaption));
    }
    return true;
  }

  bool OverlapError(const TEmployeeDateBasedObject& x) {
    const std::string advice =
        ".\r\nEither modify the date range of the record you are inserting or abandon this change and modify (or "
        "delete) the existing record first.";
    if (Import() && !x.HasEndDate()) {
      return Error(Format("The date range you have entered overlaps with an existing occurrence of %s \"%s\" "
                          "effective from %s onward",
                          Word(), Code(x), DateText(x.EffectiveDate())) +
                   advice);
    }
    return Error(Format("The date range you have entered overlaps with an existing occurrence of %s \"%s\" "
                        "effective from %s to %s",
                        Word(), Code(x), DateText(x.EffectiveDate()), EndText(x)) +
                 advice);
  }

  bool UsedError() {
    return Error(Format("Cannot update %s: Used records cannot be updated.", V.FWords.RecordCaption));
  }

  bool LaterRecordExists() const { return FirstStartingAfter(R.EffectiveDate()) != nullptr; }

  const TEmployeeDateBasedObject* FirstStartingAfter(TDateTime date) const {
    for (const TEmployeeDateBasedObject* x : Others) {
      if (x->EffectiveDate() > date) return x;
    }
    return nullptr;
  }

  // Gaps the record leaves against the others once it is saved (an import
  // that replaces ends the earlier record the day before and removes the
  // later ones inside the new range, so neither leaves a gap).
  void WarnGaps(bool before) {
    if (before) {
      std::optional<TDateTime> covered;
      for (const TEmployeeDateBasedObject* x : Others) {
        if (x->EffectiveDate() < R.EffectiveDate()) covered = std::max(covered.value_or(0), x->LastDay());
      }
      if (covered && *covered < DayBefore(R.EffectiveDate())) {
        Warning(Format("This employee has a gap in their %s prior to %s", Words(), DateText(R.EffectiveDate())));
      }
    }
    if (!R.HasEndDate()) return;
    const TEmployeeDateBasedObject* next = FirstStartingAfter(R.EndDate());
    if (next != nullptr && DateOf(next->EffectiveDate()) > DateOf(R.EndDate()) + 1) {
      Warning(Format("This employee has a gap in their %s after %s", Words(), DateText(R.EndDate())));
    }
  }

  const TEmployeeRevisionValidator& V;
  const TEmployeeDateBasedObject& R;
  const TRevisionRequest& Q;
  TEmployeeRecordMessages& M;
  const TEmployeeDateBasedObject* O = nullptr;
  std::vector<const TEmployeeDateBasedObject*> Others;
};

TEmployeeRevisionValidator::TEmployeeRevisionValidator(const TEmployeeDateBasedObjectList& records,
                                                       const TRevisionFacts& facts, const TRevisionWords& words,
                                                       TCodeOf codeOf)
    : FRecords(records), FFacts(facts), FWords(words), FCodeOf(std::move(codeOf)) {}

bool TEmployeeRevisionValidator::Validate(const TEmployeeDateBasedObject& record, const TRevisionRequest& request,
                                          TEmployeeRecordMessages& messages) const {
  return TCheck(*this, record, request, messages).Run();
}

}  // namespace qora
