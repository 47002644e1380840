// Internals of the quick search, shared by the buffer's searches and their tests.
#pragma once

#include "model/Ascii.h"

#include <cstdint>

// Shift after a mismatch, indexed by the byte just after the window: m + 1 for
// a byte not in the pattern, else m minus the index of its last occurrence.
// With foldCase both cases of an ASCII letter share the entry of its
// lower-case form, as if pattern and text had been folded.
void BuildShiftTable(const char* pattern, int32_t patternLength, bool foldCase, uint32_t (&shift)[256]);

// The quick search loop over a prebuilt table, same contract as QuickSearch;
// with foldCase A-Z compare equal to a-z on both sides.
const char* QuickSearchWithTable(const char* text, const char* pattern, int32_t textLength, int32_t patternLength,
                                 const uint32_t (&shift)[256], bool foldCase);

// The byte with A-Z lower-cased.
inline unsigned char FoldByte(unsigned char c)
{
    return static_cast<unsigned char>(AsciiLower(static_cast<char>(c)));
}
