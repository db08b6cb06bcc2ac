#include "engine/byte_order_internal.h"
#include "engine/doc_layout_internal.h"

#include <cstring>

namespace vlx {

void encodeDatabaseHdr(const DatabaseHdrType& h, uint8_t image[kDatabaseHdrSize]) {
  std::memcpy(image, h.name, 32);
  putBE16(image + 32, h.attributes);
  putBE16(image + 34, h.version);
  putBE32(image + 36, h.creationDate);
  putBE32(image + 40, h.modificationDate);
  putBE32(image + 44, h.lastBackupDate);
  putBE32(image + 48, h.modificationNumber);
  putBE32(image + 52, h.appInfoID);
  putBE32(image + 56, h.sortInfoID);
  std::memcpy(image + 60, h.type, 4);
  std::memcpy(image + 64, h.creator, 4);
  putBE32(image + 68, h.uniqueIDSeed);
  putBE32(image + 72, h.recordList.nextRecordListID);
  putBE16(image + 76, h.recordList.numRecords);
}

void decodeDatabaseHdr(const uint8_t image[kDatabaseHdrSize], DatabaseHdrType* h) {
  std::memcpy(h->name, image, 32);
  h->attributes = getBE16(image + 32);
  h->version = getBE16(image + 34);
  h->creationDate = getBE32(image + 36);
  h->modificationDate = getBE32(image + 40);
  h->lastBackupDate = getBE32(image + 44);
  h->modificationNumber = getBE32(image + 48);
  h->appInfoID = getBE32(image + 52);
  h->sortInfoID = getBE32(image + 56);
  std::memcpy(h->type, image + 60, 4);
  std::memcpy(h->creator, image + 64, 4);
  h->uniqueIDSeed = getBE32(image + 68);
  h->recordList.nextRecordListID = getBE32(image + 72);
  h->recordList.numRecords = getBE16(image + 76);
}

void encodeDocHeader(const DocHeaderType& h, uint8_t image[kDocHeaderSize]) {
  putBE16(image, h.version);
  putBE16(image + 2, h.spare);
  putBE32(image + 4, h.length);
  putBE16(image + 8, h.records);
  putBE16(image + 10, h.recordSize);
  putBE32(image + 12, h.position);
}

void decodeDocHeader(const uint8_t image[kDocHeaderSize], DocHeaderType* h) {
  h->version = getBE16(image);
  h->spare = getBE16(image + 2);
  h->length = getBE32(image + 4);
  h->records = getBE16(image + 8);
  h->recordSize = getBE16(image + 10);
  h->position = getBE32(image + 12);
}

void encodeRecordIndex(const RecordIndexType& e, uint8_t image[kRecordIndexSize]) {
  putBE32(image, e.offset);
  image[4] = e.attributes;
  std::memcpy(image + 5, e.uniqueID, 3);
}

void decodeRecordIndex(const uint8_t image[kRecordIndexSize], RecordIndexType* e) {
  e->offset = getBE32(image);
  e->attributes = image[4];
  std::memcpy(e->uniqueID, image + 5, 3);
}

bool readRecordIndexes(FILE* doc, RecordIndexType* entries, uint32_t count) {
  uint8_t image[kRecordIndexSize];
  for (uint32_t i = 0; i < count; ++i) {
    if (std::fread(image, 1, kRecordIndexSize, doc) != kRecordIndexSize) return false;
    decodeRecordIndex(image, &entries[i]);
  }
  return true;
}

bool writeRecordIndexes(FILE* doc, const RecordIndexType* entries, uint32_t count) {
  uint8_t image[kRecordIndexSize];
  for (uint32_t i = 0; i < count; ++i) {
    encodeRecordIndex(entries[i], image);
    if (std::fwrite(image, 1, kRecordIndexSize, doc) != kRecordIndexSize) return false;
  }
  return true;
}

bool writeZeros(FILE* doc, uint64_t count) {
  static const uint8_t zeros[4096] = {};
  while (count > 0) {
    size_t chunk = count < sizeof zeros ? static_cast<size_t>(count) : sizeof zeros;
    if (std::fwrite(zeros, 1, chunk, doc) != chunk) return false;
    count -= chunk;
  }
  return true;
}

}  // namespace vlx
