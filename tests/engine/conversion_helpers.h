// Running the two conversions on in-memory files for the engine tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db_image.h"
#include "encodings/conversion_table.h"
#include "engine/codec.h"
#include "engine/conversion.h"
#include "engine/doc_format.h"

namespace vlx::test {

constexpr VLXEnc kWinCE = 17;
constexpr VLXEnc kISOCE = 16;

inline std::unique_ptr<ConversionTable> tableFor(VLXEnc source, VLXEnc target) {
  return ConversionTable::conversionTableWithEncodingsSource(source, target);
}

inline Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A database holding `text` in records of 4096 bytes, compressed or stored.
inline DbImage textImage(const Bytes& text, bool compress) {
  DbImage db;
  db.version = compress ? 2 : 1;
  for (size_t at = 0; at < text.size(); at += 4096) {
    uint32_t n = static_cast<uint32_t>(std::min<size_t>(4096, text.size() - at));
    Bytes record(text.begin() + at, text.begin() + at + n);
    if (compress) {
      Bytes packed(4608);
      packed.resize(docCompressRecord(record.data(), packed.data(), n));
      record = packed;
    }
    db.text.push_back(record);
    db.textLengths.push_back(n);
  }
  return db;
}

struct PdbResult {
  int rc = 1;
  Bytes out;            // what was written to doc1
  std::u16string text;  // the string, in string mode
};

// pdbDocConvert on `image`, whose headers must read.
inline PdbResult convertPdb(const Bytes& image, VLXType type1, ConversionTable* table,
                            bool toString = false) {
  PdbResult result;
  FILE* in = streamOf(image);
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  int headers = docHeaders(in, &dbHeader, &docHeader);
  EXPECT_EQ(headers, 0);
  if (headers != 0) {
    std::fclose(in);
    return result;
  }
  FILE* out = std::tmpfile();
  result.rc = pdbDocConvert(in, &dbHeader, &docHeader, toString ? nullptr : out,
                            toString ? &result.text : nullptr, type1, table);
  result.out = contentsOf(out);
  std::fclose(out);
  std::fclose(in);
  return result;
}

// txtDocConvert of the file `text` into a database or text file.
inline int convertText(const Bytes& text, VLXType type1, ConversionTable* table, bool compress,
                       Bytes* out, const char* name = "Book",
                       vlx::ModalSession* session = nullptr,
                       vlx::ProgressIndicator* progress = nullptr) {
  FILE* in = streamOf(text);
  FILE* outFile = std::tmpfile();
  int rc = txtDocConvert(in, nullptr, name, outFile, type1, table, compress, session, progress);
  *out = contentsOf(outFile);
  std::fclose(outFile);
  std::fclose(in);
  return rc;
}

}  // namespace vlx::test
