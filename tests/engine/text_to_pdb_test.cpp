// Writing texts as databases and text files, and reading them back.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "conversion_helpers.h"
#include "engine/byte_order_internal.h"
#include "engine/errors.h"
#include "platform/headless/headless_backend.h"

namespace {

using namespace vlx::test;

Bytes fixture(const char* name) {
  return readFile(std::filesystem::path(VELLIX_TEST_DATA_DIR) / name);
}

uint32_t be32At(const Bytes& b, size_t at) { return vlx::getBE32(b.data() + at); }
uint16_t be16At(const Bytes& b, size_t at) { return vlx::getBE16(b.data() + at); }

TEST(TextToPdb, WritesTheDatabaseLayout) {
  auto table = tableFor(kWinCE, kWinCE);
  Bytes out;
  // An empty text: header, record 0's entry, two zero bytes, record 0.
  ASSERT_EQ(convertText({}, VLXTypeDatabase, table.get(), true, &out), 0);
  ASSERT_EQ(out.size(), 104u);
  EXPECT_EQ(std::string(out.begin(), out.begin() + 5), std::string("Book\0", 5));
  EXPECT_EQ(std::string(out.begin() + 60, out.begin() + 68), "TEXtREAd");
  EXPECT_EQ(be16At(out, 76), 1);
  EXPECT_EQ(be32At(out, 78), 88u);
  EXPECT_EQ(be16At(out, 86), 0);
  EXPECT_EQ(be16At(out, 88), 2);   // version
  EXPECT_EQ(be32At(out, 92), 0u);  // length
  EXPECT_EQ(be16At(out, 96), 0);   // records
  EXPECT_EQ(be16At(out, 98), 4096);
  uint32_t now = static_cast<uint32_t>(std::time(nullptr) + 2082844800ull);
  EXPECT_LE(now - be32At(out, 36), 5u);
  EXPECT_LE(now - be32At(out, 40), 5u);
  // Reading it back: no text records.
  EXPECT_EQ(convertPdb(out, VLXTypeText, table.get()).rc, VLXErrDamaged);

  // Stored as is: records at 120 and 4216.
  Bytes text(5000, 'w');
  ASSERT_EQ(convertText(text, VLXTypeDatabase, table.get(), false, &out), 0);
  ASSERT_EQ(out.size(), 5120u);
  EXPECT_EQ(be16At(out, 76), 3);
  EXPECT_EQ(be32At(out, 86), 120u);
  EXPECT_EQ(be32At(out, 94), 4216u);
  EXPECT_EQ(be16At(out, 104), 1);  // record 0 at 104: version 1
  EXPECT_EQ(be32At(out, 108), 5000u);
  EXPECT_EQ(be16At(out, 112), 2);

  // Compressed: 8192 bytes in two records, 8193 in three.
  for (auto [size, records] : {std::pair{8192u, 2}, std::pair{8193u, 3}}) {
    Bytes prose;
    while (prose.size() < size) prose.push_back(static_cast<uint8_t>('a' + prose.size() * 7 % 26));
    ASSERT_EQ(convertText(prose, VLXTypeDatabase, table.get(), true, &out), 0);
    EXPECT_EQ(be16At(out, 76), records + 1);
    size_t record0 = 88 + 8 * records;
    EXPECT_EQ(be32At(out, 78), record0);
    EXPECT_EQ(be32At(out, 86), record0 + 16);
    EXPECT_EQ(be32At(out, record0 + 4), size);
    EXPECT_EQ(be16At(out, record0 + 8), records);
    PdbResult back = convertPdb(out, VLXTypeText, table.get());
    EXPECT_EQ(back.rc, 0);
    EXPECT_EQ(back.out, prose);
  }
}

TEST(TextToPdb, CutsLongNamesToThirtyOneBytes) {
  auto table = tableFor(kWinCE, kWinCE);
  Bytes out;
  std::string name(40, 'n');
  ASSERT_EQ(convertText(bytesOf("x"), VLXTypeDatabase, table.get(), false, &out, name.c_str()), 0);
  EXPECT_EQ(std::string(out.begin(), out.begin() + 32), std::string(31, 'n') + '\0');
}

TEST(TextToPdb, RoundTripsRealTextsStoredAndCompressed) {
  auto table = tableFor(kWinCE, kWinCE);
  Bytes story = fixture("story-cp1250.txt");
  Bytes crlf = fixture("other-b-text.txt");
  Bytes crlfForcedLF;
  for (size_t i = 0; i < crlf.size(); ++i)
    if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')) crlfForcedLF.push_back(crlf[i]);
  for (bool compress : {true, false}) {
    Bytes out;
    ASSERT_EQ(convertText(story, VLXTypeDatabase, table.get(), compress, &out), 0);
    EXPECT_EQ(convertPdb(out, VLXTypeText, table.get()).out, story);
    ASSERT_EQ(convertText(crlf, VLXTypeDatabase, table.get(), compress, &out), 0);
    EXPECT_EQ(be32At(out, 88 + 8 * 3 + 4), crlfForcedLF.size());
    EXPECT_EQ(convertPdb(out, VLXTypeText, table.get()).out, crlfForcedLF);
  }
  // Written as text, line ends stay.
  Bytes out;
  ASSERT_EQ(convertText(crlf, VLXTypeText, table.get(), true, &out), 0);
  EXPECT_EQ(out, crlf);
}

TEST(TextToPdb, ConvertsAStringAndForcesLineFeeds) {
  auto table = tableFor(VLXEncFiltered, kWinCE);
  ASSERT_TRUE(table);
  const std::u16string text = u"\u0160\u00e1rka\r\nb\rc\n";
  FILE* out = std::tmpfile();
  ASSERT_EQ(txtDocConvert(nullptr, &text, "S", out, VLXTypeDatabase, table.get(), true, nullptr, nullptr), 0);
  Bytes db = contentsOf(out);
  std::fclose(out);
  auto identity = tableFor(kWinCE, kWinCE);
  EXPECT_EQ(convertPdb(db, VLXTypeText, identity.get()).out, bytesOf("\x8a\xe1rka\nb\nc\n"));

  out = std::tmpfile();
  ASSERT_EQ(txtDocConvert(nullptr, &text, "S", out, VLXTypeText, table.get(), true, nullptr, nullptr), 0);
  EXPECT_EQ(contentsOf(out), bytesOf("\x8a\xe1rka\r\nb\rc\n"));
  std::fclose(out);
}

class RecordingProgress : public vlx::ProgressIndicator {
 public:
  void setMaxValue(double v) override { calls.push_back("max " + std::to_string(int(v))); }
  void setDoubleValue(double v) override { calls.push_back("value " + std::to_string(int(v))); }
  void setIndeterminate(bool f) override { calls.push_back(f ? "indeterminate" : "determinate"); }
  std::vector<std::string> calls;
};

TEST(TextToPdb, ReportsProgressAndPumpsTheSessionWhileCompressing) {
  vlx::HeadlessBackend backend;
  vlx::setPlatformBackend(&backend);
  auto table = tableFor(kWinCE, kWinCE);
  vlx::ModalSession session;
  RecordingProgress progress;
  Bytes out;
  ASSERT_EQ(convertText(Bytes(9000, 'p'), VLXTypeDatabase, table.get(), true, &out, "B", &session,
                        &progress),
            0);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"max 3", "value 0", "determinate", "value 1",
                                                       "value 2", "value 3"}));
  EXPECT_EQ(backend.modalSessionRuns, 3);

  RecordingProgress idle;
  ASSERT_EQ(convertText(Bytes(9000, 'p'), VLXTypeDatabase, table.get(), false, &out, "B", &session,
                        &idle),
            0);
  EXPECT_TRUE(idle.calls.empty());
  EXPECT_EQ(backend.modalSessionRuns, 3);
  vlx::setPlatformBackend(nullptr);
}

TEST(TextToPdb, FailsCleanly) {
  Bytes out;
  // No table: nothing is written.
  EXPECT_EQ(convertText(bytesOf("abc"), VLXTypeDatabase, nullptr, true, &out), VLXErrConvert);
  EXPECT_TRUE(out.empty());
  // Bytes that do not decode in the source encoding.
  auto utf8 = tableFor(VLXEncUTF8, kWinCE);
  EXPECT_EQ(convertText({'a', 0xC3}, VLXTypeDatabase, utf8.get(), true, &out), VLXErrConvert);
  EXPECT_TRUE(out.empty());

  auto table = tableFor(kWinCE, kWinCE);
  std::filesystem::path path = std::filesystem::temp_directory_path() / "vellix-txt-write-test";
  writeFile(path, bytesOf("text"));
  // An input that cannot be read, an output that cannot be written.
  FILE* writeOnly = std::fopen(path.c_str(), "ab");
  FILE* sink = std::tmpfile();
  EXPECT_EQ(txtDocConvert(writeOnly, nullptr, "B", sink, VLXTypeDatabase, table.get(), true, nullptr,
                          nullptr),
            VLXErrRead);
  std::fclose(writeOnly);
  std::fclose(sink);
  FILE* in = streamOf(bytesOf("text"));
  FILE* readOnly = std::fopen(path.c_str(), "rb");
  for (VLXType type : {VLXTypeDatabase, VLXTypeText})
    EXPECT_EQ(txtDocConvert(in, nullptr, "B", readOnly, type, table.get(), true, nullptr, nullptr),
              VLXErrWrite);
  std::fclose(readOnly);
  std::fclose(in);
  std::filesystem::remove(path);
}

TEST(TextToPdb, RefusesATextNeedingMoreThan65534RecordsBeforeWriting) {
  // A sparse file one byte longer than 65534 records hold.
  std::filesystem::path path = std::filesystem::temp_directory_path() / "vellix-txt-too-long";
  {
    std::ofstream f(path, std::ios::binary);
  }
  std::filesystem::resize_file(path, 65534ull * 4096 + 1);
  FILE* in = std::fopen(path.c_str(), "rb");
  FILE* out = std::tmpfile();
  auto table = tableFor(kWinCE, kWinCE);
  EXPECT_EQ(txtDocConvert(in, nullptr, "B", out, VLXTypeDatabase, table.get(), true, nullptr, nullptr),
            VLXErrDamaged);
  EXPECT_TRUE(contentsOf(out).empty());
  std::fclose(out);
  std::fclose(in);
  std::filesystem::remove(path);
}

}  // namespace
