// The command line's arguments: which command, from which scheme, with which
// case options, on which pages.
#pragma once

#include <string>
#include <vector>

enum class CliCommand
{
    Tag,    // prints the body tag
    Css,    // prints the scheme as a stylesheet
    Export, // writes the body tag into every page
    Help,
    Version,
};

enum class SchemeSource
{
    Builtin, // the default scheme: <body>
    Stored,  // the stored default scheme (--default)
    Page,    // the first body tag of a page (--from)
};

struct CliArguments
{
    CliCommand command = CliCommand::Help;
    SchemeSource source = SchemeSource::Builtin;
    std::string fromPage;
    bool upperTags = false;
    bool lowerHex = false;
    bool quiet = false;
    std::vector<std::string> pages; // in the given order; "-" stands for stdin
};

struct ParsedArguments
{
    CliArguments arguments;
    std::string error; // French, without the program name; empty when the arguments are good
};

// The arguments after the program name. "--" ends the options: every argument
// after it is a page. "--from" takes its file as the next argument or after
// "=".
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The text of --help, in French, ending with a line end.
extern const char kUsageText[];
