// An owning list that accepts only items of one class (or derived ones).
// Award files name item classes by text, so a list must not trust what it
// is handed: a foreign item is taken out again and the Add fails, and
// Items() can safely hand out typed pointers.
#pragma once

#include <stdexcept>
#include <string>

#include "foundation/object_list.h"

namespace qora {

template <class T, class Base = TnxBaseObjectList>
class TCheckedObjectList : public TypedObjectList<T, Base> {
 public:
  // Add throws std::invalid_argument ("Class X cannot be stored in
  // TList.") for an item that is not a T; the list is left as it was.
  // Null items are accepted as TnxBaseObjectList accepts them.
  TCheckedObjectList() {
    this->OnItemAdded = [this](TnxBaseObject* item) {
      if (item == nullptr || item->InheritsFrom(T::StaticClassInfo())) return;
      const std::string name = item->ClassName();
      this->Delete(this->Count() - 1);
      throw std::invalid_argument("Class " + name + " cannot be stored in " + this->ClassName() + ".");
    };
  }

};

}  // namespace qora
