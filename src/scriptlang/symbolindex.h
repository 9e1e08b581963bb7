// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"
#include "scriptlang/namekey.h"
#include "scriptlang/textrange.h"

#include <QHash>
#include <QList>
#include <QString>

// Every name a script declares, where, and every place it is used, in the script and in its
// variable list: what the editor's completion, navigation, rename and outline work from.
namespace scriptlang {

enum class NameKind { Global, Local, Parameter, Trigger, Event, Function, Macro };

// "global variable", "local variable", "parameter", "trigger", "event", "function", "#define".
QString describe(NameKind kind);

struct ParameterInfo {
    QString typeWord; // as written: int, DROID ...
    QString name;
};

struct ScriptSymbol {
    QString name;
    NameKind kind = NameKind::Global;
    QString type;        // INT, DROID ...: a variable's type, a function's return type; else empty
    QString arraySuffix; // "[TECHS][30]" as written; empty for a scalar
    bool isPublic = false;
    int scope = -1;        // the body a local or parameter belongs to; -1 for script-wide names
    TextRange declaration; // the name where it is declared first
    TextRange definition;  // an event's or function's name in the head with the body; else the declaration
    QList<ParameterInfo> parameters; // functions
    QString detail;                  // events and triggers: their condition as written; macros: the body
};

enum class OccurrenceRole {
    Declaration, // a declaration: a variable's, a forward event or function, a #define
    Definition,  // the head of an event or function with its body
    Use,
    Binding // a line of the VLO text that gives the global its value
};

struct Occurrence {
    int symbol = -1;
    TextKind text = TextKind::Slo;
    OccurrenceRole role = OccurrenceRole::Use;
    TextRange range;
};

// Where the names of an event or function are visible: from the '(' of a function's parameters
// (an event's '{') to just after its '}', or to where the next declaration starts while the body
// is not closed yet.
struct BodyScope {
    int owner = -1; // the event or function; -1 for a block outside any
    int start = 0;
    int end = 0;
};

// The workbench's VLO text is the body of each playerN.vlo; a .vlo file has its script blocks.
enum class VloForm { Body, WholeFile };

class SymbolIndex {
public:
    // One pass over the script's tokens that reads any half-typed text, and the VLO's bindings.
    // Offsets are indexes into the texts as given (LF or CR LF line breaks alike).
    static SymbolIndex build(const QString& slo, const QString& vlo, VloForm form = VloForm::Body);

    const QString& text(TextKind kind) const { return kind == TextKind::Slo ? m_slo : m_vlo; }
    const LineStarts& lines(TextKind kind) const { return kind == TextKind::Slo ? m_sloLines : m_vloLines; }

    const QList<ScriptSymbol>& symbols() const { return m_symbols; }
    const ScriptSymbol& symbol(int index) const { return m_symbols.at(index); }
    // The SLO occurrences in text order, then the VLO ones.
    const QList<Occurrence>& occurrences() const { return m_occurrences; }
    // Each symbol's occurrences, in the order of occurrences().
    const QList<int>& occurrencesOf(int symbol) const { return m_bySymbol.at(symbol); }
    const QList<BodyScope>& scopes() const { return m_scopes; }

    // The body around a place of the script, or -1.
    int scopeAt(int sloOffset) const;
    // What a name means in a body (-1: outside any): its own locals and parameters first.
    int resolve(QStringView name, int scope) const;
    // The locals and parameters of a body.
    const QList<int>& namesOf(int scope) const { return m_scopeNames.at(scope); }
    // The events, functions, triggers, globals and #define names.
    const QList<int>& scriptWideNames() const { return m_scriptWide; }
    // The occurrence whose name the caret touches (inside or just after it), or -1.
    int occurrenceAt(TextKind text, int offset) const;
    // Whether a place of the script lies in a comment, a string or a # line.
    bool inCommentOrString(int sloOffset) const;

private:
    friend class IndexBuilder;

    QString m_slo;
    QString m_vlo;
    LineStarts m_sloLines;
    LineStarts m_vloLines;
    QList<ScriptSymbol> m_symbols;
    QList<Occurrence> m_occurrences;
    QList<QList<int>> m_bySymbol;
    QList<BodyScope> m_scopes;
    QList<QList<int>> m_scopeNames;
    QList<int> m_scriptWide;
    QHash<NameKey, int> m_scriptWideByName; // views into m_slo, which shares the built text
    QList<std::pair<int, int>> m_quiet;     // comments, strings and # lines: start and end offsets
};

// The word of name characters around a place of a text: its start and length (0 when none).
TextRange wordAt(const QString& text, const LineStarts& lines, int offset, bool vloWords = false);

bool isNameStart(QChar c);
bool isNameChar(QChar c);

} // namespace scriptlang
