#include "model/WrapText.h"

std::vector<std::u32string> WrapText(const std::u32string& text, int width,
                                     const std::function<int(const std::u32string&)>& measure)
{
    std::vector<std::u32string> lines;
    size_t paragraphStart = 0;
    while (paragraphStart <= text.size()) {
        size_t paragraphEnd = text.find(U'\n', paragraphStart);
        if (paragraphEnd == std::u32string::npos)
            paragraphEnd = text.size();
        std::u32string paragraph = text.substr(paragraphStart, paragraphEnd - paragraphStart);
        if (!paragraph.empty() && paragraph.back() == U'\r')
            paragraph.pop_back();

        std::u32string line;
        size_t pos = 0;
        while (pos < paragraph.size()) {
            // The next word with the blanks that precede it.
            size_t wordStart = pos;
            while (wordStart < paragraph.size() && paragraph[wordStart] == U' ')
                ++wordStart;
            size_t wordEnd = paragraph.find(U' ', wordStart);
            if (wordEnd == std::u32string::npos)
                wordEnd = paragraph.size();
            const std::u32string candidate = line + paragraph.substr(pos, wordEnd - pos);
            if (line.empty() || measure(candidate) <= width) {
                line = line.empty() ? paragraph.substr(wordStart, wordEnd - wordStart) : candidate;
            } else {
                lines.push_back(line);
                line = paragraph.substr(wordStart, wordEnd - wordStart);
            }
            pos = wordEnd;
        }
        lines.push_back(line);
        paragraphStart = paragraphEnd + 1;
    }
    return lines;
}
