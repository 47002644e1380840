#include "cli/Arguments.h"

#include <string_view>

const char kUsageText[] = "Usage : velloran --tag [SCHÉMA] [--upper-tags] [--lower-hex]\n"
                          "        velloran --css [SCHÉMA] [--lower-hex]\n"
                          "        velloran --export [SCHÉMA] [--upper-tags] [--lower-hex] [--quiet] PAGE...\n"
                          "        velloran --help | --version\n"
                          "Sans argument, velloran ouvre sa fenêtre.\n"
                          "\n"
                          "Commandes :\n"
                          "  --tag             écrit la balise <body> sur la sortie standard\n"
                          "  --css             écrit le même schéma en feuille de style CSS (body,\n"
                          "                    a:link, a:visited, a:active) sur la sortie standard\n"
                          "  --export          écrit la balise dans chaque PAGE comme la commande\n"
                          "                    « Exporter d'un fichier HTML » : l'ancienne balise reste\n"
                          "                    dessous dans un commentaire ; « - » lit les pages sur\n"
                          "                    l'entrée standard, une par ligne\n"
                          "  --help            affiche cette aide\n"
                          "  --version         affiche la version\n"
                          "\n"
                          "SCHÉMA :\n"
                          "  --from PAGE.html  la première balise <body> de cette page\n"
                          "  --default         le schéma enregistré par « Sauver comme defaut »\n"
                          "  (aucun)           le schéma par défaut, soit <body>\n"
                          "\n"
                          "Options :\n"
                          "  --upper-tags      balise et attributs en majuscules\n"
                          "  --lower-hex       chiffres hexadécimaux des couleurs en minuscules\n"
                          "  --quiet           sans ligne de progression\n"
                          "Les options de casse cochées dans la fenêtre ne comptent pas ici.\n"
                          "\n"
                          "Code de sortie : 0 quand tout est écrit, 1 quand des pages sont en échec,\n"
                          "2 quand les arguments sont incorrects.\n";

namespace {

struct CommandName
{
    std::string_view name;
    CliCommand command;
};

constexpr CommandName kCommands[] = {
    {"--tag", CliCommand::Tag},   {"--css", CliCommand::Css},         {"--export", CliCommand::Export},
    {"--help", CliCommand::Help}, {"--version", CliCommand::Version},
};

std::string Quoted(std::string_view text)
{
    return "« " + std::string(text) + " »";
}

// The checks that need every argument seen; empty when they hold.
std::string CheckCombination(const CliArguments& a, std::string_view command, bool anythingElse)
{
    if (command.empty())
        return "aucune commande : --tag, --css, --export, --help ou --version";
    if (a.command == CliCommand::Help || a.command == CliCommand::Version)
        return anythingElse ? Quoted(command) + " s'emploie seul" : "";
    const bool printed = a.command == CliCommand::Tag || a.command == CliCommand::Css;
    if (printed && !a.pages.empty())
        return std::string(command) + " n'écrit dans aucune page : " + Quoted(a.pages.front()) + " est de trop";
    if (a.command == CliCommand::Css && a.upperTags)
        return "--upper-tags ne sert pas avec --css : la feuille de style n'a pas de balise";
    if (printed && a.quiet)
        return "--quiet ne sert qu'avec --export";
    if (a.command == CliCommand::Export && a.pages.empty())
        return "--export demande au moins une page, ou « - » pour les lire sur l'entrée standard";
    return "";
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args)
{
    ParsedArguments parsed;
    CliArguments& a = parsed.arguments;
    std::string_view command;
    bool schemeGiven = false;
    bool anythingElse = false;
    auto fail = [&parsed](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--") {
            a.pages.insert(a.pages.end(), args.begin() + std::ptrdiff_t(i) + 1, args.end());
            anythingElse |= i + 1 < args.size();
            break;
        }
        if (arg == "-" || !arg.starts_with('-')) {
            a.pages.emplace_back(arg);
            anythingElse = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const bool hasValue = equals != std::string_view::npos;

        if (name == "--from") {
            if (schemeGiven)
                return fail("un seul schéma : --from ou --default, une fois");
            if (hasValue)
                a.fromPage = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                a.fromPage = args[++i];
            if (a.fromPage.empty())
                return fail("--from demande une page HTML");
            a.source = SchemeSource::Page;
            schemeGiven = anythingElse = true;
            continue;
        }
        if (hasValue && name.starts_with("--"))
            return fail(Quoted(name) + " ne prend pas de valeur");

        bool known = true;
        if (name == "--default") {
            if (schemeGiven)
                return fail("un seul schéma : --from ou --default, une fois");
            a.source = SchemeSource::Stored;
            schemeGiven = true;
        } else if (name == "--upper-tags")
            a.upperTags = true;
        else if (name == "--lower-hex")
            a.lowerHex = true;
        else if (name == "--quiet")
            a.quiet = true;
        else
            known = false;
        if (known) {
            anythingElse = true;
            continue;
        }

        const CommandName* found = nullptr;
        for (const CommandName& c : kCommands)
            if (c.name == name)
                found = &c;
        if (!found)
            return fail("option inconnue : " + Quoted(arg));
        if (!command.empty())
            return fail("une seule commande à la fois : " + Quoted(command) + " et " + Quoted(found->name));
        command = found->name;
        a.command = found->command;
    }
    parsed.error = CheckCombination(a, command, anythingElse);
    return parsed;
}
