// The function table of the expression language. A name maps to a function
// set: one or more typed overloads (parameter types, result type, callback),
// the way a SQL engine keeps scalar function sets. Most names have a single
// overload; Abs, Max, Min, Sqr, Case, If and MultiInterpolate have several and
// are resolved by argument types when an expression is compiled.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formula/value.h"

namespace qora {

class TnxBaseObject;

// Arguments as handed to a function: one pointer per argument, each at the
// argument's current value in its natural storage (D for Real parameters, I
// for Integer, B for Boolean, S for String). High is the index of the last one.
using TQelValues = const TQelValue* const*;

using TQelRealFunction = double (*)(TnxBaseObject* WorkItem, TQelValues Values, int High);
using TQelIntegerFunction = int32_t (*)(TnxBaseObject* WorkItem, TQelValues Values, int High);
using TQelBooleanFunction = bool (*)(TnxBaseObject* WorkItem, TQelValues Values, int High);
// Writes the text into Result, whose earlier contents are to be replaced;
// reusing its buffer keeps evaluation free of allocations for short texts.
using TQelStringFunction = void (*)(TnxBaseObject* WorkItem, TQelValues Values, int High, std::string& Result);

// How a call is evaluated. Plain calls evaluate every argument and call the
// function; selects (Case, If) and MultiInterpolate evaluate only the
// arguments they need.
enum class TQelCallKind : uint8_t { Plain, Select, MultiInterpolate };

// What of the work item a repeatable function's answer depends on, besides
// its arguments; it says how long a shared call of it stays answered (see
// TQelSharedTrees).
enum class TQelWorkItemUse : uint8_t {
  Changing,     // what actions may change: answered again after each action
  FixedForRun,  // what stays as it is for a whole run (a shift's public holidays)
  None          // nothing: the arguments decide the answer
};

// The registration record of one function.
struct TFunctionRecord {
  // Declared parameter types; the length is the declared parameter count.
  std::vector<TQelDataType> InputDataTypes;
  // 0: all required; n > 0: the last n may be omitted; -1: variable count
  // (at least count-1 arguments, extra ones take the last declared type).
  int OptionalArguments = 0;
  // True: a call whose arguments are all constants is evaluated once at
  // compile time. Functions that read the work item must set it false.
  bool CanConvertToConstant = true;
  // True for a function that reads the work item but, given equal
  // arguments, answers the same while the work item does not change: a
  // repeated call may then be evaluated once (see TQelSharedTrees). Functions
  // that may be converted to constants are repeatable anyway.
  bool Repeatable = false;
  // For a repeatable function, what of the work item it reads. Functions
  // that may be converted to constants read none of it.
  TQelWorkItemUse WorkItemUse = TQelWorkItemUse::Changing;
  std::string Name;
  // Category and call template, e.g. "Math|AbsI(Value)".
  std::string Prototype;
  bool Hidden = false;
  std::vector<std::string> Synonyms;
  TQelDataType ResultType = rdtDouble;
  // Exactly one address is set; it fixes the result type.
  TQelRealFunction RFunctionAddr = nullptr;
  TQelIntegerFunction IFunctionAddr = nullptr;
  TQelBooleanFunction BFunctionAddr = nullptr;
  TQelStringFunction SFunctionAddr = nullptr;
};

// The run-time form of a record: one overload of a function set.
struct TFunctionClass {
  std::vector<TQelDataType> InputDataTypes;
  int OptionalArguments = 0;
  bool AllowConversionToConstant = true;
  bool Repeatable = false;
  TQelWorkItemUse WorkItemUse = TQelWorkItemUse::Changing;
  std::string Name;
  std::string Prototype;
  bool Hidden = false;
  TQelDataType ResultType = rdtDouble;
  TQelCallKind CallKind = TQelCallKind::Plain;
  TQelRealFunction RFunctionAddr = nullptr;
  TQelIntegerFunction IFunctionAddr = nullptr;
  TQelBooleanFunction BFunctionAddr = nullptr;
  TQelStringFunction SFunctionAddr = nullptr;

  int InputDataCount() const { return static_cast<int>(InputDataTypes.size()); }
  // Declared type of argument i; arguments beyond the declared ones take the
  // last declared type.
  TQelDataType ParameterType(int i) const;
  // True when m arguments fit the declared count and optional arguments.
  bool AcceptsCount(int m) const;
  // True when a function address is present.
  bool ShouldEvaluate() const { return RFunctionAddr || IFunctionAddr || BFunctionAddr || SFunctionAddr; }

  // Builds the class from a record; the result type follows the address that
  // is set. Throws std::invalid_argument when none is set.
  static TFunctionClass FromRecord(const TFunctionRecord& record);
};

// A name with its overloads in registration order.
struct TQelFunctionSet {
  std::string Name;
  std::vector<TFunctionClass> Overloads;
};

// Names (and synonyms) of functions, sorted and compared without regard to
// letter case, each with its function set. Built-in sets are process-wide and
// shared; sets added with Add are owned by the list.
class TFunctionStringList {
 public:
  // Registers every built-in function and overloaded name.
  TFunctionStringList();
  ~TFunctionStringList();
  TFunctionStringList(const TFunctionStringList&) = delete;
  TFunctionStringList& operator=(const TFunctionStringList&) = delete;

  // Adds a function under its name and every synonym; returns the index of
  // the name's entry. Throws EQelParserError (ErrorMode 1) with
  // "Error: A Function named NAME already exists" when a name is taken, and
  // then adds nothing.
  int Add(const TFunctionRecord& record);
  int Count() const { return static_cast<int>(FEntries.size()); }
  // The entry's name as registered (a synonym for synonym entries).
  const std::string& Names(int index) const { return FEntries.at(index).Name; }
  // The first overload of the entry at index; throws std::out_of_range.
  const TFunctionClass* GetFunctionClass(int index) const;
  const TQelFunctionSet* GetFunctionSet(int index) const { return FEntries.at(index).Set; }
  // Index of a name (any case, trimmed); -1 when absent.
  int IndexOf(std::string_view name) const;
  // The set of a name already upper-cased; nullptr when absent.
  const TQelFunctionSet* FindUpper(std::string_view upperName) const;
  // Removes one entry (a synonym or a name); the set stays valid while the
  // list lives because compiled expressions may still refer to it.
  void Delete(int index);
  // Removes every entry, built-ins included.
  void Clear();

 private:
  struct Entry {
    std::string Key;   // upper case
    std::string Name;  // as registered
    const TQelFunctionSet* Set;
  };
  int Insert(std::string_view name, const TQelFunctionSet* set);
  int LowerBound(std::string_view key) const;

  std::vector<Entry> FEntries;
  std::vector<std::unique_ptr<TQelFunctionSet>> FOwnedSets;
};

// The process-wide built-in sets as (name, set) pairs, synonyms included;
// built once on first use and only read afterwards.
const std::vector<std::pair<std::string, const TQelFunctionSet*>>& QelBuiltinFunctions();

}  // namespace qora
