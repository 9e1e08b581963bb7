// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// File names are matched without regard to letter case inside their folder, as on the
// desktop the program was first written for. A file the program creates gets the spelling
// it is asked for.
namespace filelookup {

// The path of the entry of `folder` whose name equals `name` in any letter case; an exact
// match wins. When there is none, `folder` + "/" + `name`.
QString resolve(const QString& folder, const QString& name);

// Resolves each step of a relative path ("RTS/weapons.txt") in turn.
QString resolvePath(const QString& folder, const QString& relativePath);

bool exists(const QString& folder, const QString& name);

// resolve() for several names of one folder, listing the folder at most once.
QStringList resolveEach(const QString& folder, const QStringList& names);

} // namespace filelookup
