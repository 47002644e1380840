#include "cli/CommandLine.h"

#include "cli/Arguments.h"
#include "cli/SiteExport.h"
#include "model/BodyTag.h"
#include "res/SharedTexts.h"
#include "store/Settings.h"
#include "text/HtmlImport.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>

#include <unistd.h>

namespace {

// With fewer pages the run is over before a progress line would help.
constexpr size_t kPagesForProgress = 10;

// Control bytes in a page name would break the one line per failure.
std::string Printable(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return out;
}

int BadArguments(std::ostream& err, const std::string& error)
{
    err << "velloran : " << error << "\n"
        << "Essayez « velloran --help » pour en savoir plus.\n";
    return kExitBadArguments;
}

// The scheme the arguments name; nothing, after saying why, when the --from
// page gives none.
std::optional<Scheme> MakeScheme(const CliArguments& arguments, std::ostream& err)
{
    switch (arguments.source) {
    case SchemeSource::Builtin:
        return Scheme();
    case SchemeSource::Stored:
        // The same store and the same reading as the window's "Charger par defaut".
        return LoadSchemeGroup(CSettingsStore(CSettingsStore::DefaultPath()));
    case SchemeSource::Page:
        break;
    }
    Scheme scheme;
    const std::string page = Printable(arguments.fromPage);
    errno = 0;
    switch (ImportBodyTag(arguments.fromPage.c_str(), scheme)) {
    case ImportResult::Imported:
        return scheme;
    case ImportResult::CannotRead:
        BadArguments(err, "impossible de lire « " + page + " » (" +
                              (errno != 0 ? ErrorText(errno) : std::string("ce n'est pas un fichier ordinaire")) + ")");
        return std::nullopt;
    case ImportResult::NoBodyTag:
        BadArguments(err, "« " + page + " » ne contient pas de balise <body>");
        return std::nullopt;
    }
    return std::nullopt;
}

std::string PagesWritten(size_t count)
{
    return std::to_string(count) + (count > 1 ? " pages écrites" : " page écrite");
}

int RunExport(const CliArguments& arguments, const std::string& tag, const CliStreams& streams)
{
    std::ostream& err = streams.err;
    CPageList pages(arguments.pages, streams.in);
    const bool progress = streams.errIsTerminal && !arguments.quiet;
    bool lineShown = false;
    const auto start = std::chrono::steady_clock::now();

    SiteExportCallbacks callbacks;
    callbacks.onFailure = [&](const PageFailure& failure) {
        if (lineShown)
            err << "\r\033[K";
        lineShown = false;
        err << "velloran : " << Printable(failure.page) << " : " << failure.reason << "\n" << std::flush;
    };
    if (progress) {
        callbacks.onProgress = [&](size_t done, std::optional<size_t> total) {
            if (total ? *total <= kPagesForProgress : done <= kPagesForProgress)
                return;
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            err << "\r" << done;
            if (total)
                err << "/" << *total;
            err << " pages, " << static_cast<long long>(double(done) / seconds) << " pages/s\033[K" << std::flush;
            lineShown = true;
        };
    }
    const SiteExportReport report = ExportSite(pages, tag, DefaultWorkerCount(), callbacks);
    if (lineShown)
        err << "\r\033[K";
    err << PagesWritten(report.written) << ", " << report.failed << " en échec\n" << std::flush;
    return report.failed == 0 ? kExitAllWritten : kExitSomeFailed;
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, const CliStreams& streams)
{
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.error.empty())
        return BadArguments(streams.err, parsed.error);
    const CliArguments& arguments = parsed.arguments;

    switch (arguments.command) {
    case CliCommand::Help:
        streams.out << kUsageText << std::flush;
        return kExitAllWritten;
    case CliCommand::Version:
        streams.out << kCaptionText << "\n" << std::flush;
        return kExitAllWritten;
    case CliCommand::Tag:
    case CliCommand::Css:
    case CliCommand::Export:
        break;
    }

    const std::optional<Scheme> scheme = MakeScheme(arguments, streams.err);
    if (!scheme)
        return kExitBadArguments;
    // Without options, the case of a first start of the window: the options
    // the window stored do not reach scripts.
    const WindowOptions firstStart;
    const std::string tag =
        BuildBodyTag(*scheme, firstStart.tagsUpper || arguments.upperTags, firstStart.hexUpper && !arguments.lowerHex);

    if (arguments.command == CliCommand::Css) {
        streams.out << BuildBodyCss(*scheme, firstStart.hexUpper && !arguments.lowerHex) << std::flush;
        return streams.out ? kExitAllWritten : kExitSomeFailed;
    }
    if (arguments.command == CliCommand::Tag) {
        streams.out << tag << "\n" << std::flush;
        return streams.out ? kExitAllWritten : kExitSomeFailed;
    }
    return RunExport(arguments, tag, streams);
}

int RunCommandLine(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCommandLine(args, {std::cin, std::cout, std::cerr, isatty(STDERR_FILENO) == 1});
}
