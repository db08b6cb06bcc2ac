// Converts any bytes taken as a database in all three ways: to a text file, to
// a string, and to a database in another encoding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "encodings/conversion_table.h"
#include "engine/conversion.h"
#include "engine/doc_format.h"

namespace {

constexpr VLXEnc kWinCE = 17;
constexpr VLXEnc kISOCE = 16;

ConversionTable& table() {
  static std::unique_ptr<ConversionTable> t =
      ConversionTable::conversionTableWithEncodingsSource(kWinCE, kISOCE);
  return *t;
}

FILE* sink() {
  static FILE* f = std::fopen("/dev/null", "wb");
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen wants a non-empty buffer
  FILE* doc = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (doc == nullptr) return 0;
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  if (docHeaders(doc, &dbHeader, &docHeader) == 0) {
    pdbDocConvert(doc, &dbHeader, &docHeader, sink(), nullptr, VLXTypeText, &table());
    std::u16string text;
    pdbDocConvert(doc, &dbHeader, &docHeader, nullptr, &text, VLXTypeUnsupported, &table());
    pdbDocConvert(doc, &dbHeader, &docHeader, sink(), nullptr, VLXTypeDatabase, &table());
  }
  std::fclose(doc);
  return 0;
}
