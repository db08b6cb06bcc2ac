// Reading the text of a database: as a text file, as a string, or as another
// database in another encoding.
//
// A damaged database is caught before anything is allocated from its claims:
// the record offsets must increase and stay within the file, a stored record
// larger than the writer ever makes (4608 bytes) is refused, and the text
// buffer is never larger than the stored text can expand to.
#include <sys/types.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/codec_internal.h"
#include "engine/conversion.h"
#include "engine/doc_layout_internal.h"
#include "engine/errors.h"
#include "engine/pdb_convert_internal.h"

namespace vlx {
namespace {

// Any token expands to at most five times its size (two bytes to ten).
constexpr uint64_t kMaxExpansion = 5;

CBuffer allocate(uint64_t size) {
  return CBuffer(static_cast<uint8_t*>(std::malloc(size ? size : 1)));
}

int readLayout(FILE* doc0, const DatabaseHdrType& dbHeader, uint16_t r, PdbLayout* layout) {
  if (fseeko(doc0, kDatabaseHdrSize, SEEK_SET) != 0) return VLXErrRead;
  if (!readRecordIndexes(doc0, &layout->record0, 1)) return VLXErrRead;
  layout->text.resize(r);
  if (!readRecordIndexes(doc0, layout->text.data(), r)) return VLXErrRead;

  uint32_t numRecords = dbHeader.recordList.numRecords;
  if (numRecords < uint32_t{r} + 1) return VLXErrDamaged;
  uint32_t t = numRecords - r - 1;
  layout->bookmarks.resize(t);
  if (!readRecordIndexes(doc0, layout->bookmarks.data(), t)) return VLXErrRead;

  long length = fileLen(doc0);
  if (length < 0) return VLXErrRead;
  layout->fileLength = static_cast<uint64_t>(length);
  layout->textStart = layout->text[0].offset;
  layout->textEnd = t > 0 ? layout->bookmarks[0].offset : layout->fileLength;

  // Offsets that decrease or point past the end of the file.
  if (layout->textEnd > layout->fileLength) return VLXErrDamaged;
  for (uint32_t i = 0; i < r; ++i) {
    uint64_t next = i + 1 < r ? layout->text[i + 1].offset : layout->textEnd;
    if (next < layout->text[i].offset) return VLXErrDamaged;
  }
  return 0;
}

// Expands the records into `*text`, exactly `docHeader.length` bytes long.
int expandRecords(FILE* doc0, const DocHeaderType& docHeader, const PdbLayout& layout,
                  CBuffer* text, uint64_t* textLength) {
  uint64_t capacity = uint64_t{docHeader.length} / kDocRecordSize * kDocRecordSize + kDocRecordSize;
  uint64_t room = std::min({capacity, uint64_t{kDocRecordSize} * layout.text.size(),
                            kMaxExpansion * (layout.textEnd - layout.textStart)});
  CBuffer buffer = allocate(room);
  if (!buffer) return VLXErrMemory;

  uint8_t stored[kDocMaxCompressedRecord];
  uint64_t expanded = 0;
  for (size_t i = 0; i < layout.text.size(); ++i) {
    uint64_t next = i + 1 < layout.text.size() ? layout.text[i + 1].offset : layout.textEnd;
    uint64_t size = next - layout.text[i].offset;
    if (size > kDocMaxCompressedRecord) return VLXErrDamaged;
    if (std::fread(stored, 1, size, doc0) != size) return VLXErrRead;
    if (expanded + kDocRecordSize > capacity) return VLXErrDamaged;
    uint32_t recordRoom = static_cast<uint32_t>(std::min<uint64_t>(kDocRecordSize, room - expanded));
    uint32_t written = 0;
    if (expandRecordChecked(stored, static_cast<uint32_t>(size), buffer.get() + expanded,
                            recordRoom, &written) != 0)
      return VLXErrDamaged;
    expanded += written;
  }
  // Fewer bytes than announced: the rest of the text is missing.
  if (expanded < docHeader.length) return VLXErrDamaged;
  *text = std::move(buffer);
  *textLength = docHeader.length;
  return 0;
}

int convert(FILE* doc0, DatabaseHdrType* dbHeader, const DocHeaderType* docHeader, FILE* doc1,
            std::u16string* result, VLXType type1, ConversionTable* table) {
  if (docHeader->version != 1 && docHeader->version != 2) return VLXErrDamaged;
  if (docHeader->records == 0) return VLXErrDamaged;
  const bool toDatabase = type1 == VLXTypeDatabase && result == nullptr;

  PdbLayout layout;
  if (int rc = readLayout(doc0, *dbHeader, docHeader->records, &layout)) return rc;

  if (toDatabase) {
    // A database needs a byte-to-byte map: the copied record offsets must stay
    // right, and compressed records can only be re-encoded through it. Refused
    // before anything is written.
    if (table == nullptr || table->table() == nullptr) return VLXErrConvert;
    if (int rc = copyFrame(doc1, dbHeader, *docHeader, layout, *table)) return rc;
  }

  if (fseeko(doc0, static_cast<off_t>(layout.textStart), SEEK_SET) != 0) return VLXErrRead;

  CBuffer text;
  uint64_t length = 0;
  if (docHeader->version == 1 || toDatabase) {
    length = layout.textEnd - layout.textStart;
    text = allocate(length);
    if (!text) return VLXErrMemory;
    if (std::fread(text.get(), 1, length, doc0) != length) return VLXErrRead;
    if (docHeader->version == 2) mapLiteralRuns(text.get(), length, table->table());
  } else if (int rc = expandRecords(doc0, *docHeader, layout, &text, &length)) {
    return rc;
  }

  if (result != nullptr) {
    // Text that does not decode gives an empty string; the call still succeeds.
    std::optional<std::u16string> decoded;
    if (table != nullptr && length <= UINT32_MAX)
      decoded = table->stringWithBytes(text.get(), static_cast<uint32_t>(length));
    *result = decoded ? std::move(*decoded) : std::u16string();
    return 0;
  }

  if (!toDatabase || docHeader->version == 1) {
    if (table == nullptr || length > UINT32_MAX) return VLXErrConvert;
    uint32_t converted = static_cast<uint32_t>(length);
    uint8_t* bytes = table->convertBytes(text.get(), &converted, false);
    if (bytes == nullptr) return VLXErrConvert;
    if (bytes != text.get()) {
      (void)text.release();  // already moved or freed by the table
      text.reset(bytes);
    }
    // A copied database keeps its record offsets, so its text must keep its length.
    if (toDatabase && converted != length) return VLXErrConvert;
    length = converted;
  }

  if (length > 0 && std::fwrite(text.get(), 1, length, doc1) != length) return VLXErrWrite;

  if (toDatabase && !layout.bookmarks.empty())
    return copyBookmarks(doc0, doc1, layout, *table);
  return 0;
}

}  // namespace
}  // namespace vlx

int pdbDocConvert(FILE* doc0, DatabaseHdrType* dbHeader, const DocHeaderType* docHeader,
                  FILE* doc1, std::u16string* result, VLXType type1, ConversionTable* table) {
  if (doc0 == nullptr || dbHeader == nullptr || docHeader == nullptr) return VLXErrRead;
  if (result == nullptr && doc1 == nullptr) return VLXErrWrite;
  try {
    return vlx::convert(doc0, dbHeader, docHeader, doc1, result, type1, table);
  } catch (const std::bad_alloc&) {
    return VLXErrMemory;
  }
}
