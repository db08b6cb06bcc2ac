// Typing files by extension, with the platform's list asked for once.
//
// The list is cached for the life of the process, so one test covers every
// case that reaches it.
#include <gtest/gtest.h>

#include "engine/file_type.h"
#include "platform/headless/headless_backend.h"

namespace {

TEST(FileType, TypesByExtensionAndAsksThePlatformOnce) {
  vlx::HeadlessBackend backend;
  backend.textTypes = {u"rtf", u"html", u"DOC", u"\u00e9t"};
  vlx::setPlatformBackend(&backend);

  // The fixed extensions, in any case, never consult the platform.
  const std::pair<const char*, VLXType> fixed[] = {
      {"/books/Book.pdb", VLXTypeDatabase}, {"Book.PDB", VLXTypeDatabase},
      {"a.b/Book.Pdb", VLXTypeDatabase},    {"notes.txt", VLXTypeText},
      {"NOTES.TXT", VLXTypeText},           {"notes.text", VLXTypeText},
      {"notes.TeXt", VLXTypeText},          {"dir.txt/", VLXTypeText},
  };
  for (auto [path, type] : fixed) EXPECT_EQ(VLXTypeOfFile(path), type) << path;
  EXPECT_EQ(backend.textTypesRequests, 0);

  const std::pair<const char*, VLXType> listed[] = {
      {"letter.rtf", VLXTypeOtherText},
      {"page.HTML", VLXTypeOtherText},
      {"report.doc", VLXTypeUnsupported},  // the list's "DOC" never matches
      {"caf\xc3\xa9.\xc3\x89T", VLXTypeOtherText},  // lower-cased beyond ASCII
      {"README", VLXTypeUnsupported},
      {"ends.with.", VLXTypeUnsupported},
      {"dir.rtf/README", VLXTypeUnsupported},  // only the last component counts
      {"image.png", VLXTypeUnsupported},
  };
  for (auto [path, type] : listed) EXPECT_EQ(VLXTypeOfFile(path), type) << path;
  EXPECT_EQ(backend.textTypesRequests, 1);

  // Kept for the process: a changed list is not seen.
  backend.textTypes = {u""};
  EXPECT_EQ(VLXTypeOfFile("README"), VLXTypeUnsupported);
  EXPECT_EQ(backend.textTypesRequests, 1);
  vlx::setPlatformBackend(nullptr);
}

}  // namespace
