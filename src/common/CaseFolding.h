#pragma once
// Letter case folding for the few comparisons that ignore case (profile
// section and key names, file names, the distinct values of a card parameter):
// Unicode's simple case folding, for every script that has letter case.
// A folded character stays in its plane, so a folded text keeps its length.

#include <array>
#include <cstdint>

char32_t FoldCase(char32_t c);

// The folded form of every UTF-16 unit of the basic plane, for hashing at the
// speed of one table read; every surrogate has one number, which leaves the
// characters outside the basic plane to the comparison.
extern const std::array<char16_t, 0x10000> kFoldedUnits;
inline uint32_t FoldedUnit(char16_t c) { return kFoldedUnits[c]; }
