// Pieces of the database-to-text and database-to-database conversion shared
// by its source files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "encodings/conversion_table.h"
#include "engine/doc_format.h"

namespace vlx {

// A buffer from the C allocator, which the conversion table may move.
struct FreeDeleter {
  void operator()(uint8_t* p) const { std::free(p); }
};
using CBuffer = std::unique_ptr<uint8_t, FreeDeleter>;

// Where everything sits in the database being read; every offset has been
// checked to lie within the file, and those of the text records to increase.
struct PdbLayout {
  RecordIndexType record0;
  std::vector<RecordIndexType> text;       // records 1 to r
  std::vector<RecordIndexType> bookmarks;  // the t records after them
  uint64_t fileLength = 0;
  uint64_t textStart = 0;  // record 1's offset
  uint64_t textEnd = 0;    // the first bookmark's offset, else the end of the file
};

// Writes the header (its name converted), the record list, record 0 and the
// gaps between them as zero bytes, so every record keeps its offset.
int copyFrame(FILE* doc1, DatabaseHdrType* dbHeader, const DocHeaderType& docHeader,
              const PdbLayout& layout, ConversionTable& table);

// Re-encodes the bytes of the literal runs of a compressed stored text in
// place through `map`; everything else keeps its value.
void mapLiteralRuns(uint8_t* text, uint64_t length, const uint8_t* map);

// Checks that the records after the text are 20 bytes each, then copies them
// from `doc0` to `doc1` with their names converted.
int copyBookmarks(FILE* doc0, FILE* doc1, const PdbLayout& layout, ConversionTable& table);

// Converts, with `table`, the NUL-terminated name held in the first `size`
// bytes of `field` (not necessarily terminated there) in place. False when
// the table fails.
bool convertNameField(uint8_t* field, size_t size, ConversionTable& table);

}  // namespace vlx
