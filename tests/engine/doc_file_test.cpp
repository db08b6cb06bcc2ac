// Opening and checking database files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "db_image.h"
#include "engine/doc_format.h"
#include "engine/doc_layout_internal.h"
#include "engine/errors.h"

namespace {

using vlx::test::Bytes;
using vlx::test::DbImage;

int headersOf(const Bytes& image, DatabaseHdrType* db, DocHeaderType* doc) {
  FILE* f = vlx::test::streamOf(image);
  int rc = docHeaders(f, db, doc);
  std::fclose(f);
  return rc;
}

TEST(DocHeaders, ReadsAWellFormedDatabase) {
  DbImage image = vlx::test::storedImage("Hello");
  image.version = 3;  // not looked at here
  DatabaseHdrType db;
  DocHeaderType doc;
  ASSERT_EQ(headersOf(image.build(), &db, &doc), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(db.name), "Book");
  EXPECT_EQ(db.recordList.numRecords, 2);
  EXPECT_EQ(doc.version, 3);
  EXPECT_EQ(doc.length, 5u);
  EXPECT_EQ(doc.records, 1);
  EXPECT_EQ(doc.recordSize, 4096);
}

TEST(DocHeaders, ReportsEachFaultWithItsCode) {
  struct Case {
    const char* what;
    Bytes image;
    int code;
  };
  auto with = [](auto change) {
    DbImage image = vlx::test::storedImage("Hello");
    change(image);
    return image.build();
  };
  Bytes full = vlx::test::storedImage("Hello").build();
  const std::vector<Case> cases = {
      {"empty file", {}, VLXErrNotDoc},
      {"shorter than a header", Bytes(full.begin(), full.begin() + 77), VLXErrNotDoc},
      {"type differs in case", with([](DbImage& d) { d.type = "TEXT"; }), VLXErrNotDoc},
      {"other creator", with([](DbImage& d) { d.creator = "read"; }), VLXErrNotDoc},
      {"no records, second list",
       with([](DbImage& d) { d.numRecords = 0; d.nextRecordListID = 1; }), VLXErrDamaged},
      {"second record list", with([](DbImage& d) { d.nextRecordListID = 0x100; }),
       VLXErrNotConforming},
      {"header only", Bytes(full.begin(), full.begin() + 78), VLXErrRead},
      {"record 0 at the end",
       with([&](DbImage& d) { d.offsetOverrides = {{0, static_cast<uint32_t>(full.size())}}; }),
       VLXErrRead},
      {"record 0 cut short", Bytes(full.begin(), full.begin() + 100), VLXErrRead},
  };
  for (const Case& c : cases) {
    DatabaseHdrType db;
    DocHeaderType doc;
    EXPECT_EQ(headersOf(c.image, &db, &doc), c.code) << c.what;
  }
}

TEST(DocHeaders, HeadersDecodeAndEncodeToTheSameBytes) {
  // Program B's database fills fields the engine never writes.
  Bytes file = vlx::test::readFile(std::filesystem::path(VELLIX_TEST_DATA_DIR) / "other-b-compressed.pdb");
  ASSERT_GT(file.size(), 200u);
  DatabaseHdrType db;
  DocHeaderType doc;
  ASSERT_EQ(headersOf(file, &db, &doc), 0);
  uint8_t image[kDatabaseHdrSize];
  vlx::encodeDatabaseHdr(db, image);
  EXPECT_EQ(0, std::memcmp(image, file.data(), kDatabaseHdrSize));
  uint8_t docImage[kDocHeaderSize];
  vlx::encodeDocHeader(doc, docImage);
  EXPECT_EQ(0, std::memcmp(docImage, file.data() + 0x70, kDocHeaderSize));
  EXPECT_EQ(doc.length, 10424u);
}

TEST(DocFile, OpensClosesAndMeasuresFiles) {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "vellix-doc-file-test.pdb";
  FILE* w = docOpenW(path.c_str());
  ASSERT_NE(w, nullptr);
  std::fputs("0123456789", w);
  EXPECT_EQ(docClose(w), 0);

  FILE* r = docOpenR(path.c_str());
  ASSERT_NE(r, nullptr);
  std::fseek(r, 3, SEEK_SET);
  EXPECT_EQ(fileLen(r), 10);
  EXPECT_EQ(std::ftell(r), 3);  // the position is kept
  EXPECT_EQ(docClose(r), 0);
  std::filesystem::remove(path);

  EXPECT_EQ(docClose(nullptr), 0);
  EXPECT_EQ(docOpenR((path.string() + ".missing").c_str()), nullptr);
  EXPECT_EQ(docOpenW("/nonexistent-dir/x.pdb"), nullptr);
}

}  // namespace
