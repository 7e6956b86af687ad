// Moving award versions between award files and payroll databases: storing
// an award into the database's award tables (import) and reading one
// version back through the engine's own loader (export).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/datetime.h"

namespace qora {

class TDBConnection;
class TObjAward;

struct TAwardImportResult {
  int32_t AwardID = 0;
  int32_t AwardTDID = 0;
  // True when a version with the same code and effective date was there
  // and has been replaced.
  bool Replaced = false;
  int32_t Components = 0;
};

// Stores pAward as the version of its Code (found ignoring case, created
// when new) that starts on its EffectiveDate, in one transaction: award and
// version rows, pay classes (by code within the award) with the version's
// rates, categories (by code; created when the database has none) with the
// version's links, condition groups (by name), jobs (by title; their cost
// accounts by code, created when missing) and one _iptblAwardConditions
// row per component with its XML, module by family and iConditionType.
// A version already stored for the same code and date is replaced: its
// rates, links and components are rewritten; pay classes, condition groups
// and jobs, which belong to the award and may serve other versions and
// employees, are updated in place and never deleted.
// Before anything stays stored the award is validated (header, categories,
// condition groups, jobs and their classifications, components); any
// message makes the import throw eaiPRocessorException listing them all.
// Any failure, including database errors, rolls the whole import back and
// leaves the database as it was. pAward's category identities are set to
// the database's; nothing else of it changes.
TAwardImportResult ImportAward(TDBConnection& pConnection, TObjAward& pAward);

// The version of award pCode (ignoring case) in force on pDate, read from
// the payroll database by the same loader a costing run uses. Owned by the
// caller. Throws eRecordNotFoundException "Award "<code>" has no version in
// force on <YYYY-MM-DD>." when there is none; database errors propagate.
std::unique_ptr<TObjAward> LoadStoredAward(TDBConnection& pConnection, const std::string& pCode, TDateTime pDate);

// Sets every database identity of the award and its members to 0 (award,
// version, standard rate, pay classes, category links and categories,
// condition groups, jobs, component rows): they mean nothing outside the
// database they came from. The standard pay class stays marked by its
// IsStandardRate.
void ClearDatabaseIdentities(TObjAward& pAward);

// The award file text of LoadStoredAward's award, without database
// identities, so that an award exported, imported elsewhere and exported
// again gives the same bytes.
std::string ExportAwardText(TDBConnection& pConnection, const std::string& pCode, TDateTime pDate);

}  // namespace qora
