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
// as a re-encoded database with its bookmarks. With `result` given, the text is
// decoded into it instead and nothing is written. Returns 0 or an error code.
VLX_API int pdbDocConvert(FILE* doc0, DatabaseHdrType* dbHeader, const DocHeaderType* docHeader,
                          FILE* doc1, std::u16string* result, VLXType type1,
                          ConversionTable* table);

// Writes the text of `doc0` (or `fileText` when given) converted by `table` to
// `doc1`: as a database named `dbName` (compressed or not) when type1 is
// VLXTypeDatabase, else as plain text. Pumps `session` and advances `progress`
// after each compressed record. Returns 0 or an error code.
VLX_API int txtDocConvert(FILE* doc0, const std::u16string* fileText, const char* dbName,
                          FILE* doc1, VLXType type1, ConversionTable* table, bool compress,
                          vlx::ModalSession* session, vlx::ProgressIndicator* progress);
