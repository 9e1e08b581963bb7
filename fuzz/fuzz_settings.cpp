// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader takes whatever bytes lie in QRB_DATA.DAT.
#include "workspace/settingsfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const settingsfile::Record record = settingsfile::parse(bytes);
    // What was read must survive a write and a second read unchanged, short of a quote or a
    // line break in the directory, which the format cannot hold.
    if (!record.gameDirectory.contains(QLatin1Char('"')) &&
        !record.gameDirectory.contains(QLatin1Char('\r')) &&
        !record.gameDirectory.contains(QLatin1Char('\n')) &&
        !record.gameDirectory.startsWith(QLatin1Char(' ')) &&
        !record.gameDirectory.startsWith(QLatin1Char('\t'))) {
        const bool flag = record.hideInternalHelp.value_or(false);
        const settingsfile::Record again =
            settingsfile::parse(settingsfile::format(record.gameDirectory, flag));
        if (again.gameDirectory != record.gameDirectory || again.hideInternalHelp != flag)
            __builtin_trap();
    }
    return 0;
}
