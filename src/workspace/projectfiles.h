// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QString>

// The project files in the working directory: SLO.qrb, VLO.qrb and Notes.qrb hold the
// author's texts as 8-bit text with CR LF line breaks and one CR LF appended by the writer;
// Help.qrb holds the help text and is only read.
namespace projectfiles {

inline const QString kSlo = QStringLiteral("SLO.qrb");
inline const QString kVlo = QStringLiteral("VLO.qrb");
inline const QString kNotes = QStringLiteral("Notes.qrb");
inline const QString kHelp = QStringLiteral("Help.qrb");

QString path(const QString& workDir, const QString& name);

// Creates each of VLO.qrb, SLO.qrb, Notes.qrb and Help.qrb that is missing as an empty file;
// all four are tested before any is created. Existing files are not touched.
FileOutcome ensureExist(const QString& workDir);

// The text of a project file for its editor, without the one CR LF that the writer appended,
// so that saving and loading again does not grow the text. A file that is a rich-text
// document ("{\rtf") gives its plain text; any other file every byte as stored.
struct LoadResult {
    QString text;
    std::optional<FileFailure> failure;
};
LoadResult load(const QString& workDir, const QString& name);
QString withoutWriterLineEnd(const QString& fileText);

struct Texts {
    QString slo;
    QString vlo;
    QString notes;
};

// Replaces VLO.qrb and SLO.qrb (and Notes.qrb when `withNotes`) with the texts, each followed
// by CR LF. The files are replaced together, each as a whole, or none. `skip` names files not
// to write.
FileOutcome write(const QString& workDir, const Texts& texts, bool withNotes, const QStringList& skip = {});

} // namespace projectfiles
