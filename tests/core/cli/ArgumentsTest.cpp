// Parsing the command line's arguments.
#include "cli/Arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct GoodRow
{
    std::vector<std::string> args;
    CliCommand command;
    SchemeSource source;
    std::string fromPage;
    bool upperTags, lowerHex, quiet;
    std::vector<std::string> pages;
};

const GoodRow kGoodRows[] = {
    {{"--tag"}, CliCommand::Tag, SchemeSource::Builtin, "", false, false, false, {}},
    {{"--lower-hex", "--tag", "--upper-tags", "--default"},
     CliCommand::Tag,
     SchemeSource::Stored,
     "",
     true,
     true,
     false,
     {}},
    {{"--tag", "--from", "m.html"}, CliCommand::Tag, SchemeSource::Page, "m.html", false, false, false, {}},
    {{"--from=a=b.html", "--tag"}, CliCommand::Tag, SchemeSource::Page, "a=b.html", false, false, false, {}},
    {{"a.html", "--export", "--quiet", "-", "b.html"},
     CliCommand::Export,
     SchemeSource::Builtin,
     "",
     false,
     false,
     true,
     {"a.html", "-", "b.html"}},
    {{"--export", "--from", "--odd.html", "--", "--tag", "-x.html"},
     CliCommand::Export,
     SchemeSource::Page,
     "--odd.html",
     false,
     false,
     false,
     {"--tag", "-x.html"}},
    {{"--help"}, CliCommand::Help, SchemeSource::Builtin, "", false, false, false, {}},
    {{"--version"}, CliCommand::Version, SchemeSource::Builtin, "", false, false, false, {}},
};

TEST(Arguments, GoodCommandLines)
{
    for (const GoodRow& row : kGoodRows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        const ParsedArguments parsed = ParseArguments(row.args);
        ASSERT_EQ(parsed.error, "");
        const CliArguments& a = parsed.arguments;
        EXPECT_EQ(a.command, row.command);
        EXPECT_EQ(a.source, row.source);
        EXPECT_EQ(a.fromPage, row.fromPage);
        EXPECT_EQ(a.upperTags, row.upperTags);
        EXPECT_EQ(a.lowerHex, row.lowerHex);
        EXPECT_EQ(a.quiet, row.quiet);
        EXPECT_EQ(a.pages, row.pages);
    }
}

struct BadRow
{
    std::vector<std::string> args;
    std::string error;
};

const BadRow kBadRows[] = {
    {{}, "aucune commande : --tag, --export, --help ou --version"},
    {{"page.html"}, "aucune commande : --tag, --export, --help ou --version"},
    {{"--tag", "--export", "a.html"}, "une seule commande à la fois : « --tag » et « --export »"},
    {{"--tag", "--tag"}, "une seule commande à la fois : « --tag » et « --tag »"},
    {{"--tags"}, "option inconnue : « --tags »"},
    {{"--tag", "-q"}, "option inconnue : « -q »"},
    {{"--tag=x"}, "« --tag » ne prend pas de valeur"},
    {{"--tag", "--from"}, "--from demande une page HTML"},
    {{"--tag", "--from="}, "--from demande une page HTML"},
    {{"--tag", "--from", "a.html", "--default"}, "un seul schéma : --from ou --default, une fois"},
    {{"--tag", "--default", "--from", "a.html"}, "un seul schéma : --from ou --default, une fois"},
    {{"--tag", "a.html"}, "--tag n'écrit dans aucune page : « a.html » est de trop"},
    {{"--tag", "--quiet"}, "--quiet ne sert qu'avec --export"},
    {{"--export", "--from", "m.html"},
     "--export demande au moins une page, ou « - » pour les lire sur l'entrée "
     "standard"},
    {{"--export", "--"}, "--export demande au moins une page, ou « - » pour les lire sur l'entrée standard"},
    {{"--help", "--upper-tags"}, "« --help » s'emploie seul"},
    {{"--version", "--", "a.html"}, "« --version » s'emploie seul"},
};

TEST(Arguments, BadCommandLinesSayWhy)
{
    for (const BadRow& row : kBadRows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        EXPECT_EQ(ParseArguments(row.args).error, row.error);
    }
}

} // namespace
