// Internals of the user-defaults store shared by its source files, its tests and
// its fuzz target: the domain file format and the file operations.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/user_defaults_value.h"

namespace vlx::defaults_internal {

// Largest domain file read (bytes); a larger one is treated as unreadable.
constexpr size_t kMaxDomainFileSize = 4 * 1024 * 1024;
// Deepest nesting of arrays and objects accepted in a domain file.
constexpr int kMaxNestingDepth = 64;

// --- Format (user_defaults_json.cpp) ---

// Whether the arrays and objects of `text` nest at most `maxDepth` deep. Only
// brackets outside JSON strings count; the scan is linear and keeps no stack,
// so it is safe to run before the (recursive) parser.
bool nestingWithin(std::string_view text, int maxDepth);

// The top-level JSON object of a domain file, or nothing when the text is too
// large, too deep, not JSON or not an object. Never throws.
std::optional<nlohmann::json> parseDomainJson(std::string_view text);

// The value of one JSON member; nothing for null.
std::optional<DefaultsValue> valueFromJson(const nlohmann::json& j);
// The values of a domain's JSON object. Members whose value is null are left out.
DefaultsDictionary dictionaryFromJson(const nlohmann::json& object);
nlohmann::json jsonFromValue(const DefaultsValue& value);
nlohmann::json jsonFromDictionary(const DefaultsDictionary& dict);

// parseDomainJson followed by dictionaryFromJson.
std::optional<DefaultsDictionary> parseDomainText(std::string_view text);

// Pretty-printed JSON text of a domain object, ending in a newline. Strings
// that are not valid UTF-8 are written with the bad bytes replaced.
std::string serializeDomain(const nlohmann::json& object);

// --- Files (user_defaults_file.cpp) ---

// ${XDG_CONFIG_HOME:-$HOME/.config}/vellix/defaults, looked up at every call.
std::string defaultsDirectory();
// Whether `name` can name a domain file: not empty, no '/', no NUL, not
// starting with '.', at most 200 bytes.
bool isValidDomainName(std::string_view name);
// The domain's file path, or nothing for an invalid name.
std::optional<std::string> domainFilePath(std::string_view name);

enum class ReadStatus { ok, missing, corrupt, unreadable };
struct DomainRead {
  ReadStatus status = ReadStatus::missing;
  nlohmann::json object;  // the domain's object when status is ok
};
// Reads and parses a domain file once, without locking.
DomainRead readDomainFile(const std::string& path);

// Runs `modify` on the domain's current object (empty when the domain is
// missing) under an exclusive lock on "<file>.lock", then writes the result by
// atomic replace. A file that cannot be parsed is first renamed aside to
// "<file>.corrupt-<timestamp>". Returns false when nothing could be written
// (unreadable file, no directory, write error); `modify` returning false
// means "no change" and writes nothing.
bool modifyDomain(std::string_view name, const std::function<bool(nlohmann::json&)>& modify);

// Deletes the domain file under the lock. True when it is gone afterwards.
bool removeDomainFile(std::string_view name);

}  // namespace vlx::defaults_internal
