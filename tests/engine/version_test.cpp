#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "engine/version.h"

TEST(Version, TextAndCommandLine) {
  EXPECT_EQ(qora::GetVersionText(), "Version 8.0 SP4");
  std::string out;
  FILE* p = popen(QORA_CLI_PATH " version", "r");
  ASSERT_NE(p, nullptr);
  std::array<char, 128> buf{};
  while (fgets(buf.data(), buf.size(), p)) out += buf.data();
  EXPECT_EQ(pclose(p), 0);
  EXPECT_EQ(out, "Version 8.0 SP4\n");
}
