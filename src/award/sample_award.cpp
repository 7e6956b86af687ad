#include "award/sample_award.h"

#include <string>

#include "award/award.h"
#include "award/award_file.h"
#include "award/award_store.h"
#include "db/connection.h"
#include "db/schema/schema_sources.h"

namespace qora {

void InstallSampleAward(TDBConnection& pPayroll) {
  std::unique_ptr<TObjAward> award = LoadAwardFromText(SampleAwardText(), "samples/awards/HOSP.xml");
  TDBTransaction transaction(pPayroll);
  ImportAward(pPayroll, *award);
  // SQL Server reads 'YYYY-MM-DD hh:mm:ss' by the login's language unless told.
  const std::string prefix = pPayroll.Params().Backend == TDBBackend::SqlServer ? "SET DATEFORMAT ymd;\n" : "";
  pPayroll.ExecuteScript(prefix + std::string(schema::kSampleAwardAssignments));
  transaction.Commit();
}

}  // namespace qora
