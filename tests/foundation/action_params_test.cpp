// Guards against a parameter answering with the reading of a text it no
// longer holds, and readings that differ from the text conversions.
#include "foundation/action_params.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace qora {
namespace {

struct TReading {
  const char* text;
  double number;
  bool isInteger;
  int64_t integer;
  bool isBoolean;
  bool boolean;
};

void ExpectReads(const TActionParam& param, const TReading& r) {
  SCOPED_TRACE(r.text);
  EXPECT_EQ(param.Text(), r.text);
  EXPECT_EQ(param.Float(), r.number);
  int64_t integer = -7;
  EXPECT_EQ(param.TryInteger(integer), r.isInteger);
  EXPECT_EQ(integer, r.isInteger ? r.integer : -7);
  bool boolean = false;
  EXPECT_EQ(param.TryBoolean(boolean), r.isBoolean);
  if (r.isBoolean) {
    EXPECT_EQ(boolean, r.boolean);
  }
}

TEST(ActionParam, ReadsEachWayAndForgetsOnRewrite) {
  const TReading readings[] = {
      {"150", 150, true, 150, true, true},   {"1.5", 1.5, false, 0, true, true},
      {"0", 0, true, 0, true, false},        {"True", 0, false, 0, true, true},
      {"no", 0, false, 0, true, false},      {"Normal", 0, false, 0, false, false},
      {"", 0, false, 0, false, false},       {"-2", -2, true, -2, true, true},
  };
  // One parameter rewritten through every text, each reading taken twice:
  // the second answer is the kept one, and a rewrite must drop it.
  TActionParam param;
  for (const TReading& r : readings) {
    param.Rewrite() = r.text;
    ExpectReads(param, r);
    ExpectReads(param, r);
  }
}

TEST(ActionParam, ListRefersToItsParametersInOrder) {
  const TActionParam first("a"), second("b");
  TActionParams params;
  params.Add(first);
  params.Add(second);
  params.Add(first);
  EXPECT_EQ(params.Texts(), (std::vector<std::string>{"a", "b", "a"}));
  EXPECT_EQ(params.At(1), &second);
  EXPECT_EQ(params.At(3), nullptr);
}

}  // namespace
}  // namespace qora
