#include "platform/headless/headless_backend.h"

namespace vlx {

int HeadlessBackend::runAlertPanel(const std::u16string& title, const std::u16string& message,
                                   const std::u16string& defaultButton,
                                   const std::u16string* alternateButton,
                                   const std::u16string* otherButton) {
  alerts.push_back({title, message, defaultButton, alternateButton != nullptr,
                    otherButton != nullptr});
  if (alertAnswers.empty()) return 1;
  int answer = alertAnswers.front();
  alertAnswers.pop_front();
  return answer;
}

int HeadlessBackend::runModalSession(ModalSession*) {
  ++modalSessionRuns;
  return 0;
}

std::vector<std::u16string> HeadlessBackend::textDocumentTypes() {
  ++textTypesRequests;
  return textTypes;
}

}  // namespace vlx
