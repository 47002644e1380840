#include "text/MarkupSkip.h"

#include "model/Ascii.h"

#include <array>
#include <cstdint>
#include <cstring>

// Tags are found 64 bytes at a time, from masks of the bytes that matter:
// at a tag every 15 bytes, going from tag to tag costs more in branches than
// finding the bytes. Wherever the masks cannot settle what the reader would
// do, this stops and leaves the rest to the reader.

namespace {

constexpr size_t kBlock = 64;
// A '<' is judged by the two bytes after it, so a block needs two more.
constexpr size_t kReach = kBlock + 2;

// Bit i stands for byte i of a block.
struct BlockMasks
{
    uint64_t lt, gt, dq, sq, eq, blank;
    uint64_t plain; // none of the above, nor '/'
};

// Vectors of 16 bytes everywhere; of 32 where the processor has AVX2 (and BMI1,
// for tzcnt).
typedef unsigned char Bytes16 __attribute__((vector_size(16)));
typedef unsigned char Bytes32 __attribute__((vector_size(32)));

// Bit i: the top bit of byte i.
#ifdef __SSE2__
uint64_t TopBits(const Bytes16& v)
{
    typedef char Chars __attribute__((vector_size(16)));
    return uint32_t(__builtin_ia32_pmovmskb128(Chars(v)));
}
#else
uint64_t TopBits(const Bytes16& v)
{
    uint64_t bits = 0;
    for (unsigned i = 0; i < 16; ++i)
        bits |= uint64_t(v[i] >> 7) << i;
    return bits;
}
#endif
#ifdef __x86_64__
[[gnu::target("avx2")]] uint64_t TopBits(const Bytes32& v)
{
    typedef char Chars __attribute__((vector_size(32)));
    return uint32_t(__builtin_ia32_pmovmskb256(Chars(v)));
}
#endif

// Bit i: byte i is a blank (space, or 9 to 13 but for 11, vertical tab).
inline uint64_t BlankBits(const Bytes16& v)
{
    return TopBits(Bytes16(v == ' ') | (Bytes16(Bytes16(v - 9) <= 4) & Bytes16(v != '\v')));
}
#ifdef __x86_64__
// The same by a table of the blank, if any, that ends in each low nibble
// (bytes from 0x80 look up 0, which none of them is).
[[gnu::target("avx2")]] inline uint64_t BlankBits(const Bytes32& v)
{
    typedef char Chars __attribute__((vector_size(32)));
    const Chars table = {' ', -1, -1, -1, -1, -1, -1, -1, -1, '\t', '\n', -1, '\f', '\r', -1, 0,
                         ' ', -1, -1, -1, -1, -1, -1, -1, -1, '\t', '\n', -1, '\f', '\r', -1, 0};
    return TopBits(Bytes32(__builtin_ia32_pshufb256(table, Chars(v)) == Chars(v)));
}
#endif

template <class Bytes> [[gnu::always_inline]] inline BlockMasks ClassifyBlock(const char* block)
{
    BlockMasks m{};
    uint64_t slashes = 0;
    // Unrolled, every mask is shifted by a constant; GCC at -O2 keeps the loop.
#pragma GCC unroll 4
    for (unsigned k = 0; k < kBlock / sizeof(Bytes); ++k) {
        Bytes v;
        std::memcpy(&v, block + k * sizeof(Bytes), sizeof(Bytes));
        const unsigned shift = k * sizeof(Bytes);
        m.lt |= TopBits(Bytes(v == '<')) << shift;
        m.gt |= TopBits(Bytes(v == '>')) << shift;
        m.dq |= TopBits(Bytes(v == '"')) << shift;
        m.sq |= TopBits(Bytes(v == '\'')) << shift;
        m.eq |= TopBits(Bytes(v == '=')) << shift;
        m.blank |= BlankBits(v) << shift;
        slashes |= TopBits(Bytes(v == '/')) << shift;
    }
    m.plain = ~(slashes | m.lt | m.gt | m.dq | m.sq | m.eq | m.blank);
    return m;
}

// Classes of '<', by the two bytes after it.
enum : uint8_t
{
    kTagLt,  // an ordinary start or end tag
    kTextLt, // starts nothing
    kStopLt, // markup the reader must read itself
};

// Two bytes read as one number, in the machine's byte order.
uint16_t Pair(const void* bytes)
{
    uint16_t pair;
    std::memcpy(&pair, bytes, sizeof pair);
    return pair;
}

// The class of a '<' from the two bytes after it, indexed by their Pair.
const std::array<uint8_t, 65536>& LtClasses()
{
    static const auto classes = [] {
        std::array<uint8_t, 65536> table{};
        for (unsigned a = 0; a < 256; ++a)
            for (unsigned b = 0; b < 256; ++b) {
                const char first = char(a), second = char(b);
                const char bytes[] = {first, second};
                uint8_t c = kTextLt;
                if (IsAsciiAlpha(first))
                    c = MayBeElement(first, second) ? kStopLt : kTagLt;
                else if (first == '/')
                    c = IsAsciiAlpha(second) ? kTagLt : kStopLt;
                else if (first == '!' || first == '?')
                    c = kStopLt;
                table[Pair(bytes)] = c;
            }
        return table;
    }();
    return classes;
}

// The bytes of values whose opening quotes are open (of one kind, given by
// quote), each value ending at the next such quote: content and closing
// quotes. in says whether the block starts inside such a value.
struct Values
{
    uint64_t content, close;
};
Values ValuesFrom(uint64_t open, uint64_t quote, bool in)
{
    const uint64_t others = ~quote;
    const uint64_t sum = (open << 1) + others + in;
    return {(sum ^ others) & others, sum & quote};
}

// Where the walk stands at the end of a block.
struct Position
{
    bool inTag, inDoubleQuoted, inSingleQuoted;
    size_t tagStart; // the '<' of the tag it is in, when it is in one
};

// The '<' of the tag still open after the block's tag opens and closes,
// given the position before the block.
size_t OpenTagStart(uint64_t tagOpens, uint64_t tagCloses, const Position& before, size_t w)
{
    const uint64_t afterClose = tagCloses ? ~(~uint64_t(0) >> __builtin_clzll(tagCloses)) : ~uint64_t(0);
    const uint64_t opener = tagCloses == 0 && before.inTag ? 0 : tagOpens & afterClose;
    return opener ? w + unsigned(__builtin_ctzll(opener)) : before.tagStart;
}

template <class Bytes> [[gnu::always_inline]] inline size_t Skip(std::string_view text, size_t p)
{
    const std::array<uint8_t, 65536>& ltClasses = LtClasses();
    Position at{false, false, false, p};
    uint64_t lastBlank = 0, lastEq = 0, lastNames = 0; // the previous block's, for the bytes just before this one
    bool nameCarry = false;
    size_t w = p;
    for (; w + kReach <= text.size(); w += kBlock) {
        const BlockMasks m = ClassifyBlock<Bytes>(text.data() + w);
        const uint64_t blank1 = m.blank << 1 | lastBlank >> 63, blank2 = m.blank << 2 | lastBlank >> 62;
        const uint64_t eq1 = m.eq << 1 | lastEq >> 63, eq2 = m.eq << 2 | lastEq >> 62;
        // An attribute name, surely: a run of plain bytes after a blank that
        // follows neither a blank nor '=' (after which it could start a value).
        const uint64_t nameStarts = m.plain & blank1 & ~blank2 & ~eq2;
        uint64_t sum;
        const bool carry = __builtin_add_overflow(m.plain, nameStarts, &sum);
        nameCarry = __builtin_add_overflow(sum, uint64_t(nameCarry), &sum) || carry;
        const uint64_t names = (sum ^ m.plain) & m.plain;
        // In a tag, a quote opens a value when it follows such a name's '=';
        // after another '=' or a blank it may, and the walk cannot tell.
        const uint64_t quotes = m.dq | m.sq;
        const uint64_t opens = quotes & eq1 & (names << 2 | lastNames >> 62);
        const uint64_t mayOpen = quotes & (eq1 | blank1) & ~opens;
        lastBlank = m.blank;
        lastEq = m.eq;
        lastNames = names;

        const auto* block = reinterpret_cast<const unsigned char*>(text.data() + w);
        // Mostly every '<' starts an ordinary tag: look for the others first.
        uint8_t unusual = 0;
        for (uint64_t lts = m.lt; lts != 0; lts &= lts - 1) {
            const unsigned k = unsigned(__builtin_ctzll(lts));
            unusual |= ltClasses[Pair(block + k + 1)];
        }
        uint64_t tagLt = m.lt, stopLt = 0;
        for (uint64_t lts = unusual ? m.lt : 0; lts != 0; lts &= lts - 1) {
            const unsigned k = unsigned(__builtin_ctzll(lts));
            const uint8_t c = ltClasses[Pair(block + k + 1)];
            tagLt &= ~(uint64_t(c != kTagLt) << k);
            stopLt |= uint64_t(c == kStopLt) << k;
        }

        // Taking every quote of `opens` to open a value, and each value to end
        // at the next quote of its kind, the tags are the stretches from a '<'
        // to the next '>' outside values. Up to the first byte where that
        // reading fails the reader's, it is the reader's.
        const uint64_t openDq = opens & m.dq, openSq = opens & m.sq;
        const Values dq = ValuesFrom(openDq, m.dq, at.inDoubleQuoted);
        const Values sq = ValuesFrom(openSq, m.sq, at.inSingleQuoted);
        const uint64_t values = opens | dq.content | dq.close | sq.content | sq.close;
        const uint64_t tagOpens = tagLt & ~values, tagCloses = m.gt & ~values;
        const uint64_t between = ~(tagOpens | tagCloses);
        // In a tag: after its '<', up to its '>'.
        const uint64_t inTag = (((tagOpens << 1) + between + at.inTag) ^ between) & between;
        const uint64_t fails = (opens & ~inTag) | (openDq & (sq.content | dq.close)) |
                               (openSq & (dq.content | sq.close)) | (mayOpen & inTag & ~values) | (stopLt & ~inTag);
        if (fails != 0) {
            // Outside a tag that byte is where the reader goes on; inside one, the tag's '<'.
            const unsigned k = unsigned(__builtin_ctzll(fails));
            const uint64_t before = (uint64_t(1) << k) - 1;
            return (inTag >> k) & 1 ? OpenTagStart(tagOpens & before, tagCloses & before, at, w) : w + k;
        }
        at.tagStart = OpenTagStart(tagOpens, tagCloses, at, w);
        at.inDoubleQuoted = (openDq | dq.content) >> 63;
        at.inSingleQuoted = (openSq | sq.content) >> 63;
        at.inTag = (tagOpens | inTag) >> 63;
    }
    return at.inTag ? at.tagStart : w;
}

#ifdef __x86_64__
[[gnu::target("avx2,bmi")]] size_t SkipBy32(std::string_view text, size_t p)
{
    return Skip<Bytes32>(text, p);
}
#endif

} // namespace

size_t SkipOrdinaryMarkupBy16(std::string_view text, size_t p)
{
    return Skip<Bytes16>(text, p);
}

size_t SkipOrdinaryMarkup(std::string_view text, size_t p)
{
#ifdef __x86_64__
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi");
    if (avx2)
        return SkipBy32(text, p);
#endif
    return SkipOrdinaryMarkupBy16(text, p);
}
