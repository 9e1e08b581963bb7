// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/checker.h"

#include "scriptlang/builtins.h"
#include "scriptlang/suggestion.h"
#include "scriptlang/vlohead.h"
#include "scriptlang/vloparser.h"

#include <QSet>
#include <algorithm>

namespace scriptlang {

namespace {

const QString kPlayer = QStringLiteral("player");
const QString kMe = QStringLiteral("me");

bool isPublicValue(const GlobalVariable* v)
{
    return v && v->isPublic && v->isValue;
}

// "a WEAPON value", "an INT value".
QString valueOfType(const QString& typeWord)
{
    const bool vowel = !typeWord.isEmpty() && QStringLiteral("AEIOUaeiou").contains(typeWord.front());
    return QStringLiteral("%1 %2 value").arg(vowel ? QStringLiteral("an") : QStringLiteral("a"), typeWord);
}

QString indexCount(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 index") : QStringLiteral("%1 indexes").arg(n);
}

bool holdsStatIndex(const QString& type)
{
    static const QSet<QString> statTypes = {
        QStringLiteral("BASESTATS"),  QStringLiteral("COMPONENT"),     QStringLiteral("BODY"),
        QStringLiteral("PROPULSION"), QStringLiteral("ECM"),           QStringLiteral("SENSOR"),
        QStringLiteral("CONSTRUCT"),  QStringLiteral("WEAPON"),        QStringLiteral("REPAIR"),
        QStringLiteral("BRAIN"),      QStringLiteral("STRUCTURESTAT"), QStringLiteral("FEATURESTAT")};
    return statTypes.contains(type);
}

class BindingChecker {
public:
    BindingChecker(const ScriptModel& script, Findings& findings)
        : m_script(script), m_findings(findings), m_log(findings, TextKind::Vlo), m_vloTypes(vloTypes())
    {
    }

    void check(const VloText& vlo, const QString& headName)
    {
        m_bound.reserve(vlo.bindings.size() + 1);
        m_boundNames.reserve(vlo.bindings.size());
        if (!headName.isEmpty())
            m_bound.insert(headName, 0);
        for (const VloBinding& b : vlo.bindings) {
            if (m_log.stopped())
                break;
            check(b, headName);
        }
        for (const GlobalVariable& g : m_script.globals) {
            // A name on a line the VLO reader could not read has its error already.
            if (!g.isPublic || !g.isValue || m_boundNames.contains(g.name) || g.name == headName ||
                vlo.unreadNames.contains(g.name))
                continue;
            const bool array = !g.sizes.isEmpty();
            const QString holder = array ? QStringLiteral("each element") : QStringLiteral("it");
            const QString consequence =
                holdsStatIndex(g.type)
                    ? QStringLiteral("%1 silently holds the first entry of the game's %2 list")
                          .arg(holder, g.type)
                    : QStringLiteral("%1 starts as zero or empty").arg(holder);
            m_findings.append(
                Finding{Severity::Warning, TextKind::Slo, g.line, g.column, int(g.name.size()),
                        (array ? QStringLiteral("public array '%1' has no element bound in the VLO: %2")
                               : QStringLiteral("public '%1' is not bound in the VLO: %2"))
                            .arg(g.name, consequence)});
        }
    }

private:
    void error(const VloBinding& b, int column, int length, const QString& message,
               Severity severity = Severity::Error)
    {
        m_log.add(severity, b.line, column, length, message);
    }

    void check(const VloBinding& b, const QString& headName)
    {
        const int nameLength = int(b.name.size());
        if (b.name == headName) {
            error(b, b.column, nameLength,
                  QStringLiteral("the generated head already binds '%1' to the player's number; this later "
                                 "binding wins, so every player would get the same number")
                      .arg(b.name),
                  Severity::Warning);
            return;
        }
        const GlobalVariable* v = m_script.global(b.name);
        if (!v || !v->isValue) {
            error(b, b.column, nameLength,
                  QStringLiteral("'%1' is not a global variable of the script%2").arg(b.name, hint(b.name)));
            return;
        }
        if (!v->isPublic)
            error(b, b.column, nameLength,
                  QStringLiteral("'%1' is private: the game binds it anyway, but it is not meant to be set "
                                 "from the VLO")
                      .arg(b.name),
                  Severity::Warning);
        checkIndexes(b, *v);
        checkType(b, *v);
        QString key = b.name;
        for (long long i : b.indexes)
            key += QLatin1Char('[') + QString::number(i) + QLatin1Char(']');
        if (const auto it = m_bound.constFind(key); it != m_bound.cend() && *it > 0)
            error(b, b.column, nameLength,
                  QStringLiteral("'%1' is already bound at line %2; the last binding wins").arg(key).arg(*it),
                  Severity::Warning);
        m_bound.insert(key, b.line);
        m_boundNames.insert(b.name);
    }

    // The script's global the author may have meant; the first few unknown names only.
    QString hint(const QString& wrong)
    {
        if (m_hintsLeft <= 0)
            return QString();
        --m_hintsLeft;
        NameSuggestion near(wrong);
        for (const GlobalVariable& g : m_script.globals) {
            if (g.isValue)
                near.consider(g.name);
        }
        return near.hint();
    }

    void checkIndexes(const VloBinding& b, const GlobalVariable& v)
    {
        const int nameLength = int(b.name.size());
        if (v.sizes.isEmpty() && !b.indexes.isEmpty()) {
            error(b, b.column, nameLength,
                  QStringLiteral("'%1' is not an array: remove the index").arg(b.name));
        } else if (!v.sizes.isEmpty() && b.indexes.isEmpty()) {
            error(b, b.column, nameLength,
                  QStringLiteral("'%1' is an array: bind one element, e.g. %1[0]").arg(b.name));
        } else if (v.sizes.size() != b.indexes.size()) {
            error(b, b.column, nameLength,
                  QStringLiteral("'%1' takes %2, not %3")
                      .arg(b.name, indexCount(v.sizes.size()), QString::number(b.indexes.size())));
        } else {
            for (qsizetype d = 0; d < v.sizes.size(); ++d) {
                if (b.indexes.at(d) < 0 || b.indexes.at(d) >= v.sizes.at(d)) {
                    error(b, b.column, nameLength,
                          QStringLiteral("index %1 is out of range: '%2' has %3 elements in dimension %4 "
                                         "(0 to %5)")
                              .arg(b.indexes.at(d))
                              .arg(b.name)
                              .arg(v.sizes.at(d))
                              .arg(d + 1)
                              .arg(v.sizes.at(d) - 1));
                    return;
                }
            }
        }
    }

    void checkType(const VloBinding& b, const GlobalVariable& v)
    {
        const int typeLength = int(b.typeWord.size());
        const QString vloType = m_vloTypes.value(b.typeWord);
        if (vloType.isEmpty()) {
            const BuiltinType known = builtins().types.value(b.typeWord.toUpper());
            error(b, b.typeColumn, typeLength,
                  known.name.isEmpty()
                      ? QStringLiteral("'%1' is not a VLO type word").arg(b.typeWord)
                      : QStringLiteral("the game's VLO loader does not accept type %1").arg(b.typeWord));
            return;
        }
        const auto declared = builtins().types.constFind(v.type);
        const bool equivalent =
            declared != builtins().types.cend() && declared->equivalents.contains(vloType);
        if (vloType != v.type && !equivalent) {
            error(b, b.typeColumn, typeLength,
                  QStringLiteral("'%1' is declared %2; %3 does not fit")
                      .arg(b.name, v.type, valueOfType(b.typeWord)));
            return;
        }
        const QString& form = builtins().types.constFind(vloType)->vloValueForm;
        const bool wantsBool = vloType == QLatin1StringView("BOOL");
        const bool wantsQuoted = form.startsWith(QLatin1Char('"'));
        const bool fits = wantsBool ? b.valueIsBoolean : wantsQuoted ? b.valueIsQuoted : b.valueIsInteger;
        if (!fits) {
            const QString wanted = wantsBool     ? QStringLiteral("true or false")
                                   : wantsQuoted ? QStringLiteral("a quoted id")
                                                 : QStringLiteral("a whole number");
            error(b, b.valueColumn, int(b.value.size()),
                  QStringLiteral("%1 must be %2, not %3").arg(valueOfType(b.typeWord), wanted, b.value));
        }
    }

    // VLO type word -> type name, for the words the loader accepts.
    static const QHash<QString, QString>& vloTypes()
    {
        static const QHash<QString, QString> words = [] {
            QHash<QString, QString> result;
            for (const BuiltinType& t : builtins().types) {
                for (const QString& w : t.vloWords)
                    result.insert(w, t.name);
            }
            return result;
        }();
        return words;
    }

    const ScriptModel& m_script;
    Findings& m_findings;
    FindingLog m_log;
    const QHash<QString, QString>& m_vloTypes;
    QHash<QString, int> m_bound; // element -> line of its last binding (0: the head)
    QSet<QString> m_boundNames;
    int m_hintsLeft = 32;
};

} // namespace

QString headVariable(const ScriptModel& script)
{
    if (isPublicValue(script.global(kMe)) && !isPublicValue(script.global(kPlayer)))
        return kMe;
    return kPlayer;
}

QString headVariable(const QString& sloText)
{
    Findings ignored;
    return headVariable(parseScript(sloText, ignored));
}

Findings checkProject(const QString& sloText, const QString& vloBody)
{
    Findings findings;
    const ScriptModel script = parseScript(sloText, findings);
    const QString head = headVariable(script);
    const GlobalVariable* bound = script.global(head);
    if (!bound || !bound->isValue) {
        findings.append(Finding{Severity::Error, TextKind::Slo, 1, 1, 1,
                                QStringLiteral("the script declares neither a public 'player' nor a public "
                                               "'me': the generated head binds 'player', so the game will "
                                               "refuse every playerN.vlo")});
    } else if (bound->type != QLatin1StringView("INT") || !bound->sizes.isEmpty()) {
        findings.append(Finding{Severity::Error, TextKind::Slo, bound->line, bound->column, int(head.size()),
                                QStringLiteral("the generated head binds '%1' to the player's number, so it "
                                               "must be a plain int")
                                    .arg(head)});
    }
    const VloText vlo = parseVlo(vlohead::withoutHead(vloBody, findings), false, findings);
    BindingChecker(script, findings).check(vlo, head);
    sortFindings(findings);
    return findings;
}

int displayedLine(const Finding& finding)
{
    return finding.text == TextKind::Vlo ? finding.line + kVloHeadLines : finding.line;
}

QString describeErrors(const Findings& findings)
{
    const int count = errorCount(findings);
    if (count == 0)
        return QString();
    const auto first = std::find_if(findings.cbegin(), findings.cend(),
                                    [](const Finding& f) { return f.severity == Severity::Error; });
    return QStringLiteral(
               "The script check finds %1 error%2 that the game would refuse; the first: %3 line %4, "
               "column %5: %6")
        .arg(count)
        .arg(count == 1 ? QString() : QStringLiteral("s"))
        .arg(first->text == TextKind::Slo ? QStringLiteral("SLO") : QStringLiteral("VLO"))
        .arg(displayedLine(*first))
        .arg(first->column)
        .arg(first->message);
}

Findings checkFiles(const QString& sloText, const QString& vloFile)
{
    Findings findings;
    const ScriptModel script = parseScript(sloText, findings);
    if (!vloFile.isNull()) {
        const VloText vlo = parseVlo(vloFile, true, findings);
        BindingChecker(script, findings).check(vlo, QString());
    }
    sortFindings(findings);
    return findings;
}

} // namespace scriptlang
