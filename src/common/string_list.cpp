#include "common/string_list.h"

#include <stdexcept>

#include "common/text.h"

namespace qora {

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

// Blanks and control characters other than NUL (which ends the text).
bool IsSkippable(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

// An item needs quotes when it holds a control character, a blank, a quote or a comma.
bool NeedsQuotes(std::string_view item) {
  for (char c : item) {
    if (static_cast<unsigned char>(c) <= ' ' || c == kQuote || c == kDelimiter) return true;
  }
  return false;
}

// Reads a quoted item starting at the opening quote at text[pos]: a doubled
// quote inside stands for one; the item ends at the closing quote (or at the
// end of the text) and pos moves just past it.
std::string ExtractQuoted(std::string_view text, size_t& pos) {
  std::string item;
  ++pos;
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c != kQuote) {
      item += c;
    } else if (pos < text.size() && text[pos] == kQuote) {
      item += kQuote;
      ++pos;
    } else {
      break;
    }
  }
  return item;
}

void CheckIndex(int index, size_t size) {
  if (index < 0 || static_cast<size_t>(index) >= size) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
}

}  // namespace

int TStringList::Add(std::string item) {
  FItems.push_back(std::move(item));
  return Count() - 1;
}

void TStringList::Insert(int index, std::string item) {
  if (index < 0 || index > Count()) CheckIndex(index, FItems.size());
  FItems.insert(FItems.begin() + index, std::move(item));
}

void TStringList::Delete(int index) {
  CheckIndex(index, FItems.size());
  FItems.erase(FItems.begin() + index);
}

int TStringList::IndexOf(std::string_view s) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i] == s) return static_cast<int>(i);
  }
  return -1;
}

std::string TStringList::Names(int index) const {
  const std::string& item = (*this)[index];
  const size_t eq = item.find('=');
  return eq == std::string::npos ? "" : item.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& item = (*this)[index];
  const size_t eq = item.find('=');
  return eq == std::string::npos ? "" : item.substr(eq + 1);
}

int TStringList::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    const size_t eq = FItems[i].find('=');
    if (eq != std::string::npos && SameText(std::string_view(FItems[i]).substr(0, eq), name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string TStringList::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? "" : ValueFromIndex(index);
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  if (index < 0) index = Add("");
  FItems[static_cast<size_t>(index)] = std::string(name) + "=" + std::string(value);
}

std::string TStringList::CommaText() const {
  if (FItems.size() == 1 && FItems[0].empty()) return "\"\"";
  std::string out;
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (i > 0) out += kDelimiter;
    out += NeedsQuotes(FItems[i]) ? QuotedStr(FItems[i], kQuote) : FItems[i];
  }
  return out;
}

void TStringList::SetCommaText(std::string_view text) {
  Clear();
  // The text ends at a NUL character, as it always has.
  text = text.substr(0, text.find('\0'));
  size_t pos = 0;
  while (pos < text.size() && IsSkippable(text[pos])) ++pos;
  while (pos < text.size()) {
    if (text[pos] == kQuote) {
      // Text right after the closing quote starts the next item.
      Add(ExtractQuoted(text, pos));
    } else {
      const size_t start = pos;
      while (pos < text.size() && static_cast<unsigned char>(text[pos]) > ' ' && text[pos] != kDelimiter) ++pos;
      Add(std::string(text.substr(start, pos - start)));
    }
    while (pos < text.size() && IsSkippable(text[pos])) ++pos;
    if (pos < text.size() && text[pos] == kDelimiter) {
      if (pos + 1 == text.size()) Add("");
      do {
        ++pos;
      } while (pos < text.size() && IsSkippable(text[pos]));
    }
  }
}

std::string TStringList::Text() const {
  std::string out;
  for (const std::string& item : FItems) out.append(item).append("\r\n");
  return out;
}

void TStringList::SetText(std::string_view text) {
  Clear();
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = FindLineBreak(text, pos);
    Add(std::string(text.substr(pos, end - pos)));
    if (end == text.size()) break;
    pos = AfterLineBreak(text, end);
  }
}

}  // namespace qora
