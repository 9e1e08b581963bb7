// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/documentsymbols.h"

#include "scriptlang/outline.h"
#include "scriptlang/vloparser.h"

#include <QJsonObject>

namespace lsp {

namespace {

using scriptlang::NameKind;
using scriptlang::SymbolIndex;

// The protocol's SymbolKind numbers.
enum SymbolKind { Function = 12, Variable = 13, Constant = 14, Array = 18, Event = 24 };

struct Symbol {
    QString name;
    QString detail;
    int kind = Variable;
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype nameStart = 0;
    qsizetype nameEnd = 0;
};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Where the declaration of a name starts: at the word before it (`event e`, `trigger t`) or two
// before it (`public INT a`, `function INT f`) when that word begins a declaration.
qsizetype headStart(const QString& text, qsizetype name)
{
    static const QStringList heads{QStringLiteral("public"), QStringLiteral("private"),
                                   QStringLiteral("event"), QStringLiteral("function"),
                                   QStringLiteral("trigger")};
    qsizetype start = name;
    qsizetype at = name;
    for (int words = 0; words < 2; ++words) {
        while (at > 0 && isBlank(text[at - 1]))
            --at;
        const qsizetype wordEnd = at;
        while (at > 0 && scriptlang::isNameChar(text[at - 1]))
            --at;
        if (at == wordEnd)
            break;
        if (heads.contains(QStringView(text).mid(at, wordEnd - at)))
            start = at;
    }
    return start;
}

// Where a declaration without a body ends: after its ';', or before the ',' that starts the
// next name of a list; never past `limit`.
qsizetype statementEnd(const SymbolIndex& index, qsizetype from, qsizetype limit)
{
    const QString& text = index.text(scriptlang::TextKind::Slo);
    int depth = 0;
    for (qsizetype i = from; i < limit; ++i) {
        const QChar c = text[i];
        if (index.inCommentOrString(int(i)))
            continue;
        if (c == u'(' || c == u'[') {
            ++depth;
        } else if ((c == u')' || c == u']') && depth > 0) {
            --depth;
        } else if (depth == 0 && c == u';') {
            return i + 1;
        } else if (depth == 0 && (c == u',' || c == u'{' || c == u'}')) {
            return i;
        }
    }
    return limit;
}

QList<Symbol> scriptSymbols(const SymbolIndex& index)
{
    const QString& text = index.text(scriptlang::TextKind::Slo);
    const QList<scriptlang::OutlineEntry> entries = scriptlang::outline(index);
    QList<Symbol> symbols;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const scriptlang::OutlineEntry& e = entries.at(i);
        const scriptlang::ScriptSymbol& s = index.symbol(e.symbol);
        Symbol symbol{e.name, e.detail,       Variable,     headStart(text, e.range.offset),
                      0,      e.range.offset, e.range.end()};
        switch (e.kind) {
        case NameKind::Global:
            symbol.kind = s.arraySuffix.isEmpty() ? Variable : Array;
            break;
        case NameKind::Trigger:
            symbol.kind = Constant;
            break;
        case NameKind::Event:
            symbol.kind = Event;
            break;
        default:
            symbol.kind = Function;
            break;
        }
        symbol.end = -1;
        for (const scriptlang::BodyScope& body : index.scopes()) {
            if (body.owner == e.symbol && body.start >= e.range.end()) {
                symbol.end = body.end;
                break;
            }
        }
        if (symbol.end < 0) {
            const qsizetype limit = i + 1 < entries.size() ? entries.at(i + 1).range.offset : text.size();
            symbol.end = statementEnd(index, e.range.end(), qMax<qsizetype>(limit, e.range.end()));
        }
        symbols.append(symbol);
    }
    return symbols;
}

// Offsets of the reader's lines, which end at line feeds only.
qsizetype offsetOf(const QList<qsizetype>& lineStarts, int line, int column)
{
    return lineStarts.at(qBound(0, line - 1, int(lineStarts.size()) - 1)) + qMax(0, column - 1);
}

QList<Symbol> valueSymbols(const QString& text, bool wholeFile)
{
    scriptlang::Findings ignored;
    const scriptlang::VloText vlo = scriptlang::parseVlo(text, wholeFile, ignored);
    QList<qsizetype> starts{0};
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
        starts.append(i + 1);
    QList<Symbol> symbols;
    for (const scriptlang::VloBinding& b : vlo.bindings) {
        QString name = b.name;
        for (long long index : b.indexes)
            name += QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
        const qsizetype start = qMin(offsetOf(starts, b.line, b.column), text.size());
        const qsizetype end = qMin(offsetOf(starts, b.line, b.valueColumn) + b.value.size(), text.size());
        symbols.append(Symbol{name, b.typeWord + QLatin1Char(' ') + b.value,
                              b.indexes.isEmpty() ? Variable : Array, start, qMax(start, end), start,
                              qMin(start + b.name.size(), text.size())});
    }
    return symbols;
}

} // namespace

QJsonArray documentSymbols(GroupIndex& group, bool hierarchical)
{
    const TextDocument& document = group.document();
    const QList<Symbol> symbols = group.kind() == scriptlang::TextKind::Slo
                                      ? scriptSymbols(group.own())
                                      : valueSymbols(document.text, document.kind == DocumentKind::Values);
    const PairFile& file = group.ownFile();
    QJsonArray result;
    for (const Symbol& s : symbols) {
        QJsonObject o{{QStringLiteral("name"), s.name}, {QStringLiteral("kind"), s.kind}};
        if (hierarchical) {
            o.insert(QStringLiteral("detail"), s.detail);
            o.insert(QStringLiteral("range"), group.rangeOf(file, s.start, s.end));
            o.insert(QStringLiteral("selectionRange"), group.rangeOf(file, s.nameStart, s.nameEnd));
        } else {
            o.insert(QStringLiteral("location"),
                     QJsonObject{{QStringLiteral("uri"), document.uri},
                                 {QStringLiteral("range"), group.rangeOf(file, s.start, s.end)}});
        }
        result.append(o);
    }
    return result;
}

} // namespace lsp
