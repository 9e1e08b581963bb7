// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/playerfiles.h"

namespace playerfiles {

QString path(const QString& gameDirectory, const QString& playerText, const QString& extension)
{
    return gameDirectory + QStringLiteral("/multiplay/skirmish/player") + playerText + extension;
}

} // namespace playerfiles
