// Reading an XML time-card document (root element TimeCards) into a
// timesheet. Element and attribute names are case-sensitive; children are
// found by name, so their order does not matter.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace qora {

class TTimesheet;
class TUserFeedback;

// Appends the shifts of every TimeCard, in document order, and sets the
// timesheet's ShiftCount to the number read:
//  - each Shift element becomes a shift of the card's TimeCardNo with
//    TimesheetTotalHours = the card's TotalHours, one ordinary "Normal"
//    block per ShiftHours (work code = Job, job title = PayRateCode), and
//    the rostered start, finish and break;
//  - Allowance elements of Type "Unit" add their Value to a floating-point
//    column "f<AllowanceNo>" of the card's last shift (a card with such
//    allowances but no Shift gets a dummy shift for them);
//  - each Leave element becomes a leave entry of the employee's shift on
//    its FromDate, or of a new dummy shift on that date.
// Does not fill in breaks or sort; the caller does.
// Throws eLoadFromStreamException with the XML parser's description when
// the text is not well-formed, or when its root element is not TimeCards,
// and eLoadFromFileException "\"<text>\" is not a valid date and time."
// for a date-time text that cannot be read. A document that is not UTF-8
// (nor UTF-16 with a byte-order mark) is read as Windows-1252, with a
// warning in `pLog` (may be null).
void LoadXMLTimesheetFromString(TTimesheet& pTimesheet, std::string_view pXml, TUserFeedback* pLog);
void LoadXMLTimesheetFromStream(TTimesheet& pTimesheet, std::istream& pStream, TUserFeedback* pLog);
// As above, from a file; throws eLoadFromFileException "Cannot open file
// \"<path>\"." when it cannot be read.
void LoadXMLTimesheet(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog);

}  // namespace qora
