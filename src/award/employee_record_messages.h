// Messages of the employee assignment records: what validation found and
// what saving them reported. Validation never throws; it appends here and
// the maintenance screen or the import shows the list to the payroll
// officer, each message under its caption (the dialog title).
#pragma once

#include <string>
#include <vector>

#include "foundation/enums.h"
#include "foundation/object_list.h"

namespace qora {

class TEmployeeRecordMessage : public TnxBaseObject {
  QORA_CLASS(TEmployeeRecordMessage, TnxBaseObject)

 public:
  TEmployeeRecordMessage() = default;

  // The dialog caption, for example "Employee Award" or "Return Message".
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& v) { FText = v; }
  // ms_Error refuses the change; ms_Warning tells the officer about a change
  // that goes ahead (a gap, a back-dated or an overwritten record).
  TMessageSeverity Severity() const { return FSeverity; }
  void SetSeverity(TMessageSeverity v) { FSeverity = v; }

 private:
  std::string FCaption;
  std::string FText;
  TMessageSeverity FSeverity = TMessageSeverity::ms_Error;
};

class TEmployeeRecordMessages : public TypedObjectList<TEmployeeRecordMessage> {
  QORA_CLASS(TEmployeeRecordMessages, TypedObjectList<TEmployeeRecordMessage>)

 public:
  TEmployeeRecordMessages() = default;

  // Appends a message; returns it (owned by the list).
  TEmployeeRecordMessage& AddMessage(const std::string& pCaption, const std::string& pText,
                                     TMessageSeverity pSeverity = TMessageSeverity::ms_Error);
  // True when any message is an error.
  bool HasErrors() const;
  // The texts in order.
  std::vector<std::string> Texts() const;
};

}  // namespace qora
