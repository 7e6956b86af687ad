// Validation messages of award objects. Validation never throws: it appends
// messages here, and the maintenance screens and the award import show them.
#pragma once

#include <string>
#include <vector>

#include "foundation/award_const.h"
#include "foundation/object_list.h"

namespace qora {

class TObjAwardMessage : public TnxBaseObject {
  QORA_CLASS(TObjAwardMessage, TnxBaseObject)

 public:
  TObjAwardMessage() = default;

  // The message exactly as validation words it.
  const std::string& Message() const { return FMessage; }
  void SetMessage(const std::string& v) { FMessage = v; }
  TaiMsgSeverity Severity() const { return FSeverity; }
  void SetSeverity(TaiMsgSeverity v) { FSeverity = v; }
  // 1-based line of the list item the message is about; 0 for none.
  int32_t LineNo() const { return FLineNo; }
  void SetLineNo(int32_t v) { FLineNo = v; }
  // The message as shown to the user: "Line 3: ..." for a list item's
  // message, otherwise the message itself.
  std::string DisplayText() const;

 private:
  std::string FMessage;
  TaiMsgSeverity FSeverity = TaiMsgSeverity::aims_Error;
  int32_t FLineNo = 0;
};

class TObjListAwardMessages : public TypedObjectList<TObjAwardMessage> {
  QORA_CLASS(TObjListAwardMessages, TypedObjectList<TObjAwardMessage>)

 public:
  TObjListAwardMessages() = default;

  // Appends an error message; returns it (owned by the list).
  TObjAwardMessage& AddMessage(const std::string& pMessage, int32_t pLineNo = 0);
  // The Message texts in order (without line numbers).
  std::vector<std::string> Texts() const;
  // The DisplayText of every message in order.
  std::vector<std::string> DisplayTexts() const;
};

// The message for a code that holds a blank, ",", "-" or an apostrophe,
// naming the field (for example "Rate Code").
std::string CodeCharsMessage(const std::string& pField);
// "No apostrophe's allowed in <field>."
std::string ApostropheMessage(const std::string& pField);
// True when the code holds a blank, ",", "-" or an apostrophe: characters
// that break the payroll's code lists and the generated expressions.
bool HasInvalidCodeChars(const std::string& pCode);
bool HasApostrophe(const std::string& pText);

// Adds pEmptyMessage when the trimmed code is empty, otherwise the
// code-character message for pField when the code holds a character codes
// may not contain.
void ValidateCodeText(TObjListAwardMessages& pMessages, const std::string& pCode, const std::string& pEmptyMessage,
                      const std::string& pField);
// Adds pEmptyMessage when the trimmed text is empty, otherwise the
// apostrophe message for pField when the text holds an apostrophe.
void ValidateDescriptionText(TObjListAwardMessages& pMessages, const std::string& pText,
                             const std::string& pEmptyMessage, const std::string& pField);
// True when a percentage or amount counts as not entered: at most 0 once
// rounded to two decimals.
bool NotEnteredAmount(double pValue);
// The checks of a time window's hours: for aicto_Between "From Time has not
// been entered." and "To Time has not been entered." (each at most 0),
// otherwise "Time has not been entered." (pTime1 at most 0). Midnight (0)
// therefore counts as not entered.
void ValidateTimeWindow(TObjListAwardMessages& pMessages, TaiConditionTimeOpt pOption, double pTime1, double pTime2);

}  // namespace qora
