// The character-set converter: every encoding of the registry holds the
// letters of its script, the embedded Mac tables match their source files,
// and the special forms (raw GB/KSC, UTF-16, DOS 866, Thai) behave.
#include "platform/charset.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "encodings/registry.h"
#include "encodings/registry_internal.h"
#include "platform/localization.h"

namespace {

using namespace std::string_literals;

std::u16string u16(const char* utf8) { return vlx::utf8ToUtf16(utf8); }
std::string u8(const std::u16string& text) { return vlx::utf16ToUtf8(text); }

NSStringEncoding ns(VLXEnc enc) { return VLXEncToNSStringEncoding(enc); }

std::optional<std::u16string> decode(VLXEnc enc, const std::string& bytes) {
  return vlx::decodeBytes(ns(enc), reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Characteristic letters of each encoding's script.
struct Sample {
  VLXEnc enc;
  const char* text;  // UTF-8
};
const Sample kSamples[] = {
    {8, "Plain text, 0-9 ~{}|"},
    {9, "\xC3\xA0\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC\xC3\xBF \xC3\x86\xC3\x98\xC3\x9F\xC2\xBF"},
    {10, "\xC3\xA0\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC \xE2\x82\xAC \xE2\x80\x9E\xE2\x80\xA6 \xC5\x92\xC5\x93"},
    {11, "\xC3\xA0\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC \xC6\x92\xE2\x88\x9E\xE2\x89\xA0\xEF\xAC\x81"},
    {16, "\xC4\x85\xC4\x8D\xC4\x8F\xC4\x99\xC4\x9B\xC5\x82\xC5\x84\xC5\x99\xC5\xA1\xC5\xA5\xC5\xAF\xC5\xBE\xC5\xBD"},
    {17, "\xC4\x85\xC4\x8D\xC4\x8F\xC4\x9B\xC5\x82\xC5\x84\xC5\x99\xC5\xA1\xC5\xA5\xC5\xAF\xC5\xBE \xE2\x80\x9E\xE2\x80\x9C"},
    {18, "\xC4\x8D\xC4\x8F\xC4\x9B\xC5\x84\xC5\x99\xC5\xA1\xC5\xA5\xC5\xAF\xC5\xBE\xC5\xBD"},
    {24, "\xC4\x81\xC4\x8D\xC4\x93\xC4\x97\xC4\xA3\xC4\xAB\xC4\xB7\xC4\xBC\xC5\x86\xC5\x8D\xC5\x97\xC5\xA1\xC5\xAB\xC5\xBE"},
    {25, "\xC4\x81\xC4\x8D\xC4\x93\xC4\x97\xC4\xA3\xC4\xAB\xC4\xB7\xC4\xBC\xC5\x86\xC5\xA1\xC5\xAB\xC5\xBE"},
    {32, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80 \xD0\x81\xD1\x91\xD0\x82\xD1\x92"},
    {33, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80 \xD0\x81\xD1\x91"},
    {34, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80 \xD0\x81\xD1\x91"},
    {36, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80 \xD0\x81\xD1\x91"},
    {37, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80 \xD0\x81\xD1\x91"},
    {38, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD1\x96\xD1\x82 \xD0\x87\xD1\x97\xD1\x94\xD2\x91"},
    {40, "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xB5"},
    {41, "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xB5"},
    {42, "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xB5"},
    {48, "\xC4\x9F\xC4\x9E\xC4\xB1\xC4\xB0\xC5\x9F\xC5\x9E\xC3\xA7\xC3\x87\xC3\xB6\xC3\x96\xC3\xBC\xC3\x9C"},
    {49, "\xC4\x9F\xC4\x9E\xC4\xB1\xC4\xB0\xC5\x9F\xC5\x9E\xC3\xA7\xC3\x87\xC3\xB6\xC3\x96\xC3\xBC\xC3\x9C"},
    {50, "\xC4\x9F\xC4\x9E\xC4\xB1\xC4\xB0\xC5\x9F\xC5\x9E\xC3\xA7\xC3\x87\xC3\xB6\xC3\x96\xC3\xBC\xC3\x9C"},
    {56, "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xA8\xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85 \xD8\x9F"},
    {57, "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xA8\xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85 \xD8\x9F\xD9\xBE"},
    {58, "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xA8\xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85 \xD8\x9F\xD9\xA0\xD9\xA1\xD9\xBE"},
    {64, "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D"},
    {65, "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D \xE2\x82\xAA"},
    {66, "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D \xE2\x82\xAA"},
    {72, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xB9\x81\xE9\xAB\x94\xE5\xAD\x97"},
    {73, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xB9\x81\xE9\xAB\x94\xE9\xA6\x99\xE6\xB8\xAF\xE5\x98\x85"},
    {74, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xB9\x81\xE9\xAB\x94\xE5\xAD\x97"},
    {80, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xAE\x80\xE4\xBD\x93\xE5\xAD\x97\r\n"},
    {81, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xAE\x80\xE4\xBD\x93\xE5\xAD\x97"},
    {82, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xAE\x80\xE4\xBD\x93\xE7\xB9\x81\xE9\xAB\x94"},
    {83, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xAE\x80\xE4\xBD\x93 \xF0\xA0\x80\x80 \xE2\x82\xAC"},
    {84, "\xE4\xB8\xAD\xE6\x96\x87\xE7\xAE\x80\xE4\xBD\x93\xE5\xAD\x97"},
    {88, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88 \xEF\xBD\xB6\xEF\xBE\x85"},
    {89, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88"},
    {90, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88"},
    {96, "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 \xED\x85\x8D\xEC\x8A\xA4\xED\x8A\xB8\n"},
    {97, "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 \xED\x85\x8D\xEC\x8A\xA4\xED\x8A\xB8"},
    {98, "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 \xED\x85\x8D\xEC\x8A\xA4\xED\x8A\xB8"},
    {104, "\xE0\xB8\xA0\xE0\xB8\xB2\xE0\xB8\xA9\xE0\xB8\xB2\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2 \xE0\xB8\xBF"},
    {105, "\xE0\xB8\xA0\xE0\xB8\xB2\xE0\xB8\xA9\xE0\xB8\xB2\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2 \xE2\x82\xAC"},
    {106, "\xE0\xB8\xA0\xE0\xB8\xB2\xE0\xB8\xA9\xE0\xB8\xB2\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2 \xE2\x84\xA2"},
    {168, "\xC5\xA1\xD0\x96\xE4\xB8\xAD \xF0\x9F\x98\x80"},
    {169, "\xC5\xA1\xD0\x96\xE4\xB8\xAD \xF0\x9F\x98\x80"},
};

TEST(Charset, EveryEncodingRoundTripsTheLettersOfItsScript) {
  std::set<VLXEnc> covered;
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(VLXEncShortNameCString(sample.enc));
    covered.insert(sample.enc);
    ASSERT_TRUE(VLXEncIsAvailable(sample.enc));
    const std::u16string text = u16(sample.text);
    std::optional<std::string> bytes = vlx::encodeString(ns(sample.enc), text, false);
    ASSERT_TRUE(bytes.has_value());
    // Letters outside ASCII really went through the encoding.
    if (sample.enc != 8 && sample.enc != 169) {
      EXPECT_NE(*bytes, std::string(sample.text)) << "stored as UTF-8?";
    }
    std::optional<std::u16string> back = decode(sample.enc, *bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(u8(*back), sample.text);
  }
  for (const auto& info : vlx::registry::all()) {
    EXPECT_TRUE(covered.count(info.id)) << "no sample for " << info.id;
  }
}

TEST(Charset, LossySubstitutesQuestionMarkAndStrictFails) {
  const std::u16string text = u"a\u4E2D\u0165b";  // a CJK ideograph and t with caron
  for (VLXEnc enc : {8, 10, 17, 33, 58, 66, 106, 36, 88, 97}) {
    SCOPED_TRACE(VLXEncShortNameCString(enc));
    EXPECT_FALSE(vlx::encodeString(ns(enc), u"\U0001F600", false).has_value());
    std::optional<std::string> lossy = vlx::encodeString(ns(enc), u"x\U0001F600y", true);
    ASSERT_TRUE(lossy.has_value());
    EXPECT_EQ(*lossy, "x?y");  // one "?" for a character outside the BMP
  }
  EXPECT_EQ(vlx::encodeString(ns(10), text, true), "a??b"s);
  EXPECT_FALSE(vlx::encodeString(ns(10), text, false).has_value());
  // An unpaired surrogate is not a character in any encoding.
  EXPECT_EQ(vlx::encodeString(ns(169), u"a\xD800z", true), "a?z"s);
  EXPECT_EQ(vlx::encodeString(ns(168), u"a\xD800", true), "\xFE\xFF\x00\x61\x00\x3F"s);
  EXPECT_FALSE(vlx::encodeString(ns(168), u"a\xDC00", false).has_value());
}

TEST(Charset, InvalidOrUnmappedBytesFailToDecode) {
  const std::pair<VLXEnc, std::string> cases[] = {
      {8, "a\x80"},       {169, "\xC3("},    {169, "\xED\xA0\x80"},  // UTF-8 surrogate
      {88, "a\x82"},      {97, "\xB0"},      {72, "\xA4"},
      {58, "\xA0"},       {66, "\xA0"},      {106, "\xFF"},
      {56, "\xA1"},       {83, "\x81\x30"},  {168, "\x00"s},
      {168, "\xDC\x00"s}, {80, "\xD6\xD0"},  {80, "\x56"},  // raw: high bytes, half a pair
  };
  for (const auto& [enc, bytes] : cases) {
    EXPECT_FALSE(decode(enc, bytes).has_value()) << enc << " " << bytes;
  }
  EXPECT_EQ(decode(169, ""), std::optional<std::u16string>(u""));
  EXPECT_EQ(decode(58, ""), std::optional<std::u16string>(u""));
}

TEST(Charset, UnknownEncodingsAreUnsupported) {
  for (NSStringEncoding value : {0u, 2u, 6u, 0x80000999u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(vlx::isEncodingSupported(value)) << value;
    const uint8_t byte = 'a';
    EXPECT_FALSE(vlx::decodeBytes(value, &byte, 1).has_value());
    EXPECT_FALSE(vlx::encodeString(value, u"a", true).has_value());
  }
}

TEST(Charset, Numberings) {
  EXPECT_EQ(vlx::nsToCFStringEncoding(30), 0u);
  EXPECT_EQ(vlx::nsToCFStringEncoding(4), 0x08000100u);
  EXPECT_EQ(vlx::nsToCFStringEncoding(0x80000A02u), 0xA02u);
  EXPECT_EQ(vlx::nsToCFStringEncoding(2), vlx::kInvalidCFStringEncoding);
  EXPECT_EQ(vlx::nsToCFStringEncoding(0), vlx::kInvalidCFStringEncoding);
  EXPECT_EQ(vlx::cfToNSStringEncoding(0x0920), 3u);
  EXPECT_EQ(vlx::cfToNSStringEncoding(0x632), 0x80000632u);
  EXPECT_EQ(vlx::cfToNSStringEncoding(vlx::kInvalidCFStringEncoding), 0u);
}

TEST(Charset, UTF16ByteOrder) {
  EXPECT_EQ(vlx::encodeString(ns(168), u"A\u00E9", false), "\xFE\xFF\x00\x41\x00\xE9"s);
  EXPECT_EQ(vlx::encodeString(ns(168), u"", false), ""s);
  EXPECT_EQ(decode(168, "\xFE\xFF\x00\x41"s), std::optional<std::u16string>(u"A"));
  EXPECT_EQ(decode(168, "\xFF\xFE\x41\x00"s), std::optional<std::u16string>(u"A"));
  EXPECT_EQ(decode(168, "\x00\x41"s), std::optional<std::u16string>(u"A"));
  EXPECT_EQ(decode(168, "\xFE\xFF"s), std::optional<std::u16string>(u""));
  // Only the first mark is one; a second is text.
  EXPECT_EQ(decode(168, "\xFE\xFF\xFE\xFF"s), std::optional<std::u16string>(u"\uFEFF"));
}

TEST(Charset, DosCyrillicKeepsAsciiControls) {
  EXPECT_EQ(decode(36, "\x1A\x1C\x7F\x80\xF0"), std::optional<std::u16string>(u"\x1A\x1C\x7F\u0410\u0401"));
  EXPECT_EQ(vlx::encodeString(ns(36), u"\x1A\x1C\x7F", false), "\x1A\x1C\x7F"s);
}

TEST(Charset, ThaiISOAndWindowsDiffer) {
  // TIS-620 (ISO-8859-11) has C1 controls where Windows-874 has punctuation.
  EXPECT_EQ(decode(105, "\x80\x85"), std::optional<std::u16string>(u"\u20AC\u2026"));
  EXPECT_EQ(decode(104, "\x85"), std::optional<std::u16string>(u"\u0085"));
  EXPECT_FALSE(vlx::encodeString(ns(104), u"\u20AC", false).has_value());
  EXPECT_EQ(decode(104, "\xA1\xA0"), std::optional<std::u16string>(u"\u0E01\u00A0"));
}

TEST(Charset, RawGBAndKSCAreEUCWithoutHighBits) {
  // EUC-CN D6D0 CEC4 is "zhong wen".
  EXPECT_EQ(decode(80, "\x56\x50\x4E\x44"), std::optional<std::u16string>(u"\u4E2D\u6587"));
  EXPECT_EQ(vlx::encodeString(ns(80), u"\u4E2D\u6587\r\n", false), "\x56\x50\x4E\x44\r\n"s);
  EXPECT_EQ(decode(96, "\x30\x21 \t"), std::optional<std::u16string>(u"\uAC00 \t"));
  // Printable ASCII has no raw form: strict fails, lossy takes the full-width
  // form, and the substitute is the full-width question mark.
  EXPECT_FALSE(vlx::encodeString(ns(80), u"A", false).has_value());
  EXPECT_EQ(vlx::encodeString(ns(80), u"A?\u0E01", true), "\x23\x41\x23\x3F\x23\x3F"s);
  EXPECT_EQ(vlx::encodeString(ns(96), u"A\U0001F600", true), "\x23\x41\x23\x3F"s);
  EXPECT_EQ(decode(96, "\x23\x41"), std::optional<std::u16string>(u"\uFF21"));
}

// The embedded Mac tables say what the files in platform/charsets say, and
// every defined byte survives the trip to Unicode and back.
TEST(Charset, MacTablesMatchTheirFilesAndRoundTrip) {
  const std::pair<VLXEnc, const char*> tables[] = {
      {58, "mac-arabic.txt"}, {66, "mac-hebrew.txt"}, {106, "mac-thai.txt"}};
  for (const auto& [enc, file] : tables) {
    SCOPED_TRACE(file);
    std::ifstream in(std::string(VELLIX_CHARSET_SOURCE_DIR) + "/" + file);
    ASSERT_TRUE(in.good());
    int defined = 0;
    std::string line;
    std::set<int> seen;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream fields(line);
      std::string byteText, meaning;
      fields >> byteText >> meaning;
      const int byte = std::stoi(byteText, nullptr, 16);
      seen.insert(byte);
      const std::string single(1, static_cast<char>(byte));
      std::optional<std::u16string> text = decode(enc, single);
      if (meaning == "#UNDEFINED") {
        EXPECT_FALSE(text.has_value()) << byteText;
        continue;
      }
      ++defined;
      std::u16string expected;
      do {
        expected.push_back(static_cast<char16_t>(std::stoul(meaning, nullptr, 16)));
      } while (fields >> meaning && meaning[0] != '#');
      ASSERT_TRUE(text.has_value()) << byteText;
      EXPECT_EQ(*text, expected) << byteText;
      EXPECT_EQ(vlx::encodeString(ns(enc), *text, false), single) << byteText;
    }
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_GT(defined, 200);
  }
}

}  // namespace
