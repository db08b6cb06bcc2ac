// Error codes of the e-text engine and the alert that shows them.
#pragma once

#include "platform/export.h"

enum {
  VLXErrOpen = -1,           // a file cannot be opened or created
  VLXErrNotDoc = -2,         // not an e-text database
  VLXErrNotConforming = -3,  // a second record list announced
  VLXErrDamaged = -4,        // inconsistent structure
  VLXErrRead = -5,           // read or seek failure
  VLXErrWrite = -6,          // write failure
  VLXErrMemory = -7,         // no memory
  VLXErrConvert = -8,        // the characters cannot be converted
  VLXErrSystemVersion = -9,  // operating system too old (never returned by the library)
};

// Shows the alert for `error` through the platform backend; returns the button.
VLX_API int VLXErrRunAlertPanel(int error);
