#pragma once
// Section-name patterns such as "Param%02d": a text with exactly one integer
// conversion, formatted with n = 0, 1, 2, ... to name the sections of a numbered
// list. Patterns come from files that users write, so a pattern is checked
// first and formatted here; it never reaches a printf-style function.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class SectionPattern {
 public:
  // The pattern, or nothing when it holds no, two or another conversion, or a
  // width or precision past kMaxWidth. "%%" stands for a percent sign.
  static std::optional<SectionPattern> Parse(std::u16string_view pattern);

  std::u16string Format(int32_t n) const;

  static constexpr int kMaxWidth = 64;

 private:
  std::u16string prefix_;
  std::u16string suffix_;
  bool leftAlign_ = false;
  bool plusSign_ = false;
  bool spaceSign_ = false;
  bool zeroPad_ = false;
  bool alternate_ = false;
  int width_ = 0;
  int precision_ = -1;
  char16_t conversion_ = u'd';
};
