// Where generated pay lines go besides the generator's text: the costing
// file, the payroll import file, the stored costing lines of a timesheet and
// the payroll import batch.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/string_list.h"
#include "db/value.h"
#include "foundation/enums.h"
#include "output/costing_line.h"

namespace qora {

class TDBConnection;
class TDBProcCall;
class TTimesheet;

// Writes the lines to a costing file: a new (or empty) file gets every
// line; an existing one gets every line but the first (the header), so a
// file written by several runs has one header. Lines end with CR LF.
// Throws eaiPRocessorException "Cannot write file "<path>"." when the file
// cannot be opened.
void AppendCostingFile(const std::string& pFileName, const TStringList& pLines);
// The costing file of a run that writes its lines as the shifts are
// costed: they go to "<file>.part" beside it first, and only Commit adds
// them to the costing file (as AppendCostingFile would, one header), so a
// run that fails leaves the costing file as it was. The part file goes
// when the writer does. Commit throws as AppendCostingFile when either
// file cannot be written.
class TCostingFileWriter {
 public:
  explicit TCostingFileWriter(std::string pFileName);
  ~TCostingFileWriter();
  TCostingFileWriter(const TCostingFileWriter&) = delete;
  TCostingFileWriter& operator=(const TCostingFileWriter&) = delete;

  // Where the lines go, the header first, each ended by CR LF.
  std::ostream& Lines() { return FPart; }
  void Commit();

 private:
  std::string FFileName;
  std::string FPartName;
  std::ofstream FPart;
};

// Writes the text to the file, replacing it; throws as AppendCostingFile.
void WriteTextFile(const std::string& pFileName, const std::string& pText);

// Deletes the stored costing of that type of the timesheets in the comma
// list of IDs (validated as integers; anything else throws
// EDatabaseError). An empty list does nothing.
void DeleteStoredCosting(TDBConnection& pConnection, const std::string& pTimesheetIds,
                         TaiCostingOutputType pCostingType);

// Stores the costing lines of stored timesheet rows (ShiftID above 0; the
// rest are skipped) through "_qivAddTimesheetCost" as they are handed to
// it, with the values the costing file's line gives: rate rounded to 4
// decimals, units and value to 2, dates without time. Texts are stored as
// the records hold them. Database errors propagate; the caller's
// transaction decides what stays. Must not outlive the connection.
class TCostingStore : public ITnxCostingSink {
 public:
  TCostingStore(TDBConnection& pConnection, TaiCostingOutputType pCostingType);
  ~TCostingStore() override;
  TCostingStore(const TCostingStore&) = delete;
  TCostingStore& operator=(const TCostingStore&) = delete;

  void Add(const TnxCostingLine& pLine) override;
  // Stores the lines Add may still hold. The caller flushes before it
  // commits; lines not flushed are not stored.
  void Flush();
  // The lines handed over so far.
  int Stored() const { return FStored; }

 private:
  std::unique_ptr<TDBProcCall> FCall;
  TaiCostingOutputType FCostingType;
  std::vector<TDBValue> FValues;
  int FStored = 0;
};

// Hands the payroll import text to the payroll system as one import batch
// through "_ipspAddImportData". A timesheet without description gets
// "Timesheet Import-<now as YYYY-MM-DD HH:NN:SS>" first.
void StoreYIFImport(TDBConnection& pConnection, TTimesheet& pTimesheet, const std::string& pYIFText);

}  // namespace qora
