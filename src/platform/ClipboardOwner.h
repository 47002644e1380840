// Whether this program holds the desktop clipboard, so that its text would be
// lost at exit unless handed to a clipboard manager.
#pragma once

// True when a window of this process owns the CLIPBOARD selection (after a
// copy from any of its text controls, until another program copies).
bool OwnsClipboard();
