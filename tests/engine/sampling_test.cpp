// Content sampling: gathering high bytes from stored and compressed databases
// built byte by byte, damaged layouts, and the first bytes of text files.
#include "engine/sampling.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encodings/enc_guesser.h"
#include "engine/errors.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v >> 24);
  b[at + 1] = uint8_t(v >> 16);
  b[at + 2] = uint8_t(v >> 8);
  b[at + 3] = uint8_t(v);
}

// A database image: header, record list, record 0 and `records` laid out one
// after the other. The headers handed to docSample are built to match unless
// a test overrides them.
struct Database {
  Bytes image;
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  std::vector<uint32_t> offsets;  // of every record, 0 included
};

Database makeDatabase(uint16_t version, const std::vector<Bytes>& textRecords,
                      const std::vector<Bytes>& extraRecords = {}) {
  Database db;
  const size_t numRecords = 1 + textRecords.size() + extraRecords.size();
  db.image.assign(kDatabaseHdrSize + kRecordIndexSize * numRecords + 2, 0);
  std::copy_n("TEXtREAd", 8, db.image.begin() + 60);
  db.image[76] = uint8_t(numRecords >> 8);
  db.image[77] = uint8_t(numRecords);
  std::vector<Bytes> records;
  records.push_back(Bytes(kDocHeaderSize, 0));
  records.insert(records.end(), textRecords.begin(), textRecords.end());
  records.insert(records.end(), extraRecords.begin(), extraRecords.end());
  for (size_t r = 0; r < records.size(); ++r) {
    db.offsets.push_back(static_cast<uint32_t>(db.image.size()));
    put32(db.image, kDatabaseHdrSize + kRecordIndexSize * r, db.offsets.back());
    db.image.insert(db.image.end(), records[r].begin(), records[r].end());
  }
  db.dbHeader.recordList.numRecords = static_cast<uint16_t>(numRecords);
  db.docHeader.version = version;
  db.docHeader.records = static_cast<uint16_t>(textRecords.size());
  return db;
}

FILE* streamOf(const Bytes& image) {
  FILE* f = tmpfile();
  if (f && !image.empty()) fwrite(image.data(), 1, image.size(), f);
  if (f) rewind(f);
  return f;
}

struct SampleResult {
  int error;
  Bytes sample;
  uint32_t length;
  uint32_t chars;
};

SampleResult sample(const Database& db, uint32_t capacity = 1024) {
  FILE* f = streamOf(db.image);
  EXPECT_TRUE(f);
  Bytes buffer(capacity + 1, 0x55);  // one guard byte past the capacity
  SampleResult r{0, {}, capacity, 0xDEADBEEF};
  r.error = docSample(f, &db.dbHeader, &db.docHeader, buffer.data(), &r.length, &r.chars);
  EXPECT_EQ(buffer[capacity], 0x55) << "wrote past the capacity";
  if (r.error == 0) r.sample.assign(buffer.begin(), buffer.begin() + r.length);
  fclose(f);
  return r;
}

TEST(DocSample, StoredTextGathersHighBytesInOrder) {
  Database db = makeDatabase(1, {{'a', 0xE9, 'b', 0x9A}, {0x80, 'c'}});
  SampleResult r = sample(db);
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(r.sample, (Bytes{0xE9, 0x9A, 0x80}));
  EXPECT_EQ(r.chars, 6u);
}

TEST(DocSample, PureAsciiGivesEmptySampleAndWholeSize) {
  for (uint16_t version : {1, 2}) {
    Database db = makeDatabase(version, {Bytes(300, 'x'), Bytes(77, 'y')});
    SampleResult r = sample(db);
    EXPECT_EQ(r.error, 0);
    EXPECT_TRUE(r.sample.empty());
    EXPECT_EQ(r.chars, 377u);
  }
}

TEST(DocSample, CompressedTokens) {
  struct Case {
    const char* name;
    Bytes record;
    Bytes sample;
  };
  const Case cases[] = {
      {"run then space pair", {0x01, 0xE9, 0xE1}, {0xE9}},
      {"run of ASCII and high bytes", {0x04, 'a', 0xE1, 0x00, 0xFD}, {0xE1, 0xFD}},
      {"back-reference second byte is not text", {'a', 'b', 'c', 0x80, 0x98, 0x81, 0xFF}, {}},
      {"space pairs are not text", {0xC1, 0xFF, 0xE9}, {}},
      {"zero byte", {0x00, 0x02, 0x9A, 0x9D}, {0x9A, 0x9D}},
      // A run that claims more bytes than the record has is cut by the end
      // of the stored text (the last record runs to the end of the file).
      {"run cut by the end", {'a', 0x08, 0xE9, 0xEA}, {0xE9, 0xEA}},
      // A back-reference whose second byte would lie past the end.
      {"back-reference cut by the end", {0x01, 0xE9, 0x80}, {0xE9}},
  };
  for (const auto& c : cases) {
    Database db = makeDatabase(2, {c.record});
    SampleResult r = sample(db);
    EXPECT_EQ(r.error, 0) << c.name;
    EXPECT_EQ(r.sample, c.sample) << c.name;
    EXPECT_EQ(r.chars, c.record.size()) << c.name;
  }
}

TEST(DocSample, StopsWhenFullInsideARun) {
  Database db = makeDatabase(2, {{'a', 0x05, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 'z'}});
  SampleResult r = sample(db, 3);
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(r.sample, (Bytes{0xE1, 0xE2, 0xE3}));
  EXPECT_EQ(r.chars, 5u);  // 'a', the count byte and three run bytes
  Database stored = makeDatabase(1, {{0xE1, 'a', 0xE2, 'b'}});
  r = sample(stored, 2);
  EXPECT_EQ(r.sample, (Bytes{0xE1, 0xE2}));
  EXPECT_EQ(r.chars, 3u);
  r = sample(stored, 0);
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(r.length, 0u);
  EXPECT_EQ(r.chars, 0u);
}

TEST(DocSample, StoredTextEndsWhereTheNextRecordStarts) {
  // Bookmark records after the text are not text; a run cut at the text's
  // end does not read into them.
  Database db = makeDatabase(2, {{0x02, 0xE1, 0xE2}, {'a', 0x08, 0xE9}}, {Bytes(20, 0xAA)});
  SampleResult r = sample(db);
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(r.sample, (Bytes{0xE1, 0xE2, 0xE9}));
  EXPECT_EQ(r.chars, 6u);
  // Without the bookmark in the count the text runs to the end of the file.
  db.dbHeader.recordList.numRecords = 3;
  r = sample(db);
  EXPECT_EQ(r.sample.size(), 3u + 7u);  // the run takes seven bookmark bytes
  EXPECT_EQ(r.chars, 26u);
}

TEST(DocSample, DamagedDatabases) {
  struct Case {
    const char* name;
    void (*damage)(Database&);
    int error;
  };
  const Case cases[] = {
      {"version 0", [](Database& db) { db.docHeader.version = 0; }, VLXErrDamaged},
      {"version 3", [](Database& db) { db.docHeader.version = 3; }, VLXErrDamaged},
      {"no text records", [](Database& db) { db.docHeader.records = 0; }, VLXErrDamaged},
      {"more text records than records",
       [](Database& db) { db.docHeader.records = 4; }, VLXErrDamaged},
      {"file ends inside the record list",
       [](Database& db) { db.image.resize(90); }, VLXErrRead},
      {"file ends before the next record's entry",
       [](Database& db) {
         db.dbHeader.recordList.numRecords = 40;
         db.image.resize(100);
       },
       VLXErrRead},
      // Text records run from record 1 to the bookmark, which lies beyond
      // the file: the file ends before the announced text does.
      {"text runs beyond the file",
       [](Database& db) { put32(db.image, kDatabaseHdrSize + 3 * kRecordIndexSize, 1u << 20); },
       VLXErrRead},
      {"text starts beyond the file",
       [](Database& db) {
         put32(db.image, kDatabaseHdrSize + kRecordIndexSize, 0x7FFFFF00);
         put32(db.image, kDatabaseHdrSize + 3 * kRecordIndexSize, 0x7FFFFFF0);
       },
       VLXErrRead},
      {"text starts beyond the end of the file it runs to",
       [](Database& db) {
         put32(db.image, kDatabaseHdrSize + kRecordIndexSize, 0xFFFFFFF0);
         db.dbHeader.recordList.numRecords = 3;
       },
       VLXErrDamaged},
      {"text ends before it starts",
       [](Database& db) { put32(db.image, kDatabaseHdrSize + 3 * kRecordIndexSize, 10); },
       VLXErrDamaged},
      {"run cut by the end of the file",
       [](Database& db) { db.image.resize(db.offsets[3] - 6); }, VLXErrRead},
  };
  for (const auto& c : cases) {
    Database db = makeDatabase(2, {{0x02, 0xE1, 0xE2}, {'a', 0x08, 0xE9, 0xEA, 0xEB, 0xEC,
                                                        0xED, 0xEE, 0xEF, 0xF0}},
                               {Bytes(20, 0)});
    c.damage(db);
    SampleResult r = sample(db);
    EXPECT_EQ(r.error, c.error) << c.name;
    if (r.error != 0) {
      EXPECT_EQ(r.length, 1024u) << c.name;  // out-parameters untouched
      EXPECT_EQ(r.chars, 0xDEADBEEFu) << c.name;
    }
  }
}

TEST(DocSample, OtherProgramsDatabases) {
  // Real-world databases holding the same Czech Windows-1250 text, stored and
  // compressed by another program: both yield samples of the text's letters,
  // which the Central European guesser reads as Windows-1250.
  for (const char* name : {"other-a-stored.pdb", "other-a-compressed.pdb"}) {
    std::string path = std::string(VELLIX_TEST_DATA_DIR) + "/" + name;
    FILE* f = fopen(path.c_str(), "rb");
    ASSERT_TRUE(f) << path;
    DatabaseHdrType dbHeader;
    DocHeaderType docHeader;
    ASSERT_EQ(docHeaders(f, &dbHeader, &docHeader), 0) << name;
    uint8_t buffer[1024];
    uint32_t length = sizeof buffer, chars = 0;
    ASSERT_EQ(docSample(f, &dbHeader, &docHeader, buffer, &length, &chars), 0) << name;
    EXPECT_GT(length, 0u) << name;
    EXPECT_GE(chars, length) << name;
    for (uint32_t k = 0; k < length; ++k) ASSERT_GE(buffer[k], 0x80) << name;
    fclose(f);
    auto guesser = EncGuesser::initWithLangGroup(1, VLXPlatformPalm);
    ASSERT_TRUE(guesser);
    int32_t prob = -1;
    EXPECT_EQ(guesser->encodingOfString(buffer, length, chars - length, &prob), 17) << name;
    EXPECT_GT(prob, 0) << name;
  }
}

TEST(TxtSample, OtherProgramsText) {
  FILE* f = fopen((std::string(VELLIX_TEST_DATA_DIR) + "/story-cp1250.txt").c_str(), "rb");
  ASSERT_TRUE(f);
  uint8_t buffer[1024];
  uint32_t length = sizeof buffer;
  ASSERT_EQ(txtSample(f, buffer, &length), 0);
  EXPECT_EQ(length, sizeof buffer);
  fclose(f);
  auto guesser = EncGuesser::initWithLangGroup(1, VLXPlatformComputer);
  ASSERT_TRUE(guesser);
  int32_t prob = -1;
  EXPECT_EQ(guesser->encodingOfString(buffer, length, 0, &prob), 17);
  EXPECT_EQ(prob, 100);
}

TEST(TxtSample, FirstBytes) {
  struct Case {
    size_t fileSize;
    uint32_t capacity;
    uint32_t length;
  };
  const Case cases[] = {{0, 1024, 0}, {10, 1024, 10}, {1024, 1024, 1024}, {3000, 1024, 1024},
                        {5, 0, 0}};
  for (const auto& c : cases) {
    Bytes text(c.fileSize);
    for (size_t k = 0; k < text.size(); ++k) text[k] = uint8_t(k * 7);
    FILE* f = streamOf(text);
    ASSERT_TRUE(f);
    fseek(f, 0, SEEK_END);  // sampling starts at the beginning wherever the stream is
    Bytes buffer(c.capacity + 1, 0x55);
    uint32_t length = c.capacity;
    EXPECT_EQ(txtSample(f, buffer.data(), &length), 0);
    EXPECT_EQ(length, c.length);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + length, text.begin()));
    EXPECT_EQ(buffer[c.capacity], 0x55);
    fclose(f);
  }
}

TEST(TxtSample, ReadFailure) {
  // A stream opened for writing only cannot be read.
  std::string path = testing::TempDir() + "txt_sample_write_only";
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  fputs("some text", f);
  uint8_t buffer[16];
  uint32_t length = sizeof buffer;
  EXPECT_EQ(txtSample(f, buffer, &length), VLXErrRead);
  EXPECT_EQ(length, sizeof buffer);
  fclose(f);
  remove(path.c_str());
}

}  // namespace
