// The alert that shows an engine error code.
#include <string>

#include "engine/errors.h"
#include "platform/localization.h"
#include "platform/ui.h"

namespace {

// The title of a known code, or null.
const char* titleOf(int error) {
  switch (error) {
    case VLXErrOpen: return "Error opening file.";
    case VLXErrNotDoc: return "This file isn't Vellix.";
    case VLXErrNotConforming: return "This file doesn't conform Palm recommendations.";
    case VLXErrDamaged: return "File is in unknown format or it may be damaged.";
    case VLXErrRead: return "Error reading file, file is probably damaged.";
    case VLXErrWrite: return "Error writing file, disk may be full.";
    case VLXErrMemory: return "Error allocating memory.";
    case VLXErrConvert: return "Error converting characters.";
    case VLXErrSystemVersion: return "This software requires at least Mac OS X 10.2 in order to run.";
    default: return nullptr;
  }
}

}  // namespace

int VLXErrRunAlertPanel(int error) {
  std::u16string title;
  std::u16string message;
  if (const char* known = titleOf(error)) {
    title = vlx::localizedString(known);
    if (error == VLXErrNotDoc)
      message = vlx::localizedString("It might be another type of electronic text.");
  } else {
    // "%@ %i.": the localized word and the code, the format itself unlocalized.
    title = vlx::localizedString("Unknown error occurred.");
    message = vlx::localizedString("Error") + u" " + vlx::utf8ToUtf16(std::to_string(error)) + u".";
  }
  return vlx::platformBackend().runAlertPanel(title, message, vlx::localizedString("OK"), nullptr,
                                              nullptr);
}
