#pragma once
// The lines of a file's contents as the C library's text mode and its line
// reading cut them: CR LF becomes LF, and a line longer than the reader's buffer
// arrives in pieces of at most maxPiece bytes (its line feed counted), each
// handled as a line of its own. Each piece is given without its line feed and
// ends at its first NUL byte, as the C string it was read into would.

#include <cstddef>
#include <string_view>

class TextLines {
 public:
  TextLines(std::string_view contents, std::size_t maxPiece) : contents_(contents), maxPiece_(maxPiece) {}

  // The next piece; false at the end of the contents.
  bool Next(std::string_view& piece);

 private:
  std::string_view contents_;
  std::size_t maxPiece_;
  std::size_t pos_ = 0;
};
