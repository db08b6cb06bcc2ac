// TAVOHackedUserDefaults: reads another program's domain afresh at every call.
#include "service/hacked_user_defaults.h"


#include "platform/user_defaults.h"

std::unique_ptr<TAVOHackedUserDefaults> TAVOHackedUserDefaults::hackedUserDefaultsForName(const char* name) {
  return initWithName(name);
}

std::unique_ptr<TAVOHackedUserDefaults> TAVOHackedUserDefaults::initWithName(const char* name) {
  if (!name || !*name) return nullptr;
  return std::unique_ptr<TAVOHackedUserDefaults>(new TAVOHackedUserDefaults(name));
}

std::unique_ptr<TAVOHackedUserDefaults> TAVOHackedUserDefaults::init() {
  const std::string own = vlx::UserDefaults::programDomainName();
  return initWithName(own.c_str());
}

std::optional<vlx::DefaultsValue> TAVOHackedUserDefaults::objectForKey(const std::string& key) const {
  if (auto domain = vlx::UserDefaults::standardUserDefaults().persistentDomainForName(name)) {
    if (auto it = domain->find(key); it != domain->end()) return it->second;
  }
  if (auto it = regDict.find(key); it != regDict.end()) return it->second;
  return std::nullopt;
}

std::optional<std::string> TAVOHackedUserDefaults::stringForKey(const std::string& key) const {
  return vlx::stringOf(objectForKey(key));
}

std::optional<vlx::DefaultsArray> TAVOHackedUserDefaults::arrayForKey(const std::string& key) const {
  return vlx::arrayOf(objectForKey(key));
}

std::optional<vlx::DefaultsDictionary> TAVOHackedUserDefaults::dictionaryForKey(const std::string& key) const {
  return vlx::dictionaryOf(objectForKey(key));
}

std::optional<vlx::DefaultsData> TAVOHackedUserDefaults::dataForKey(const std::string& key) const {
  return vlx::dataOf(objectForKey(key));
}

std::optional<vlx::DefaultsArray> TAVOHackedUserDefaults::stringArrayForKey(const std::string& key) const {
  return arrayForKey(key);
}

int32_t TAVOHackedUserDefaults::integerForKey(const std::string& key) const {
  return vlx::saturateToInt32(vlx::integerOf(objectForKey(key)));
}

float TAVOHackedUserDefaults::floatForKey(const std::string& key) const {
  return vlx::floatOf(objectForKey(key));
}

bool TAVOHackedUserDefaults::boolForKey(const std::string& key) const {
  // Every kind with an integer conversion also has a boolean one.
  return vlx::boolOf(objectForKey(key));
}

void TAVOHackedUserDefaults::registerDefaults(const vlx::DefaultsDictionary& dict) { regDict = dict; }
