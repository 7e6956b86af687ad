#include "engine/web_config.h"

#include <pugixml.hpp>

#include "common/text.h"

namespace qora {

TWebConfigObject::TWebConfigObject(std::string application_folder) : FApplicationPath(std::move(application_folder)) {
  Load();
}

std::string TWebConfigObject::ConfigFileName(const std::string& folder) {
  return IncludeTrailingPathDelimiter(folder) + "web.config";
}

void TWebConfigObject::Load() {
  pugi::xml_document doc;
  if (!doc.load_file(ConfigFileName(FApplicationPath).c_str())) return;
  // appSettings may sit anywhere below the root (usually configuration/appSettings).
  pugi::xml_node settings = doc.find_node([](const pugi::xml_node& n) { return n.type() == pugi::node_element &&
                                                                               std::string_view(n.name()) == "appSettings"; });
  for (pugi::xml_node child : settings.children()) {
    if (child.type() != pugi::node_element) continue;
    FAppSettings.Add(std::string(child.attribute("key").as_string()) + "=" + child.attribute("value").as_string());
  }
}

std::string TWebConfigObject::Setting(const std::string& key) const { return Trim(FAppSettings.Values(key)); }

bool TWebConfigObject::AllowDebug() const { return UpperCase(Setting("ALLOWD")) == "Y"; }

std::string TWebConfigObject::CacheDir() const { return IncludeTrailingPathDelimiter(Setting("CFOLDER")); }

std::string TWebConfigObject::LogFile() const {
  std::string file = Setting("LOGFILE");
  return file.empty() ? IncludeTrailingPathDelimiter(FApplicationPath) + "QIVLog.log" : file;
}

std::string TWebConfigObject::DOTNETVersion() const {
  std::string v = Setting("DOTNETVersion");
  return v.empty() ? "2.0" : v;
}

}  // namespace qora
