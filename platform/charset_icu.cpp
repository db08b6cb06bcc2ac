// ICU converters behind the character-set converter. Opening a converter is
// slow, so each one is opened once and kept for the life of the process.
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <map>
#include <memory>
#include <string>

#include "platform/charset_internal.h"

namespace vlx::charset {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Converter for `icuName`, or null when ICU has none. Failed opens are
// remembered too, so a missing converter is not looked up again.
UConverter* converterFor(const char* icuName) {
  static std::map<std::string, ConverterPtr, std::less<>> cache;
  auto found = cache.find(std::string_view(icuName));
  if (found != cache.end()) return found->second.get();
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(icuName, &status));
  if (U_FAILURE(status)) converter.reset();
  if (converter) {
    // "?" is what a lossy conversion writes for a character the encoding
    // cannot hold.
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    if (U_FAILURE(status)) converter.reset();
  }
  UConverter* result = converter.get();
  cache.emplace(icuName, std::move(converter));
  return result;
}

}  // namespace

bool icuAvailable(const char* icuName) { return converterFor(icuName) != nullptr; }

std::optional<std::u16string> icuDecode(const char* icuName, const uint8_t* bytes, size_t length) {
  UConverter* converter = converterFor(icuName);
  if (converter == nullptr) return std::nullopt;
  if (length == 0) return std::u16string();
  if (length > static_cast<size_t>(INT32_MAX / 2 - 16)) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  // One byte gives at most two UTF-16 code units in every encoding we use; the
  // overflow branch covers any converter that gives more.
  std::u16string out(length * 2 + 16, u'\0');
  const char* source = reinterpret_cast<const char*>(bytes);
  status = U_ZERO_ERROR;
  int32_t produced = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                   static_cast<int32_t>(out.size()), source,
                                   static_cast<int32_t>(length), &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(produced), u'\0');
    status = U_ZERO_ERROR;
    produced = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                             static_cast<int32_t>(out.size()), source,
                             static_cast<int32_t>(length), &status);
  }
  ucnv_resetToUnicode(converter);
  if (U_FAILURE(status)) return std::nullopt;
  out.resize(static_cast<size_t>(produced));
  return out;
}

std::optional<std::string> icuEncode(const char* icuName, std::u16string_view text,
                                     bool allowLossy) {
  UConverter* converter = converterFor(icuName);
  if (converter == nullptr) return std::nullopt;
  if (text.empty()) return std::string();
  const size_t maxBytes = static_cast<size_t>(ucnv_getMaxCharSize(converter));
  if (text.size() > static_cast<size_t>(INT32_MAX) / (maxBytes + 1) - 16) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  if (allowLossy) {
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                          &status);
  } else {
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
  }
  std::string out(text.size() * maxBytes + 16, '\0');
  status = U_ZERO_ERROR;
  int32_t produced = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                     reinterpret_cast<const UChar*>(text.data()),
                                     static_cast<int32_t>(text.size()), &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(produced), '\0');
    status = U_ZERO_ERROR;
    produced = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                               reinterpret_cast<const UChar*>(text.data()),
                               static_cast<int32_t>(text.size()), &status);
  }
  ucnv_resetFromUnicode(converter);
  if (U_FAILURE(status)) return std::nullopt;
  out.resize(static_cast<size_t>(produced));
  return out;
}

}  // namespace vlx::charset
