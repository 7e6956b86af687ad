#include "timesheet/timesheet_file_loader.h"

#include "common/text.h"
#include "timesheet/csv_timesheet_reader.h"
#include "timesheet/timecard_reader.h"
#include "timesheet/timesheet.h"

namespace qora {

void LoadTimesheetFromFile(const std::string& pPath, TTimesheet& pInto, TUserFeedback* pLog) {
  if (UpperCase(ExtractFileExt(pPath)) == ".XML") {
    LoadXMLTimesheet(pInto, pPath, pLog);
  } else {
    LoadCSVTimesheet(pInto, pPath, pLog);
  }
  pInto.FillInShiftDetails();
  pInto.SortTimesheet();
}

}  // namespace qora
