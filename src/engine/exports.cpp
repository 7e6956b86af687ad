// The C entry points of libqora. Each converts its texts (a null pointer is
// an empty text) and runs the costing job; nothing the engine throws ever
// crosses into the host.
#include "qora/qora.h"

#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "common/text.h"
#include "engine/costing_jobs.h"
#include "engine/version.h"

namespace {

std::string Text(const char* p) { return p ? std::string(p) : std::string(); }

qora::ConnectionParams Params(const char* server, const char* database, const char* user, const char* password) {
  return {Text(server), Text(database), Text(user), Text(password)};
}

// The folder of the running executable, without a trailing separator; the
// current folder when it cannot be determined.
std::string ExecutableFolder() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n <= 0) return ".";
  return qora::ExtractFileDir(std::string(buf, static_cast<size_t>(n)));
}

template <class Job>
int32_t Guarded(Job job) {
  try {
    return job();
  } catch (...) {
    return qora::kResultSetupFailed;
  }
}

}  // namespace

extern "C" {

QORA_API int32_t ProcessTimeSheetFile(const char* TimesheetFile, const char* OutputFile, int32_t OutputType,
                                      const char* Server, const char* Database, const char* UserName,
                                      const char* Password) {
  return Guarded([&] {
    return qora::RunTimesheetFileJob(Text(TimesheetFile), Text(OutputFile), OutputType,
                                     Params(Server, Database, UserName, Password));
  });
}

QORA_API int32_t ProcessTimeSheet(const char* TimesheetFile) {
  return Guarded([&] { return qora::RunWebConfigJob(Text(TimesheetFile), ExecutableFolder()); });
}

QORA_API int32_t ProcessDBTimeSheetList(const char* TimesheetIDList, int32_t UserID, const char* GUID,
                                        const char* Server, const char* Database, const char* UserName,
                                        const char* Password) {
  return Guarded([&] {
    return qora::RunStoredTimesheetJob(Text(TimesheetIDList), UserID, Text(GUID),
                                       Params(Server, Database, UserName, Password));
  });
}

QORA_API void GetVersionString(char* Buffer, int32_t BufferSize) {
  if (Buffer == nullptr || BufferSize < 2) return;
  try {
    const std::string text = qora::GetVersionText();
    std::memset(Buffer, 0, static_cast<size_t>(BufferSize));
    std::memcpy(Buffer, text.data(), std::min(text.size(), static_cast<size_t>(BufferSize) - 1));
  } catch (...) {
  }
}

}  // extern "C"
