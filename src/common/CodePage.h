#pragma once
// Code page 932 (Microsoft's Shift_JIS), the code page of every file the program
// reads or writes itself and of the clipboard text.

#include <cstddef>
#include <string>
#include <string_view>

// Every byte sequence decodes to something: a byte or pair that the code page
// does not define becomes U+FFFD, and a lead byte without a fitting trail byte
// stands alone, so line ends and other ASCII bytes are never swallowed.
void AppendFromCp932(std::string_view bytes, std::u16string& out);
// Decodes into room for bytes.size() code units and answers how many it wrote.
std::size_t DecodeCp932(std::string_view bytes, char16_t* out);
std::u16string FromCp932(std::string_view bytes);

// A character that the code page cannot hold becomes "?".
void AppendToCp932(std::u16string_view text, std::string& out);
std::string ToCp932(std::u16string_view text);
// Well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view bytes);

// A text file's bytes: UTF-8 (its byte-order mark skipped) when they are
// sound UTF-8, code page 932 otherwise.
std::u16string FromUtf8OrCp932(std::string_view bytes);

// Whether every character of the text has a place in the code page.
bool Cp932CanHold(std::u16string_view text);
