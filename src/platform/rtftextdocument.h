// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rtfreader.h"

class QTextDocument;

namespace rtftextdocument {

// Replaces the document's content with the rich text: one block per paragraph and per line
// break (so that every break is one CR LF in the editors' text), bold, italic, underline,
// font sizes and fixed-pitch fonts as character formats. Works for the documents of QTextEdit and
// QPlainTextEdit.
void fill(QTextDocument& document, const rtf::Document& rich);

} // namespace rtftextdocument
