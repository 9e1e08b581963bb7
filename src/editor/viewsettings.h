// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QString>
#include <optional>

// How the code editors show their text, kept between runs in QRB_VIEW.INI beside the program
// (never in QRB_DATA.DAT, whose format stays as it is).
struct ViewSettings {
    bool lineNumbers = true;
    bool highlighting = true;
    bool fixedWidthFont = false;
    friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

namespace viewsettings {

inline const QString kFileName = QStringLiteral("QRB_VIEW.INI");

QString path(const QString& programDir);

// A missing, unreadable or garbled file, or a value that is not true or false, gives the
// defaults for what it cannot tell.
ViewSettings read(const QString& programDir);

std::optional<FileFailure> write(const QString& programDir, const ViewSettings& settings);

} // namespace viewsettings
