// An object that holds an ordered list of engine objects. An owning list
// (the default) destroys items when they are deleted, removed, replaced or
// cleared and when the list itself is destroyed (after the destructors of
// derived lists have run); a non-owning list only refers to them.
//
// Indexes are 0-based; a bad index throws std::out_of_range with the
// message "List index out of bounds (%d)". Items may be null only when the
// caller adds null; the find operations skip null items.
#pragma once

#include <functional>
#include <memory>
#include <typeinfo>
#include <vector>

#include "foundation/base_object.h"

namespace qora {

class TnxBaseObjectList : public TnxBaseObject {
  QORA_CLASS(TnxBaseObjectList, TnxBaseObject)

 public:
  explicit TnxBaseObjectList(bool owns_objects = true) : FOwnsObjects(owns_objects) {}
  ~TnxBaseObjectList() override;

  bool OwnsObjects() const { return FOwnsObjects; }
  // The class every item must be of or derive from; null when the list
  // takes any object. Add, AddReference, Insert and SetItem throw
  // std::invalid_argument "Class <item's class> cannot be stored in a list
  // of <class>." for an item that is not of it, so that a typed view
  // (TypedObjectList) can rely on the class of what it hands out.
  virtual const ClassInfo* ItemClass() const { return nullptr; }
  int Count() const { return static_cast<int>(FList.size()); }
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  // Appends an item, taking ownership, and then calls OnItemAdded. Returns
  // the new item's index. Only for owning lists: a non-owning list throws
  // std::logic_error (use AddReference).
  int Add(std::unique_ptr<TnxBaseObject> item);
  // Appends a reference without ownership and then calls OnItemAdded; only
  // for non-owning lists (throws std::logic_error on an owning list).
  int AddReference(TnxBaseObject* item);
  // Inserts before `index` (0..Count); ownership as for Add. OnItemAdded is
  // not called.
  void Insert(int index, std::unique_ptr<TnxBaseObject> item);
  // Removes item `index`, destroying it when the list owns it.
  void Delete(int index);
  // Removes the item, destroying it when owned; returns its former index or -1.
  int Remove(const TnxBaseObject* item);
  // Takes the item out without destroying it and hands it to the caller;
  // null when not in the list. A non-owning list drops the reference and
  // returns null (it never owned the item).
  std::unique_ptr<TnxBaseObject> Extract(const TnxBaseObject* item);
  // Takes every item out, in list order, and hands them to the caller,
  // leaving the list empty. A non-owning list drops its references and
  // returns nothing.
  std::vector<std::unique_ptr<TnxBaseObject>> ExtractItems();
  void Exchange(int i, int j);
  // Takes the item at `from` out and puts it back at index `to`.
  void Move(int from, int to);
  // Replaces item `index`, destroying the old one when owned; ownership of
  // the new one as for Add.
  void SetItem(int index, std::unique_ptr<TnxBaseObject> item);
  // Inline: lists are walked item by item on every shift.
  TnxBaseObject* GetItem(int index) const {
    if (static_cast<size_t>(index) >= FList.size()) BadIndex(index);
    return FList[static_cast<size_t>(index)].ptr;
  }
  template <class T>
  T* ItemAs(int index) const { return static_cast<T*>(GetItem(index)); }
  // Index of that very object (pointer identity); -1 when absent.
  int IndexOf(const TnxBaseObject* item) const;
  TnxBaseObject* First() const;  // null when empty
  TnxBaseObject* Last() const;   // null when empty
  // Stable sort; `less` as for std::stable_sort.
  void Sort(const std::function<bool(const TnxBaseObject*, const TnxBaseObject*)>& less);
  // Empties the list; owned items are destroyed from the last to the first.
  void Clear();
  // Makes this non-owning list refer to the same items as `other`
  // (throws std::logic_error on an owning list).
  void Assign(const TnxBaseObjectList& other);
  // First item of exactly (exact) or derived from `cls`, from `start`; null when none.
  TnxBaseObject* FindInstanceOf(const ClassInfo& cls, bool exact, int start = 0) const;

  // First item with that ID, from index 0; null when none.
  TnxBaseObject* FindByID(int32_t id) const;
  // First item for which item->IsMatch(x), from index 0; null when none
  // (always null for x == null).
  TnxBaseObject* FindMatching(const TnxBaseObject* x) const;
  // First item whose LookupText equals text, ignoring case, from index 0;
  // null when none.
  TnxBaseObject* GetItemByLookupText(std::string_view text) const;
  // True when every item has a match in other (true for an empty list).
  bool IsSublistOf(const TnxBaseObjectList& other) const;
  // Deletes every item that has a match in other, walking from the end.
  void RemoveMatching(const TnxBaseObjectList& other);
  // For each item in index order, item->Synchronise(match) with its match
  // in other. other must be a TnxBaseObjectList (std::invalid_argument
  // otherwise); null does nothing.
  void Synchronise(const TnxBaseObject* other) override;
  // Fills `lines` with the lookup texts (after clearing it, and an empty
  // first line, when asked).
  void RefreshLookupItems(TStringList& lines, bool clear, bool blank_line) const;

  // Called with each item after Add and AddReference (the XML loader fills
  // lists with Add, so it runs there too); not after Insert or SetItem.
  std::function<void(TnxBaseObject*)> OnItemAdded;

 private:
  struct Slot {
    TnxBaseObject* ptr = nullptr;
    std::unique_ptr<TnxBaseObject> owned;  // set when the list owns the item
  };
  static constexpr size_t kFirstCapacity = 8;
  // Inline, as is the check for the type that fitted last: an item is
  // added to some list many times a shift.
  Slot MakeSlot(std::unique_ptr<TnxBaseObject> item) {
    if (!FOwnsObjects && item) NotOwning();
    CheckItemClass(item.get());
    TnxBaseObject* ptr = item.get();
    return Slot{ptr, std::move(item)};
  }
  void CheckItemClass(const TnxBaseObject* item) const {
    if (item != nullptr && &typeid(*item) != FFitting) CheckNewItemClass(*item);
  }
  void CheckNewItemClass(const TnxBaseObject& item) const;
  [[noreturn]] static void NotOwning();
  void CheckIndex(int index) const;
  [[noreturn]] static void BadIndex(int index);

  std::vector<Slot> FList;
  bool FOwnsObjects;
  // The C++ type of the last item found to fit: a list's items are mostly
  // of one type, which then needs no class look-up, no walk up its
  // ancestors, nor a call of ItemClass (fixed for the list's type). Whether
  // an item fits follows from its type alone.
  mutable const std::type_info* FFitting = nullptr;
};

// A typed view over an owning list: `TypedObjectList<TAllowance>` hands out
// TAllowance pointers.
template <class T, class Base = TnxBaseObjectList>
class TypedObjectList : public Base {
 public:
  using Base::Base;
  const ClassInfo* ItemClass() const override { return &T::StaticClassInfo(); }
  T* Items(int index) const { return static_cast<T*>(this->GetItem(index)); }
  T* AddNew() {
    auto item = std::make_unique<T>();
    T* raw = item.get();
    this->Add(std::move(item));
    return raw;
  }

  // The items in list order for a range-for, read from the list itself so
  // that nothing is copied or allocated. The loop must not add or remove
  // items (changing the items themselves is fine).
  class TRange {
   public:
    class iterator {
     public:
      iterator(const TypedObjectList* pList, int pIndex) : FList(pList), FIndex(pIndex) {}
      T* operator*() const { return FList->Items(FIndex); }
      iterator& operator++() {
        ++FIndex;
        return *this;
      }
      bool operator!=(const iterator& pOther) const { return FIndex != pOther.FIndex; }

     private:
      const TypedObjectList* FList;
      int FIndex;
    };
    explicit TRange(const TypedObjectList* pList) : FList(pList) {}
    iterator begin() const { return iterator(FList, 0); }
    iterator end() const { return iterator(FList, FList->Count()); }

   private:
    const TypedObjectList* FList;
  };
  TRange All() const { return TRange(this); }
};

}  // namespace qora
