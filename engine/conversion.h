// Converting whole texts between e-text databases, text files and strings.
#pragma once

#include <cstdio>
#include <string>

#include "encodings/conversion_table.h"
#include "engine/doc_format.h"
#include "engine/file_type.h"
#include "platform/export.h"
#include "platform/ui.h"

// Reads the database `doc0` (headers from docHeaders) and writes its text to
// `doc1` converted by `table`: as a text file, or with type1 == VLXTypeDatabase
// as a re-encoded database with its bookmarks, every record at its old offset.
// With `result` given, the text is decoded into it instead and nothing is
// written; text the table cannot decode gives an empty string and still 0.
// Returns 0 or an error code:
//   -4 damaged: version not 1 or 2, no text records, too few records, record
//      offsets that decrease or point past the end of the file, a stored record
//      over 4608 bytes, a record that expands past 4096 bytes or reaches before
//      its own start, expanded text shorter than record 0's length or longer
//      than its capacity, bookmark records not 20 bytes each (database mode);
//   -5 a read or seek fails; -6 a write fails; -7 no memory;
//   -8 the table fails, or offers no byte map in database mode (refused before
//      anything is written, since the copied offsets need the length kept).
VLX_API int pdbDocConvert(FILE* doc0, DatabaseHdrType* dbHeader, const DocHeaderType* docHeader,
                          FILE* doc1, std::u16string* result, VLXType type1,
                          ConversionTable* table);

// Writes the text of `doc0` (or `fileText` when given) converted by `table` to
// `doc1`: as a database named `dbName` (compressed or not) when type1 is
// VLXTypeDatabase, else as plain text. Pumps `session` and advances `progress`
// after each compressed record. A name longer than 31 bytes is cut to 31.
// Returns 0 or an error code: -4 for a text needing more than 65534 records
// (refused before anything is written), -5 when the file cannot be read, -6
// when the output cannot be written, -7 no memory (or a file over 4 GB), -8
// when the table gives no text (no table, or bytes that do not decode).
VLX_API int txtDocConvert(FILE* doc0, const std::u16string* fileText, const char* dbName,
                          FILE* doc1, VLXType type1, ConversionTable* table, bool compress,
                          vlx::ModalSession* session, vlx::ProgressIndicator* progress);
