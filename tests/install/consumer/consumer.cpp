// Converts a short text into a database and back through the installed library.
#include <vellix.h>

#include <cstdio>
#include <string>

int main() {
  auto table = ConversionTable::conversionTableWithEncodingsSource(VLXEncUTF8, VLXEncWinWestern);
  if (!table) return 1;
  FILE* db = std::tmpfile();
  const std::u16string text = u"Caf\u00e9 au lait\n";
  if (txtDocConvert(nullptr, &text, "Consumer", db, VLXTypeDatabase, table.get(), true, nullptr,
                    nullptr) != 0)
    return 2;
  DatabaseHdrType dbHeader;
  DocHeaderType docHeader;
  std::u16string result;
  if (docHeaders(db, &dbHeader, &docHeader) != 0) return 3;
  auto decode = ConversionTable::conversionTableWithEncodingsSource(VLXEncWinWestern, VLXEncUTF8);
  if (pdbDocConvert(db, &dbHeader, &docHeader, nullptr, &result, VLXTypeText, decode.get()) != 0)
    return 4;
  std::fclose(db);
  return result == text ? 0 : 5;
}
