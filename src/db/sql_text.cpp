#include "db/sql_text.h"

#include <cctype>

#include "common/format.h"
#include "common/text.h"
#include "db/db_error.h"

namespace qora {

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }


const TDBParam* FindParam(const TDBParams& params, std::string_view name) {
  for (const TDBParam& p : params) {
    // The length first: a statement looks up each of its parameters in a
    // list of about as many, for every row it stores.
    if (p.Name.size() == name.size() && SameText(p.Name, name)) return &p;
  }
  return nullptr;
}

}  // namespace

TMarkedStatement MarkParameters(std::string_view sql, const std::function<std::string(int)>& marker) {
  TMarkedStatement marked;
  size_t i = 0;
  while (i < sql.size()) {
    if (const size_t skip = SqlLiteralLength(sql, i, true); skip > 0) {
      marked.Sql.append(sql.substr(i, skip));
      i += skip;
      continue;
    }
    if (sql[i] == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
      marked.Sql.append("::");
      i += 2;
      continue;
    }
    if (sql[i] == ':' && i + 1 < sql.size() && IsNameChar(sql[i + 1]) &&
        (i == 0 || !IsNameChar(sql[i - 1]))) {
      size_t end = i + 1;
      while (end < sql.size() && IsNameChar(sql[end])) ++end;
      marked.Names.emplace_back(sql.substr(i + 1, end - i - 1));
      marked.Sql += marker(static_cast<int>(marked.Names.size()));
      i = end;
      continue;
    }
    marked.Sql += sql[i++];
  }
  return marked;
}

std::vector<TDBValue> ParameterValues(const std::vector<std::string>& names, const TDBParams& params) {
  std::vector<TDBValue> values;
  values.reserve(names.size());
  for (const std::string& name : names) {
    const TDBParam* param = FindParam(params, name);
    if (!param) throw EDatabaseError("Parameter '" + name + "' not found");
    values.push_back(param->Value);
  }
  return values;
}

TBoundStatement BindParameters(std::string_view sql, const TDBParams& params,
                               const std::function<std::string(int)>& marker) {
  TMarkedStatement marked = MarkParameters(sql, marker);
  std::vector<TDBValue> values = ParameterValues(marked.Names, params);
  return {std::move(marked.Sql), std::move(values)};
}

std::string ValidateIdList(std::string_view ids) {
  if (Trim(ids).empty()) return {};
  std::string result;
  size_t start = 0;
  while (true) {
    const size_t comma = ids.find(',', start);
    const std::string item = Trim(ids.substr(start, comma == std::string_view::npos ? ids.npos : comma - start));
    bool ok = !item.empty();
    for (size_t k = 0; k < item.size() && ok; ++k) {
      ok = std::isdigit(static_cast<unsigned char>(item[k])) || (k == 0 && item[k] == '-' && item.size() > 1);
    }
    if (!ok || item.size() > 11) throw EDatabaseError("Invalid ID list \"" + std::string(ids) + "\"");
    if (!result.empty()) result += ',';
    result += item;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return result;
}

std::string IdListOrParam(const std::string& ids, const std::string& name, TDBParams& params) {
  int64_t id = 0;
  if (ids.find(',') != std::string::npos || !TryStrToInt(ids, id)) return ids;
  params.push_back({name, id});
  return ":" + name;
}

std::string SqlQuote(std::string_view text) { return QuotedStr(text, '\''); }

std::string SqlDateLiteral(TDateTime date) { return SqlQuote(FormatIsoDate(date)); }

std::vector<std::string> SplitGoBatches(std::string_view script) {
  std::vector<std::string> batches;
  std::string current;
  size_t pos = 0;
  while (pos <= script.size()) {
    const size_t end = script.find('\n', pos);
    const std::string_view line = script.substr(pos, end == std::string_view::npos ? script.npos : end - pos);
    if (SameText(Trim(line), "GO")) {
      if (!Trim(current).empty()) batches.push_back(current);
      current.clear();
    } else if (end != std::string_view::npos || !line.empty()) {
      current.append(line);
      current += '\n';
    }
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  if (!Trim(current).empty()) batches.push_back(current);
  return batches;
}

size_t SqlLiteralLength(std::string_view sql, size_t pos, bool quoted_names) {
  const char c = sql[pos];
  if (c == '\'' || (quoted_names && (c == '"' || c == '['))) {
    const char close = c == '[' ? ']' : c;
    size_t i = pos + 1;
    while (i < sql.size()) {
      if (sql[i] == close) {
        if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
          i += 2;
          continue;
        }
        return i + 1 - pos;
      }
      ++i;
    }
    return sql.size() - pos;
  }
  if (c == '-' && pos + 1 < sql.size() && sql[pos + 1] == '-') {
    const size_t end = sql.find('\n', pos);
    return (end == std::string_view::npos ? sql.size() : end) - pos;
  }
  if (c == '/' && pos + 1 < sql.size() && sql[pos + 1] == '*') {
    const size_t end = sql.find("*/", pos + 2);
    return (end == std::string_view::npos ? sql.size() : end + 2) - pos;
  }
  return 0;
}

}  // namespace qora
