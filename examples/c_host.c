/*
 * A payroll host written in C: costs one timesheet file through the public
 * C interface and says where the costing and the run log went.
 *
 *   build/bin/qora_c_host TIMESHEET.csv sqlite:PAYROLL.db OUTPUT.csv
 *
 * The database comes from `qora db init sqlite:PAYROLL.db --sample`; the
 * timesheet can be samples/payroll_demo.csv.
 */
#include <stdio.h>

#include "qora/qora.h"

int main(int argc, char** argv) {
  char version[64];
  GetVersionString(version, (int32_t)sizeof version);
  printf("qora engine %s\n", version);
  if (argc != 4) {
    fprintf(stderr, "usage: %s TIMESHEET sqlite:DATABASE OUTPUT.csv\n", argv[0]);
    return 2;
  }
  /* The server names the back end; the database, user and password may stay
   * empty for SQLite (see the header for the other back ends). */
  const int32_t result = ProcessTimeSheetFile(argv[1], argv[3], QORA_OUTPUT_CSV, argv[2], "", "", "");
  printf("result %d: costing in %s, run log beside it (.log)\n", (int)result, argv[3]);
  return result == 0 ? 0 : 1;
}
