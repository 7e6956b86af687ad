#include "foundation/object_list.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {
namespace {

[[noreturn]] void ThrowIndex(int index) {
  throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

const ClassInfo& TnxBaseObjectList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TnxBaseObjectList>("TnxBaseObjectList").Build();
  return info;
}

TnxBaseObjectList::~TnxBaseObjectList() { Clear(); }

void TnxBaseObjectList::CheckNewItemClass(const TnxBaseObject& item) const {
  const std::type_info& type = typeid(item);
  const ClassInfo& own_class = item.GetClassInfo();
  const ClassInfo* item_class = ItemClass();
  if (item_class == nullptr || own_class.InheritsFrom(*item_class)) {
    FFitting = &type;
    return;
  }
  throw std::invalid_argument("Class " + item.ClassName() + " cannot be stored in a list of " + item_class->Name() +
                              ".");
}

void TnxBaseObjectList::NotOwning() {
  throw std::logic_error("A list that does not own its items cannot take ownership of one; use AddReference.");
}

void TnxBaseObjectList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ThrowIndex(index);
}

void TnxBaseObjectList::BadIndex(int index) { ThrowIndex(index); }

int TnxBaseObjectList::Add(std::unique_ptr<TnxBaseObject> item) {
  // A shift's lists (blocks of hours, columns, pattern days) are built item
  // by item and mostly stay small: room for a few from the first spares the
  // doublings from one.
  if (FList.capacity() == 0) FList.reserve(kFirstCapacity);
  FList.push_back(MakeSlot(std::move(item)));
  TnxBaseObject* added = FList.back().ptr;
  const int index = Count() - 1;
  if (OnItemAdded) OnItemAdded(added);
  return index;
}

int TnxBaseObjectList::AddReference(TnxBaseObject* item) {
  if (FOwnsObjects) {
    throw std::logic_error("An owning list cannot hold a reference it does not own; use Add.");
  }
  CheckItemClass(item);
  FList.push_back(Slot{item, nullptr});
  int index = Count() - 1;
  if (OnItemAdded) OnItemAdded(item);
  return index;
}

void TnxBaseObjectList::Insert(int index, std::unique_ptr<TnxBaseObject> item) {
  if (index < 0 || index > Count()) ThrowIndex(index);
  FList.insert(FList.begin() + index, MakeSlot(std::move(item)));
}

void TnxBaseObjectList::Delete(int index) {
  CheckIndex(index);
  // Take the slot out before the item is destroyed, so a destructor that
  // looks at the list sees it without the item.
  Slot slot = std::move(FList[static_cast<size_t>(index)]);
  FList.erase(FList.begin() + index);
}

int TnxBaseObjectList::Remove(const TnxBaseObject* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

std::unique_ptr<TnxBaseObject> TnxBaseObjectList::Extract(const TnxBaseObject* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  std::unique_ptr<TnxBaseObject> owned = std::move(FList[static_cast<size_t>(index)].owned);
  FList.erase(FList.begin() + index);
  return owned;
}

std::vector<std::unique_ptr<TnxBaseObject>> TnxBaseObjectList::ExtractItems() {
  std::vector<std::unique_ptr<TnxBaseObject>> items;
  items.reserve(FList.size());
  for (Slot& slot : FList) {
    if (slot.owned) items.push_back(std::move(slot.owned));
  }
  FList.clear();
  return items;
}

void TnxBaseObjectList::Exchange(int i, int j) {
  CheckIndex(i);
  CheckIndex(j);
  std::swap(FList[static_cast<size_t>(i)], FList[static_cast<size_t>(j)]);
}

void TnxBaseObjectList::Move(int from, int to) {
  CheckIndex(from);
  CheckIndex(to);
  auto first = FList.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else if (from > to) {
    std::rotate(first + to, first + from, first + from + 1);
  }
}

void TnxBaseObjectList::SetItem(int index, std::unique_ptr<TnxBaseObject> item) {
  CheckIndex(index);
  Slot old = std::exchange(FList[static_cast<size_t>(index)], MakeSlot(std::move(item)));
}

int TnxBaseObjectList::IndexOf(const TnxBaseObject* item) const {
  for (size_t i = 0; i < FList.size(); ++i) {
    if (FList[i].ptr == item) return static_cast<int>(i);
  }
  return -1;
}

TnxBaseObject* TnxBaseObjectList::First() const { return FList.empty() ? nullptr : FList.front().ptr; }

TnxBaseObject* TnxBaseObjectList::Last() const { return FList.empty() ? nullptr : FList.back().ptr; }

void TnxBaseObjectList::Sort(const std::function<bool(const TnxBaseObject*, const TnxBaseObject*)>& less) {
  std::stable_sort(FList.begin(), FList.end(), [&less](const Slot& a, const Slot& b) { return less(a.ptr, b.ptr); });
}

void TnxBaseObjectList::Clear() {
  // Items are destroyed from the last to the first, after the list is
  // already empty.
  std::vector<Slot> old;
  old.swap(FList);
  while (!old.empty()) old.pop_back();
}

void TnxBaseObjectList::Assign(const TnxBaseObjectList& other) {
  if (FOwnsObjects) {
    throw std::logic_error("An owning list cannot be assigned the items of another list.");
  }
  if (&other == this) return;
  std::vector<Slot> refs;
  refs.reserve(other.FList.size());
  for (const Slot& s : other.FList) refs.push_back(Slot{s.ptr, nullptr});
  FList.swap(refs);
}

TnxBaseObject* TnxBaseObjectList::FindInstanceOf(const ClassInfo& cls, bool exact, int start) const {
  for (int i = std::max(start, 0); i < Count(); ++i) {
    TnxBaseObject* item = FList[static_cast<size_t>(i)].ptr;
    if (item == nullptr) continue;
    const ClassInfo& c = item->GetClassInfo();
    if (exact ? &c == &cls : c.InheritsFrom(cls)) return item;
  }
  return nullptr;
}

TnxBaseObject* TnxBaseObjectList::FindByID(int32_t id) const {
  for (const Slot& s : FList) {
    if (s.ptr != nullptr && s.ptr->ID() == id) return s.ptr;
  }
  return nullptr;
}

TnxBaseObject* TnxBaseObjectList::FindMatching(const TnxBaseObject* x) const {
  for (const Slot& s : FList) {
    if (s.ptr != nullptr && s.ptr->IsMatch(x)) return s.ptr;
  }
  return nullptr;
}

TnxBaseObject* TnxBaseObjectList::GetItemByLookupText(std::string_view text) const {
  for (const Slot& s : FList) {
    if (s.ptr != nullptr && SameText(s.ptr->LookupText(), text)) return s.ptr;
  }
  return nullptr;
}

bool TnxBaseObjectList::IsSublistOf(const TnxBaseObjectList& other) const {
  for (const Slot& s : FList) {
    if (other.FindMatching(s.ptr) == nullptr) return false;
  }
  return true;
}

void TnxBaseObjectList::RemoveMatching(const TnxBaseObjectList& other) {
  // From the end, so that deleting never shifts an item still to be visited.
  for (int i = Count() - 1; i >= 0; --i) {
    if (i < Count() && other.FindMatching(FList[static_cast<size_t>(i)].ptr) != nullptr) Delete(i);
  }
}

void TnxBaseObjectList::Synchronise(const TnxBaseObject* other) {
  if (other == nullptr) return;
  const auto* list = dynamic_cast<const TnxBaseObjectList*>(other);
  if (list == nullptr) {
    throw std::invalid_argument("Cannot synchronise " + ClassName() + " with " + other->ClassName() +
                                ": it is not a list.");
  }
  for (int i = 0; i < Count(); ++i) {
    TnxBaseObject* item = FList[static_cast<size_t>(i)].ptr;
    if (item == nullptr) continue;
    if (const TnxBaseObject* match = list->FindMatching(item)) item->Synchronise(match);
  }
}

void TnxBaseObjectList::RefreshLookupItems(TStringList& lines, bool clear, bool blank_line) const {
  if (clear) {
    lines.Clear();
    if (blank_line) lines.Add("");
  }
  for (const Slot& s : FList) lines.Add(s.ptr != nullptr ? s.ptr->LookupText() : std::string());
}

}  // namespace qora
