// SPDX-License-Identifier: GPL-3.0-or-later
// The script checker reads whatever the author types. The input is cut at its first NUL byte
// into the script and the VLO text (as Latin-1, like the project files); both are checked as
// the workbench's texts and as a script with a whole .vlo file.
#include "scriptlang/checker.h"
#include "scriptlang/lexer.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkFindings(const scriptlang::Findings& findings, const QString& slo, const QString& vlo)
{
    const int sloLines = int(slo.count(QLatin1Char('\n'))) + 1;
    const int vloLines = int(vlo.count(QLatin1Char('\n'))) + 1;
    for (const scriptlang::Finding& f : findings) {
        const int lines = f.text == scriptlang::TextKind::Slo ? sloLines : vloLines;
        check(f.line >= 1 && f.line <= lines);
        check(f.column >= 1 && f.length >= 1);
        check(!f.message.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = bytes.indexOf('\0');
    const QString slo = QString::fromLatin1(cut < 0 ? bytes : bytes.left(cut));
    const QString vlo = cut < 0 ? QString() : QString::fromLatin1(bytes.mid(cut + 1));
    const scriptlang::Findings project = scriptlang::checkProject(slo, vlo);
    checkFindings(project, slo, vlo);
    checkFindings(scriptlang::checkFiles(slo, vlo), slo, vlo);
    // The same texts give the same findings.
    check(scriptlang::checkProject(slo, vlo).size() == project.size());
    check(scriptlang::Lexer::countTokens(slo) >= 0);
    return 0;
}
