// Text values and the string and number helpers the game builds its messages with. Cutting follows
// one slice rule: positions outside the text read as spaces, so padding and cutting are the same
// operation. Letter-case changes touch only ASCII letters.
#include "platform/core/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

Text::Text(const char* ascii) : Text(std::string_view(ascii != nullptr ? ascii : "")) {}

Text::Text(std::string_view bytes) {
  chars.reserve(bytes.size());
  for (char c : bytes) chars.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

std::string Text::ToBytes() const {
  std::string bytes;
  bytes.reserve(chars.size());
  for (char16_t c : chars) bytes.push_back(static_cast<char>(c & 0xFF));
  return bytes;
}

Text operator+(const Text& a, const Text& b) { return Concat(a, b); }
Text operator+(const Text& a, const char* b) { return Concat(a, Text(b)); }
Text operator+(const char* a, const Text& b) { return Concat(Text(a), b); }

Text IntToText(int32_t n) { return Text(std::to_string(n)); }

Text RealToText(float x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.9g", static_cast<double>(x));
  return Text(buffer);
}

Text DoubleToText(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.17lg", x);
  return Text(buffer);
}

namespace {

bool IsSpace(char16_t c) { return c == ' ' || (c >= 9 && c <= 13); }

// The value of c as a digit in base, or -1.
int DigitValue(char16_t c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Characters from index from to to - 1 (0-based); positions outside the text give spaces.
Text Slice(const Text& text, int64_t from, int64_t to) {
  Text out;
  if (to <= from) return out;
  out.chars.reserve(static_cast<size_t>(to - from));
  for (int64_t i = from; i < to; ++i) {
    out.chars.push_back(i >= 0 && i < text.Length() ? text[static_cast<int32_t>(i)] : u' ');
  }
  return out;
}

}  // namespace

int32_t TextToInt(const Text& text) {
  int32_t i = 0;
  const int32_t n = text.Length();
  while (i < n && IsSpace(text[i])) ++i;
  if (i >= n) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= n) return 0;
  int base = 10;
  if (text[i] == '%') {
    base = 2;
    ++i;
  } else if (text[i] == '$') {
    base = 16;
    ++i;
  }
  // Accumulating unsigned gives the 32-bit wrap-around without undefined overflow.
  uint32_t value = 0;
  for (; i < n; ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t RealToInt(double x) {
  // Out-of-range values saturate instead of invoking undefined behaviour; NaN gives 0.
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return INT32_MAX;
  if (x <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(x);
}

int32_t CompareText(const Text& a, const Text& b) {
  const int32_t common = MinInt(a.Length(), b.Length());
  for (int32_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) return static_cast<int32_t>(a[i]) - static_cast<int32_t>(b[i]);
  }
  return a.Length() - b.Length();
}

Text Concat(const Text& a, const Text& b) {
  Text out;
  out.chars.reserve(a.chars.size() + b.chars.size());
  out.chars = a.chars;
  out.chars += b.chars;
  return out;
}

Text TextMid(const Text& text, int32_t start, int32_t count) {
  if (start > text.Length()) return Text();
  int64_t s = static_cast<int64_t>(start) - 1;
  if (count < 0) return Slice(text, s, text.Length());
  int64_t c = count;
  if (s < 0) {
    c += s;
    s = 0;
  }
  return Slice(text, s, s + std::min<int64_t>(c, text.Length() - s));
}

Text TextLeft(const Text& text, int32_t n) {
  if (n <= 0) return Text();
  return Slice(text, 0, MinInt(n, text.Length()));
}

int32_t TextFind(const Text& text, const Text& part, int32_t start) {
  const int64_t from = start < 1 ? 0 : static_cast<int64_t>(start) - 1;
  if (from > text.Length()) return 0;
  const size_t at = text.chars.find(part.chars, static_cast<size_t>(from));
  return at == std::u16string::npos ? 0 : static_cast<int32_t>(at) + 1;
}

Text TextPadRight(const Text& text, int32_t n) { return Slice(text, 0, n); }

Text TextPadLeft(const Text& text, int32_t n) {
  return Slice(text, static_cast<int64_t>(text.Length()) - n, text.Length());
}

Text TextLower(const Text& text) {
  Text out = text;
  for (char16_t& c : out.chars) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char16_t>(c + ('a' - 'A'));
  }
  return out;
}

Text TextUpper(const Text& text) {
  Text out = text;
  for (char16_t& c : out.chars) {
    if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - ('a' - 'A'));
  }
  return out;
}

double SinDeg(double degrees) { return std::sin(degrees * 0.017453292519943295); }
double CosDeg(double degrees) { return std::cos(degrees * 0.017453292519943295); }
double FloorReal(double x) { return std::floor(x); }
double PowReal(double x, double y) { return std::pow(x, y); }
double AbsReal(double x) { return std::fabs(x); }
int32_t MinInt(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t MaxInt(int32_t a, int32_t b) { return a > b ? a : b; }

namespace {

int32_t Clamp32(int64_t n) {
  if (n > INT32_MAX) return INT32_MAX;
  if (n < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(n);
}

}  // namespace

int32_t SaturatingAdd(int32_t a, int32_t b) { return Clamp32(static_cast<int64_t>(a) + b); }
int32_t SaturatingSub(int32_t a, int32_t b) { return Clamp32(static_cast<int64_t>(a) - b); }
int32_t SaturatingMul(int32_t a, int32_t b) { return Clamp32(static_cast<int64_t>(a) * b); }
double MaxReal(double a, double b) { return b >= a ? b : a; }

std::string EscapedForTerminal(std::string_view bytes, size_t most) {
  static const char kDigits[] = "0123456789abcdef";
  std::string shown;
  size_t characters = 0;
  for (size_t i = 0; i < bytes.size(); ++characters) {
    if (most > 0 && characters == most) return shown + "...";
    const auto byte = static_cast<unsigned char>(bytes[i]);
    // A whole UTF-8 sequence of a printable character passes as it is.
    size_t length = byte < 0x80                   ? 1
                    : byte >= 0xc2 && byte <= 0xdf ? 2
                    : byte >= 0xe0 && byte <= 0xef ? 3
                    : byte >= 0xf0 && byte <= 0xf4 ? 4
                                                   : 0;
    if (i + length > bytes.size()) length = 0;
    uint32_t code = length == 1 ? byte : length == 0 ? 0 : byte & (0x7f >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xc0) != 0x80) length = 0;
      code = (code << 6) | (next & 0x3f);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool printable = length > 0 && code >= smallest[length] && code >= 0x20 && code != 0x7f &&
                           !(code >= 0x80 && code < 0xa0) && !(code >= 0xd800 && code < 0xe000) && code <= 0x10ffff;
    if (printable) {
      shown.append(bytes.substr(i, length));
      i += length;
    } else {
      shown += "\\x";
      shown += kDigits[byte >> 4];
      shown += kDigits[byte & 15];
      ++i;
    }
  }
  return shown;
}
