// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QString>
#include <QStringList>
#include <optional>

// The backup folder as the console sees it: the SLO and VLO snapshots side by side, and the
// text of one snapshot for the preview. The console only reads; nothing here writes, renames
// or deletes.
namespace snapshotfolder {

enum class Kind { Slo, Vlo };

// "SLO." or "VLO.": every snapshot name begins with its project file's name.
QString prefix(Kind kind);

struct Listing {
    QStringList slo;
    QStringList vlo;
    // Set when the folder stands there but cannot be listed. A missing folder is no failure:
    // no save has run yet.
    std::optional<FileFailure> failure;

    const QStringList& names(Kind kind) const { return kind == Kind::Slo ? slo : vlo; }
};

// One pass over the folder: the bare names of its files (not folders) that begin with "SLO."
// or "VLO." in any letter case, each list oldest first by the time in the names.
Listing list(const QString& folder);

// A snapshot's text for the preview, without the one CR LF the writer appended, as a project
// file loads into its editor.
struct Loaded {
    QString text;
    std::optional<FileFailure> failure;
};
Loaded load(const QString& folder, const QString& name);

} // namespace snapshotfolder
