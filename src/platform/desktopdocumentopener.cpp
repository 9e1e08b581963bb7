// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/documentopener.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

QString DesktopDocumentOpener::cacheFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

bool DesktopDocumentOpener::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
