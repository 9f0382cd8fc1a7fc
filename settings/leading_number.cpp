#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "settings/settings_file.h"

namespace kv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Rough decimal order of magnitude of a number that std::from_chars found
// out of range: above zero it overflowed, otherwise it underflowed.
long orderOfMagnitude(const std::string& mantissa, long exponent) {
  const size_t point = mantissa.find('.');
  const std::string intPart = mantissa.substr(0, point);
  const size_t firstNonZero = intPart.find_first_not_of('0');
  if (firstNonZero != std::string::npos)
    return exponent + static_cast<long>(intPart.size() - firstNonZero);
  const std::string frac = point == std::string::npos ? "" : mantissa.substr(point + 1);
  const size_t lead = frac.find_first_not_of('0');
  return exponent - static_cast<long>(lead == std::string::npos ? frac.size() : lead);
}

}  // namespace

double LeadingNumber(const QString& text) {
  // Blanks, tabs and line feeds do not count wherever they stand.
  std::string s;
  s.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    if (c.unicode() >= 0x80) break;
    s.push_back(static_cast<char>(c.unicode()));
  }

  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t mantissaBegin = i;
  size_t digits = 0;
  for (; i < s.size() && isDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && isDigit(s[i]); ++i) ++digits;
  if (digits == 0) return 0.0;
  const std::string mantissa = s.substr(mantissaBegin, i - mantissaBegin);

  // An exponent counts only when digits follow its letter ("1e" is 1).
  long exponent = 0;
  std::string number = mantissa;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    const size_t expDigits = j;
    for (; j < s.size() && isDigit(s[j]); ++j) {
      if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
    }
    if (j > expDigits) {
      if (expNegative) exponent = -exponent;
      number += 'e' + std::to_string(exponent);
    }
  }

  double v = 0.0;
  const auto r = std::from_chars(number.data(), number.data() + number.size(), v);
  if (r.ec == std::errc::result_out_of_range)
    v = orderOfMagnitude(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  else if (r.ec != std::errc())
    v = 0.0;
  return negative ? -v : v;
}

}  // namespace kv
