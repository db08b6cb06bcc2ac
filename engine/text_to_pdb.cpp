// Writing a text as a database (compressed or not) or as a plain text file.
#include <sys/types.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <cstring>
#include <ctime>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "engine/codec.h"
#include "engine/conversion.h"
#include "engine/doc_layout_internal.h"
#include "engine/errors.h"

namespace vlx {
namespace {

// Seconds between 1904-01-01 (the database's epoch) and 1970-01-01.
constexpr uint32_t kPalmEpochOffset = 2082844800u;

uint32_t palmNow() {
  return static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)) + kPalmEpochOffset);
}

struct FreeDeleter {
  void operator()(uint8_t* p) const { std::free(p); }
};

// The converted text: owned by this call when read from a file, else held in
// the string the table returned.
struct Text {
  std::unique_ptr<uint8_t, FreeDeleter> fileBytes;
  std::string stringBytes;
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
};

int loadText(FILE* doc0, const std::u16string* fileText, ConversionTable* table, bool forceLF,
             Text* text) {
  if (fileText != nullptr) {
    std::optional<std::string> encoded;
    if (table != nullptr) encoded = table->convertString(*fileText, forceLF);
    if (!encoded || encoded->size() > UINT32_MAX) return VLXErrConvert;
    text->stringBytes = std::move(*encoded);
    text->bytes = reinterpret_cast<const uint8_t*>(text->stringBytes.data());
    text->length = static_cast<uint32_t>(text->stringBytes.size());
    return 0;
  }
  if (doc0 == nullptr) return VLXErrRead;
  long size = fileLen(doc0);
  if (size < 0) return VLXErrRead;
  if (fseeko(doc0, 0, SEEK_SET) != 0) return VLXErrRead;
  // The table converts 32-bit lengths.
  if (static_cast<unsigned long>(size) > UINT32_MAX) return VLXErrMemory;
  uint32_t length = static_cast<uint32_t>(size);
  std::unique_ptr<uint8_t, FreeDeleter> buffer(static_cast<uint8_t*>(std::malloc(length ? length : 1)));
  if (!buffer) return VLXErrMemory;
  if (std::fread(buffer.get(), 1, length, doc0) != length) return VLXErrRead;
  if (table == nullptr) return VLXErrConvert;
  uint8_t* converted = table->convertBytes(buffer.get(), &length, forceLF);
  if (converted == nullptr) return VLXErrConvert;
  (void)buffer.release();  // the table's result replaces it
  text->fileBytes.reset(converted);
  text->bytes = converted;
  text->length = length;
  return 0;
}

int writeDatabase(const Text& text, const char* dbName, FILE* doc1, bool compress,
                  vlx::ModalSession* session, vlx::ProgressIndicator* progress) {
  const uint32_t r = static_cast<uint32_t>((uint64_t{text.length} + kDocRecordSize - 1) / kDocRecordSize);
  std::vector<RecordIndexType> entries(r);

  DatabaseHdrType header;
  if (dbName != nullptr) {
    // The name field ends with a NUL: a longer name is cut to 31 bytes.
    size_t n = strnlen(dbName, sizeof header.name - 1);
    std::memcpy(header.name, dbName, n);
  }
  header.creationDate = palmNow();
  header.modificationDate = palmNow();
  std::memcpy(header.type, "TEXt", 4);
  std::memcpy(header.creator, "REAd", 4);
  header.recordList.numRecords = static_cast<uint16_t>(r + 1);
  uint8_t image[kDatabaseHdrSize];
  encodeDatabaseHdr(header, image);
  if (std::fwrite(image, 1, kDatabaseHdrSize, doc1) != kDatabaseHdrSize) return VLXErrWrite;

  const uint32_t firstText = 104 + 8 * r;
  RecordIndexType record0;
  record0.offset = 88 + 8 * r;
  if (!writeRecordIndexes(doc1, &record0, 1)) return VLXErrWrite;

  // Room for the text records' entries, written last.
  off_t listAt = ftello(doc1);
  if (listAt < 0) return VLXErrWrite;
  if (fseeko(doc1, listAt + off_t{kRecordIndexSize} * r, SEEK_SET) != 0) return VLXErrWrite;

  DocHeaderType docHeader;
  docHeader.version = compress ? 2 : 1;
  docHeader.length = text.length;
  docHeader.records = static_cast<uint16_t>(r);
  docHeader.recordSize = kDocRecordSize;
  uint8_t docImage[2 + kDocHeaderSize] = {};
  encodeDocHeader(docHeader, docImage + 2);
  if (std::fwrite(docImage, 1, sizeof docImage, doc1) != sizeof docImage) return VLXErrWrite;

  if (compress) {
    if (progress != nullptr) {
      progress->setMaxValue(r);
      progress->setDoubleValue(0);
      progress->setIndeterminate(false);
    }
    uint8_t packed[kDocMaxCompressedRecord];
    uint32_t offset = firstText;
    for (uint32_t i = 0; i < r; ++i) {
      entries[i].offset = offset;
      uint32_t start = i * kDocRecordSize;
      uint32_t size = std::min(kDocRecordSize, text.length - start);
      uint32_t n = docCompressRecord(text.bytes + start, packed, size);
      if (std::fwrite(packed, 1, n, doc1) != n) return VLXErrWrite;
      if (progress != nullptr) progress->setDoubleValue(i + 1);
      if (session != nullptr) vlx::runModalSession(session);
      offset += n;
    }
  } else {
    for (uint32_t i = 0; i < r; ++i) entries[i].offset = firstText + kDocRecordSize * i;
    if (text.length > 0 && std::fwrite(text.bytes, 1, text.length, doc1) != text.length)
      return VLXErrWrite;
  }

  if (fseeko(doc1, listAt, SEEK_SET) != 0) return VLXErrWrite;
  if (!writeRecordIndexes(doc1, entries.data(), r)) return VLXErrWrite;
  return 0;
}

int convert(FILE* doc0, const std::u16string* fileText, const char* dbName, FILE* doc1,
            VLXType type1, ConversionTable* table, bool compress, vlx::ModalSession* session,
            vlx::ProgressIndicator* progress) {
  const bool toDatabase = type1 == VLXTypeDatabase;
  Text text;
  if (int rc = loadText(doc0, fileText, table, toDatabase, &text)) return rc;

  if (!toDatabase) {
    if (text.length > 0 && std::fwrite(text.bytes, 1, text.length, doc1) != text.length)
      return VLXErrWrite;
    return 0;
  }
  // The record counts are 16-bit: a longer text is refused before anything is written.
  if (uint64_t{text.length} > uint64_t{kDocMaxTextRecords} * kDocRecordSize) return VLXErrDamaged;
  return writeDatabase(text, dbName, doc1, compress, session, progress);
}

}  // namespace
}  // namespace vlx

int txtDocConvert(FILE* doc0, const std::u16string* fileText, const char* dbName, FILE* doc1,
                  VLXType type1, ConversionTable* table, bool compress, vlx::ModalSession* session,
                  vlx::ProgressIndicator* progress) {
  if (doc1 == nullptr) return VLXErrWrite;
  try {
    return vlx::convert(doc0, fileText, dbName, doc1, type1, table, compress, session, progress);
  } catch (const std::bad_alloc&) {
    return VLXErrMemory;
  }
}
