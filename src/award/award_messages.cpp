#include "award/award_messages.h"

#include <memory>

#include "common/format.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjAwardMessage::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjAwardMessage>("TObjAwardMessage")
                                     .Field("Message", &TObjAwardMessage::FMessage)
                                     .Enum("Severity", &TObjAwardMessage::FSeverity, TaiMsgSeverityInfo())
                                     .Field("LineNo", &TObjAwardMessage::FLineNo)
                                     .Build();
  return info;
}

std::string TObjAwardMessage::DisplayText() const {
  if (FLineNo <= 0) return FMessage;
  return "Line " + std::to_string(FLineNo) + ": " + FMessage;
}

const ClassInfo& TObjListAwardMessages::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardMessages>("TObjListAwardMessages").Build();
  return info;
}

TObjAwardMessage& TObjListAwardMessages::AddMessage(const std::string& pMessage, int32_t pLineNo) {
  TObjAwardMessage* message = AddNew();
  message->SetMessage(pMessage);
  message->SetLineNo(pLineNo);
  return *message;
}

std::vector<std::string> TObjListAwardMessages::Texts() const {
  std::vector<std::string> texts;
  for (int i = 0; i < Count(); ++i) texts.push_back(Items(i)->Message());
  return texts;
}

std::vector<std::string> TObjListAwardMessages::DisplayTexts() const {
  std::vector<std::string> texts;
  for (int i = 0; i < Count(); ++i) texts.push_back(Items(i)->DisplayText());
  return texts;
}


std::string CodeCharsMessage(const std::string& pField) {
  return "The " + pField +
         " can only contain alpha/numberic values or $ or % signs.\r\n"
         "(No spaces, \"-\", \",\" or apostrophe's are allowed)";
}

std::string ApostropheMessage(const std::string& pField) { return "No apostrophe's allowed in " + pField + "."; }

bool HasInvalidCodeChars(const std::string& pCode) { return pCode.find_first_of(" ,-'") != std::string::npos; }

bool HasApostrophe(const std::string& pText) { return pText.find('\'') != std::string::npos; }

void ValidateCodeText(TObjListAwardMessages& pMessages, const std::string& pCode, const std::string& pEmptyMessage,
                      const std::string& pField) {
  if (Trim(pCode).empty()) {
    pMessages.AddMessage(pEmptyMessage);
  } else if (HasInvalidCodeChars(pCode)) {
    pMessages.AddMessage(CodeCharsMessage(pField));
  }
}

void ValidateDescriptionText(TObjListAwardMessages& pMessages, const std::string& pText,
                             const std::string& pEmptyMessage, const std::string& pField) {
  if (Trim(pText).empty()) {
    pMessages.AddMessage(pEmptyMessage);
  } else if (HasApostrophe(pText)) {
    pMessages.AddMessage(ApostropheMessage(pField));
  }
}

bool NotEnteredAmount(double pValue) { return RoundCosting(pValue, 2) <= 0; }

void ValidateTimeWindow(TObjListAwardMessages& pMessages, TaiConditionTimeOpt pOption, double pTime1, double pTime2) {
  if (pOption == TaiConditionTimeOpt::aicto_Between) {
    if (pTime1 <= 0) pMessages.AddMessage("From Time has not been entered.");
    if (pTime2 <= 0) pMessages.AddMessage("To Time has not been entered.");
  } else if (pTime1 <= 0) {
    pMessages.AddMessage("Time has not been entered.");
  }
}

}  // namespace qora
