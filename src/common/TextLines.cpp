#include "common/TextLines.h"

#include <algorithm>
#include <cstring>

bool TextLines::Next(std::string_view& piece) {
  if (pos_ >= contents_.size()) return false;
  const char* start = contents_.data() + pos_;
  const std::size_t remaining = contents_.size() - pos_;
  std::size_t length = std::min(remaining, maxPiece_);
  std::size_t consumed = length;
  // A line feed can end the piece if the piece, CR LF counted as one byte,
  // still fits the buffer together with it.
  if (const void* feed = std::memchr(start, '\n', std::min(remaining, maxPiece_ + 1))) {
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
    const bool crlf = at > 0 && start[at - 1] == '\r';
    if ((crlf ? at : at + 1) <= maxPiece_) {
      length = crlf ? at - 1 : at;
      consumed = at + 1;
    }
  }
  pos_ += consumed;
  piece = std::string_view(start, length);
  piece = piece.substr(0, piece.find('\0'));
  return true;
}
