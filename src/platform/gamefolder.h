// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where the game lives on this desktop: the folder the first start offers, and the folders where
// a packaged game keeps its program.
namespace gamefolder {

// The folders the Linux packages and a build from source install the game's data into.
QStringList folderCandidates();

// The game folder the first start offers: "C:\WZ2100" on Windows; elsewhere the first of
// `candidates` that is a folder, or nothing.
QString firstStartGuess(const QStringList& candidates);

// The folders searched for the program `warzone2100` when the game folder holds none: those of
// the PATH, then /usr/games and /usr/local/games (where Debian puts games, off the PATH of root).
QStringList programFolders();

// The first `warzone2100` that is an executable file in one of `folders`, or nothing.
QString programIn(const QStringList& folders);

} // namespace gamefolder
