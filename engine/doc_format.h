// The e-text database layout (a Palm database of type "TEXt", creator "REAd")
// and the stream functions that open, check and close such files. Structures
// are held with host-order fields; the engine reads and writes them big-endian.
#pragma once

#include <cstdint>
#include <cstdio>

#include "platform/export.h"

constexpr uint32_t kDocRecordSize = 4096;       // text bytes per record
constexpr uint32_t kDocMaxCompressedRecord = 4608;  // 4096 + one count byte per eight
constexpr uint32_t kDocMaxTextRecords = 65534;  // 16-bit record counts
constexpr uint32_t kDatabaseHdrSize = 78;
constexpr uint32_t kRecordIndexSize = 8;
constexpr uint32_t kDocHeaderSize = 16;

struct RecordListType {
  uint32_t nextRecordListID = 0;
  uint16_t numRecords = 0;
};

// The 78-byte database header.
struct DatabaseHdrType {
  uint8_t name[32] = {};
  uint16_t attributes = 0;
  uint16_t version = 0;
  uint32_t creationDate = 0;
  uint32_t modificationDate = 0;
  uint32_t lastBackupDate = 0;
  uint32_t modificationNumber = 0;
  uint32_t appInfoID = 0;
  uint32_t sortInfoID = 0;
  uint8_t type[4] = {};
  uint8_t creator[4] = {};
  uint32_t uniqueIDSeed = 0;
  RecordListType recordList;
};

// One 8-byte record list entry.
struct RecordIndexType {
  uint32_t offset = 0;
  uint8_t attributes = 0;
  uint8_t uniqueID[3] = {};
};

// Record 0, the 16-byte description of the text.
struct DocHeaderType {
  uint16_t version = 0;  // 1 stored as is, 2 compressed
  uint16_t spare = 0;
  uint32_t length = 0;   // text bytes before compression
  uint16_t records = 0;  // number of text records
  uint16_t recordSize = 0;
  uint32_t position = 0;
};

VLX_API FILE* docOpenR(const char* path);
VLX_API FILE* docOpenW(const char* path);
VLX_API int docClose(FILE* doc);
VLX_API int docHeaders(FILE* doc, DatabaseHdrType* dbHeader, DocHeaderType* docHeader);

// Length of the file in bytes, or -1; the stream's position is kept. Internal.
extern "C" long fileLen(FILE* doc);
