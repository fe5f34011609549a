// Text values: immutable sequences of 16-bit character codes with a 32-bit length, positions 1-based
// where the helpers take positions. Files hold one byte per character (the low 8 bits).
// Also the number conversions and the numeric helpers the game calls. No SDL, no game code here.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct Text {
  std::u16string chars;

  Text() = default;
  // Game text constants are ASCII; each byte becomes the character of that code.
  Text(const char* ascii);  // NOLINT(google-explicit-constructor): game code writes "A " + name
  Text(std::string_view bytes);
  explicit Text(std::u16string codes) : chars(std::move(codes)) {}

  int32_t Length() const { return static_cast<int32_t>(chars.size()); }
  bool Empty() const { return chars.empty(); }
  // 0-based character code.
  char16_t operator[](int32_t i) const { return chars[static_cast<size_t>(i)]; }
  // One byte per character, the low 8 bits of each code (as files get them).
  std::string ToBytes() const;

  bool operator==(const Text& other) const = default;
};

Text operator+(const Text& a, const Text& b);
Text operator+(const Text& a, const char* b);
Text operator+(const char* a, const Text& b);

// Bytes from a file or a stranger, made safe to print on a terminal: control characters (and bytes
// that are not UTF-8, and UTF-8's C1 controls) are written as \xHH, so they can neither retitle nor
// repaint the terminal, and a NUL cannot cut the line short. Past most characters (0: no limit) the
// rest is left out for "...".
std::string EscapedForTerminal(std::string_view bytes, size_t most = 0);

// Conversions.
Text IntToText(int32_t n);
Text RealToText(float x);     // "%#.9g" of the value widened to double
Text DoubleToText(double x);  // "%#.17lg"
int32_t TextToInt(const Text& text);
int32_t RealToInt(double x);  // truncation toward zero

// Comparison and joining.
int32_t CompareText(const Text& a, const Text& b);
Text Concat(const Text& a, const Text& b);

// Cutting (1-based positions).
Text TextMid(const Text& text, int32_t start, int32_t count);
Text TextLeft(const Text& text, int32_t n);
int32_t TextFind(const Text& text, const Text& part, int32_t start);
Text TextPadRight(const Text& text, int32_t n);
Text TextPadLeft(const Text& text, int32_t n);
Text TextLower(const Text& text);
Text TextUpper(const Text& text);

// Numbers.
double SinDeg(double degrees);
double CosDeg(double degrees);
double FloorReal(double x);
double PowReal(double x, double y);
double AbsReal(double x);
int32_t MinInt(int32_t a, int32_t b);
int32_t MaxInt(int32_t a, int32_t b);
// Whole statistics never wrap: these stop at the 32-bit limits instead.
int32_t SaturatingAdd(int32_t a, int32_t b);
int32_t SaturatingSub(int32_t a, int32_t b);
int32_t SaturatingMul(int32_t a, int32_t b);
double MaxReal(double a, double b);
