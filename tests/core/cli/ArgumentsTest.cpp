// Parsing the command line's arguments.
#include "cli/Arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The parsed arguments in one line (command, scheme, options, [pages]), or
// the error.
std::string Describe(const ParsedArguments& parsed)
{
    if (!parsed.error.empty())
        return parsed.error;
    const CliArguments& a = parsed.arguments;
    const char* commands[] = {"tag", "css", "export", "help", "version"};
    const char* sources[] = {"builtin", "stored", "page:"};
    std::string text = std::string(commands[int(a.command)]) + " " + sources[int(a.source)] + a.fromPage;
    text +=
        std::string(a.upperTags ? " upper-tags" : "") + (a.lowerHex ? " lower-hex" : "") + (a.quiet ? " quiet" : "");
    for (const std::string& page : a.pages)
        text += " [" + page + "]";
    return text;
}

const struct
{
    std::vector<std::string> args;
    std::string meaning;
} kRows[] = {
    {{"--tag"}, "tag builtin"},
    {{"--css", "--default", "--lower-hex"}, "css stored lower-hex"},
    {{"--css", "--upper-tags"}, "--upper-tags ne sert pas avec --css : la feuille de style n'a pas de balise"},
    {{"--css", "a.html"}, "--css n'écrit dans aucune page : « a.html » est de trop"},
    {{"--lower-hex", "--tag", "--upper-tags", "--default"}, "tag stored upper-tags lower-hex"},
    {{"--from=a=b.html", "--tag"}, "tag page:a=b.html"},
    {{"a.html", "--export", "--quiet", "-", "b.html"}, "export builtin quiet [a.html] [-] [b.html]"},
    {{"--export", "--from", "--odd.html", "--", "--tag", "-x.html"}, "export page:--odd.html [--tag] [-x.html]"},
    {{"--version"}, "version builtin"},
    {{}, "aucune commande : --tag, --css, --export, --help ou --version"},
    {{"page.html"}, "aucune commande : --tag, --css, --export, --help ou --version"},
    {{"--tag", "--export", "a.html"}, "une seule commande à la fois : « --tag » et « --export »"},
    {{"--tags"}, "option inconnue : « --tags »"},
    {{"--tag", "-q"}, "option inconnue : « -q »"},
    {{"--tag=x"}, "« --tag » ne prend pas de valeur"},
    {{"--tag", "--from"}, "--from demande une page HTML"},
    {{"--tag", "--from="}, "--from demande une page HTML"},
    {{"--tag", "--default", "--from", "a.html"}, "un seul schéma : --from ou --default, une fois"},
    {{"--tag", "a.html"}, "--tag n'écrit dans aucune page : « a.html » est de trop"},
    {{"--tag", "--quiet"}, "--quiet ne sert qu'avec --export"},
    {{"--export", "--"}, "--export demande au moins une page, ou « - » pour les lire sur l'entrée standard"},
    {{"--help", "--upper-tags"}, "« --help » s'emploie seul"},
};

TEST(Arguments, EachCommandLineGivesItsMeaningOrSaysWhatIsWrong)
{
    for (const auto& row : kRows)
        EXPECT_EQ(Describe(ParseArguments(row.args)), row.meaning) << ::testing::PrintToString(row.args);
}

} // namespace
