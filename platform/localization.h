// Localized user-visible texts. The English text is the message id, looked up
// with gettext in the running program's text domain, so the English text shows
// whenever no translation exists.
#pragma once

#include <string>

#include "platform/export.h"

namespace vlx {

// The translation of `englishKey` (UTF-8) as UTF-16.
VLX_EXPORT std::u16string localizedString(const char* englishKey);

// UTF-8 <-> UTF-16 helpers for texts that cross the toolkit boundary.
VLX_EXPORT std::u16string utf8ToUtf16(const std::string& text);
VLX_EXPORT std::string utf16ToUtf8(const std::u16string& text);

}  // namespace vlx
