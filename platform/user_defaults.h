// The user-defaults store: per-user settings kept as one JSON file per
// persistent domain under ${XDG_CONFIG_HOME:-$HOME/.config}/vellix/defaults/
// <domain>.json.
//
// A UserDefaults object reads and writes one domain, its own, and looks a key
// up in three places, first match wins:
//   1. the argument domain, filled from a command line for this run only;
//   2. its persistent domain, read afresh from the file at every call, so the
//      writes of another process are seen at once;
//   3. the registered defaults, kept in memory and never written.
// Every write locks the domain against other writers (flock on
// "<domain>.json.lock"), reads the file, changes the key and replaces the file
// atomically, so concurrent writers lose no keys and readers always see a whole
// domain. A domain file that cannot be parsed reads as a missing domain; before
// a write replaces it, it is renamed to "<domain>.json.corrupt-<timestamp>".
//
// Nothing here throws; writes return false when the file could not be written.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/export.h"
#include "platform/user_defaults_value.h"

namespace vlx {

class VLX_EXPORT UserDefaults {
 public:
  // A defaults object for the persistent domain `domainName`.
  explicit UserDefaults(std::string domainName);

  // The running program's defaults object, bound to the domain set with
  // setProgramDomainName (the program's identifier). The same object lives for
  // the whole run; it holds the program's registered defaults.
  static UserDefaults& standardUserDefaults();
  // Sets the domain of the standard defaults object; programs call it first thing.
  static void setProgramDomainName(const std::string& name);
  static std::string programDomainName();

  std::string domainName() const;

  // --- Reading (argument domain, persistent domain, registered defaults) ---
  std::optional<DefaultsValue> objectForKey(const std::string& key) const;
  // Integer, real and boolean conversions of DefaultsValue; 0, 0.0 or NO when the
  // key has no value or its value offers no such conversion.
  int64_t integerForKey(const std::string& key) const;
  double doubleForKey(const std::string& key) const;
  float floatForKey(const std::string& key) const;
  bool boolForKey(const std::string& key) const;
  // The value when it is of that kind, else nothing.
  std::optional<std::string> stringForKey(const std::string& key) const;
  std::optional<DefaultsArray> arrayForKey(const std::string& key) const;
  std::optional<DefaultsDictionary> dictionaryForKey(const std::string& key) const;
  std::optional<DefaultsData> dataForKey(const std::string& key) const;

  // --- Writing the persistent domain ---
  bool setObject(const DefaultsValue& value, const std::string& key);
  bool setInteger(int64_t value, const std::string& key);
  bool setDouble(double value, const std::string& key);
  bool setFloat(float value, const std::string& key);
  bool setBool(bool value, const std::string& key);
  bool removeObjectForKey(const std::string& key);

  // --- Registered defaults (this object only, in memory) ---
  // Adds `defaults` to the registered defaults, replacing keys already there.
  void registerDefaults(const DefaultsDictionary& defaults);
  DefaultsDictionary registeredDefaults() const;

  // --- Argument domain (this object only, in memory) ---
  void setArgumentDomain(DefaultsDictionary arguments);
  DefaultsDictionary argumentDomain() const;
  // The argument domain a command line names: every "-Key value" pair, the
  // value read as JSON when it parses as a JSON value (a number, true, a
  // quoted string, an array, an object) and as a plain string otherwise.
  // Other arguments are skipped; a trailing "-Key" without a value is ignored.
  static DefaultsDictionary argumentDomainFromCommandLine(int argc, const char* const* argv);

  // --- Any program's persistent domain ---
  // The domain's contents, or nothing when its file does not exist or cannot
  // be parsed.
  std::optional<DefaultsDictionary> persistentDomainForName(const std::string& name) const;
  bool setPersistentDomain(const DefaultsDictionary& domain, const std::string& name);
  bool removePersistentDomainForName(const std::string& name);

  // The folder holding the domain files, looked up at every call.
  static std::string defaultsDirectory();

 private:
  mutable std::mutex mutex_;
  std::string domainName_;
  DefaultsDictionary registered_;
  DefaultsDictionary arguments_;
};

}  // namespace vlx
