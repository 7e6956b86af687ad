#include "foundation/class_info.h"

#include <utility>

#include "common/text.h"
#include "foundation/base_object.h"

namespace qora {

std::string EnumInfo::NameOf(int ordinal) const {
  if (ordinal < 0 || ordinal >= static_cast<int>(names.size())) return "";
  return names[static_cast<size_t>(ordinal)];
}

int EnumInfo::OrdinalOf(std::string_view name) const {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameText(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent, Factory factory)
    : name_(std::move(name)), parent_(parent), factory_(std::move(factory)) {
  CollectProperties();
}

bool ClassInfo::InheritsFrom(const ClassInfo& ancestor) const {
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_) {
    if (c == &ancestor) return true;
  }
  return false;
}

std::unique_ptr<TnxBaseObject> ClassInfo::Create() const {
  if (!factory_) return nullptr;
  return factory_();
}

// Run after every change of the own properties: adding one may move the
// others in memory.
void ClassInfo::CollectProperties() {
  std::vector<const PropertyInfo*> result = parent_ ? parent_->Properties() : std::vector<const PropertyInfo*>{};
  for (const PropertyInfo& own : properties_) {
    bool replaced = false;
    for (const PropertyInfo*& inherited : result) {
      if (SameText(inherited->name, own.name)) {
        inherited = &own;  // a re-declared property keeps its ancestor's position
        replaced = true;
        break;
      }
    }
    if (!replaced) result.push_back(&own);
  }
  all_properties_ = std::move(result);
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view name) const {
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const PropertyInfo& p : c->properties_) {
      if (SameText(p.name, name)) return &p;
    }
  }
  return nullptr;
}

const OperationInfo* ClassInfo::FindOperation(std::string_view name) const {
  for (const ClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const OperationInfo& op : c->operations_) {
      if (SameText(op.name, name)) return &op;
    }
  }
  return nullptr;
}

void ClassInfo::AddProperty(PropertyInfo info) {
  // A second declaration of one name in the same class replaces the first,
  // so FindProperty and Properties() never disagree.
  for (PropertyInfo& p : properties_) {
    if (SameText(p.name, info.name)) {
      p = std::move(info);
      return;
    }
  }
  properties_.push_back(std::move(info));
  CollectProperties();
}

void ClassInfo::AddOperation(OperationInfo info) {
  for (OperationInfo& op : operations_) {
    if (SameText(op.name, info.name)) {
      op = std::move(info);
      return;
    }
  }
  operations_.push_back(std::move(info));
}

ClassRegistry& ClassRegistry::Instance() {
  static ClassRegistry registry;
  return registry;
}

const ClassInfo& ClassRegistry::Register(std::unique_ptr<ClassInfo> info) {
  classes_.push_back(std::move(info));
  return *classes_.back();
}

const ClassInfo* ClassRegistry::Find(std::string_view name) const {
  for (const auto& c : classes_) {
    if (SameText(c->Name(), name)) return c.get();
  }
  return nullptr;
}

std::unique_ptr<TnxBaseObject> ClassRegistry::Create(std::string_view name) const {
  const ClassInfo* info = Find(name);
  return info ? info->Create() : nullptr;
}

void EnsureClassesRegistered(std::initializer_list<const ClassInfo& (*)()> accessors) {
  for (auto accessor : accessors) {
    if (accessor != nullptr) accessor();
  }
}

}  // namespace qora
