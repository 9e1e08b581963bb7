// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/helpfile.h"

#include "platform/filelookup.h"
#include "platform/textfile.h"
#include "workspace/projectfiles.h"

namespace helpfile {

Content fromFileText(const QString& fileText)
{
    Content content;
    if (rtf::isRtf(fileText)) {
        content.rich = rtf::parse(fileText.toLatin1());
        if (!content.rich.plainText().isEmpty())
            content.kind = Content::Kind::Rich;
        return content;
    }
    content.plain = projectfiles::withoutWriterLineEnd(fileText);
    if (!content.plain.isEmpty())
        content.kind = Content::Kind::Plain;
    return content;
}

Content read(const QString& workDir)
{
    if (!filelookup::exists(workDir, projectfiles::kHelp))
        return {};
    const textfile::ReadResult read = textfile::read(projectfiles::path(workDir, projectfiles::kHelp));
    if (!read.ok()) {
        Content content;
        content.failure = read.failure;
        return content;
    }
    return fromFileText(read.text);
}

} // namespace helpfile
