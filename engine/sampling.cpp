// Sampling of databases and text files for the encoding guesser.
#include "engine/sampling.h"

#include "engine/errors.h"

namespace {

constexpr long kRecord1EntryOffset = kDatabaseHdrSize + kRecordIndexSize;  // 86

// Reads the record list entry at `position` and gives its big-endian offset.
bool readRecordOffset(FILE* doc, long position, uint32_t* offset) {
  uint8_t entry[kRecordIndexSize];
  if (fseek(doc, position, SEEK_SET) != 0) return false;
  if (fread(entry, 1, sizeof entry, doc) != sizeof entry) return false;
  *offset = (uint32_t{entry[0]} << 24) | (uint32_t{entry[1]} << 16) |
            (uint32_t{entry[2]} << 8) | uint32_t{entry[3]};
  return true;
}

// Walks n stored bytes from the stream's position, appending the bytes of
// 0x80 and above that stand for themselves to `buffer` until `capacity` are
// gathered; counts gathered bytes in *i and consumed bytes in *j. The stream
// is locked once and read byte by byte through its buffer.
int gatherHighBytes(FILE* doc, bool compressed, uint64_t n, uint8_t* buffer, uint32_t capacity,
                    uint32_t* gathered, uint64_t* consumed) {
  uint32_t i = 0;
  uint64_t j = 0;
  int error = 0;
  flockfile(doc);
  if (!compressed) {
    while (i < capacity && j < n) {
      int c = getc_unlocked(doc);
      if (c == EOF) {
        error = VLXErrRead;
        break;
      }
      ++j;
      if (c >= 0x80) buffer[i++] = static_cast<uint8_t>(c);
    }
  } else {
    while (error == 0 && i < capacity && j < n) {
      int c = getc_unlocked(doc);
      if (c == EOF) {
        error = VLXErrRead;
        break;
      }
      ++j;
      if (c >= 0x01 && c <= 0x08) {
        // A literal run: its bytes stand for themselves. A run cut by the end
        // of the stored text only has the bytes that are there.
        uint64_t run = static_cast<uint64_t>(c);
        if (run > n - j) run = n - j;
        for (uint64_t k = 0; k < run && i < capacity; ++k) {
          int b = getc_unlocked(doc);
          if (b == EOF) {
            error = VLXErrRead;
            break;
          }
          ++j;
          if (b >= 0x80) buffer[i++] = static_cast<uint8_t>(b);
        }
      } else if (c >= 0x80 && c <= 0xBF) {
        // A back-reference: skip its second byte; it repeats earlier text.
        if (j < n) {
          if (getc_unlocked(doc) == EOF) {
            error = VLXErrRead;
            break;
          }
          ++j;
        }
      }
      // 0x00, 0x09 to 0x7F and the space pairs 0xC0 to 0xFF are ASCII.
    }
  }
  funlockfile(doc);
  *gathered = i;
  *consumed = j;
  return error;
}

}  // namespace

int docSample(FILE* doc0, const DatabaseHdrType* dbHeader, const DocHeaderType* docHeader,
              uint8_t* docSampleBuffer, uint32_t* docSampleLength,
              uint32_t* charsReadForSample) {
  const bool compressed = docHeader->version == 2;
  if ((docHeader->version != 1 && !compressed) || docHeader->records == 0) return VLXErrDamaged;

  uint32_t start;
  if (!readRecordOffset(doc0, kRecord1EntryOffset, &start)) return VLXErrRead;

  // The stored text ends where the record after the last text record starts,
  // or at the end of the file when there is none.
  const uint32_t textRecords = docHeader->records;
  const uint32_t numRecords = dbHeader->recordList.numRecords;
  if (numRecords < textRecords + 1) return VLXErrDamaged;
  uint64_t end;
  if (numRecords > textRecords + 1) {
    uint32_t nextOffset;
    long entry = static_cast<long>(kDatabaseHdrSize + kRecordIndexSize * (textRecords + 1));
    if (!readRecordOffset(doc0, entry, &nextOffset)) return VLXErrRead;
    end = nextOffset;
  } else {
    long length = fileLen(doc0);
    if (length < 0) return VLXErrRead;
    end = static_cast<uint64_t>(length);
  }
  // Decreasing offsets: the text would have a negative size.
  if (end < start) return VLXErrDamaged;

  if (fseek(doc0, static_cast<long>(start), SEEK_SET) != 0) return VLXErrRead;
  const uint64_t n = end - start;
  uint32_t i = 0;  // bytes gathered
  uint64_t j = 0;  // stored bytes consumed
  int error = gatherHighBytes(doc0, compressed, n, docSampleBuffer, *docSampleLength, &i, &j);
  if (error != 0) return error;

  *charsReadForSample = j > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(j);
  *docSampleLength = i;
  return 0;
}

int txtSample(FILE* doc0, uint8_t* docSampleBuffer, uint32_t* docSampleLength) {
  if (fseek(doc0, 0, SEEK_SET) != 0) return VLXErrRead;
  size_t read = fread(docSampleBuffer, 1, *docSampleLength, doc0);
  if (read != *docSampleLength && !feof(doc0)) return VLXErrRead;
  *docSampleLength = static_cast<uint32_t>(read);
  return 0;
}
