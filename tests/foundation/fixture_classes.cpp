// Guards against no fault itself: registers the foundation tests' fixture classes.
#include "foundation/fixture_classes.h"

#include "foundation/class_builder.h"

namespace qora::fixture {

const EnumInfo& ColourInfo() {
  static const EnumInfo info{"TFxColour", {"fcRed", "fcGreen", "fcBlue"}};
  return info;
}

const ClassInfo& TFxChild::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TFxChild>("TFxChild").Field("Name", &TFxChild::FName).Field("Level", &TFxChild::FLevel).Build();
  return info;
}

const ClassInfo& TFxItemA::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TFxItemA>("TFxItemA")
                                     .Field("Code", &TFxItemA::FCode)
                                     .Field("Amount", &TFxItemA::FAmount)
                                     .Build();
  return info;
}

const ClassInfo& TFxItemB::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TFxItemB>("TFxItemB").Field("Flag", &TFxItemB::FFlag).Build();
  return info;
}

const ClassInfo& TFxList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TFxList>("TFxList").Build();
  return info;
}

const ClassInfo& TFxAbstract::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TFxAbstract>("TFxAbstract", true).Build();
  return info;
}

const ClassInfo& TFxBase::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TFxBase>("TFxBase")
                                     .Field("Count", &TFxBase::FCount)
                                     .Field("Rate", &TFxBase::FRate)
                                     .Field("Title", &TFxBase::FTitle)
                                     .Build();
  return info;
}

const ClassInfo& TFxRecord::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TFxRecord>("TFxRecord")
          .DateField("Start", &TFxRecord::FStart)
          .Field("Active", &TFxRecord::FActive)
          .Property(
              "Title", PropKind::String, [](const TFxRecord& r) { return r.FLabel; },
              [](TFxRecord& r, const PropValue& v) { r.FLabel = std::get<std::string>(v); })
          .Enum("Colour", &TFxRecord::FColour, ColourInfo())
          .Field("Notes", &TFxRecord::FNotes)
          .OwnedObject("Child", &TFxRecord::FChild)
          .Object("Items", [](TFxRecord& r) { return r.Items(); }, true)
          .Getter("Total", PropKind::Double, [](const TFxRecord& r) { return r.Total(); })
          .Getter("Shade", PropKind::Enumeration, [](const TFxRecord& r) { return r.FColour; }, &ColourInfo())
          .Build();
  return info;
}

}  // namespace qora::fixture
