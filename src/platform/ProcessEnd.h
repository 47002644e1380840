// Ending the process without tearing its windows down, once nothing it
// still holds would be lost.
#pragma once

// Marks that a GTK file chooser has been made: once answered, it may leave
// a write of the recent files list pending that only GTK's own exit makes.
void NoteFileChooserShown();

// True when GTK has nothing pending that only its own exit writes, so the
// process may end without it.
bool CanEndWithoutTeardown();

// Waits for pending desktop settings writes (the colour and file choosers
// store theirs asynchronously), flushes the standard streams and ends the
// process with the code. The X server drops the windows with the connection.
[[noreturn]] void EndProcessNow(int code);
