#include "platform/ProcessEnd.h"

#include <gio/gio.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool g_bFileChooserShown = false;

} // namespace

void NoteFileChooserShown()
{
    g_bFileChooserShown = true;
}

bool CanEndWithoutTeardown()
{
    return !g_bFileChooserShown;
}

void EndProcessNow(int code)
{
    g_settings_sync();
    std::fflush(nullptr);
    _exit(code);
}
