// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/documentsymbols.h"

#include "lsp/scriptoutline.h"
#include "scriptlang/vloparser.h"

#include <QJsonObject>
#include <QSet>

namespace lsp {

namespace {

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

QList<Symbol> scriptSymbols(const QString& text)
{
    const ScriptOutline outline = outlineScript(text);
    QSet<QString> defined;
    for (const Declaration& d : outline.declarations) {
        if ((d.kind == DeclarationKind::Event || d.kind == DeclarationKind::Function) && d.defined)
            defined.insert(d.name);
    }
    QList<Symbol> symbols;
    for (const Declaration& d : outline.declarations) {
        Symbol s{d.name, QString(), Variable, d.start, d.end, d.nameOffset, d.nameOffset + d.name.size()};
        switch (d.kind) {
        case DeclarationKind::Global:
            s.kind = d.detail.isEmpty() ? Variable : Array;
            s.detail =
                (d.isPublic ? QStringLiteral("public ") : QStringLiteral("private ")) + d.type + d.detail;
            break;
        case DeclarationKind::Trigger:
            s.kind = Constant;
            s.detail = QStringLiteral("trigger (%1)").arg(d.detail);
            break;
        case DeclarationKind::Event:
        case DeclarationKind::Function:
            if (!d.defined && defined.contains(d.name))
                continue;
            s.kind = d.kind == DeclarationKind::Event ? Event : Function;
            s.detail =
                d.kind == DeclarationKind::Event ? QStringLiteral("(%1)").arg(d.detail) : d.type + d.detail;
            break;
        default:
            continue;
        }
        symbols.append(s);
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

QJsonArray documentSymbols(const TextDocument& document, bool hierarchical)
{
    QList<Symbol> symbols;
    if (isScript(document.kind))
        symbols = scriptSymbols(document.text);
    else if (document.kind != DocumentKind::Other)
        symbols = valueSymbols(document.text, document.kind == DocumentKind::Values);
    const LineIndex lines(document.text);
    QJsonArray result;
    for (const Symbol& s : symbols) {
        QJsonObject o{{QStringLiteral("name"), s.name}, {QStringLiteral("kind"), s.kind}};
        if (hierarchical) {
            o.insert(QStringLiteral("detail"), s.detail);
            o.insert(QStringLiteral("range"), rangeJson(lines, s.start, s.end));
            o.insert(QStringLiteral("selectionRange"), rangeJson(lines, s.nameStart, s.nameEnd));
        } else {
            o.insert(QStringLiteral("location"),
                     QJsonObject{{QStringLiteral("uri"), document.uri},
                                 {QStringLiteral("range"), rangeJson(lines, s.start, s.end)}});
        }
        result.append(o);
    }
    return result;
}

} // namespace lsp
