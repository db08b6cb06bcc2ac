// Copying a database into a database of another encoding: its frame, the
// literal runs of its compressed text and its bookmark records.
#include <sys/types.h>

#include <cstring>

#include "engine/doc_layout_internal.h"
#include "engine/errors.h"
#include "engine/pdb_convert_internal.h"

namespace vlx {

namespace {
constexpr uint32_t kBookmarkSize = 20;
}

bool convertNameField(uint8_t* field, size_t size, ConversionTable& table) {
  char name[64];
  if (size >= sizeof name) return false;
  std::memcpy(name, field, size);
  name[size] = '\0';
  char* converted = table.convertCString(name);
  if (converted == nullptr) return false;
  size_t n = std::strlen(converted) + 1;
  if (n > size) n = size;
  std::memcpy(field, converted, n);
  return true;
}

int copyFrame(FILE* doc1, DatabaseHdrType* dbHeader, const DocHeaderType& docHeader,
              const PdbLayout& layout, ConversionTable& table) {
  if (!convertNameField(dbHeader->name, sizeof dbHeader->name, table)) return VLXErrConvert;

  uint8_t image[kDatabaseHdrSize];
  encodeDatabaseHdr(*dbHeader, image);
  if (std::fwrite(image, 1, kDatabaseHdrSize, doc1) != kDatabaseHdrSize) return VLXErrWrite;
  if (!writeRecordIndexes(doc1, &layout.record0, 1) ||
      !writeRecordIndexes(doc1, layout.text.data(), static_cast<uint32_t>(layout.text.size())) ||
      !writeRecordIndexes(doc1, layout.bookmarks.data(),
                          static_cast<uint32_t>(layout.bookmarks.size())))
    return VLXErrWrite;

  int64_t listEnd = kDatabaseHdrSize +
                    int64_t{kRecordIndexSize} * (1 + layout.text.size() + layout.bookmarks.size());
  int64_t firstGap = int64_t{layout.record0.offset} - listEnd;
  if (firstGap < 0) return VLXErrDamaged;
  if (!writeZeros(doc1, static_cast<uint64_t>(firstGap))) return VLXErrWrite;

  uint8_t docImage[kDocHeaderSize];
  encodeDocHeader(docHeader, docImage);
  if (std::fwrite(docImage, 1, kDocHeaderSize, doc1) != kDocHeaderSize) return VLXErrWrite;

  int64_t secondGap = int64_t(layout.textStart) - layout.record0.offset - kDocHeaderSize;
  if (secondGap < 0) return VLXErrDamaged;
  if (!writeZeros(doc1, static_cast<uint64_t>(secondGap))) return VLXErrWrite;
  return 0;
}

void mapLiteralRuns(uint8_t* text, uint64_t length, const uint8_t* map) {
  uint64_t i = 0;
  while (i < length) {
    uint8_t c = text[i++];
    if (c >= 0x01 && c <= 0x08) {
      for (uint32_t n = 0; n < c && i < length; ++n, ++i) text[i] = map[text[i]];
    } else if (c >= 0x80 && c <= 0xBF) {
      if (i < length) ++i;  // the back-reference's second byte keeps its value
    }
  }
}

int copyBookmarks(FILE* doc0, FILE* doc1, const PdbLayout& layout, ConversionTable& table) {
  const std::vector<RecordIndexType>& marks = layout.bookmarks;
  for (size_t i = 0; i < marks.size(); ++i) {
    uint64_t next = i + 1 < marks.size() ? marks[i + 1].offset : layout.fileLength;
    if (next < marks[i].offset || next - marks[i].offset != kBookmarkSize) return VLXErrDamaged;
  }
  for (const RecordIndexType& mark : marks) {
    uint8_t record[kBookmarkSize];
    if (fseeko(doc0, static_cast<off_t>(mark.offset), SEEK_SET) != 0 ||
        std::fread(record, 1, kBookmarkSize, doc0) != kBookmarkSize)
      return VLXErrRead;
    if (!convertNameField(record, kBookmarkSize, table)) return VLXErrConvert;
    if (std::fwrite(record, 1, kBookmarkSize, doc1) != kBookmarkSize) return VLXErrWrite;
  }
  return 0;
}

}  // namespace vlx
