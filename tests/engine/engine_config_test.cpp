// Guards the engine set-up against wrong connection strings, web.config keys misread or the debug switch taken from anything but "Y", exceptions mapped to the wrong result code, and timesheet IDs picked for the wrong costing type.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "db/db_error.h"
#include "engine/connection_string.h"
#include "engine/costing_jobs.h"
#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "engine/web_config.h"

namespace qora {
namespace {

namespace fs = std::filesystem;

fs::path TempFolder(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("qora_engine_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(ConnectionString, CredentialsAndDatabaseAreOptional) {
  const std::string head =
      "Provider=SQLOLEDB;Data Source=srv;Persist Security Info=False;Use Procedure for Prepare=1;"
      "Auto Translate=True;Packet Size=4096;";
  EXPECT_EQ(BuildConnectionString("srv", "QIV", "sa", "pw"), head + "User ID=sa;Password=pw;Initial Catalog=QIV;");
  EXPECT_EQ(BuildConnectionString("srv", "", "", "pw"), head + "Integrated Security=SSPI;");
  EXPECT_EQ(BuildConnectionString("srv", "QIV", "", ""), head + "Integrated Security=SSPI;Initial Catalog=QIV;");
}

TEST(WebConfig, ReadsAppSettingsAndToleratesMissingKeys) {
  fs::path dir = TempFolder("webconfig");
  std::ofstream(dir / "web.config") << R"(<?xml version="1.0"?>
<configuration><appSettings>
  <add key="CS" value="  db.example  "/>
  <add key="CDB" value="QIVCommon"/>
  <add key="ALLOWD" value="y"/>
  <!-- CDBUID, CDBPWD and the others are missing -->
</appSettings></configuration>)";
  TWebConfigObject config(dir.string());
  EXPECT_EQ(config.AppSettings().Count(), 3);
  EXPECT_EQ(config.DefaultCommonServer(), "db.example");
  EXPECT_EQ(config.DefaultCommonDatabase(), "QIVCommon");
  EXPECT_EQ(config.DefaultSQLUserName(), "");
  EXPECT_EQ(config.DefaultSQLPassword(), "");
  EXPECT_TRUE(config.AllowDebug());
  EXPECT_EQ(config.DOTNETVersion(), "2.0");
  EXPECT_EQ(config.LogFile(), (dir / "QIVLog.log").string());
  EXPECT_EQ(TWebConfigObject("/nonexistent/folder").AppSettings().Count(), 0);
  EXPECT_EQ(TWebConfigObject::ConfigFileName(""), "web.config");
  for (auto [value, expected] : std::vector<std::pair<std::string, bool>>{
           {"Y", true}, {" y ", true}, {"Yes", false}, {"N", false}, {"", false}}) {
    std::ofstream(dir / "web.config", std::ios::trunc)
        << "<configuration><appSettings><add key=\"ALLOWD\" value=\"" << value
        << "\"/></appSettings></configuration>";
    EXPECT_EQ(TWebConfigObject(dir.string()).AllowDebug(), expected) << value;
  }
  fs::remove_all(dir);
}

TEST(ResultCodes, ExceptionClassesMapToCodes) {
  EXPECT_EQ(ResultCodeFor(eRecordNotFoundException("x")), 2);
  EXPECT_EQ(ResultCodeFor(eDatabaseException("x")), 1);
  EXPECT_EQ(ResultCodeFor(eSyntaxException("x")), 3);
  EXPECT_EQ(ResultCodeFor(ePayrollException("x")), -2);
  EXPECT_EQ(ResultCodeFor(eNotImplementException("x")), -2);
  EXPECT_EQ(ResultCodeFor(eaiPRocessorException("x")), -2);
  EXPECT_EQ(ResultCodeFor(std::runtime_error("x")), -2);
  // An error the database itself raised is not the engine's database exception.
  EXPECT_EQ(ResultCodeFor(EDatabaseError("x")), -2);
}

TEST(TimesheetIDList, SelectsByCostingType) {
  struct Case {
    std::string list;
    TaiCostingOutputType type;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_Publish, "12"},
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_Approve, "12"},
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_Adhoc, "15"},
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_None, "12,15,12"},
      // Only the first character after "=" counts; a name that is not a
      // number is never selected.
      {"7=12,abc=1", TaiCostingOutputType::cot_Publish, "7"},
      {"7=12,abc=1", TaiCostingOutputType::cot_Approve, ""},
      {"0=1,-4=1,5=x,6", TaiCostingOutputType::cot_Publish, ""},
      {"9=1 10=1", TaiCostingOutputType::cot_Publish, "9,10"},
      {"\"11=3\",12=3", TaiCostingOutputType::cot_Adhoc, "11,12"},
      {"1;drop table x=1", TaiCostingOutputType::cot_Publish, ""},
      {"1000000001=2,2147483647=2,2147483648=2", TaiCostingOutputType::cot_Approve, "1000000001,2147483647"},
  };
  for (const Case& c : cases) {
    TTimesheetManager tm;
    tm.TimesheetIDList().SetCommaText(c.list);
    EXPECT_EQ(tm.GetTimesheetIDString(c.type), c.expected) << c.list << " type " << int(c.type);
  }
}

}  // namespace
}  // namespace qora
