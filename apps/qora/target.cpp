#include "target.h"

#include "common/text.h"

namespace qora::cli {

std::string TargetUri(const std::string& target) {
  if (target.find("://") != std::string::npos || StartsText("sqlite:", target)) return target;
  const std::string ext = LowerCase(ExtractFileExt(target));
  if (ext == ".db" || ext == ".sqlite" || ext == ".sqlite3") return "sqlite:" + target;
  return target;
}

}  // namespace qora::cli
