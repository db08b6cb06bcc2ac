// Fuzzes the user-defaults store's domain file parser: any bytes must parse to a
// domain or to nothing, without crashing, and a parsed domain must survive being
// written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/user_defaults.h"
#include "platform/user_defaults_internal.h"

namespace {

void touchConversions(const vlx::DefaultsValue& value) {
  (void)value.integerValue();
  (void)value.realValue();
  (void)value.boolValue();
  if (const auto* array = value.asArray()) {
    for (const auto& element : *array) touchConversions(element);
  } else if (const auto* dict = value.asDictionary()) {
    for (const auto& [key, member] : *dict) touchConversions(member);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace di = vlx::defaults_internal;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const auto domain = di::parseDomainText(text);
  if (domain) {
    for (const auto& [key, value] : *domain) touchConversions(value);
    const std::string written = di::serializeDomain(di::jsonFromDictionary(*domain));
    const auto reread = di::parseDomainText(written);
    if (!reread || *reread != *domain) __builtin_trap();
  }

  // The same bytes as a command-line value.
  const std::string value(text);
  const char* argv[] = {"fuzz", "-Key", value.c_str()};
  const auto args = vlx::UserDefaults::argumentDomainFromCommandLine(3, argv);
  for (const auto& [key, v] : args) touchConversions(v);
  return 0;
}
