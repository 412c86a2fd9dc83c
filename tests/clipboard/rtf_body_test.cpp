#include "clipboard/rtf_body.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Encode(std::u16string_view text) {
  std::string body(quillory::EncodeRtfBody(text, nullptr) + 1, '\0');
  body.resize(quillory::EncodeRtfBody(text, body.data()));
  return body;
}

struct BodyCase {
  const char16_t* text;
  const char* body;
};

class RtfBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(RtfBody, EncodesAsRichText) { EXPECT_EQ(Encode(GetParam().text), GetParam().body); }

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfBody,
    ::testing::Values(
        BodyCase{u"", "\\par\\par\r\n"},
        // Spaces stay as they are, except after an escape, where the first
        // one written is the escape's delimiter.
        BodyCase{u"a   b", "a   b\\par\\par\r\n"}, BodyCase{u" ", " \\par\\par\r\n"},
        BodyCase{u"\u05D0   b: c", "\\u1488    b: c\\par\\par\r\n"},
        // Every mix of CR and LF is one break; text ends with one more.
        BodyCase{u"x\r\n\r\ny\n\rz\r", "x\\par\\par\r\ny\\par\\par\r\nz\\par\\par\r\n\\par\\par\r\n"},
        // Hebrew letters as escapes; the space after an escape is its delimiter.
        BodyCase{u"\u05D0 \u05EA", "\\u1488  \\u1514\\par\\par\r\n"},
        // Printable ASCII stays itself; rich text's own three are escaped.
        BodyCase{u"!(a)~\\{}", "!(a)~\\\\\\{\\}\\par\\par\r\n"},
        // Other characters by their number, whatever its size.
        BodyCase{u"\u0009\u00E0\uFFFD", "\\u9\\u224\\u65533\\par\\par\r\n"},
        // Presentation forms as their decompositions; other forms stay whole.
        BodyCase{u"\uFB2C\uFB4B\uFB2E", "\\u1513\\u1468\\u1473\\u1493\\u1465\\u64302\\par\\par\r\n"},
        // A digit after an escape gets a delimiting space, and nothing else does.
        BodyCase{u"\u05D012", "\\u1488 12\\par\\par\r\n"}, BodyCase{u"\uFB30" "3", "\\u1488\\u1468 3\\par\\par\r\n"},
        BodyCase{u"\u05D0a-\u05D1.", "\\u1488a-\\u1489.\\par\\par\r\n"},
        BodyCase{u"7\u05D0", "7\\u1488\\par\\par\r\n"}));

TEST(RtfBodyBound, NeverBelowTheWrittenLength) {
  const std::u16string samples[] = {
      u"", u"     ", u"\r\n\r\n\n\n", u"\u05D01\u05D12\uFB2C3\uFB2D4", u"{}\\{}\\",
      u"\u0001\u0002\u00093\u00FF9\u03E7" "0\u03E8" "0\uFFFF9", std::u16string(300, u'\uFB2C'),
      u"a \r b \n c\u05D0 \u05D0\r\n9"};
  for (const std::u16string& text : samples) {
    EXPECT_GE(quillory::EncodeRtfBody(text, nullptr), Encode(text).size()) << Encode(text);
  }
}

}  // namespace
