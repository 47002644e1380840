// The command-line mode of the program: what runs instead of the window when
// there are arguments. Standard library and POSIX only, so it starts without
// a display.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

enum CliExitStatus
{
    kExitAllWritten = 0,
    kExitSomeFailed = 1,
    kExitBadArguments = 2, // also a --from page that gives no scheme; then nothing was written
};

struct CliStreams
{
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false; // the progress line is drawn only there
};

// args: the arguments after the program name.
int RunCommandLine(const std::vector<std::string>& args, const CliStreams& streams);

// With the process's own streams.
int RunCommandLine(int argc, char** argv);
