// The defaults object: key lookup through the argument domain, the persistent
// domain file and the registered defaults; writes to the persistent domain.
#include "platform/user_defaults.h"


#include "platform/user_defaults_internal.h"

namespace vlx {
namespace {

using nlohmann::json;
namespace di = defaults_internal;

std::mutex& programNameMutex() {
  static std::mutex m;
  return m;
}
std::string& programName() {
  static std::string name;
  return name;
}

// One key of a domain read afresh from its file.
std::optional<DefaultsValue> persistentValue(const std::string& domain, const std::string& key) {
  const auto path = di::domainFilePath(domain);
  if (!path) return std::nullopt;
  try {
    di::DomainRead read = di::readDomainFile(*path);
    if (read.status != di::ReadStatus::ok) return std::nullopt;
    auto it = read.object.find(key);
    if (it == read.object.end()) return std::nullopt;
    return di::valueFromJson(*it);
  } catch (...) {  // allocation failure
    return std::nullopt;
  }
}

}  // namespace

UserDefaults::UserDefaults(std::string domainName) : domainName_(std::move(domainName)) {}

UserDefaults& UserDefaults::standardUserDefaults() {
  static UserDefaults standard(programDomainName());
  return standard;
}

void UserDefaults::setProgramDomainName(const std::string& name) {
  {
    std::lock_guard<std::mutex> lock(programNameMutex());
    programName() = name;
  }
  UserDefaults& standard = standardUserDefaults();
  std::lock_guard<std::mutex> lock(standard.mutex_);
  standard.domainName_ = name;
}

std::string UserDefaults::programDomainName() {
  std::lock_guard<std::mutex> lock(programNameMutex());
  return programName();
}

std::string UserDefaults::domainName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return domainName_;
}

std::optional<DefaultsValue> UserDefaults::objectForKey(const std::string& key) const {
  std::string domain;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto it = arguments_.find(key); it != arguments_.end()) return it->second;
    domain = domainName_;
  }
  if (auto v = persistentValue(domain, key)) return v;
  std::lock_guard<std::mutex> lock(mutex_);
  if (auto it = registered_.find(key); it != registered_.end()) return it->second;
  return std::nullopt;
}

int64_t UserDefaults::integerForKey(const std::string& key) const {
  return integerOf(objectForKey(key));
}

double UserDefaults::doubleForKey(const std::string& key) const { return realOf(objectForKey(key)); }

float UserDefaults::floatForKey(const std::string& key) const { return floatOf(objectForKey(key)); }

bool UserDefaults::boolForKey(const std::string& key) const { return boolOf(objectForKey(key)); }

std::optional<std::string> UserDefaults::stringForKey(const std::string& key) const {
  return stringOf(objectForKey(key));
}

std::optional<DefaultsArray> UserDefaults::arrayForKey(const std::string& key) const {
  return arrayOf(objectForKey(key));
}

std::optional<DefaultsDictionary> UserDefaults::dictionaryForKey(const std::string& key) const {
  return dictionaryOf(objectForKey(key));
}

std::optional<DefaultsData> UserDefaults::dataForKey(const std::string& key) const {
  return dataOf(objectForKey(key));
}

bool UserDefaults::setObject(const DefaultsValue& value, const std::string& key) {
  try {
    const json encoded = di::jsonFromValue(value);
    return di::modifyDomain(domainName(), [&](json& object) {
      object[key] = encoded;
      return true;
    });
  } catch (...) {
    return false;
  }
}

bool UserDefaults::setInteger(int64_t value, const std::string& key) { return setObject(DefaultsValue(value), key); }
bool UserDefaults::setDouble(double value, const std::string& key) { return setObject(DefaultsValue(value), key); }
bool UserDefaults::setFloat(float value, const std::string& key) {
  return setObject(DefaultsValue(static_cast<double>(value)), key);
}
bool UserDefaults::setBool(bool value, const std::string& key) { return setObject(DefaultsValue(value), key); }

bool UserDefaults::removeObjectForKey(const std::string& key) {
  return di::modifyDomain(domainName(), [&](json& object) { return object.erase(key) > 0; });
}

void UserDefaults::registerDefaults(const DefaultsDictionary& defaults) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& [key, value] : defaults) registered_.insert_or_assign(key, value);
}

DefaultsDictionary UserDefaults::registeredDefaults() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return registered_;
}

void UserDefaults::setArgumentDomain(DefaultsDictionary arguments) {
  std::lock_guard<std::mutex> lock(mutex_);
  arguments_ = std::move(arguments);
}

DefaultsDictionary UserDefaults::argumentDomain() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return arguments_;
}

DefaultsDictionary UserDefaults::argumentDomainFromCommandLine(int argc, const char* const* argv) {
  DefaultsDictionary arguments;
  if (!argv) return arguments;
  for (int i = 1; i + 1 < argc; ++i) {
    const char* arg = argv[i];
    if (!arg || arg[0] != '-' || arg[1] == '\0' || !argv[i + 1]) continue;
    const std::string key(arg + 1);
    const std::string text(argv[i + 1]);
    ++i;
    // Wrap the value so a bare scalar parses, within the same depth bound.
    std::optional<DefaultsValue> value;
    if (auto parsed = di::parseDomainJson("{\"v\":" + text + "}")) {
      if (auto it = parsed->find("v"); it != parsed->end()) value = di::valueFromJson(*it);
    }
    arguments.insert_or_assign(key, value ? std::move(*value) : DefaultsValue(text));
  }
  return arguments;
}

std::optional<DefaultsDictionary> UserDefaults::persistentDomainForName(const std::string& name) const {
  const auto path = di::domainFilePath(name);
  if (!path) return std::nullopt;
  try {
    di::DomainRead read = di::readDomainFile(*path);
    if (read.status != di::ReadStatus::ok) return std::nullopt;
    return di::dictionaryFromJson(read.object);
  } catch (...) {
    return std::nullopt;
  }
}

bool UserDefaults::setPersistentDomain(const DefaultsDictionary& domain, const std::string& name) {
  try {
    const json encoded = di::jsonFromDictionary(domain);
    return di::modifyDomain(name, [&](json& object) {
      object = encoded;
      return true;
    });
  } catch (...) {
    return false;
  }
}

bool UserDefaults::removePersistentDomainForName(const std::string& name) { return di::removeDomainFile(name); }

std::string UserDefaults::defaultsDirectory() { return di::defaultsDirectory(); }

}  // namespace vlx
