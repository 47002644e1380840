#include "text/TextBuffer.h"

#include "files/AtomicFile.h"
#include "text/QuickSearch.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint32_t kTableStep = 1000;

// Offsets of matches or line starts in a malloc'ed table that doubles when
// full (so a million lines cost a few copies, not a thousand) and always
// keeps room for one more entry after the next.
bool RecordOffset(uint32_t*& table, uint32_t& size, uint32_t& count, uint32_t offset)
{
    if (count + 2 > size) {
        const uint64_t wanted = uint64_t(size) * 2 > kTableStep ? uint64_t(size) * 2 : kTableStep;
        const auto grownSize = static_cast<uint32_t>(wanted < 0xFFFFFFFFu ? wanted : 0xFFFFFFFFu);
        auto* grown = static_cast<uint32_t*>(std::realloc(table, size_t(grownSize) * sizeof(uint32_t)));
        if (!grown)
            return false;
        table = grown;
        size = grownSize;
    }
    table[count++] = offset;
    return true;
}

size_t ByteCount(const char* text, uint32_t count)
{
    if (!text)
        return 0;
    return count == CTextBuffer::npos ? std::strlen(text) : count;
}

// Membership table of a NUL-terminated set of bytes.
void FillSetTable(const char* set, bool (&member)[256])
{
    std::memset(member, 0, sizeof member);
    for (const char* c = set; *c; ++c)
        member[static_cast<unsigned char>(*c)] = true;
}

char* CopyString(const char* text)
{
    if (!text)
        text = "";
    const size_t n = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(std::malloc(n));
    if (copy)
        std::memcpy(copy, text, n);
    return copy;
}

template <bool Fold>
const char* Sunday(const char* text, const char* pattern, int32_t textLength, int32_t patternLength,
                   const uint32_t (&shift)[256])
{
    using Byte = const unsigned char*;
    const auto x = reinterpret_cast<Byte>(text);
    const auto pat = reinterpret_cast<Byte>(pattern);
    const auto m = static_cast<size_t>(patternLength);
    auto matchesAt = [&](Byte window) {
        size_t i = m;
        while (i > 0 && (Fold ? FoldByte(window[i - 1]) == FoldByte(pat[i - 1]) : window[i - 1] == pat[i - 1]))
            --i;
        return i == 0;
    };
    // Moves window to the first match before end (true), or past end.
    auto walk = [&](Byte& window, Byte end) {
        for (; window < end; window += shift[window[m]])
            if (matchesAt(window))
                return true;
        return false;
    };
    auto offset = [&](Byte window) { return text + (window - x); };

    const Byte bound = x + (textLength - patternLength);
    // Most searches in a text end within a line or two: one walk first.
    Byte first = x;
    if (walk(first, bound - x > 256 ? x + 256 : bound))
        return offset(first);
    // Each step waits for the table lookup of the step before, so two walks
    // over neighbouring stretches, interleaved, take the time of one.
    constexpr size_t kStretch = 4096;
    while (first < bound && size_t(bound - first) >= 2 * kStretch) {
        const Byte firstEnd = first + kStretch;
        const Byte secondEnd = firstEnd + kStretch;
        Byte second = firstEnd;
        while (first < firstEnd && second < secondEnd && !matchesAt(second)) {
            if (matchesAt(first))
                return offset(first);
            first += shift[first[m]];
            second += shift[second[m]];
        }
        if (walk(first, firstEnd) || walk(second, secondEnd))
            return offset(first < firstEnd ? first : second);
        first = secondEnd;
    }
    return walk(first, bound) ? offset(first) : nullptr;
}

// An empty pattern matches at once; lengths that leave no alignment never match.
bool DecidedAtOnce(const char* text, const char* pattern, int32_t textLength, int32_t patternLength,
                   const char*& result)
{
    result = pattern[0] == '\0' ? text : nullptr;
    return pattern[0] == '\0' || textLength < 1 || patternLength < 1 || textLength < patternLength;
}

// Faulting a fresh block in page by page as read() fills it costs several
// times the copy: a big block has its pages put in place in one call. A hint
// only; where the system declines, read() faults the pages in. No huge pages:
// their compaction stalled one load in five for half a second.
void PrepareToFill(char* block, size_t count)
{
    constexpr size_t kBigBlock = size_t(4) << 20;
    if (count < kBigBlock)
        return;
    const auto pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = reinterpret_cast<uintptr_t>(block) & ~(pageSize - 1);
    const size_t span = reinterpret_cast<uintptr_t>(block) + count - begin;
#ifdef MADV_POPULATE_WRITE
    madvise(reinterpret_cast<void*>(begin), span, MADV_POPULATE_WRITE);
#endif
}

} // namespace

void BuildShiftTable(const char* pattern, int32_t patternLength, bool foldCase, uint32_t (&shift)[256])
{
    for (uint32_t& entry : shift)
        entry = static_cast<uint32_t>(patternLength) + 1;
    for (int32_t i = 0; i < patternLength; ++i) {
        const auto c = static_cast<unsigned char>(pattern[i]);
        const auto s = static_cast<uint32_t>(patternLength - i);
        if (foldCase) {
            const unsigned char lower = FoldByte(c);
            shift[lower] = s;
            shift[static_cast<unsigned char>(AsciiUpper(static_cast<char>(lower)))] = s;
        } else {
            shift[c] = s;
        }
    }
}

const char* QuickSearchWithTable(const char* text, const char* pattern, int32_t textLength, int32_t patternLength,
                                 const uint32_t (&shift)[256], bool foldCase)
{
    const char* result;
    if (DecidedAtOnce(text, pattern, textLength, patternLength, result))
        return result;
    return foldCase ? Sunday<true>(text, pattern, textLength, patternLength, shift)
                    : Sunday<false>(text, pattern, textLength, patternLength, shift);
}

const char* QuickSearch(const char* text, const char* pattern, int32_t textLength, int32_t patternLength)
{
    const char* result;
    if (DecidedAtOnce(text, pattern, textLength, patternLength, result))
        return result;
    uint32_t shift[256];
    BuildShiftTable(pattern, patternLength, false, shift);
    return Sunday<false>(text, pattern, textLength, patternLength, shift);
}

char* FoldCase(char* bytes, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(FoldByte(static_cast<unsigned char>(bytes[i])));
    return bytes;
}

CTextBuffer::CTextBuffer()
{
    data = static_cast<char*>(std::malloc(1024));
    if (data) {
        data[0] = '\0';
        capacity = 1023;
    }
}

CTextBuffer::CTextBuffer(const char* text, uint32_t count)
{
    const size_t n = ByteCount(text, count);
    if (n > maxLength)
        return;
    data = static_cast<char*>(std::malloc(2 * n + 1));
    if (!data)
        return;
    if (n > 0)
        std::memcpy(data, text, n);
    data[n] = '\0';
    length = static_cast<uint32_t>(n);
    capacity = static_cast<uint32_t>(2 * n);
}

CTextBuffer::CTextBuffer(const CTextBuffer& other) : CTextBuffer(other.Data(), other.length)
{}

CTextBuffer::CTextBuffer(CTextBuffer&& other) noexcept
{
    Swap(other);
}

CTextBuffer& CTextBuffer::operator=(const CTextBuffer& other)
{
    Assign(other);
    return *this;
}

CTextBuffer& CTextBuffer::operator=(CTextBuffer&& other) noexcept
{
    if (this != &other) {
        CTextBuffer taken(static_cast<CTextBuffer&&>(other));
        Swap(taken);
    }
    return *this;
}

void CTextBuffer::Swap(CTextBuffer& other) noexcept
{
    std::swap(data, other.data);
    std::swap(wordStartChars, other.wordStartChars);
    std::swap(wordEndChars, other.wordEndChars);
    std::swap(length, other.length);
    std::swap(capacity, other.capacity);
    std::swap(linesIndexed, other.linesIndexed);
    std::swap(lineStarts, other.lineStarts);
    std::swap(lineCount, other.lineCount);
    std::swap(lineTableSize, other.lineTableSize);
}

CTextBuffer::~CTextBuffer()
{
    std::free(data);
    std::free(wordStartChars);
    std::free(wordEndChars);
    std::free(lineStarts);
}

bool CTextBuffer::Reserve(uint32_t needed)
{
    if (needed > maxLength)
        return false;
    if (data && capacity >= needed)
        return true;
    auto* grown = static_cast<char*>(std::realloc(data, 2 * size_t(needed) + 1));
    if (!grown)
        return false;
    if (!data)
        grown[0] = '\0';
    data = grown;
    capacity = 2 * needed;
    return true;
}

void CTextBuffer::ClearLineIndex()
{
    linesIndexed = 0;
}

bool CTextBuffer::Overlaps(const char* text, size_t count) const
{
    return data && count > 0 && text < data + capacity + 1 && data < text + count;
}

bool CTextBuffer::Insert(const char* text, uint32_t count, bool atFront, bool replaceAll)
{
    const size_t n = ByteCount(text, count);
    const size_t kept = replaceAll ? 0 : length;
    if (n + kept > maxLength)
        return false;
    if (Overlaps(text, n)) {
        // The source would move or be overwritten as the block changes.
        const CTextBuffer copy(text, static_cast<uint32_t>(n));
        return copy.HasBlock() && Insert(copy.data, copy.length, atFront, replaceAll);
    }
    if (!Reserve(static_cast<uint32_t>(n + kept)))
        return false;
    if (atFront && kept > 0)
        std::memmove(data + n, data, kept);
    if (n > 0)
        std::memcpy(atFront ? data : data + kept, text, n);
    length = static_cast<uint32_t>(n + kept);
    data[length] = '\0';
    ClearLineIndex();
    return true;
}

bool CTextBuffer::Assign(const char* text, uint32_t count)
{
    return Insert(text, count, false, true);
}

bool CTextBuffer::Assign(const CTextBuffer& other)
{
    if (this == &other)
        return true;
    return Insert(other.Data(), other.length, false, true);
}

bool CTextBuffer::Append(const char* text, uint32_t count)
{
    return Insert(text, count, false, false);
}

bool CTextBuffer::Prepend(const char* text, uint32_t count)
{
    return Insert(text, count, true, false);
}

bool CTextBuffer::Cut(int32_t n)
{
    if (!data || n == 0 || length == 0)
        return true;
    const int64_t size = n > 0 ? int64_t(n) : -int64_t(n);
    if (size >= length) {
        length = 0;
    } else {
        if (n > 0)
            std::memmove(data, data + size, length - size_t(size));
        length -= static_cast<uint32_t>(size);
    }
    data[length] = '\0';
    ClearLineIndex();
    return true;
}

CTextBuffer CTextBuffer::Left(uint32_t n) const
{
    return CTextBuffer(Data(), n < length ? n : length);
}

CTextBuffer CTextBuffer::Mid(uint32_t start, uint32_t count) const
{
    if (start > length)
        start = length;
    const uint32_t rest = length - start;
    return CTextBuffer(Data() + start, count < rest ? count : rest);
}

int32_t CTextBuffer::Find(const char* pattern, uint32_t start, bool ignoreCase) const
{
    if (!data || !pattern || start > length)
        return -1;
    const size_t patternLength = std::strlen(pattern);
    if (patternLength == 0 || patternLength > maxLength)
        return -1;
    const auto m = static_cast<int32_t>(patternLength);
    const auto textLength = static_cast<int32_t>(length - start + 1);
    const char* q;
    if (ignoreCase) {
        uint32_t shift[256];
        BuildShiftTable(pattern, m, true, shift);
        q = QuickSearchWithTable(data + start, pattern, textLength, m, shift, true);
    } else {
        q = QuickSearch(data + start, pattern, textLength, m);
    }
    return q ? static_cast<int32_t>(q - data) : -1;
}

bool CTextBuffer::SetWordStartChars(const char* set)
{
    char* copy = CopyString(set);
    if (!copy)
        return false;
    std::free(wordStartChars);
    wordStartChars = copy;
    return true;
}

bool CTextBuffer::SetWordEndChars(const char* set)
{
    char* copy = CopyString(set);
    if (!copy)
        return false;
    std::free(wordEndChars);
    wordEndChars = copy;
    return true;
}

uint32_t CTextBuffer::Replace(const char* pattern, const char* replacement, char mode)
{
    if (!data || !pattern || !*pattern)
        return 0;
    const size_t patternSize = std::strlen(pattern);
    const size_t replacementSize = std::strlen(replacement ? replacement : "");
    if (patternSize > maxLength || replacementSize > maxLength)
        return 0;
    const bool foldCase = mode == 'I' || mode == 'M';
    const bool wholeWords = mode == 'X' || mode == 'M';
    if (wholeWords && ((!wordStartChars && !SetWordStartChars("")) || (!wordEndChars && !SetWordEndChars(""))))
        return 0;
    bool before[256] = {};
    bool after[256] = {};
    if (wholeWords) {
        FillSetTable(wordStartChars, before);
        FillSetTable(wordEndChars, after);
    }

    uint32_t tableSize = kTableStep;
    uint32_t count = 0;
    auto* matches = static_cast<uint32_t*>(std::malloc(tableSize * sizeof(uint32_t)));
    if (!matches)
        return 0;
    const auto m = static_cast<uint32_t>(patternSize);
    uint32_t shift[256];
    BuildShiftTable(pattern, static_cast<int32_t>(m), foldCase, shift);
    // In the ignore-case modes the neighbours of a match are judged folded.
    auto neighbour = [&](uint32_t at) {
        const auto c = static_cast<unsigned char>(data[at]);
        return foldCase ? FoldByte(c) : c;
    };
    for (uint32_t s = 0; s < length;) {
        const char* found = QuickSearchWithTable(data + s, pattern, static_cast<int32_t>(length - s + 1),
                                                 static_cast<int32_t>(m), shift, foldCase);
        if (!found)
            break;
        const auto q = static_cast<uint32_t>(found - data);
        const bool counts =
            !wholeWords || ((q == 0 || before[neighbour(q - 1)]) && (q + m == length || after[neighbour(q + m)]));
        if (counts && !RecordOffset(matches, tableSize, count, q)) {
            std::free(matches);
            return 0;
        }
        s = q + m;
    }
    const int64_t newLength = int64_t(length) + int64_t(count) * (int64_t(replacementSize) - int64_t(m));
    char* block =
        count > 0 && newLength <= maxLength ? static_cast<char*>(std::malloc(size_t(newLength) + 1)) : nullptr;
    if (!block) {
        std::free(matches);
        return 0;
    }
    char* out = block;
    uint32_t from = 0;
    for (uint32_t i = 0; i < count; ++i) {
        std::memcpy(out, data + from, matches[i] - from);
        out += matches[i] - from;
        if (replacementSize > 0)
            std::memcpy(out, replacement, replacementSize);
        out += replacementSize;
        from = matches[i] + m;
    }
    std::memcpy(out, data + from, length - from);
    block[newLength] = '\0';
    std::free(matches);
    std::free(data);
    data = block;
    length = capacity = static_cast<uint32_t>(newLength);
    ClearLineIndex();
    return count;
}

uint32_t CTextBuffer::IndexLines()
{
    if (linesIndexed)
        return lineCount;
    if (!data)
        return 0;
    auto* table = static_cast<uint32_t*>(std::realloc(lineStarts, kTableStep * sizeof(uint32_t)));
    if (!table)
        return 0;
    lineStarts = table;
    lineTableSize = kTableStep;
    uint32_t count = 0;
    uint32_t shift[256];
    BuildShiftTable("\r\n", 2, false, shift);
    for (uint32_t s = 0;;) {
        if (!RecordOffset(lineStarts, lineTableSize, count, s))
            return 0;
        const char* found =
            QuickSearchWithTable(data + s, "\r\n", static_cast<int32_t>(length - s + 1), 2, shift, false);
        if (!found)
            break;
        s = static_cast<uint32_t>(found - data) + 2;
    }
    lineStarts[count] = length;
    lineCount = count;
    linesIndexed = 1;
    return lineCount;
}

CTextBuffer CTextBuffer::GetLine(uint32_t i)
{
    if (!linesIndexed)
        IndexLines();
    if (!data || !linesIndexed || i >= lineCount)
        return CTextBuffer("", 0);
    const uint32_t begin = lineStarts[i];
    const uint32_t end = i + 1 == lineCount ? lineStarts[i + 1] : lineStarts[i + 1] - 2;
    return CTextBuffer(data + begin, end - begin);
}

bool CTextBuffer::LoadFile(const char* path)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || st.st_size < 0 || uint64_t(st.st_size) > maxLength ||
        !Reserve(static_cast<uint32_t>(st.st_size))) {
        close(fd);
        return false;
    }
    const auto size = static_cast<size_t>(st.st_size);
    PrepareToFill(data, size + 1);
    size_t got = 0;
    const bool read = ReadUpTo(fd, data, size, got);
    close(fd);
    length = static_cast<uint32_t>(got);
    data[length] = '\0';
    ClearLineIndex();
    return read;
}

bool CTextBuffer::SaveFile(const char* path) const
{
    return path != nullptr && ReplaceFile(path, View());
}
