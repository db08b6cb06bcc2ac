// Toolkit-free interfaces for the few user-interface services the library
// itself calls: alert panels, progress indicators, modal sessions and the list
// of text document types the platform's document reader opens. A front end
// (terminal, Qt, headless for tests) installs one Backend for the process.
#pragma once

#include <string>
#include <vector>

#include "platform/export.h"

namespace vlx {

// A determinate or indeterminate progress bar.
class VLX_EXPORT ProgressIndicator {
 public:
  virtual ~ProgressIndicator();
  virtual void setMaxValue(double value) = 0;
  virtual void setDoubleValue(double value) = 0;
  virtual void setIndeterminate(bool flag) = 0;
};

// A modal session started by the front end; the library only hands it back to
// the backend so pending user-interface events are handled once.
class VLX_EXPORT ModalSession {
 public:
  virtual ~ModalSession();
};

// Services a front end provides. Texts are UTF-16, as everywhere in Vellix.
class VLX_EXPORT Backend {
 public:
  virtual ~Backend();

  // Runs an application-modal alert. `alternateButton` and `otherButton` may be
  // null (absent). Returns 1 for the default button, 0 for the alternate one,
  // -1 for the other one.
  virtual int runAlertPanel(const std::u16string& title, const std::u16string& message,
                            const std::u16string& defaultButton,
                            const std::u16string* alternateButton,
                            const std::u16string* otherButton) = 0;

  // Lets the user interface handle pending events once and returns.
  virtual int runModalSession(ModalSession* session) = 0;

  // File-name extensions (as the platform spells them) of the text document
  // types the platform's attributed-text reader opens.
  virtual std::vector<std::u16string> textDocumentTypes() = 0;
};

// The backend of this process. Until a front end installs one, a headless
// backend answers every alert with its default button.
VLX_EXPORT Backend& platformBackend();
// Installs `backend` (not owned; null restores the built-in headless one).
VLX_EXPORT void setPlatformBackend(Backend* backend);

// Runs `session` once through the backend (the application's runModalSession:).
VLX_EXPORT int runModalSession(ModalSession* session);

}  // namespace vlx
