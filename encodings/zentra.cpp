// Reading the handheld encoding the Zentra tool has stored. Both domains are
// read afresh at every call and never written.

#include "encodings/registry.h"
#include "encodings/zentra.h"
#include "platform/user_defaults.h"

VLXEnc VLXEncFromZentra(void) {
  using vlx::UserDefaults;
  const UserDefaults& defaults = UserDefaults::standardUserDefaults();

  if (auto current = defaults.persistentDomainForName(vlx::zentra::kCurrentDomain)) {
    auto it = current->find(vlx::zentra::kEncodingKey);
    // An entry of a kind with no integer value (an array, say) is unusable:
    // fall back to the legacy domain rather than report a bogus encoding.
    if (it != current->end()) {
      if (auto enc = it->second.integerValue()) return static_cast<VLXEnc>(*enc);
    }
  }

  if (auto legacy = defaults.persistentDomainForName(vlx::zentra::kLegacyDomain)) {
    auto it = legacy->find(vlx::zentra::kEncSavedKey);
    if (it != legacy->end()) {
      if (const std::string* saved = it->second.asString()) {
        struct Entry {
          const char* name;
          VLXEnc enc;
        };
        static constexpr Entry kEntries[] = {{"puvodni", 10}, {"iso", 16}, {"win", 17}, {"mac", 18}};
        for (const Entry& e : kEntries) {
          if (*saved == e.name) return e.enc;
        }
      }
    }
  }
  return 0;
}
