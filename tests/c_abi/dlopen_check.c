// Guards against an entry point missing from libqora.so, the version text overrunning or not ending a short buffer, and null arguments crashing a host: loads the library as a host does and calls all four entry points.
// Usage: qora_dlopen_check <path to libqora.so> <scratch folder>
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

typedef void (*version_fn)(char*, int32_t);
typedef int32_t (*file_fn)(const char*, const char*, int32_t, const char*, const char*, const char*, const char*);
typedef int32_t (*web_fn)(const char*);
typedef int32_t (*list_fn)(const char*, int32_t, const char*, const char*, const char*, const char*, const char*);

static int passes = 0;
static int failures = 0;

static void check(int ok, const char* what) {
  printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (ok) ++passes; else ++failures;
}

static void check_version(version_fn fn) {
  char buf[64];
  memset(buf, 'x', sizeof buf);
  fn(buf, 64);
  check(strcmp(buf, "Version 8.0 SP4") == 0 && buf[63] == 0, "version with 64 bytes");
  memset(buf, 'x', sizeof buf);
  fn(buf, 8);
  check(strcmp(buf, "Version") == 0 && buf[8] == 'x', "version with 8 bytes");
  memset(buf, 'x', sizeof buf);
  fn(buf, 2);
  check(buf[0] == 'V' && buf[1] == 0 && buf[2] == 'x', "version with 2 bytes");
  memset(buf, 'x', sizeof buf);
  fn(buf, 1);
  check(buf[0] == 'x', "version with 1 byte writes nothing");
  fn(NULL, 64);
  check(1, "version with a null buffer");
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s LIBRARY SCRATCH_FOLDER\n", argv[0]);
    return 2;
  }
  void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    fprintf(stderr, "dlopen: %s\n", dlerror());
    return 1;
  }
  version_fn version = (version_fn)dlsym(lib, "GetVersionString");
  file_fn process_file = (file_fn)dlsym(lib, "ProcessTimeSheetFile");
  web_fn process_web = (web_fn)dlsym(lib, "ProcessTimeSheet");
  list_fn process_list = (list_fn)dlsym(lib, "ProcessDBTimeSheetList");
  check(version && process_file && process_web && process_list, "all four entry points exported");
  if (!version || !process_file || !process_web || !process_list) return 1;

  check_version(version);

  mkdir(argv[2], 0755);
  // Null texts are empty texts; the run logs of these calls land in the
  // scratch folder. What the jobs do with real arguments is tested through
  // the C header and the jobs themselves.
  if (chdir(argv[2]) != 0) return 1;
  check(process_file(NULL, NULL, 0, NULL, NULL, NULL, NULL) == 1, "null arguments to ProcessTimeSheetFile");
  check(process_web(NULL) == -3, "null argument to ProcessTimeSheet (no web.config beside the host)");
  check(process_list(NULL, 0, NULL, NULL, NULL, NULL, NULL) == 1, "null arguments to ProcessDBTimeSheetList");

  dlclose(lib);
  printf("%d passed, %d failed\n", passes, failures);
  return failures ? 1 : 0;
}
