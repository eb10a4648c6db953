// Base64 encoding of non-UTF-8 collection strings, and the strict decoding build relies on.
#include "Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::cli {
namespace {

using namespace std::string_literals;

TEST(Base64, EncodesAndDecodesTheStandardVectors) {
  struct TCase {
    std::string Bytes;
    std::string Text;
  };
  const TCase cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"\x00"s, "AA=="},
      {"\xff\xfe\xfd"s, "//79"},
      {"\xfb\xef\xbe"s, "++++"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(EncodeBase64(c.Bytes), c.Text);
    EXPECT_EQ(DecodeBase64(c.Text), c.Bytes) << c.Text;
  }
}

TEST(Base64, EveryByteValueSurvivesAtEveryPaddingLength) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all.push_back(static_cast<char>(b));
  for (size_t cut = 0; cut < 3; ++cut) {
    const std::string bytes = all.substr(cut);
    EXPECT_EQ(DecodeBase64(EncodeBase64(bytes)), bytes) << "length " << bytes.size();
  }
}

TEST(Base64, RefusesAnythingButCanonicalPaddedText) {
  const char* const refused[] = {
      "Zg",         // no padding
      "Zg=",        // short padding
      "Z===",       // one digit cannot make a byte
      "====",       // nothing but padding
      "Zg==Zg==",   // padding in the middle
      "Zm=v",       // padding inside a group
      "Zh==",       // bits set after the only byte
      "Zm9=",       // bits set after the second byte
      "Zm9v!A==",   // outside the alphabet
      "Zm9v Zg=",   // white space
      "Zm9v\nZg=",  // a line break
      "Zm9-",       // the URL alphabet
  };
  for (const char* text : refused)
    EXPECT_FALSE(DecodeBase64(text).has_value()) << text;
}

}  // namespace
}  // namespace velmora::cli
