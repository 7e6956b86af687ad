// Guards against no fault itself: published test classes covering every property kind, shared by the
// foundation tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/string_list.h"
#include "foundation/base_object.h"
#include "foundation/class_info.h"
#include "foundation/object_list.h"

namespace qora::fixture {

enum class TFxColour { fcRed, fcGreen, fcBlue };
const EnumInfo& ColourInfo();

class TFxChild : public TnxBaseObject {
  QORA_CLASS(TFxChild, TnxBaseObject)

 public:
  std::string FName;
  int32_t FLevel = 1;
};

class TFxItemA : public TnxBaseObject {
  QORA_CLASS(TFxItemA, TnxBaseObject)

 public:
  std::string FCode;
  double FAmount = 0.0;
};

class TFxItemB : public TFxItemA {
  QORA_CLASS(TFxItemB, TFxItemA)

 public:
  bool FFlag = false;
};

class TFxList : public TypedObjectList<TFxItemA> {
  QORA_CLASS(TFxList, TypedObjectList<TFxItemA>)
};

// An abstract class: registered, but the registry cannot create it.
class TFxAbstract : public TnxBaseObject {
  QORA_CLASS(TFxAbstract, TnxBaseObject)

 public:
  virtual int Kind() const = 0;
};

class TFxBase : public TnxBaseObject {
  QORA_CLASS(TFxBase, TnxBaseObject)

 public:
  int32_t FCount = 0;
  double FRate = 38.0;
  std::string FTitle = "base";
};

class TFxRecord : public TFxBase {
  QORA_CLASS(TFxRecord, TFxBase)

 public:
  double FStart = 0.0;
  bool FActive = true;
  std::string FLabel;  // re-publishes "Title" of the base
  TFxColour FColour = TFxColour::fcRed;
  TStringList FNotes;
  std::unique_ptr<TFxChild> FChild;

  // Created on first access, as award member lists are.
  TFxList* Items() {
    if (!FItems) FItems = std::make_unique<TFxList>();
    return FItems.get();
  }
  bool HasItems() const { return FItems != nullptr; }
  double Total() const { return FCount * FRate; }

 private:
  std::unique_ptr<TFxList> FItems;
};

}  // namespace qora::fixture
