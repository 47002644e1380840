// The one text container of Velloran: a heap block of bytes with a
// terminating NUL, a length, a spare capacity and a cached index of CR LF
// line starts. A byte is a character; only ASCII letters are ever folded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class CTextBuffer
{
public:
    // A count of npos means "up to the text's NUL".
    static constexpr uint32_t npos = 0xFFFFFFFFu;
    // The longest text: its doubled capacity fits in 32 bits and every offset
    // with the terminator fits in a signed 32-bit search length.
    static constexpr uint32_t maxLength = 0x7FFFFFFEu;

    CTextBuffer();
    CTextBuffer(const char* text, uint32_t count = npos);
    // Copies take the text only: no word sets, no line index. A copy
    // assignment that cannot allocate keeps the old text, like Assign.
    CTextBuffer(const CTextBuffer& other);
    // Moves take everything and leave the source empty, without a block.
    CTextBuffer(CTextBuffer&& other) noexcept;
    CTextBuffer& operator=(const CTextBuffer& other);
    CTextBuffer& operator=(CTextBuffer&& other) noexcept;
    ~CTextBuffer();

    // Changing operations: false when the block could not grow (or the size
    // would not fit in 32 bits); the text is then unchanged.
    bool Assign(const char* text, uint32_t count = npos);
    bool Assign(const CTextBuffer& other);
    bool Append(const char* text, uint32_t count = npos);
    bool Prepend(const char* text, uint32_t count = npos);
    // n > 0 removes the first n bytes, n < 0 the last -n; always true.
    bool Cut(int32_t n);

    CTextBuffer Left(uint32_t n) const;
    CTextBuffer Mid(uint32_t start, uint32_t count = npos) const;

    // Offset from the beginning of the text of the first occurrence at or
    // after start; -1 when there is none.
    int32_t Find(const char* pattern, uint32_t start = 0, bool ignoreCase = false) const;
    // Mode 'I' ignore case, 'X' whole words exact case, 'M' whole words
    // ignoring case, anything else exact case anywhere. Returns the count.
    uint32_t Replace(const char* pattern, const char* replacement, char mode);
    bool SetWordStartChars(const char* set);
    bool SetWordEndChars(const char* set);

    uint32_t IndexLines();
    CTextBuffer GetLine(uint32_t i);

    // Regular files only (anything else fails at once), at most maxLength
    // bytes. A read error after the block was filled in part returns false
    // with the bytes read so far.
    bool LoadFile(const char* path);
    // Replaces the file whole by the rule of files/AtomicFile.h: a failed save
    // leaves the target as it was.
    bool SaveFile(const char* path) const;

    // Never null: an empty text when the buffer has no block.
    const char* Data() const { return data ? data : ""; }
    uint32_t Length() const { return length; }
    uint32_t Capacity() const { return capacity; }
    bool HasBlock() const { return data != nullptr; }
    // The line index matches the text (no rebuild on the next GetLine).
    bool LinesIndexed() const { return linesIndexed != 0; }
    std::string_view View() const { return {Data(), length}; }

private:
    bool Reserve(uint32_t needed);
    void ClearLineIndex();
    bool Overlaps(const char* text, size_t count) const;
    // Assign (replaceAll), Append or Prepend (atFront) of count bytes.
    bool Insert(const char* text, uint32_t count, bool atFront, bool replaceAll);
    void Swap(CTextBuffer& other) noexcept;

    char* data = nullptr;
    char* wordStartChars = nullptr;
    char* wordEndChars = nullptr;
    uint32_t length = 0;
    uint32_t capacity = 0;
    uint8_t linesIndexed = 0;
    uint32_t* lineStarts = nullptr;
    uint32_t lineCount = 0;
    uint32_t lineTableSize = 0;
};

// Sunday's quick search. textLength counts the terminating NUL (callers pass
// the bytes from the search start to the end of the text plus one).
const char* QuickSearch(const char* text, const char* pattern, int32_t textLength, int32_t patternLength);

// Lower-cases A-Z among count bytes in place; every other byte is unchanged.
char* FoldCase(char* bytes, uint32_t count);
