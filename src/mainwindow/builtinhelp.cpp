// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/builtinhelp.h"

#include <QFile>

namespace builtinhelp {

QByteArray scriptlangRtf()
{
    QFile file(QStringLiteral(":/help/Scriptlang.rtf"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace builtinhelp
