// Texts that both the string table and the dialog templates carry, written
// once.
#pragma once

inline constexpr char kCaptionText[] = "Velloran v2.0";
inline constexpr char kAboutSecondLineText[] = "Compositeur de balises <body> HTML";
