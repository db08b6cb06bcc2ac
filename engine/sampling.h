// Content sampling: the bytes the encoding guesser looks at. From a database
// only the bytes 0x80 and above of the stored text are gathered (those tell
// 8-bit encodings apart), walking compressed records token by token without
// expanding them; from a text file its first bytes as they are.
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/doc_format.h"
#include "platform/export.h"

// Gathers up to *docSampleLength (the buffer's capacity) bytes of 0x80 and
// above from the stored text of the database `doc0`, whose headers
// docHeaders() filled. On success returns 0 and sets *docSampleLength to the
// bytes gathered and *charsReadForSample to the stored bytes consumed from the
// start of record 1 (compressed bytes for a compressed text). Returns -4 for a
// record 0 of another version than 1 or 2, no text records, more text records
// than the database holds, or a stored text that ends before it starts; -5 for
// a failed seek or read, including a file that ends before the stored text
// does. On failure the out-parameters keep their values. Reads byte by byte
// through the stream's buffer and stops as soon as the sample is full.
VLX_API int docSample(FILE* doc0, const DatabaseHdrType* dbHeader, const DocHeaderType* docHeader,
                      uint8_t* docSampleBuffer, uint32_t* docSampleLength,
                      uint32_t* charsReadForSample);

// Reads the first *docSampleLength bytes of the text file `doc0` (fewer when
// the file is shorter) into `docSampleBuffer`; returns 0 with *docSampleLength
// set to the bytes read, or -5 on a failed seek or read.
VLX_API int txtSample(FILE* doc0, uint8_t* docSampleBuffer, uint32_t* docSampleLength);
