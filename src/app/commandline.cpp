// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <optional>

namespace commandline {

namespace {

const QString kProgram = QStringLiteral("qrb2");

bool isOption(const QString& argument)
{
    return argument.startsWith(QLatin1Char('-')) && argument.size() > 1;
}

std::optional<ExportKind> exportKind(const QString& text)
{
    if (text == QLatin1String("slo"))
        return ExportKind::Slo;
    if (text == QLatin1String("vlo"))
        return ExportKind::Vlo;
    if (text == QLatin1String("both"))
        return ExportKind::Both;
    return std::nullopt;
}

Options failed(const QString& error)
{
    Options options;
    options.action = Action::Error;
    options.error = error;
    return options;
}

// The options asked for on the command line.
struct Wanted {
    bool help = false;
    bool version = false;
    bool exportWanted = false;
    bool check = false;
    bool lsp = false;
};

// The action the options ask for, or the error of options that cannot go together.
Options settleAction(Options options, const Wanted& wanted)
{
    if (wanted.exportWanted && wanted.check && !wanted.help && !wanted.version)
        return failed(QStringLiteral("options '--check' and '--export' cannot go together"));
    if (options.force && !wanted.exportWanted && !wanted.help && !wanted.version)
        return failed(QStringLiteral("option '--force' goes with '--export'"));
    if (wanted.lsp && (wanted.exportWanted || wanted.check || options.hasFolder()) && !wanted.help &&
        !wanted.version)
        return failed(QStringLiteral("option '--lsp' takes no other option"));
    if (wanted.help)
        options.action = Action::Help;
    else if (wanted.version)
        options.action = Action::Version;
    else if (wanted.exportWanted)
        options.action = Action::Export;
    else if (wanted.check)
        options.action = Action::Check;
    else if (wanted.lsp)
        options.action = Action::LanguageServer;
    // A command without a window leaves nothing for the toolkit to take.
    if (options.action != Action::RunWorkbench && !options.toolkitOptions.isEmpty() && !wanted.help &&
        !wanted.version)
        return failed(QStringLiteral("unknown option '%1'").arg(options.toolkitOptions.first()));
    return options;
}

} // namespace

Options parse(const QStringList& arguments, bool allowToolkitOptions)
{
    Options options;
    Wanted wanted;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name =
            argument.startsWith(QLatin1String("--")) && equals > 0 ? argument.left(equals) : argument;
        const std::optional<QString> inlineValue =
            name.size() < argument.size() ? std::optional<QString>(argument.mid(equals + 1)) : std::nullopt;
        const bool nextIsValue = i + 1 < arguments.size() && !isOption(arguments.at(i + 1));

        if ((name == QLatin1String("--help") || name == QLatin1String("--version") ||
             name == QLatin1String("--force") || name == QLatin1String("--lsp")) &&
            inlineValue) {
            return failed(QStringLiteral("option '%1' takes no value").arg(name));
        } else if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            wanted.help = true;
        } else if (name == QLatin1String("--version")) {
            wanted.version = true;
        } else if (name == QLatin1String("--lsp")) {
            wanted.lsp = true;
        } else if (name == QLatin1String("--folder")) {
            if (options.hasFolder())
                return failed(QStringLiteral("option '--folder' given twice"));
            if (inlineValue)
                options.folder = *inlineValue;
            else if (nextIsValue)
                options.folder = arguments.at(++i);
            if (options.folder.isEmpty())
                return failed(QStringLiteral("option '--folder' needs a folder"));
        } else if (name == QLatin1String("--export")) {
            wanted.exportWanted = true;
            // The kind is optional: "--export" alone writes both.
            if (inlineValue || nextIsValue) {
                const QString text = inlineValue ? *inlineValue : arguments.at(++i);
                const std::optional<ExportKind> kind = exportKind(text);
                if (!kind)
                    return failed(QStringLiteral("unknown export '%1': use slo, vlo or both").arg(text));
                options.exportKind = *kind;
            }
        } else if (name == QLatin1String("--force")) {
            options.force = true;
        } else if (name == QLatin1String("--check")) {
            if (inlineValue)
                return failed(QStringLiteral("option '--check' takes its files after a blank"));
            wanted.check = true;
            // A script and, optionally, its variable file; none for the project.
            while (i + 1 < arguments.size() && !isOption(arguments.at(i + 1))) {
                if (options.checkFiles.size() == 2)
                    return failed(
                        QStringLiteral("option '--check' takes a script and a variable file at most"));
                options.checkFiles.append(arguments.at(++i));
            }
        } else if (allowToolkitOptions && isOption(argument) && !argument.startsWith(QLatin1String("--"))) {
            options.toolkitOptions.append(argument);
            if (nextIsValue)
                options.toolkitOptions.append(arguments.at(++i));
        } else if (isOption(argument)) {
            return failed(QStringLiteral("unknown option '%1'").arg(name));
        } else {
            return failed(QStringLiteral("unexpected argument '%1'").arg(argument));
        }
    }

    return settleAction(options, wanted);
}

QString usage()
{
    return QStringLiteral(
        "Usage: qrb2 [--folder DIR] [--export [slo|vlo|both]]\n"
        "       qrb2 [--folder DIR] --export [slo|vlo|both] --force\n"
        "       qrb2 --check [SCRIPT.slo [VARIABLES.vlo]]\n"
        "       qrb2 [--folder DIR] --check\n"
        "       qrb2 --lsp\n"
        "       qrb2 --help | --version\n"
        "\n"
        "The workbench for Warzone 2100 skirmish AI scripts.\n"
        "\n"
        "Options:\n"
        "  --folder DIR             keep the project, settings and backups in DIR, which must exist\n"
        "  --export [slo|vlo|both]  write the player scripts (slo), the variable files (vlo) or\n"
        "                           both (the default) into the game folder of the settings,\n"
        "                           after a backup snapshot, and end; needs no display;\n"
        "                           when the script check finds errors, prints them and\n"
        "                           writes nothing\n"
        "  --force                  with --export: export despite the errors found\n"
        "  --check [SCRIPT [VLO]]   check a script and its variable file, or the project's\n"
        "                           SLO.qrb and VLO.qrb, for what the game would refuse; prints\n"
        "                           PATH:LINE:COLUMN: error: MESSAGE lines; needs no display\n"
        "  --lsp                    serve editors as a language server (the Language Server\n"
        "                           Protocol on standard input and output); needs no display\n"
        "  -h, --help               show this text and end\n"
        "  --version                show the version and end\n"
        "\n"
        "Without --folder, an installed qrb2 keeps its files in the user's data folder\n"
        "(~/.local/share/qrb2); a copy in a folder of its own keeps them beside itself.\n"
        "One copy at a time writes a folder: it holds the lock file .qrb2.lock there; a\n"
        "second window opens it read-only, and --export waits up to 10 s for the lock.\n"
        "Exit status: 0 on success, 1 when the work failed (for --check: errors were found),\n"
        "2 for a wrong command line (for --check also: a file that cannot be read).\n");
}

QString versionText()
{
    return kProgram + QLatin1Char(' ') + QStringLiteral(QRB_VERSION) + QLatin1Char('\n');
}

} // namespace commandline
