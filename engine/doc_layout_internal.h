// Serialising the database structures to and from their big-endian file
// images. Shared by the readers and writers of the engine.
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/doc_format.h"

namespace vlx {

void encodeDatabaseHdr(const DatabaseHdrType& header, uint8_t image[kDatabaseHdrSize]);
void decodeDatabaseHdr(const uint8_t image[kDatabaseHdrSize], DatabaseHdrType* header);
void encodeDocHeader(const DocHeaderType& header, uint8_t image[kDocHeaderSize]);
void decodeDocHeader(const uint8_t image[kDocHeaderSize], DocHeaderType* header);
void encodeRecordIndex(const RecordIndexType& entry, uint8_t image[kRecordIndexSize]);
void decodeRecordIndex(const uint8_t image[kRecordIndexSize], RecordIndexType* entry);

// Reads `count` record list entries from the stream's position into
// `entries`; false unless all of them come.
bool readRecordIndexes(FILE* doc, RecordIndexType* entries, uint32_t count);
// Writes `count` entries; false on a short write.
bool writeRecordIndexes(FILE* doc, const RecordIndexType* entries, uint32_t count);

// Writes `count` zero bytes; false on a short write.
bool writeZeros(FILE* doc, uint64_t count);

}  // namespace vlx
