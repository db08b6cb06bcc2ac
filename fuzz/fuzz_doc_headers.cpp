// Reads the headers of any bytes taken as a database file.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "engine/doc_format.h"
#include "engine/sampling.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen wants a non-empty buffer
  FILE* doc = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (doc == nullptr) return 0;
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  if (docHeaders(doc, &dbHeader, &docHeader) == 0) {
    uint8_t sample[1024];
    uint32_t sampleLength = sizeof sample, charsRead = 0;
    docSample(doc, &dbHeader, &docHeader, sample, &sampleLength, &charsRead);
  }
  std::fclose(doc);
  return 0;
}
