// Opening, checking and closing database files.
#include <sys/types.h>

#include <cstdio>
#include <cstring>

#include "engine/doc_format.h"
#include "engine/doc_layout_internal.h"
#include "engine/errors.h"

FILE* docOpenR(const char* path) { return path ? std::fopen(path, "rb") : nullptr; }

FILE* docOpenW(const char* path) { return path ? std::fopen(path, "wb") : nullptr; }

int docClose(FILE* doc) { return doc ? std::fclose(doc) : 0; }

long fileLen(FILE* doc) {
  off_t here = ftello(doc);
  if (here < 0) return -1;
  fseeko(doc, 0, SEEK_END);
  off_t length = ftello(doc);
  fseeko(doc, here, SEEK_SET);
  return length < 0 ? -1 : static_cast<long>(length);
}

int docHeaders(FILE* doc, DatabaseHdrType* dbHeader, DocHeaderType* docHeader) {
  if (std::fseek(doc, 0, SEEK_SET) != 0) return VLXErrRead;

  uint8_t image[kDatabaseHdrSize];
  // Too short to hold a header at all: not a database, rather than a read error.
  if (std::fread(image, 1, kDatabaseHdrSize, doc) != kDatabaseHdrSize) return VLXErrNotDoc;
  vlx::decodeDatabaseHdr(image, dbHeader);
  if (std::memcmp(dbHeader->type, "TEXt", 4) != 0 || std::memcmp(dbHeader->creator, "REAd", 4) != 0)
    return VLXErrNotDoc;
  if (dbHeader->recordList.numRecords == 0) return VLXErrDamaged;
  if (dbHeader->recordList.nextRecordListID != 0) return VLXErrNotConforming;

  RecordIndexType record0;
  if (!vlx::readRecordIndexes(doc, &record0, 1)) return VLXErrRead;
  if (fseeko(doc, static_cast<off_t>(record0.offset), SEEK_SET) != 0) return VLXErrRead;

  uint8_t docImage[kDocHeaderSize];
  if (std::fread(docImage, 1, kDocHeaderSize, doc) != kDocHeaderSize) return VLXErrRead;
  vlx::decodeDocHeader(docImage, docHeader);
  return 0;
}
