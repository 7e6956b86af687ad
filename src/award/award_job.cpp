#include "award/award_job.h"

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardJobRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardJob;
    return ClassBuilder<C>("TObjAwardJob")
        .Field("IdJob", &C::FIdJob)
        .Field("JobTitle", &C::FJobTitle)
        .Field("JobDescription", &C::FJobDescription)
        .Field("ClassificationCode", &C::FClassificationCode)
        .Field("CostAccount", &C::FCostAccount)
        .Build();
  }
};

const ClassInfo& TObjAwardJob::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardJobRegistry::Build();
  return info;
}

bool TObjAwardJob::Validate(TObjListAwardMessages& pMessages, int32_t pLineNo) const {
  const int before = pMessages.Count();
  if (Trim(FJobTitle).empty()) {
    pMessages.AddMessage("No Job Title entered.", pLineNo);
  } else if (HasApostrophe(FJobTitle)) {
    pMessages.AddMessage(ApostropheMessage("Job Title"), pLineNo);
  }
  if (FClassificationCode.empty()) pMessages.AddMessage("No Classification selected.", pLineNo);
  return pMessages.Count() == before;
}

const ClassInfo& TObjListAwardJobs::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardJobs>("TObjListAwardJobs").Build();
  return info;
}

TObjAwardJob* TObjListAwardJobs::GetJobByCode(const std::string& pTitle) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardJob* job = Items(i);
    if (job != nullptr && job->JobTitle() == pTitle) return job;
  }
  return nullptr;
}

bool TObjListAwardJobs::CheckDupeCode(const TObjAwardJob& pJob) const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardJob* other = Items(i);
    if (other != nullptr && other != &pJob && SameText(other->JobTitle(), pJob.JobTitle())) return false;
  }
  return true;
}

void TObjListAwardJobs::ReplaceClassCode(const std::string& pOld, const std::string& pNew) {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardJob* job = Items(i);
    if (job != nullptr && job->ClassificationCode() == pOld) job->SetClassificationCode(pNew);
  }
}

}  // namespace qora
