// An award's jobs: a job title paid at a classification, costed to an
// account. Shifts name jobs for higher duties and job costing.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_messages.h"
#include "award/checked_list.h"
#include "foundation/base_object.h"

namespace qora {

class TObjAwardJob : public TnxBaseObject {
  QORA_CLASS(TObjAwardJob, TnxBaseObject)

 public:
  TObjAwardJob() = default;

  int32_t IdJob() const { return FIdJob; }
  void SetIdJob(int32_t v) { FIdJob = v; }
  const std::string& JobTitle() const { return FJobTitle; }
  void SetJobTitle(const std::string& v) { FJobTitle = v; }
  const std::string& JobDescription() const { return FJobDescription; }
  void SetJobDescription(const std::string& v) { FJobDescription = v; }
  // The pay class the job is paid at.
  const std::string& ClassificationCode() const { return FClassificationCode; }
  void SetClassificationCode(const std::string& v) { FClassificationCode = v; }
  const std::string& CostAccount() const { return FCostAccount; }
  void SetCostAccount(const std::string& v) { FCostAccount = v; }

  std::string LookupText() const override { return FJobTitle; }
  // Appends the job's messages (title, classification); true when none.
  bool Validate(TObjListAwardMessages& pMessages, int32_t pLineNo = 0) const;

 private:
  friend struct TObjAwardJobRegistry;

  int32_t FIdJob = 0;
  std::string FJobTitle;
  std::string FJobDescription;
  std::string FClassificationCode;
  std::string FCostAccount;
};

class TObjListAwardJobs : public TCheckedObjectList<TObjAwardJob> {
  QORA_CLASS(TObjListAwardJobs, TCheckedObjectList<TObjAwardJob>)

 public:
  TObjListAwardJobs() = default;

  // The first job whose JobTitle equals pTitle exactly; null when none.
  TObjAwardJob* GetJobByCode(const std::string& pTitle) const;
  // False when a job other than pJob has the same title, ignoring case.
  bool CheckDupeCode(const TObjAwardJob& pJob) const;
  // Every job paid at pOld is paid at pNew instead.
  void ReplaceClassCode(const std::string& pOld, const std::string& pNew);
};

}  // namespace qora
