// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/viewsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace viewsettings {

namespace {

const QString kLineNumbers = QStringLiteral("View/LineNumbers");
const QString kHighlighting = QStringLiteral("View/Highlighting");
const QString kFixedWidthFont = QStringLiteral("View/FixedWidthFont");

bool flag(const QSettings& settings, const QString& key, bool fallback)
{
    const QString value = settings.value(key).toString().trimmed().toLower();
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    return fallback;
}

} // namespace

QString path(const QString& programDir)
{
    return QDir(programDir).filePath(kFileName);
}

ViewSettings read(const QString& programDir)
{
    const ViewSettings defaults;
    const QString file = path(programDir);
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return defaults;
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return defaults;
    return {flag(settings, kLineNumbers, defaults.lineNumbers),
            flag(settings, kHighlighting, defaults.highlighting),
            flag(settings, kFixedWidthFont, defaults.fixedWidthFont)};
}

std::optional<FileFailure> write(const QString& programDir, const ViewSettings& view)
{
    const QString file = path(programDir);
    {
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue(kLineNumbers, view.lineNumbers);
        settings.setValue(kHighlighting, view.highlighting);
        settings.setValue(kFixedWidthFont, view.fixedWidthFont);
        settings.sync();
        if (settings.status() == QSettings::NoError)
            return std::nullopt;
    }
    // QSettings gives no reason; opening the file ourselves tells the system's.
    QFile probe(file);
    QString reason = QStringLiteral("the file could not be written");
    if (QFileInfo(file).isDir())
        reason = QStringLiteral("a folder of that name is in the way");
    else if (!probe.open(QIODevice::Append))
        reason = probe.errorString();
    return FileFailure{QDir::toNativeSeparators(file), reason};
}

} // namespace viewsettings
