// Reading databases: real-world files, the three output forms, and damaged
// databases that must fail cleanly.
#include <gtest/gtest.h>

#include <filesystem>

#include "conversion_helpers.h"
#include "engine/errors.h"

namespace {

using namespace vlx::test;

Bytes fixture(const char* name) {
  return readFile(std::filesystem::path(VELLIX_TEST_DATA_DIR) / name);
}

TEST(PdbToText, ReadsDatabasesWrittenByOtherPrograms) {
  auto table = tableFor(kWinCE, kWinCE);
  ASSERT_TRUE(table);
  const std::pair<const char*, const char*> cases[] = {
      {"other-a-compressed.pdb", "story-cp1250.txt"},
      {"other-a-stored.pdb", "story-cp1250.txt"},
      {"other-b-compressed.pdb", "other-b-text.txt"},  // back-references of 8 to 10 bytes
  };
  for (auto [database, text] : cases) {
    PdbResult r = convertPdb(fixture(database), VLXTypeText, table.get());
    EXPECT_EQ(r.rc, 0) << database;
    EXPECT_EQ(r.out, fixture(text)) << database;
  }
}

TEST(PdbToText, DeliversTheTextAsAStringWithoutWriting) {
  auto table = tableFor(kWinCE, kWinCE);
  Bytes story = fixture("story-cp1250.txt");
  std::optional<std::u16string> expected =
      table->stringWithBytes(story.data(), static_cast<uint32_t>(story.size()));
  ASSERT_TRUE(expected);
  PdbResult r = convertPdb(fixture("other-a-compressed.pdb"), VLXTypeUnsupported, table.get(), true);
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.text, *expected);
  EXPECT_TRUE(r.out.empty());

  // Text that does not decode still succeeds, with an empty string.
  auto utf8 = tableFor(VLXEncUTF8, VLXEncUTF8);
  r = convertPdb(textImage({'a', 0xFF, 0xFE}, false).build(), VLXTypeUnsupported, utf8.get(), true);
  EXPECT_EQ(r.rc, 0);
  EXPECT_TRUE(r.text.empty());
}

TEST(PdbToText, ConvertsCharactersButNeverLineEndsOrNuls) {
  auto table = tableFor(kWinCE, kISOCE);
  Bytes text = {'a', 0x9A, '\r', '\n', 'b', '\r', 0, 'c', 0, 0};  // 0x9A: s caron
  PdbResult r = convertPdb(textImage(text, true).build(), VLXTypeText, table.get());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.out, (Bytes{'a', 0xB9, '\r', '\n', 'b', '\r', 0, 'c', 0, 0}));

  // Bytes that do not decode in the source encoding.
  auto utf8 = tableFor(VLXEncUTF8, kWinCE);
  r = convertPdb(textImage({'a', 0xFF}, false).build(), VLXTypeText, utf8.get());
  EXPECT_EQ(r.rc, VLXErrConvert);
}

TEST(PdbToText, ReEncodesADatabaseKeepingEveryRecordInPlace) {
  auto table = tableFor(kWinCE, kISOCE);
  const uint8_t* map = table->table();
  ASSERT_NE(map, nullptr);
  Bytes story = fixture("story-cp1250.txt");
  Bytes mapped = story;
  for (auto& c : mapped) c = map[c];
  auto identity = tableFor(kISOCE, kISOCE);

  for (const char* name : {"other-a-compressed.pdb", "other-a-stored.pdb", "other-b-compressed.pdb"}) {
    Bytes input = fixture(name);
    PdbResult r = convertPdb(input, VLXTypeDatabase, table.get());
    ASSERT_EQ(r.rc, 0) << name;
    ASSERT_EQ(r.out.size(), input.size()) << name;
    // Same record list, same record 0.
    EXPECT_TRUE(std::equal(input.begin() + 72, input.begin() + 0x80, r.out.begin() + 72)) << name;
    if (name == std::string("other-b-compressed.pdb")) continue;  // its text differs from the story
    PdbResult back = convertPdb(r.out, VLXTypeText, identity.get());
    EXPECT_EQ(back.rc, 0);
    EXPECT_EQ(back.out, mapped) << name;
  }
}

TEST(PdbToText, ReEncodesBookmarkNamesAndTheDatabaseName) {
  auto table = tableFor(kWinCE, kISOCE);
  DbImage db = textImage(bytesOf("Kapitola \x9a" "est\xe1"), true);
  db.name = "Kn\x9d" "ha";  // 0x9D: t caron
  Bytes first(20, 0), second(20, 'x');
  first[0] = 0x9A;
  first[1] = 'a';
  first[5] = 0x9A;  // after the NUL: left alone
  db.bookmarks = {first, second};  // the second name fills all 20 bytes
  Bytes input = db.build();

  PdbResult r = convertPdb(input, VLXTypeDatabase, table.get());
  ASSERT_EQ(r.rc, 0);
  ASSERT_EQ(r.out.size(), input.size());
  EXPECT_EQ(r.out[2], 0xBB);
  EXPECT_EQ(r.out[input.size() - 40], 0xB9);
  EXPECT_EQ(r.out[input.size() - 39], 'a');
  EXPECT_EQ(r.out[input.size() - 35], 0x9A);
  EXPECT_TRUE(std::equal(second.begin(), second.end(), r.out.end() - 20));

  // As text the bookmarks play no part.
  r = convertPdb(input, VLXTypeText, table.get());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.out, bytesOf("Kapitola \xb9" "est\xe1"));
}

TEST(PdbToText, RefusesDamagedDatabases) {
  struct Case {
    const char* what;
    Bytes image;
    VLXType type1;
    int code;
    bool writesNothing;
  };
  auto compressed = [](auto change) {
    DbImage db = textImage(bytesOf("Hello, hello, hello world"), true);
    change(db);
    return db.build();
  };
  auto stored = [](auto change) {
    DbImage db = textImage(Bytes(5000, 'a'), false);
    change(db);
    return db.build();
  };
  const std::vector<Case> cases = {
      {"version 3", compressed([](DbImage& d) { d.version = 3; }), VLXTypeDatabase, VLXErrDamaged, true},
      {"no text records", compressed([](DbImage& d) { d.records = 0; }), VLXTypeText, VLXErrDamaged, true},
      {"fewer records than the text needs",
       compressed([](DbImage& d) { d.records = 2; }), VLXTypeText, VLXErrDamaged, true},
      {"record list cut short",
       compressed([](DbImage& d) { d.records = 1000; d.numRecords = 1001; }), VLXTypeText, VLXErrRead,
       true},
      {"length too small for two records",
       [] {
         DbImage db = textImage(Bytes(5000, 'q'), true);
         db.length = 10;
         return db.build();
       }(),
       VLXTypeText, VLXErrDamaged, true},
      {"text shorter than its length", compressed([](DbImage& d) { d.length = 4000; }), VLXTypeText,
       VLXErrDamaged, true},
      {"offset past the end of the file",
       stored([](DbImage& d) { d.offsetOverrides = {{2, 100000}}; }), VLXTypeText, VLXErrDamaged, true},
      {"decreasing offsets", stored([](DbImage& d) { d.offsetOverrides = {{2, 110}}; }), VLXTypeText,
       VLXErrDamaged, true},
      {"stored record larger than any written",
       [] {
         DbImage db = textImage(Bytes(4096, 'z'), true);
         db.text[0].resize(4609, 'z');
         return db.build();
       }(),
       VLXTypeText, VLXErrDamaged, true},
      {"back-reference before the record",
       compressed([](DbImage& d) { d.text[0] = {'a', 'b', 0x80, 0x18}; }), VLXTypeText, VLXErrDamaged,
       true},
      {"back-reference of distance 0",
       compressed([](DbImage& d) { d.text[0] = {'a', 'b', 'c', 0x80, 0x07}; }), VLXTypeText,
       VLXErrDamaged, true},
      {"record expanding past 4096 bytes",
       [] {
         DbImage db = textImage(Bytes(3, 'a'), true);
         db.text[0] = {'a', 'b', 'c'};
         for (int i = 0; i < 420; ++i) db.text[0].insert(db.text[0].end(), {0x80, 0x1F});
         db.length = 4100;
         return db.build();
       }(),
       VLXTypeText, VLXErrDamaged, true},
      {"bookmarks of other sizes, as text", compressed([](DbImage& d) { d.bookmarks = {Bytes(21, 'm')}; }),
       VLXTypeText, 0, false},
      {"bookmarks of other sizes, as database",
       compressed([](DbImage& d) { d.bookmarks = {Bytes(19, 'm'), Bytes(20, 'n')}; }), VLXTypeDatabase,
       VLXErrDamaged, false},
      {"record 1 overlapping record 0",
       compressed([](DbImage& d) { d.offsetOverrides = {{1, 96 + 8}}; }), VLXTypeDatabase,
       VLXErrDamaged, false},
  };
  auto table = tableFor(kWinCE, kISOCE);
  for (const Case& c : cases) {
    PdbResult r = convertPdb(c.image, c.type1, table.get());
    EXPECT_EQ(r.rc, c.code) << c.what;
    if (c.writesNothing) {
      EXPECT_TRUE(r.out.empty()) << c.what;
    }
  }
}

TEST(PdbToText, ReportsReadWriteAndTableFailures) {
  Bytes image = textImage(bytesOf("Some text"), true).build();
  FILE* good = streamOf(image);
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  ASSERT_EQ(docHeaders(good, &dbHeader, &docHeader), 0);
  auto table = tableFor(kWinCE, kWinCE);

  // A stream that cannot be read.
  std::filesystem::path path = std::filesystem::temp_directory_path() / "vellix-pdb-read-test.pdb";
  writeFile(path, image);
  FILE* writeOnly = std::fopen(path.c_str(), "ab");
  FILE* out = std::tmpfile();
  EXPECT_EQ(pdbDocConvert(writeOnly, &dbHeader, &docHeader, out, nullptr, VLXTypeText, table.get()),
            VLXErrRead);
  std::fclose(writeOnly);

  // A stream that cannot be written.
  FILE* readOnly = std::fopen(path.c_str(), "rb");
  EXPECT_EQ(pdbDocConvert(good, &dbHeader, &docHeader, readOnly, nullptr, VLXTypeText, table.get()),
            VLXErrWrite);
  std::fclose(readOnly);
  std::filesystem::remove(path);

  // A database cannot be re-encoded without a byte map: refused before writing.
  auto noMap = tableFor(kWinCE, VLXEncUTF8);
  ASSERT_TRUE(noMap);
  for (bool compress : {true, false}) {
    PdbResult r = convertPdb(textImage(bytesOf("abc"), compress).build(), VLXTypeDatabase, noMap.get());
    EXPECT_EQ(r.rc, VLXErrConvert);
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_EQ(convertPdb(image, VLXTypeText, nullptr).rc, VLXErrConvert);
  std::fclose(out);
  std::fclose(good);
}

}  // namespace
