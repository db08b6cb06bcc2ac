// The typed values the user-defaults store holds: integer, real, boolean,
// string, data, array and dictionary, with the conversions readers apply.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/export.h"

namespace vlx {

class DefaultsValue;
using DefaultsArray = std::vector<DefaultsValue>;
using DefaultsDictionary = std::map<std::string, DefaultsValue>;
// A block of bytes. In a domain file it is the object {"$data": "<base64>"}.
using DefaultsData = std::vector<uint8_t>;

class VLX_EXPORT DefaultsValue {
 public:
  using Storage = std::variant<int64_t, double, bool, std::string, DefaultsData, DefaultsArray,
                               DefaultsDictionary>;

  DefaultsValue() : v_(int64_t{0}) {}
  DefaultsValue(int v) : v_(int64_t{v}) {}
  DefaultsValue(long v) : v_(int64_t{v}) {}
  DefaultsValue(long long v) : v_(int64_t{v}) {}
  DefaultsValue(double v) : v_(v) {}
  DefaultsValue(bool v) : v_(v) {}
  DefaultsValue(const char* v) : v_(std::string(v)) {}
  DefaultsValue(std::string v) : v_(std::move(v)) {}
  DefaultsValue(DefaultsData v) : v_(std::move(v)) {}
  DefaultsValue(DefaultsArray v) : v_(std::move(v)) {}
  DefaultsValue(DefaultsDictionary v) : v_(std::move(v)) {}

  bool isInteger() const { return std::holds_alternative<int64_t>(v_); }
  bool isReal() const { return std::holds_alternative<double>(v_); }
  bool isBool() const { return std::holds_alternative<bool>(v_); }
  bool isString() const { return std::holds_alternative<std::string>(v_); }
  bool isData() const { return std::holds_alternative<DefaultsData>(v_); }
  bool isArray() const { return std::holds_alternative<DefaultsArray>(v_); }
  bool isDictionary() const { return std::holds_alternative<DefaultsDictionary>(v_); }

  // The held value of that kind, or null when the value is of another kind.
  const std::string* asString() const { return std::get_if<std::string>(&v_); }
  const DefaultsData* asData() const { return std::get_if<DefaultsData>(&v_); }
  const DefaultsArray* asArray() const { return std::get_if<DefaultsArray>(&v_); }
  const DefaultsDictionary* asDictionary() const { return std::get_if<DefaultsDictionary>(&v_); }

  // Numbers, booleans and strings convert to numbers and booleans; the other
  // kinds offer no such conversion and give nothing.
  //  - integer: a real is truncated toward zero and saturated; a boolean is 0
  //    or 1; a string gives its leading decimal integer (blanks skipped,
  //    optional sign, saturated), 0 when it has none.
  //  - real: a string gives its leading decimal number, 0.0 when it has none.
  //  - boolean: a number is YES when non-zero; a string is YES when, after
  //    blanks, an optional sign and leading zeros, it starts with Y, y, T, t
  //    or a digit 1 to 9 ("YES", "true", "1", "07").
  std::optional<int64_t> integerValue() const;
  std::optional<double> realValue() const;
  std::optional<bool> boolValue() const;

  const Storage& storage() const { return v_; }
  bool operator==(const DefaultsValue& other) const { return v_ == other.v_; }

 private:
  Storage v_;
};

// Typed reads of a value looked up by key, shared by every reader of the store:
// a missing value, or one of a kind without that conversion, reads as 0, 0.0,
// NO or none.
using MaybeValue = std::optional<DefaultsValue>;
VLX_EXPORT int64_t integerOf(const MaybeValue& value);
VLX_EXPORT double realOf(const MaybeValue& value);
// The real value as a float, saturated to +/-infinity outside float's range.
VLX_EXPORT float floatOf(const MaybeValue& value);
VLX_EXPORT bool boolOf(const MaybeValue& value);
VLX_EXPORT std::optional<std::string> stringOf(const MaybeValue& value);
VLX_EXPORT std::optional<DefaultsArray> arrayOf(const MaybeValue& value);
VLX_EXPORT std::optional<DefaultsDictionary> dictionaryOf(const MaybeValue& value);
VLX_EXPORT std::optional<DefaultsData> dataOf(const MaybeValue& value);

// Settings hold 64-bit integers; encodings, groups and formats are 32-bit. A
// value out of that range saturates instead of wrapping.
VLX_EXPORT int32_t saturateToInt32(int64_t value);

}  // namespace vlx
