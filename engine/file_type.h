// Typing files by extension; a VLXType also names a conversion's target format.
#pragma once

#include <cstdint>
#include <string>

#include "platform/export.h"

typedef int32_t VLXType;

enum : VLXType {
  VLXTypeUnsupported = 0,
  VLXTypeDatabase = 1,   // "pdb"
  VLXTypeText = 2,       // "txt", "text"
  VLXTypeOtherText = 3,  // another text document type the platform reads
};

// `path` in file-system bytes (UTF-8).
VLX_API VLXType VLXTypeOfFile(const std::string& path);
