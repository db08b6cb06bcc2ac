// ConversionTable: how tables are built, table and no-table conversions, the
// line-end rule and the failure paths.
#include "encodings/conversion_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "encodings/string_additions.h"

namespace {

using namespace std::string_literals;

// A malloc'd copy of `bytes`, as convertBytes() wants it.
struct Buffer {
  explicit Buffer(const std::string& bytes)
      : data(static_cast<uint8_t*>(std::malloc(bytes.size() + 1))),
        length(static_cast<uint32_t>(bytes.size())) {
    std::memcpy(data, bytes.data(), bytes.size());
  }
  ~Buffer() { std::free(data); }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  // Runs convertBytes; on success the buffer takes the result over.
  bool convert(ConversionTable& table, bool forceLF) {
    uint8_t* result = table.convertBytes(data, &length, forceLF);
    if (result == nullptr) return false;
    data = result;
    return true;
  }
  std::string str() const { return std::string(reinterpret_cast<const char*>(data), length); }

  uint8_t* data;
  uint32_t length;
};

std::unique_ptr<ConversionTable> make(VLXEnc source, VLXEnc target) {
  auto table = ConversionTable::conversionTableWithEncodingsSource(source, target);
  EXPECT_NE(table, nullptr) << source << " -> " << target;
  return table;
}

TEST(ConversionTable, EmptyObjectIsNotOK) {
  ConversionTable table;
  EXPECT_FALSE(table.isOK());
  EXPECT_EQ(table.table(), nullptr);
  EXPECT_EQ(table.sourceEncoding(), 0);
  EXPECT_EQ(table.targetEncoding(), 0);
  uint8_t byte = 'A';
  uint32_t length = 1;
  EXPECT_EQ(table.convertBytes(&byte, &length, false), nullptr);
  char text[] = "abc";
  EXPECT_EQ(table.convertCString(text), nullptr);
  EXPECT_FALSE(table.convertString(u"abc", false).has_value());
  EXPECT_FALSE(table.stringWithBytes(&byte, 1).has_value());
}

TEST(ConversionTable, EqualIdsGiveTheIdentity) {
  for (VLXEnc enc : {17, 72, 169, 80}) {
    auto table = make(enc, enc);
    ASSERT_NE(table->table(), nullptr) << enc;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(table->table()[i], i) << enc;
  }
  auto table = make(17, 17);
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  Buffer buffer(all);
  ASSERT_TRUE(buffer.convert(*table, false));
  EXPECT_EQ(buffer.str(), all);
}

TEST(ConversionTable, WhichPairsHaveNoTable) {
  struct Case {
    VLXEnc source, target;
    bool ok, hasTable;
  };
  const Case cases[] = {
      {10, 169, true, false}, {169, 10, true, false},  {168, 17, true, false},
      {17, 168, true, false}, {256, 17, true, false},  {169, 168, true, false},
      {72, 82, true, true},   {17, 16, true, true},    {17, 256, false, false},
      {256, 256, false, false}, {0, 17, false, false}, {17, 0, false, false},
      {7, 17, false, false},  {-2, 17, false, false},
  };
  for (const Case& c : cases) {
    auto table = ConversionTable::conversionTableWithEncodingsSource(c.source, c.target);
    EXPECT_EQ(table != nullptr, c.ok) << c.source << " -> " << c.target;
    ConversionTable object;
    EXPECT_EQ(object.setEncodingsSource(c.source, c.target) != nullptr, c.ok);
    EXPECT_EQ(object.isOK(), c.ok);
    EXPECT_EQ(object.table() != nullptr, c.hasTable) << c.source << " -> " << c.target;
    EXPECT_EQ(object.sourceEncoding(), c.source);
    EXPECT_EQ(object.targetEncoding(), c.target);
  }
}

TEST(ConversionTable, WindowsCentralEuropeanToISO) {
  auto table = make(17, 16);
  const uint8_t* map = table->table();
  ASSERT_NE(map, nullptr);
  for (uint8_t byte : {0x80, 0x81, 0x83, 0x88, 0x90, 0x98}) EXPECT_EQ(map[byte], '?') << +byte;
  EXPECT_EQ(map[0x9A], 0xB9);  // s with caron
  EXPECT_EQ(map[0x9E], 0xBE);  // z with caron
  EXPECT_EQ(map[0xE8], 0xE8);  // c with caron sits at the same place
  EXPECT_EQ(map[0x84], '?');   // the low double quote is not in ISO-8859-2
  for (int i = 0; i < 0x80; ++i) EXPECT_EQ(map[i], i);
}

TEST(ConversionTable, ReverseDirectionHasNoQuestionMarkPatch) {
  auto table = make(16, 17);
  EXPECT_EQ(table->table()[0xB9], 0x9A);
  EXPECT_EQ(table->table()[0xA9], 0x8A);  // S with caron
}

TEST(ConversionTable, PerByteFallbackForMultiByteEncodings) {
  // Two different multi-byte encodings: no upper byte decodes alone.
  auto table = make(72, 82);
  for (int i = 0x80; i < 0x100; ++i) EXPECT_EQ(table->table()[i], '?') << i;
  for (int i = 0; i < 0x80; ++i) EXPECT_EQ(table->table()[i], i);
  // A single-byte source whose whole table does not encode in 256 bytes: the
  // upper half goes byte by byte, letters become "?" or their one-byte forms.
  auto cyrillic = make(33, 10);
  EXPECT_EQ(cyrillic->table()[0xC0], '?');   // Cyrillic A
  EXPECT_EQ(cyrillic->table()[0xA0], 0xA0);  // no-break space
  // GBK decodes all 256 bytes as one text, but not one character per byte:
  // only the bytes that stand alone keep a meaning (0x80 is the euro sign).
  auto gbk = make(82, 10);
  EXPECT_EQ(gbk->table()[0x80], 0x80);
  for (int i = 0x81; i < 0xFF; ++i) EXPECT_EQ(gbk->table()[i], '?') << i;
  // Plain ASCII decodes no upper byte.
  auto ascii = make(8, 10);
  for (int i = 0x80; i < 0x100; ++i) EXPECT_EQ(ascii->table()[i], '?') << i;
}

TEST(ConversionTable, SingleByteScriptsMapBetweenTheirForms) {
  struct Case {
    VLXEnc source, target;
    uint8_t from, to;
  };
  const Case cases[] = {
      {33, 37, 0xC0, 0xE1},  // Cyrillic A: Windows-1251 -> KOI8-R
      {37, 36, 0xE1, 0x80},  // Cyrillic A: KOI8-R -> DOS 866
      {41, 42, 0xE1, 0xE1},  // Greek alpha Windows -> Mac
      {49, 48, 0xFD, 0xFD},  // dotless i Windows -> ISO Turkish
      {57, 58, 0xC7, 0xC7},  // alef Windows-1256 -> Mac Arabic
      {65, 66, 0xE0, 0xE0},  // alef Windows-1255 -> Mac Hebrew
      {104, 106, 0xA1, 0xA1},  // ko kai TIS -> Mac Thai
      {105, 104, 0x80, '?'},   // the euro sign of Windows-874 has no TIS byte
      {17, 18, 0x9A, 0xE4},  // s with caron Windows-1250 -> Mac CE
  };
  for (const Case& c : cases) {
    auto table = make(c.source, c.target);
    EXPECT_EQ(table->table()[c.from], c.to) << c.source << " -> " << c.target;
  }
}

TEST(ConversionTable, TableModeConvertsInPlace) {
  auto table = make(17, 16);
  Buffer buffer("A\x9A\r\n\x8A");
  uint8_t* before = buffer.data;
  ASSERT_TRUE(buffer.convert(*table, false));
  EXPECT_EQ(buffer.data, before);
  EXPECT_EQ(buffer.str(), "A\xB9\r\n\xA9");
}

TEST(ConversionTable, ForceLFInTableMode) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"A\r\nB\rC", "A\nB\nC"}, {"\r", "\n"},          {"A\r", "A\n"},
      {"\r\r\n", "\n\n"},       {"\n\r", "\n\n"},      {"\r\n\r\n", "\n\n"},
      {"", ""},                 {"\x9A\r\n", "\xB9\n"}, {"\n\n", "\n\n"},
  };
  auto table = make(17, 16);
  for (const Case& c : cases) {
    Buffer buffer(c.in);
    ASSERT_TRUE(buffer.convert(*table, true));
    EXPECT_EQ(buffer.str(), c.out) << c.in;
  }
}

TEST(ConversionTable, LastByteCRReadsNothingBeyondTheBuffer) {
  auto table = make(10, 10);
  // Exactly sized allocation: the sanitizer build catches a read past it.
  uint8_t* data = static_cast<uint8_t*>(std::malloc(2));
  data[0] = 'x';
  data[1] = '\r';
  uint32_t length = 2;
  uint8_t* result = table->convertBytes(data, &length, true);
  ASSERT_EQ(result, data);
  EXPECT_EQ(length, 2u);
  EXPECT_EQ(result[1], '\n');
  std::free(result);
}

TEST(ConversionTable, NoTableToUTF8GrowsTheBuffer) {
  auto table = make(10, 169);
  Buffer buffer("A\xE9");
  ASSERT_TRUE(buffer.convert(*table, false));
  EXPECT_EQ(buffer.length, 3u);
  EXPECT_EQ(buffer.str(), "A\xC3\xA9");
}

TEST(ConversionTable, NoTableShrinksAndAppliesForceLFToTheOutput) {
  auto table = make(169, 17);
  Buffer buffer("\xC5\xA1\r\n\xC4\x8D\r");
  ASSERT_TRUE(buffer.convert(*table, true));
  EXPECT_EQ(buffer.str(), "\x9A\n\xE8\n");
  Buffer kept("a\r\nb");
  ASSERT_TRUE(kept.convert(*table, false));
  EXPECT_EQ(kept.str(), "a\r\nb");
}

TEST(ConversionTable, NoTableLossySubstitutesQuestionMark) {
  auto table = make(169, 10);
  Buffer buffer("\xC5\xA5x\xE4\xB8\xAD");  // t with caron, x, a CJK ideograph
  ASSERT_TRUE(buffer.convert(*table, false));
  EXPECT_EQ(buffer.str(), "?x?");
}

// Deliberate: bytes that do not decode fail instead of giving an empty text.
TEST(ConversionTable, UndecodableBytesFailAndLeaveTheBufferToTheCaller) {
  const std::pair<VLXEnc, std::string> cases[] = {
      {169, "ab\xFF"},      // not UTF-8
      {169, "\xC3"},        // truncated UTF-8
      {168, "\xFE\xFF\x00"s},  // odd UTF-16 length
      {168, "\xD8\x00\x00\x41"s},  // unpaired surrogate
  };
  for (const auto& [source, bytes] : cases) {
    auto table = make(source, 10);
    Buffer buffer(bytes);
    uint8_t* before = buffer.data;
    EXPECT_FALSE(buffer.convert(*table, false));
    EXPECT_EQ(buffer.data, before);
    EXPECT_EQ(buffer.str(), bytes);  // untouched
  }
}

TEST(ConversionTable, EmptyInputConvertsToEmpty) {
  auto table = make(169, 10);
  Buffer buffer("");
  ASSERT_TRUE(buffer.convert(*table, true));
  EXPECT_EQ(buffer.length, 0u);
  uint32_t length = 0;
  uint8_t* result = table->convertBytes(nullptr, &length, false);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(length, 0u);
  std::free(result);
}

TEST(ConversionTable, UTF16IsWrittenBigEndianWithMark) {
  auto table = make(10, 168);
  Buffer buffer("A\xE9\r\n");
  ASSERT_TRUE(buffer.convert(*table, true));
  EXPECT_EQ(buffer.str(), std::string("\xFE\xFF\x00\x41\x00\xE9\x00\x0A", 8));
  // Reading honours either mark; no mark means big-endian.
  auto back = make(168, 10);
  const std::pair<std::string, std::string> reads[] = {
      {std::string("\xFE\xFF\x00\x41\x00\xE9", 6), "A\xE9"},
      {std::string("\xFF\xFE\x41\x00\xE9\x00", 6), "A\xE9"},
      {std::string("\x00\x41\x00\xE9", 4), "A\xE9"},
  };
  for (const auto& [in, out] : reads) {
    Buffer read(in);
    ASSERT_TRUE(read.convert(*back, false));
    EXPECT_EQ(read.str(), out);
  }
}

// Force-LF with a UTF-16 target works on characters: a 0x0D byte inside a
// character (U+010D is 01 0D) is not a line end.
TEST(ConversionTable, ForceLFKeepsUTF16CharactersIntact) {
  auto table = make(169, 168);
  Buffer buffer("\xC4\x8D\r\n\r");
  ASSERT_TRUE(buffer.convert(*table, true));
  EXPECT_EQ(buffer.str(), std::string("\xFE\xFF\x01\x0D\x00\x0A\x00\x0A", 8));
}

TEST(ConversionTable, FilteredSource) {
  auto table = make(256, 17);
  EXPECT_TRUE(table->isOK());
  EXPECT_EQ(table->table(), nullptr);
  EXPECT_EQ(table->convertString(u"\u0161\r\n\u20AC", false), std::string("\x9A\r\n\x80"));
  EXPECT_EQ(table->convertString(u"\u0161\r\nx\r", true), std::string("\x9A\nx\n"));
  EXPECT_EQ(table->convertString(u"\u4E2D", false), std::string("?"));
  const uint8_t bytes[] = {'a'};
  EXPECT_FALSE(table->stringWithBytes(bytes, 1).has_value());
  Buffer buffer("abc");
  EXPECT_FALSE(buffer.convert(*table, false));
}

TEST(ConversionTable, StringWithBytesDecodesOrGivesNothing) {
  auto table = make(17, 16);
  const uint8_t good[] = {'a', 0x9A};
  EXPECT_EQ(table->stringWithBytes(good, 2), std::optional<std::u16string>(u"a\u0161"));
  auto utf8 = make(169, 17);
  const uint8_t bad[] = {0xC0, 0x80};
  EXPECT_FALSE(utf8->stringWithBytes(bad, 2).has_value());
  EXPECT_EQ(utf8->stringWithBytes(bad, 0), std::optional<std::u16string>(u""));
}

TEST(ConversionTable, ConvertCString) {
  auto table = make(17, 16);
  char name[] = "\x9A\x8A-x";
  EXPECT_EQ(table->convertCString(name), name);
  EXPECT_STREQ(name, "\xB9\xA9-x");

  // Through Unicode the result is written back only if it fits.
  auto shrinking = make(169, 17);
  char utf8[] = "\xC5\xA1km";
  EXPECT_EQ(shrinking->convertCString(utf8), utf8);
  EXPECT_STREQ(utf8, "\x9Akm");

  auto growing = make(17, 169);
  char storage[8] = "a\x9A";  // needs 4 bytes with terminator, has 3
  storage[3] = 'Z';           // beyond the string: must stay
  EXPECT_EQ(growing->convertCString(storage), nullptr);
  EXPECT_STREQ(storage, "a\x9A");
  EXPECT_EQ(storage[3], 'Z');
  char ascii[] = "plain";
  EXPECT_EQ(growing->convertCString(ascii), ascii);
  EXPECT_STREQ(ascii, "plain");

  auto bad = make(169, 17);
  char invalid[] = "a\xFF";
  EXPECT_EQ(bad->convertCString(invalid), nullptr);
  EXPECT_EQ(bad->convertCString(nullptr), nullptr);
}

TEST(ConversionTable, ReTargeting) {
  ConversionTable table;
  ASSERT_EQ(table.setEncodingsSource(17, 16), &table);
  const uint8_t* map = table.table();
  EXPECT_EQ(map[0x9A], 0xB9);
  // The same pair again: nothing rebuilt.
  EXPECT_EQ(table.tableForEncodingsSource(17, 16), map);
  EXPECT_EQ(map[0x9A], 0xB9);
  // A new pair rebuilds in place.
  EXPECT_EQ(table.tableForEncodingsSource(16, 17), map);
  EXPECT_EQ(map[0xB9], 0x9A);
  // An unusable pair: nothing, and the object stays not OK with the new ids.
  EXPECT_EQ(table.tableForEncodingsSource(17, 256), nullptr);
  EXPECT_FALSE(table.isOK());
  EXPECT_EQ(table.targetEncoding(), 256);
  EXPECT_EQ(table.table(), nullptr);
  // A no-table pair answers no table but is OK.
  EXPECT_EQ(table.tableForEncodingsSource(17, 169), nullptr);
  EXPECT_TRUE(table.isOK());
  EXPECT_EQ(table.setEncodingsSource(17, 169), &table);
  // Back to a table pair: the table is rebuilt and noTable cleared.
  EXPECT_NE(table.tableForEncodingsSource(17, 16), nullptr);
  EXPECT_EQ(table.table()[0x98], '?');
}

TEST(LineEnds, ForceLineEndsLF) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},           {"\r", "\n"},         {"\n", "\n"},          {"a\r\nb", "a\nb"},
      {"\r\r\n", "\n\n"}, {"\r\n\n", "\n\n"},   {"\n\r\r", "\n\n\n"}, {"ab", "ab"},
      {"\r\n\r\n\r\n", "\n\n\n"},
  };
  for (const auto& [in, out] : cases) {
    std::string bytes = in;
    uint32_t n = vlx::forceLineEndsLF(reinterpret_cast<uint8_t*>(bytes.data()),
                                      static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(bytes.substr(0, n), out);
  }
  // Linear in the length: a long run of CR LF pairs finishes at once.
  std::string big;
  for (int i = 0; i < 2000000; ++i) big += "\r\n";
  uint32_t n = vlx::forceLineEndsLF(reinterpret_cast<uint8_t*>(big.data()),
                                    static_cast<uint32_t>(big.size()));
  EXPECT_EQ(n, 2000000u);
}

TEST(LineEnds, DataUsingEncoding) {
  using NSStringTAVOAdditionsDataForceLF::dataUsingEncoding;
  // Without force-LF the encoder's result is unchanged, CR LF included.
  EXPECT_EQ(dataUsingEncoding(u"a\r\nb\r", 12, true, false), std::string("a\r\nb\r"));
  EXPECT_EQ(dataUsingEncoding(u"a\r\nb\r", 12, true, true), std::string("a\nb\n"));
  // Lossy or not.
  EXPECT_EQ(dataUsingEncoding(u"\u0165", 12, true, false), std::string("?"));
  EXPECT_FALSE(dataUsingEncoding(u"\u0165", 12, false, false).has_value());
  EXPECT_FALSE(dataUsingEncoding(u"a", 0, true, false).has_value());
  EXPECT_FALSE(dataUsingEncoding(u"a", 0x12345, true, true).has_value());
}

}  // namespace
