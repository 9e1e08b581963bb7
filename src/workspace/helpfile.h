// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "platform/rtfreader.h"

#include <QString>
#include <optional>

// The help text Help.qrb in the working directory: plain 8-bit text, or a rich-text document
// supplied with the program. The program only reads it.
namespace helpfile {

struct Content {
    enum class Kind { Empty, Plain, Rich };
    Kind kind = Kind::Empty;
    // Kind::Plain: the text with CR LF line breaks, without the one CR LF a writer appends.
    QString plain;
    // Kind::Rich: the document as read by our RTF reader.
    rtf::Document rich;
    // Set when Help.qrb exists but could not be read; the content is then empty.
    std::optional<FileFailure> failure;
};

// A missing file, an empty one and one without any text all give Kind::Empty, for which the
// help window shows the built-in help.
Content read(const QString& workDir);

// The same from a file's text as read (every byte one character).
Content fromFileText(const QString& fileText);

} // namespace helpfile
