// Text helpers: case-insensitive comparison, trimming and file-name parts.
// Texts are UTF-8; case folding applies to ASCII letters only.
#pragma once

#include <string>
#include <string_view>

namespace qora {

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Removes leading and trailing characters <= ' '.
std::string Trim(std::string_view s);
// Trim without a copy: the part of `s` that Trim keeps.
std::string_view TrimmedView(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Case-insensitive equality and ordering (<0, 0, >0).
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool StartsText(std::string_view prefix, std::string_view s);
bool ContainsText(std::string_view s, std::string_view part);

// Where the line running from `from` ends: the position of the first CR or
// LF at or after it, or s.size() when the text has none.
size_t FindLineBreak(std::string_view s, size_t from);
// Where the next line starts after the break at `at`: CR LF is one break.
size_t AfterLineBreak(std::string_view s, size_t at);

// Replaces every occurrence of `from` (exact case) with `to`.
std::string StringReplaceAll(std::string_view s, std::string_view from, std::string_view to);
// Doubles every `quote` inside s and frames it with `quote`.
std::string QuotedStr(std::string_view s, char quote = '\'');

// File names; both '/' and '\\' separate folders.
// "C:\\a\\b.csv" -> ".csv"; no extension -> "".
std::string ExtractFileExt(std::string_view path);
// The folder including its trailing separator; "" when there is none.
std::string ExtractFilePath(std::string_view path);
// The folder without a trailing separator.
std::string ExtractFileDir(std::string_view path);
std::string ExtractFileName(std::string_view path);
// Replaces (or adds) the extension; ext includes its dot.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// Appends '/' unless the text is empty or already ends in a separator.
std::string IncludeTrailingPathDelimiter(std::string_view path);

}  // namespace qora
