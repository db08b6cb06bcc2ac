#include "platform/localization.h"

#include <libintl.h>
#include <unicode/ustring.h>

namespace vlx {

std::u16string localizedString(const char* englishKey) {
  if (englishKey == nullptr) return {};
  // An empty key would make gettext return the catalogue header.
  if (*englishKey == '\0') return {};
  return utf8ToUtf16(gettext(englishKey));
}

std::u16string utf8ToUtf16(const std::string& text) {
  std::u16string out(text.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                       &length, text.data(), static_cast<int32_t>(text.size()), 0xFFFD, nullptr,
                       &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(length));
  return out;
}

std::string utf16ToUtf8(const std::u16string& text) {
  std::string out(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                     reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                     0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(length));
  return out;
}

}  // namespace vlx
