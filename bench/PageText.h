// The HTML-like text of the benchmarks: tags, near misses of "<body" ("<b>",
// "<bdo", "Bordure") and CR LF lines, with the only "<body" (in any case)
// 4 KiB before the end. The same size always gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Hands the text of exactly size bytes to sink(std::string_view), piece by piece.
template <class Sink> void GeneratePageText(size_t size, Sink&& sink)
{
    static constexpr std::string_view pieces[] = {
        "<div class=\"article\">\r\n",
        "<p>Lorem ipsum dolor sit amet, <b>consectetur</b> adipiscing elit.</p>\r\n",
        "<a href=\"page42.htm\">Suite</a><br>\r\n",
        "<TABLE BORDER=0><TR><TD>Colonne</TD></TR></TABLE>\r\n",
        "<!-- commentaire -->\r\n",
        "<img src=\"images/fond.gif\" alt=\"Image\">\r\n",
        "<span style=\"color:#FF0000\">Texte en rouge</span>\r\n",
        "<h2>Titre de la section</h2>\r\n",
        "<ul><li>Un</li><li>Deux</li></ul>\r\n",
        "<p>Bordure et bobine: <bdo dir=\"ltr\">bo</bdo></p>\r\n",
    };
    size_t written = 0;
    auto put = [&](std::string_view piece) {
        piece = piece.substr(0, size - written);
        sink(piece);
        written += piece.size();
    };
    uint32_t seed = 12345;
    auto fill = [&](size_t upTo) {
        while (written < upTo) {
            seed = seed * 1103515245u + 12345u;
            put(pieces[(seed >> 16) % (sizeof pieces / sizeof pieces[0])]);
        }
    };
    put("<html><head><title>Page</title></head>\r\n");
    fill(size > 4096 ? size - 4096 : 0);
    put("<body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n");
    fill(size);
}
