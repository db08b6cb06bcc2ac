// Reads the headers of any bytes taken as a database file.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "engine/doc_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen wants a non-empty buffer
  FILE* doc = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (doc == nullptr) return 0;
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  docHeaders(doc, &dbHeader, &docHeader);
  std::fclose(doc);
  return 0;
}
