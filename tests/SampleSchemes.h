// Schemes shared by the tests and the benchmarks.
#pragma once

#include "model/Scheme.h"

// The worked example: every attribute of the tag but vlink.
inline Scheme WorkedExample()
{
    Scheme s;
    s.bgcolor = 0x00FFFFFF;
    s.text = 0x00000000;
    s.link = 0x00FF0000;
    s.alink = 0x000000FF;
    s.useback = 1;
    s.background.assign("images/fond.gif");
    s.watermark = 1;
    s.sidemargin = 10;
    s.topmargin = 0;
    return s;
}
