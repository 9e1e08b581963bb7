// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader takes whatever bytes lie in Help.qrb or a project file that begins "{\rtf".
#include "platform/rtfreader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const rtf::Document document = rtf::parse(bytes);
    const QString plain = document.plainText();

    // No construct gives more characters than it has bytes: the reader's output is linear.
    if (plain.size() > bytes.size())
        __builtin_trap();
    if (document.paragraphs.isEmpty())
        __builtin_trap();

    QString rebuilt;
    for (qsizetype p = 0; p < document.paragraphs.size(); ++p) {
        if (p > 0)
            rebuilt += QStringLiteral("\r\n");
        const QList<rtf::Run>& runs = document.paragraphs.at(p).runs;
        for (qsizetype r = 0; r < runs.size(); ++r) {
            const rtf::Run& run = runs.at(r);
            // Runs hold text, and a new run starts only where the format changes.
            if (run.text.isEmpty() || (r > 0 && runs.at(r - 1).sameFormat(run)))
                __builtin_trap();
            if (run.halfPoints < 0 || run.halfPoints > 3276)
                __builtin_trap();
            for (const QChar ch : run.text) {
                // Breaks live between paragraphs and as U+2028; no other control characters.
                if ((ch.unicode() < 0x20 && ch != QLatin1Char('\t')) || ch == QChar(0x2029))
                    __builtin_trap();
                if (ch == QChar(0x2028))
                    rebuilt += QStringLiteral("\r\n");
                else
                    rebuilt += ch;
            }
        }
    }
    if (rebuilt != plain)
        __builtin_trap();
    return 0;
}
