#include "award/employee_record_messages.h"

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TEmployeeRecordMessage::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TEmployeeRecordMessage>("TEmployeeRecordMessage")
                                     .Field("Caption", &TEmployeeRecordMessage::FCaption)
                                     .Field("Text", &TEmployeeRecordMessage::FText)
                                     .Build();
  return info;
}

const ClassInfo& TEmployeeRecordMessages::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TEmployeeRecordMessages>("TEmployeeRecordMessages").Build();
  return info;
}

TEmployeeRecordMessage& TEmployeeRecordMessages::AddMessage(const std::string& pCaption, const std::string& pText,
                                                            TMessageSeverity pSeverity) {
  TEmployeeRecordMessage* message = AddNew();
  message->SetCaption(pCaption);
  message->SetText(pText);
  message->SetSeverity(pSeverity);
  return *message;
}

bool TEmployeeRecordMessages::HasErrors() const {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i)->Severity() == TMessageSeverity::ms_Error) return true;
  }
  return false;
}

std::vector<std::string> TEmployeeRecordMessages::Texts() const {
  std::vector<std::string> texts;
  for (int i = 0; i < Count(); ++i) texts.push_back(Items(i)->Text());
  return texts;
}

}  // namespace qora
