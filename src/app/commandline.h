// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The command line of qrb2. Parsing needs no window, so it runs before any application object
// exists and decides whether a display is needed at all.
namespace commandline {

// Every action but RunWorkbench runs without a window; main() dispatches them before any
// application object with a display exists.
enum class Action { RunWorkbench, Help, Version, Export, Check, LanguageServer, Error };
enum class ExportKind { Slo, Vlo, Both };

// Exit status of a command line that could not be understood.
inline constexpr int kUsageExit = 2;

struct Options {
    Action action = Action::RunWorkbench;
    // Set by --folder DIR.
    QString folder;
    ExportKind exportKind = ExportKind::Both;
    // Set by --force: export even when the script check finds errors.
    bool force = false;
    // Set by --check [SCRIPT.slo [VARIABLES.vlo]]; empty for the project.
    QStringList checkFiles;
    // Options of one dash that are not ours ("-platform", "-style" ...), left for the window
    // toolkit when the workbench runs; see `parse`.
    QStringList toolkitOptions;
    // What was wrong, for Action::Error.
    QString error;

    bool hasFolder() const { return !folder.isNull(); }
};

// `arguments` without the program name. With `allowToolkitOptions`, unknown options of one dash
// (and the value after them) are collected for the toolkit instead of being an error; they are
// an error all the same when the action needs no window.
Options parse(const QStringList& arguments, bool allowToolkitOptions = false);

QString usage();
QString versionText();

} // namespace commandline
