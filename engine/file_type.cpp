// Typing files by the extension of their name.
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/file_type.h"
#include "platform/localization.h"
#include "platform/ui.h"

namespace {

// The platform's text document types, asked for once per process on the
// first lookup that gets past the fixed extensions.
std::vector<std::u16string> genTxtTypes;
bool genTxtTypesFetched = false;

// The part after the last "." of the path's last component; empty when none.
std::string extensionOf(const std::string& path) {
  std::string::size_type end = path.find_last_not_of('/');
  if (end == std::string::npos) return {};
  std::string::size_type slash = path.rfind('/', end);
  std::string::size_type start = slash == std::string::npos ? 0 : slash + 1;
  std::string::size_type dot = path.rfind('.', end);
  if (dot == std::string::npos || dot < start) return {};
  return path.substr(dot + 1, end - dot);
}

std::u16string lowerCased(const std::string& utf8) {
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
  text.toLower(icu::Locale::getRoot());
  return std::u16string(reinterpret_cast<const char16_t*>(text.getBuffer()),
                        static_cast<size_t>(text.length()));
}

}  // namespace

VLXType VLXTypeOfFile(const std::string& path) {
  std::u16string extension = lowerCased(extensionOf(path));
  if (extension == u"pdb") return VLXTypeDatabase;
  if (extension == u"txt" || extension == u"text") return VLXTypeText;
  if (!genTxtTypesFetched) {
    genTxtTypes = vlx::platformBackend().textDocumentTypes();
    genTxtTypesFetched = true;
  }
  // Exact comparison: a list entry with capitals never matches.
  if (std::find(genTxtTypes.begin(), genTxtTypes.end(), extension) != genTxtTypes.end())
    return VLXTypeOtherText;
  return VLXTypeUnsupported;
}
