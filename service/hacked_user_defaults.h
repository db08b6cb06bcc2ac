// TAVOHackedUserDefaults: a read-only defaults reader bound to another
// program's persistent domain, with registered defaults of its own. Vellix
// Service reads Vellix Converter's settings through it.
//
// Every read fetches the domain afresh from the user-defaults store (so the
// converter's latest writes are seen); a key missing there, or a missing
// domain, falls back to the registered defaults. Nothing here writes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/user_defaults_value.h"

class TAVOHackedUserDefaults {
 public:
  // A reader bound to the domain `name` (as initWithName).
  static std::unique_ptr<TAVOHackedUserDefaults> hackedUserDefaultsForName(const char* name);
  // Keeps a copy of `name`; with no name (null or empty) yields no reader.
  static std::unique_ptr<TAVOHackedUserDefaults> initWithName(const char* name);
  // initWithName with the running program's own domain name.
  static std::unique_ptr<TAVOHackedUserDefaults> init();

  const std::string& domainName() const { return name; }

  // The key's value in the domain as stored now, else in the registered
  // defaults, else nothing.
  std::optional<vlx::DefaultsValue> objectForKey(const std::string& key) const;
  // objectForKey's result when it is a string, an array, a dictionary, a data
  // block, an array (elements not checked); otherwise nothing.
  std::optional<std::string> stringForKey(const std::string& key) const;
  std::optional<vlx::DefaultsArray> arrayForKey(const std::string& key) const;
  std::optional<vlx::DefaultsDictionary> dictionaryForKey(const std::string& key) const;
  std::optional<vlx::DefaultsData> dataForKey(const std::string& key) const;
  std::optional<vlx::DefaultsArray> stringArrayForKey(const std::string& key) const;
  // Integer conversion of numbers, booleans and strings (saturated to 32 bits);
  // 0 for no value or a value of another kind.
  int32_t integerForKey(const std::string& key) const;
  // The same with a floating-point conversion; 0.0 otherwise.
  float floatForKey(const std::string& key) const;
  // Boolean conversion (numbers: non-zero; strings: "YES", "true", "1"...); NO otherwise.
  bool boolForKey(const std::string& key) const;

  // Keeps a copy of `dict` as the registered defaults, replacing any earlier set.
  void registerDefaults(const vlx::DefaultsDictionary& dict);

 private:
  explicit TAVOHackedUserDefaults(std::string domainName) : name(std::move(domainName)) {}

  std::string name;
  vlx::DefaultsDictionary regDict;
};
