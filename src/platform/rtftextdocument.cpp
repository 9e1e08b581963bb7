// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtftextdocument.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace rtftextdocument {

namespace {

// Sizes outside this range are mistakes in the document, not something to lay out.
constexpr double kSmallestPoints = 4.0;
constexpr double kLargestPoints = 72.0;

QTextCharFormat formatOf(const rtf::Run& run)
{
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    if (run.fixedPitch) {
        format.setFontFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
        format.setFontFixedPitch(true);
        format.setFontStyleHint(QFont::TypeWriter);
    }
    if (run.halfPoints > 0)
        format.setFontPointSize(std::clamp(run.halfPoints / 2.0, kSmallestPoints, kLargestPoints));
    return format;
}

} // namespace

void fill(QTextDocument& document, const rtf::Document& rich)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool firstBlock = true;
    for (const rtf::Paragraph& paragraph : rich.paragraphs) {
        if (!firstBlock)
            cursor.insertBlock();
        firstBlock = false;
        for (const rtf::Run& run : paragraph.runs) {
            const QTextCharFormat format = formatOf(run);
            const QStringList lines = run.text.split(QChar(0x2028));
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    cursor.insertBlock();
                if (!lines.at(i).isEmpty())
                    cursor.insertText(lines.at(i), format);
            }
        }
    }
    cursor.endEditBlock();
}

} // namespace rtftextdocument
