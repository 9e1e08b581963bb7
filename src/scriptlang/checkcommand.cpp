// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/checkcommand.h"

#include "platform/textfile.h"
#include "scriptlang/checker.h"
#include "workspace/projectfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace scriptlang {

namespace {

bool readText(const QString& path, QString& text, QTextStream& err)
{
    textfile::ReadResult result = textfile::readRegularFile(path, kMaxCheckedFileBytes);
    if (!result.ok()) {
        const FileFailure failure = explainMissing(*result.failure, FileAccess::Read);
        err << "qrb2: cannot read " << QDir::toNativeSeparators(path) << ": " << failure.reason << Qt::endl;
        return false;
    }
    text = std::move(result.text);
    return true;
}

// One line of output whatever the message holds: a string of the script may hold control
// characters.
QString printable(const QString& message)
{
    QString shown;
    shown.reserve(message.size());
    for (const QChar c : message) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            shown +=
                QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace

void printFindings(const Findings& findings, const QString& sloPath, const QString& vloPath, QTextStream& out)
{
    const QString sloName = QDir::toNativeSeparators(sloPath);
    const QString vloName = QDir::toNativeSeparators(vloPath);
    for (const Finding& f : findings) {
        out << (f.text == TextKind::Slo ? sloName : vloName) << ':' << f.line << ':' << f.column << ": "
            << (f.severity == Severity::Error ? "error" : "warning") << ": " << printable(f.message) << '\n';
    }
    out.flush();
}

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
    // The project's files by their full paths: an editor opens them wherever the project lies.
    const auto projectFile = [&](const QString& name) {
        return QFileInfo(projectfiles::path(projectFolder, name)).absoluteFilePath();
    };
    const QString sloPath = project ? projectFile(projectfiles::kSlo) : files.at(0);
    const QString vloPath = project ? projectFile(projectfiles::kVlo) : files.value(1);
    QString slo;
    QString vlo;
    if (!readText(sloPath, slo, err) || (!vloPath.isEmpty() && !readText(vloPath, vlo, err)))
        return 2;
    Findings findings;
    if (project)
        findings = checkProject(slo, vlo);
    else
        findings = checkFiles(slo, vloPath.isEmpty() ? QString() : vlo.isNull() ? QStringLiteral("") : vlo);
    printFindings(findings, sloPath, vloPath, out);
    return errorCount(findings) > 0 ? 1 : 0;
}

} // namespace scriptlang
