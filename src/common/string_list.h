// An ordered list of texts with name=value access and comma text, as the
// engine's lists of IDs, settings and XML string properties use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qora {

class TStringList {
 public:
  TStringList() = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  bool Empty() const { return FItems.empty(); }
  const std::string& operator[](int index) const { return FItems.at(static_cast<size_t>(index)); }
  std::string& operator[](int index) { return FItems.at(static_cast<size_t>(index)); }
  const std::vector<std::string>& Items() const { return FItems; }

  int Add(std::string item);
  void Insert(int index, std::string item);
  void Delete(int index);
  void Clear() { FItems.clear(); }
  // Index of the first item equal to s (exact); -1 when none.
  int IndexOf(std::string_view s) const;

  // The text before the first '=' of item index; "" when it has none.
  std::string Names(int index) const;
  // The text after the first '=' of item index; "" when it has none.
  std::string ValueFromIndex(int index) const;
  // Value of the first item whose name equals `name` (case-insensitive); "" when none.
  std::string Values(std::string_view name) const;
  // Sets (adds, or replaces) name=value; an empty value deletes the item.
  void SetValue(std::string_view name, std::string_view value);
  // Index of the first item whose name equals `name` (case-insensitive); -1 when none.
  int IndexOfName(std::string_view name) const;

  // Comma text. Reading quotes an item with double quotes (inner quotes
  // doubled) when it contains a character <= ' ', a comma or a quote, and
  // joins with ","; a list of one empty item reads as "\"\"". Writing clears
  // the list and splits at commas and, outside quotes, at blanks; a trailing
  // comma adds an empty item.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);

  // The items, each followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty item.
  void SetText(std::string_view text);

 private:
  std::vector<std::string> FItems;
};

}  // namespace qora
