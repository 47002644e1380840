// With arguments the program runs its command line, before anything of wx or
// GTK starts, so it needs no display; without, it opens the window.
#include "app/BodyTagApp.h"
#include "cli/CommandLine.h"

wxIMPLEMENT_APP_NO_MAIN(CBodyTagApp);

int main(int argc, char** argv)
{
    if (argc > 1)
        return RunCommandLine(argc, argv);
    return wxEntry(argc, argv);
}
