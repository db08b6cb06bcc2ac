// A backend without a display: it records what the library asked of the user
// interface and answers from a script. Tests install it to drive controllers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace vlx {

class VLX_EXPORT HeadlessBackend : public Backend {
 public:
  struct Alert {
    std::u16string title;
    std::u16string message;
    std::u16string defaultButton;
    bool hasAlternate = false;
    bool hasOther = false;
  };

  int runAlertPanel(const std::u16string& title, const std::u16string& message,
                    const std::u16string& defaultButton, const std::u16string* alternateButton,
                    const std::u16string* otherButton) override;
  int runModalSession(ModalSession* session) override;
  std::vector<std::u16string> textDocumentTypes() override;

  // Answers for the next alerts, in order; when none is queued, 1 (default).
  std::deque<int> alertAnswers;
  std::vector<Alert> alerts;            // every alert run, in order
  int modalSessionRuns = 0;             // how often a modal session was pumped
  std::vector<std::u16string> textTypes;  // what textDocumentTypes() answers
  int textTypesRequests = 0;            // how often the list was asked for
};

}  // namespace vlx
