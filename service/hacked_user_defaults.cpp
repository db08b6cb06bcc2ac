// TAVOHackedUserDefaults: reads another program's domain afresh at every call.
#include "service/hacked_user_defaults.h"

#include <limits>

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
  const auto v = objectForKey(key);
  if (v && v->asString()) return *v->asString();
  return std::nullopt;
}

std::optional<vlx::DefaultsArray> TAVOHackedUserDefaults::arrayForKey(const std::string& key) const {
  const auto v = objectForKey(key);
  if (v && v->asArray()) return *v->asArray();
  return std::nullopt;
}

std::optional<vlx::DefaultsDictionary> TAVOHackedUserDefaults::dictionaryForKey(const std::string& key) const {
  const auto v = objectForKey(key);
  if (v && v->asDictionary()) return *v->asDictionary();
  return std::nullopt;
}

std::optional<vlx::DefaultsData> TAVOHackedUserDefaults::dataForKey(const std::string& key) const {
  const auto v = objectForKey(key);
  if (v && v->asData()) return *v->asData();
  return std::nullopt;
}

std::optional<vlx::DefaultsArray> TAVOHackedUserDefaults::stringArrayForKey(const std::string& key) const {
  return arrayForKey(key);
}

int32_t TAVOHackedUserDefaults::integerForKey(const std::string& key) const {
  const auto v = objectForKey(key);
  const int64_t i = v ? v->integerValue().value_or(0) : 0;
  if (i > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (i < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(i);
}

float TAVOHackedUserDefaults::floatForKey(const std::string& key) const {
  const auto v = objectForKey(key);
  const double d = v ? v->realValue().value_or(0.0) : 0.0;
  constexpr double kMax = std::numeric_limits<float>::max();
  if (d > kMax) return std::numeric_limits<float>::infinity();
  if (d < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(d);
}

bool TAVOHackedUserDefaults::boolForKey(const std::string& key) const {
  // Every kind with an integer conversion also has a boolean one.
  const auto v = objectForKey(key);
  return v ? v->boolValue().value_or(false) : false;
}

void TAVOHackedUserDefaults::registerDefaults(const vlx::DefaultsDictionary& dict) { regDict = dict; }
