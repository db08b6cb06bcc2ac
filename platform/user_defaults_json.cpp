// The domain file format: one JSON object per domain, its members the keys.
// Integers, reals, booleans, strings, arrays and objects map onto the value
// kinds directly; a data block is the object {"$data": "<base64>"}.
#include <limits>

#include "platform/user_defaults_internal.h"

namespace vlx::defaults_internal {
namespace {

using json = nlohmann::json;

constexpr char kDataKey[] = "$data";
constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64Encode(const DefaultsData& data) {
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    const uint32_t n = (uint32_t{data[i]} << 16) | (uint32_t{data[i + 1]} << 8) | data[i + 2];
    out += kBase64[(n >> 18) & 63];
    out += kBase64[(n >> 12) & 63];
    out += kBase64[(n >> 6) & 63];
    out += kBase64[n & 63];
  }
  if (i + 1 == data.size()) {
    const uint32_t n = uint32_t{data[i]} << 16;
    out += kBase64[(n >> 18) & 63];
    out += kBase64[(n >> 12) & 63];
    out += "==";
  } else if (i + 2 == data.size()) {
    const uint32_t n = (uint32_t{data[i]} << 16) | (uint32_t{data[i + 1]} << 8);
    out += kBase64[(n >> 18) & 63];
    out += kBase64[(n >> 12) & 63];
    out += kBase64[(n >> 6) & 63];
    out += '=';
  }
  return out;
}

int base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// Strict decoding: length a multiple of 4, padding only at the end.
std::optional<DefaultsData> base64Decode(const std::string& text) {
  if (text.size() % 4 != 0) return std::nullopt;
  size_t end = text.size();
  size_t pad = 0;
  while (pad < 2 && end > 0 && text[end - 1] == '=') --end, ++pad;
  DefaultsData out;
  out.reserve(text.size() / 4 * 3);
  uint32_t acc = 0;
  int bits = 0;
  for (size_t i = 0; i < end; ++i) {
    const int d = base64Digit(text[i]);
    if (d < 0) return std::nullopt;
    acc = (acc << 6) | static_cast<uint32_t>(d);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<uint8_t>((acc >> bits) & 0xFF));
    }
  }
  return out;
}

bool isDataObject(const json& j) {
  if (!j.is_object() || j.size() != 1) return false;
  auto it = j.find(kDataKey);
  return it != j.end() && it->is_string();
}

}  // namespace

std::optional<DefaultsValue> valueFromJson(const json& j) {
  switch (j.type()) {
    case json::value_t::boolean:
      return DefaultsValue(j.get<bool>());
    case json::value_t::number_integer:
      return DefaultsValue(j.get<int64_t>());
    case json::value_t::number_unsigned: {
      const uint64_t u = j.get<uint64_t>();
      if (u <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        return DefaultsValue(static_cast<int64_t>(u));
      return DefaultsValue(static_cast<double>(u));
    }
    case json::value_t::number_float:
      return DefaultsValue(j.get<double>());
    case json::value_t::string:
      return DefaultsValue(j.get<std::string>());
    case json::value_t::array: {
      DefaultsArray array;
      array.reserve(j.size());
      for (const auto& element : j) {
        if (auto v = valueFromJson(element)) array.push_back(std::move(*v));
      }
      return DefaultsValue(std::move(array));
    }
    case json::value_t::object: {
      if (isDataObject(j)) {
        if (auto data = base64Decode(j.find(kDataKey)->get<std::string>())) return DefaultsValue(std::move(*data));
      }
      return DefaultsValue(dictionaryFromJson(j));
    }
    default:  // null, binary, discarded
      return std::nullopt;
  }
}

bool nestingWithin(std::string_view text, int maxDepth) {
  int depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > maxDepth) return false;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return true;
}

std::optional<json> parseDomainJson(std::string_view text) {
  if (text.size() > kMaxDomainFileSize || !nestingWithin(text, kMaxNestingDepth)) return std::nullopt;
  try {
    json parsed = json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
    if (parsed.is_discarded() || !parsed.is_object()) return std::nullopt;
    return parsed;
  } catch (...) {  // allocation failure; the parser itself does not throw here
    return std::nullopt;
  }
}

DefaultsDictionary dictionaryFromJson(const json& object) {
  DefaultsDictionary dict;
  if (!object.is_object()) return dict;
  for (const auto& [key, member] : object.items()) {
    if (auto v = valueFromJson(member)) dict.insert_or_assign(key, std::move(*v));
  }
  return dict;
}

json jsonFromValue(const DefaultsValue& value) {
  struct Visitor {
    json operator()(int64_t v) const { return v; }
    json operator()(double v) const { return v; }
    json operator()(bool v) const { return v; }
    json operator()(const std::string& v) const { return v; }
    json operator()(const DefaultsData& v) const { return json{{kDataKey, base64Encode(v)}}; }
    json operator()(const DefaultsArray& v) const {
      json array = json::array();
      for (const auto& element : v) array.push_back(jsonFromValue(element));
      return array;
    }
    json operator()(const DefaultsDictionary& v) const { return jsonFromDictionary(v); }
  };
  return std::visit(Visitor{}, value.storage());
}

json jsonFromDictionary(const DefaultsDictionary& dict) {
  json object = json::object();
  for (const auto& [key, value] : dict) object[key] = jsonFromValue(value);
  return object;
}

std::optional<DefaultsDictionary> parseDomainText(std::string_view text) {
  auto object = parseDomainJson(text);
  if (!object) return std::nullopt;
  try {
    return dictionaryFromJson(*object);
  } catch (...) {
    return std::nullopt;
  }
}

std::string serializeDomain(const json& object) {
  return object.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace vlx::defaults_internal
