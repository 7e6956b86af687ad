// An object that holds an ordered list of engine objects. An owning list
// (the default) destroys items when they are deleted, removed or cleared and
// when the list itself is destroyed; a non-owning list only refers to them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "foundation/base_object.h"

namespace qora {

class TnxBaseObjectList : public TnxBaseObject {
  QORA_CLASS(TnxBaseObjectList, TnxBaseObject)

 public:
  explicit TnxBaseObjectList(bool owns_objects = true) : FOwnsObjects(owns_objects) {}
  ~TnxBaseObjectList() override;

  bool OwnsObjects() const { return FOwnsObjects; }
  int Count() const { return static_cast<int>(FList.size()); }
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  // Appends an item (owning lists take ownership) and then calls
  // OnItemAdded. Returns the new item's index.
  int Add(std::unique_ptr<TnxBaseObject> item);
  // Appends a reference without ownership; only for non-owning lists
  // (throws std::logic_error on an owning list).
  int AddReference(TnxBaseObject* item);
  void Insert(int index, std::unique_ptr<TnxBaseObject> item);
  // Removes item `index`, destroying it when the list owns it.
  void Delete(int index);
  // Removes the item, destroying it when owned; returns its former index or -1.
  int Remove(const TnxBaseObject* item);
  // Takes the item out without destroying it; null when not in the list.
  std::unique_ptr<TnxBaseObject> Extract(const TnxBaseObject* item);
  void Exchange(int i, int j);
  void Move(int from, int to);
  // Replaces item `index`, destroying the old one when owned.
  void SetItem(int index, std::unique_ptr<TnxBaseObject> item);
  TnxBaseObject* GetItem(int index) const;
  template <class T>
  T* ItemAs(int index) const { return static_cast<T*>(GetItem(index)); }
  int IndexOf(const TnxBaseObject* item) const;
  TnxBaseObject* First() const;  // null when empty
  TnxBaseObject* Last() const;   // null when empty
  // Stable sort; `less` as for std::stable_sort.
  void Sort(const std::function<bool(const TnxBaseObject*, const TnxBaseObject*)>& less);
  void Clear();
  // Makes this non-owning list refer to the same items as `other`
  // (throws std::logic_error on an owning list).
  void Assign(const TnxBaseObjectList& other);
  // First item of exactly (exact) or derived from `cls`, from `start`; null when none.
  TnxBaseObject* FindInstanceOf(const ClassInfo& cls, bool exact, int start = 0) const;

  // First item with that ID, from index 0; null when none.
  TnxBaseObject* FindByID(int32_t id) const;
  // First item for which item->IsMatch(x); null when none.
  TnxBaseObject* FindMatching(const TnxBaseObject* x) const;
  // First item whose LookupText equals text, ignoring case; null when none.
  TnxBaseObject* GetItemByLookupText(std::string_view text) const;
  // True when every item has a match in other (true for an empty list).
  bool IsSublistOf(const TnxBaseObjectList& other) const;
  // Deletes every item that has a match in other, walking from the end.
  void RemoveMatching(const TnxBaseObjectList& other);
  // For each item, Synchronise with its match in other (a TnxBaseObjectList).
  void Synchronise(const TnxBaseObject* other) override;
  // Fills `lines` with the lookup texts (after clearing it, and an empty
  // first line, when asked).
  void RefreshLookupItems(TStringList& lines, bool clear, bool blank_line) const;

  // Called with each item after Add.
  std::function<void(TnxBaseObject*)> OnItemAdded;

 private:
  struct Slot {
    TnxBaseObject* ptr = nullptr;
    std::unique_ptr<TnxBaseObject> owned;  // set when the list owns the item
  };
  Slot MakeSlot(std::unique_ptr<TnxBaseObject> item);

  std::vector<Slot> FList;
  bool FOwnsObjects;
};

// A typed view over an owning list: `TypedObjectList<TAllowance>` hands out
// TAllowance pointers.
template <class T, class Base = TnxBaseObjectList>
class TypedObjectList : public Base {
 public:
  using Base::Base;
  T* Items(int index) const { return static_cast<T*>(this->GetItem(index)); }
  T* AddNew() {
    auto item = std::make_unique<T>();
    T* raw = item.get();
    this->Add(std::move(item));
    return raw;
  }
};

}  // namespace qora
