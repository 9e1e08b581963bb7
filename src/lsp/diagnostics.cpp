// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/diagnostics.h"

#include "scriptlang/checker.h"
#include "scriptlang/vloparser.h"

#include <QFileInfo>

namespace lsp {

namespace {

using scriptlang::Finding;
using scriptlang::Findings;
using scriptlang::TextKind;

QString keyOf(const GroupFile& file)
{
    return file.path.isEmpty() ? file.uri : file.path;
}

// Offsets of the checker's lines, which end at line feeds only.
QList<qsizetype> lineFeedStarts(const QString& text)
{
    QList<qsizetype> starts{0};
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
        starts.append(i + 1);
    return starts;
}

bool sameFinding(const Finding& a, const Finding& b)
{
    return a.line == b.line && a.column == b.column && a.length == b.length && a.severity == b.severity &&
           a.message == b.message;
}

Findings only(const Findings& findings, TextKind kind)
{
    Findings result;
    for (const Finding& f : findings) {
        if (f.text == kind)
            result.append(f);
    }
    return result;
}

// The script's findings of each check with one value file: those of every check as they are,
// the others once per value file that causes them, with its name.
Findings mergeScriptFindings(const QList<Findings>& perValues, const QList<GroupFile>& values)
{
    Findings merged;
    for (qsizetype v = 0; v < perValues.size(); ++v) {
        for (const Finding& f : perValues.at(v)) {
            bool everywhere = true;
            for (const Findings& other : perValues) {
                everywhere = everywhere && std::any_of(other.cbegin(), other.cend(),
                                                       [&f](const Finding& o) { return sameFinding(f, o); });
            }
            if (everywhere) {
                if (v == 0)
                    merged.append(f);
                continue;
            }
            Finding named = f;
            named.message += QStringLiteral(" (with %1)").arg(QFileInfo(values.at(v).path).fileName());
            merged.append(named);
        }
    }
    scriptlang::sortFindings(merged);
    return merged;
}

QJsonObject diagnosticAt(const LineIndex& lines, qsizetype from, qsizetype to, bool error,
                         const QString& message)
{
    return QJsonObject{{QStringLiteral("range"), rangeJson(lines, from, to)},
                       {QStringLiteral("severity"), error ? 1 : 2},
                       {QStringLiteral("source"), QStringLiteral("qrb2")},
                       {QStringLiteral("message"), message}};
}

} // namespace

QJsonArray toDiagnostics(const Findings& findings, const QString& text)
{
    QJsonArray result;
    if (findings.isEmpty())
        return result;
    const QList<qsizetype> starts = lineFeedStarts(text);
    const LineIndex lines(text);
    for (const Finding& f : findings) {
        const qsizetype lineStart = starts.at(qBound(0, f.line - 1, int(starts.size()) - 1));
        const qsizetype from = qMin(lineStart + qMax(0, f.column - 1), text.size());
        const qsizetype to = qMin(from + qMax(0, f.length), text.size());
        result.append(diagnosticAt(lines, from, to, f.severity == scriptlang::Severity::Error, f.message));
    }
    return result;
}

QHash<QString, QJsonArray> diagnoseGroup(const ScriptGroup& group)
{
    QHash<QString, QJsonArray> result;
    if (group.project) {
        const QString slo = group.script ? group.script->text : QString();
        const QString vlo = group.values.isEmpty() ? QString() : group.values.first().text;
        Findings findings;
        if (group.script)
            findings = scriptlang::checkProject(slo, vlo);
        else
            scriptlang::parseVlo(vlo, false, findings);
        if (group.script)
            result.insert(keyOf(*group.script), toDiagnostics(only(findings, TextKind::Slo), slo));
        if (!group.values.isEmpty())
            result.insert(keyOf(group.values.first()), toDiagnostics(only(findings, TextKind::Vlo), vlo));
        return result;
    }
    if (!group.script) {
        for (const GroupFile& values : group.values) {
            Findings findings;
            scriptlang::parseVlo(values.text, true, findings);
            QJsonArray diagnostics = toDiagnostics(findings, values.text);
            if (!group.missingScript.isEmpty()) {
                const LineIndex lines(values.text);
                diagnostics.append(diagnosticAt(
                    lines, group.missingScriptOffset, group.missingScriptOffset + group.missingScriptLength,
                    false,
                    QStringLiteral(
                        "the script '%1' is not in this folder: the bindings are not checked against it")
                        .arg(group.missingScript)));
            }
            result.insert(keyOf(values), diagnostics);
        }
        return result;
    }
    const QString& slo = group.script->text;
    if (group.values.isEmpty()) {
        result.insert(keyOf(*group.script), toDiagnostics(scriptlang::checkFiles(slo, QString()), slo));
        return result;
    }
    QList<Findings> scriptFindings;
    for (const GroupFile& values : group.values) {
        // A value file with no text is still a file: a null text would mean "no value file".
        const Findings findings =
            scriptlang::checkFiles(slo, values.text.isNull() ? QStringLiteral("") : values.text);
        scriptFindings.append(only(findings, TextKind::Slo));
        result.insert(keyOf(values), toDiagnostics(only(findings, TextKind::Vlo), values.text));
    }
    result.insert(keyOf(*group.script),
                  toDiagnostics(mergeScriptFindings(scriptFindings, group.values), slo));
    return result;
}

} // namespace lsp
