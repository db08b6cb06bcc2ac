// Conversions of stored values to integers, reals and booleans.
#include "platform/user_defaults_value.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace vlx {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The leading decimal integer of `text`, saturated to the range of int64_t.
int64_t leadingInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate as a negative number so INT64_MIN is reachable.
  int64_t value = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value < (kMin + digit) / 10) {
      value = kMin;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
      break;
    }
    value = value * 10 - digit;
  }
  if (negative) return value;
  if (value == kMin) return std::numeric_limits<int64_t>::max();
  return -value;
}

double leadingReal(const std::string& text) {
  // strtod would also read "nan", "inf" and hexadecimal forms; accept only a
  // plain decimal number, which is what a user or a program writes here.
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  size_t j = i;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
  if (j >= text.size() || !((text[j] >= '0' && text[j] <= '9') || text[j] == '.')) return 0.0;
  if (text[j] == '0' && j + 1 < text.size() && (text[j + 1] == 'x' || text[j + 1] == 'X'))
    return 0.0;
  const std::string rest = text.substr(i);
  const double v = std::strtod(rest.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

int64_t saturate(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
  if (v <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(v);
}

bool stringBool(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  while (i < text.size() && text[i] == '0') ++i;
  if (i >= text.size()) return false;
  const char c = text[i];
  return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

}  // namespace

std::optional<int64_t> DefaultsValue::integerValue() const {
  if (auto p = std::get_if<int64_t>(&v_)) return *p;
  if (auto p = std::get_if<double>(&v_)) return saturate(*p);
  if (auto p = std::get_if<bool>(&v_)) return *p ? 1 : 0;
  if (auto p = std::get_if<std::string>(&v_)) return leadingInteger(*p);
  return std::nullopt;
}

std::optional<double> DefaultsValue::realValue() const {
  if (auto p = std::get_if<int64_t>(&v_)) return static_cast<double>(*p);
  if (auto p = std::get_if<double>(&v_)) return *p;
  if (auto p = std::get_if<bool>(&v_)) return *p ? 1.0 : 0.0;
  if (auto p = std::get_if<std::string>(&v_)) return leadingReal(*p);
  return std::nullopt;
}

std::optional<bool> DefaultsValue::boolValue() const {
  if (auto p = std::get_if<int64_t>(&v_)) return *p != 0;
  if (auto p = std::get_if<double>(&v_)) return *p != 0.0;
  if (auto p = std::get_if<bool>(&v_)) return *p;
  if (auto p = std::get_if<std::string>(&v_)) return stringBool(*p);
  return std::nullopt;
}

int64_t integerOf(const MaybeValue& value) {
  return value ? value->integerValue().value_or(0) : 0;
}

double realOf(const MaybeValue& value) { return value ? value->realValue().value_or(0.0) : 0.0; }

float floatOf(const MaybeValue& value) {
  const double d = realOf(value);
  constexpr double kMax = std::numeric_limits<float>::max();
  if (d > kMax) return std::numeric_limits<float>::infinity();
  if (d < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(d);
}

bool boolOf(const MaybeValue& value) { return value ? value->boolValue().value_or(false) : false; }

std::optional<std::string> stringOf(const MaybeValue& value) {
  if (value && value->asString()) return *value->asString();
  return std::nullopt;
}

std::optional<DefaultsArray> arrayOf(const MaybeValue& value) {
  if (value && value->asArray()) return *value->asArray();
  return std::nullopt;
}

std::optional<DefaultsDictionary> dictionaryOf(const MaybeValue& value) {
  if (value && value->asDictionary()) return *value->asDictionary();
  return std::nullopt;
}

std::optional<DefaultsData> dataOf(const MaybeValue& value) {
  if (value && value->asData()) return *value->asData();
  return std::nullopt;
}

int32_t saturateToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace vlx
