// The host's web.config: the appSettings that name the database for
// ProcessTimeSheet.
#pragma once

#include <string>

#include "common/string_list.h"

namespace qora {

class TWebConfigObject {
 public:
  // Stores the folder and loads "<folder>/web.config" at once ("web.config"
  // in the current folder when the folder is empty). A missing or unreadable
  // file leaves every setting empty; that is not an error here.
  explicit TWebConfigObject(std::string application_folder);

  const std::string& ApplicationPath() const { return FApplicationPath; }
  // key=value lines, one per child of appSettings, in document order.
  const TStringList& AppSettings() const { return FAppSettings; }
  // The trimmed value of a key (keys compare without regard to case); "" when absent.
  std::string Setting(const std::string& key) const;

  std::string DefaultCommonServer() const { return Setting("CS"); }
  std::string DefaultCommonDatabase() const { return Setting("CDB"); }
  std::string DefaultSQLUserName() const { return Setting("CDBUID"); }
  std::string DefaultSQLPassword() const { return Setting("CDBPWD"); }
  // True when ALLOWD, upper-cased, is "Y".
  bool AllowDebug() const;
  // Settings the engine itself does not use but keeps for the host.
  std::string CacheDir() const;
  std::string LogFile() const;
  std::string DOTNETVersion() const;
  std::string QIVConfigLocation() const { return Setting("QIVConfigLocation"); }
  std::string AppPoolName() const { return Setting("APPPOOL_NAME"); }

  // "<folder>/web.config", or "web.config" for an empty folder.
  static std::string ConfigFileName(const std::string& folder);

 private:
  void Load();

  std::string FApplicationPath;
  TStringList FAppSettings;
};

}  // namespace qora
