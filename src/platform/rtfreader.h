// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// Our own small reader of rich-text (RTF) documents: enough for help texts and notes written
// with WordPad or Word. It keeps paragraphs, line breaks, tabs, bold, italic, underline and the
// font size, decodes \'hh by the document's code page and \uN with its fallback, and drops
// everything it does not show (font and colour tables, pictures, document information,
// optional destinations). It reads any bytes without failing: unknown control words are
// skipped, braces may be unbalanced or missing, nesting beyond kMaxDepth is read flat, and
// the work is linear in the input.
namespace rtf {

inline constexpr int kMaxDepth = 256;

struct Run {
    // Tabs are '\t'; a line break inside a paragraph (\line) is U+2028.
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Font size in half points; 0 when the document leaves it to the reader.
    int halfPoints = 0;
    // The run's font has letters of one width (a "modern" font such as Courier).
    bool fixedPitch = false;

    bool sameFormat(const Run& other) const;
};

struct Paragraph {
    QList<Run> runs;
    QString text() const;
};

struct Document {
    // Never empty: a document without text has one empty paragraph.
    QList<Paragraph> paragraphs{Paragraph{}};

    // The text with a CR LF between paragraphs and for every line break.
    QString plainText() const;
};

// True when the bytes begin the way every rich-text document does: "{\rtf".
bool isRtf(QByteArrayView bytes);
bool isRtf(QStringView text);

Document parse(QByteArrayView bytes);

} // namespace rtf
