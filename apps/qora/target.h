// Database targets as the tool's users type them.
#pragma once

#include <string>

namespace qora::cli {

// The target as a database URI: a bare path ending in ".db", ".sqlite" or
// ".sqlite3" becomes "sqlite:PATH"; anything else is returned unchanged
// (sqlite:PATH, postgresql://..., sqlserver://...). The engine's own
// connection rule takes SQLite only when it is named, so the tool names it
// for a user who typed a file name.
std::string TargetUri(const std::string& target);

}  // namespace qora::cli
