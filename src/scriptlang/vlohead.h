// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The head a playerN.vlo starts with (`script "playerN.slo"`, `run`, `{`) and the `}` that ends
// it: what EXPORT .VLO writes around the author's VLO text, found in a text that still holds it.
namespace scriptlang::vlohead {

struct Head {
    QList<int> openingLines; // 0-based lines holding `script`, the name, `run` and `{`
    int scriptColumn = 1;    // 1-based column of `script`
    int closingLine = -1;    // the line holding only the final `}`, or -1
};

// Reads the lines from the first one that begins with `script`: each line up to the `{` must
// hold nothing but the head's words and comments. Nothing when there is no such head.
std::optional<Head> find(const QStringList& lines);

// The lines of a text, split at CR LF and at a lone LF.
QStringList splitLines(const QString& text);

// The author's VLO text with a head still in it gets one finding at its `script`, and the head's
// lines and the final `}` read as empty lines, so the bindings between are checked as usual.
QString withoutHead(const QString& vloBody, Findings& findings);

} // namespace scriptlang::vlohead
