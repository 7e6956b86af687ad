// Guards award files against errors that do not name the file, element and line, a bad file yielding a half-loaded award, and the shipped sample and documented example drifting from what the engine writes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "award/award.h"
#include "award/award_file.h"
#include "common/exceptions.h"

namespace qora {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(AwardFileTest, ErrorsNameTheFileTheElementAndTheLine) {
  const std::string head = "<TObjAward TYPE=\"TObjAward\">\n  <Code>X</Code>\n  <ObjLstOvertime>\n";
  const struct {
    std::string text, message;
  } cases[] = {
      {head + "  </ObjLstOvertime>\n</Award>\n",
       "Award file \"a.xml\": the file is not well-formed XML (Start-end tags mismatch on line 5, column "},
      {"<TimeCards/>", "Award file \"a.xml\": the root element is <TimeCards>, not <TObjAward>: the file does not "
                       "hold an award."},
      {head + "    <TObjAwardOvertimeStd>\n      <Percentage>lots</Percentage>\n    </TObjAwardOvertimeStd>\n" +
           "  </ObjLstOvertime>\n</TObjAward>\n",
       "Award file \"a.xml\": element <TObjAward/ObjLstOvertime/TObjAwardOvertimeStd/Percentage> on line 5 cannot be "
       "loaded: "},
      {head + "    <TObjAwardOvertimeStd/>\n    <TObjAwardOverTimeBig TYPE=\"TObjAwardOverTimeBig\"/>\n" +
           "  </ObjLstOvertime>\n</TObjAward>\n",
       "Award file \"a.xml\": element <TObjAward/ObjLstOvertime/TObjAwardOverTimeBig> on line 5 cannot be loaded: "},
  };
  for (const auto& c : cases) {
    try {
      LoadAwardFromText(c.text, "a.xml");
      ADD_FAILURE() << "loaded: " << c.text;
    } catch (const eLoadFromFileException& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message);
    }
  }
  EXPECT_THROW(LoadAwardFile("no/such/award.xml"), eLoadFromFileException);
}

TEST(AwardFileTest, SampleAndDocumentedExampleAreWhatTheEngineWrites) {
  const std::string sample = ReadText(std::string(QORA_SAMPLES_DIR) + "/awards/HOSP.xml");
  EXPECT_EQ(AwardFileText(*LoadAwardFromText(sample, "HOSP.xml")), sample);
  const std::string doc = ReadText(std::string(QORA_SAMPLES_DIR) + "/../docs/award-file.md");
  const size_t start = doc.find("```xml\n");
  ASSERT_NE(start, std::string::npos);
  const std::string example = doc.substr(start + 7, doc.find("```", start + 7) - start - 7);
  EXPECT_EQ(AwardFileText(*LoadAwardFromText(example, "example.xml")), example);
}

}  // namespace
}  // namespace qora
