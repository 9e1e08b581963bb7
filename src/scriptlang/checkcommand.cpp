// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/checkcommand.h"

#include "platform/textfile.h"
#include "scriptlang/checker.h"
#include "workspace/projectfiles.h"

#include <QDir>
#include <QTextStream>

namespace scriptlang {

namespace {

bool readText(const QString& path, QString& text, QTextStream& err)
{
    textfile::ReadResult result = textfile::read(path);
    if (!result.ok()) {
        const FileFailure failure = explainMissing(*result.failure, FileAccess::Read);
        err << "qrb2: cannot read " << QDir::toNativeSeparators(path) << ": " << failure.reason << Qt::endl;
        return false;
    }
    text = std::move(result.text);
    return true;
}

} // namespace

int runCheckCommand(const QStringList& files, const QString& projectFolder, QTextStream& out,
                    QTextStream& err)
{
    if (files.size() > 2) {
        err << "qrb2: --check takes a script and its variable file at most: qrb2 --check SCRIPT.slo "
               "[VARIABLES.vlo]"
            << Qt::endl;
        return 2;
    }
    const bool project = files.isEmpty();
    const QString sloPath = project ? projectfiles::path(projectFolder, projectfiles::kSlo) : files.at(0);
    const QString vloPath = project ? projectfiles::path(projectFolder, projectfiles::kVlo) : files.value(1);
    QString slo;
    QString vlo;
    if (!readText(sloPath, slo, err) || (!vloPath.isEmpty() && !readText(vloPath, vlo, err)))
        return 2;
    Findings findings;
    if (project)
        findings = checkProject(slo, vlo);
    else
        findings = checkFiles(slo, vloPath.isEmpty() ? QString() : vlo.isNull() ? QStringLiteral("") : vlo);
    // The project's files are named as found in its folder, the working directory.
    const QDir base(project ? projectFolder : QString());
    const QString sloName = project ? base.relativeFilePath(sloPath) : sloPath;
    const QString vloName = project ? base.relativeFilePath(vloPath) : vloPath;
    for (const Finding& f : findings) {
        out << QDir::toNativeSeparators(f.text == TextKind::Slo ? sloName : vloName) << ':' << f.line << ':'
            << f.column << ": " << (f.severity == Severity::Error ? "error" : "warning") << ": " << f.message
            << '\n';
    }
    out.flush();
    return errorCount(findings) > 0 ? 1 : 0;
}

} // namespace scriptlang
