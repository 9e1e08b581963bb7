// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/signaturehelp.h"

#include "scriptlang/builtins.h"
#include "scriptlang/helpentries.h"
#include "scriptlang/names.h"

namespace scriptlang {

namespace {

QList<SignatureParameter> builtinParameters(const QList<BuiltinParam>& params, const QString& name)
{
    // The help names the parameters where the game's tables give only their types.
    const std::optional<HelpEntry> help = helpEntry(name);
    const bool named = help && help->parameterNames.size() == params.size();
    QList<SignatureParameter> result;
    for (qsizetype i = 0; i < params.size(); ++i)
        result.append(
            {params.at(i).type, named ? help->parameterNames.at(i) : QString(), params.at(i).byRef});
    return result;
}

// A call opened and not closed yet.
struct Frame {
    QStringView callee; // the name before its '(', if any
    bool head = false;  // the '(' of an event's or trigger's head
    QStringView first;  // a head's first word: its callback
    int open = 0;
    int commas = 0;
    bool empty = true; // nothing read inside yet
};

} // namespace

QString SignatureParameter::label() const
{
    QString text = byRef ? QStringLiteral("ref ") + type : type;
    if (!name.isEmpty())
        text += u' ' + name;
    return text;
}

QString Signature::label() const
{
    QStringList params;
    for (const SignatureParameter& p : parameters)
        params.append(p.label());
    QString text = name + u'(' + params.join(QLatin1StringView(", ")) + u')';
    if (!returnType.isEmpty() && returnType != QLatin1StringView("VOID"))
        text += QStringLiteral(" : ") + returnType;
    return text;
}

std::pair<int, int> Signature::parameterSpan(int i) const
{
    int start = int(name.size()) + 1;
    for (int p = 0; p < parameters.size(); ++p) {
        const int length = int(parameters.at(p).label().size());
        if (p == i)
            return {start, length};
        start += length + 2;
    }
    return {-1, 0};
}

std::optional<Signature> signatureOf(const SymbolIndex& index, QStringView name)
{
    Signature s;
    s.name = name.toString();
    if (const BuiltinFunction* f = nameIndex().functions.value(name)) {
        s.kind = QStringLiteral("builtin function");
        s.returnType = f->returnType;
        s.parameters = builtinParameters(f->params, s.name);
        return s;
    }
    if (const BuiltinCallback* c = nameIndex().callbacks.value(name)) {
        s.kind = QStringLiteral("callback");
        s.parameters = builtinParameters(c->params, s.name);
        return s;
    }
    const int symbol = index.resolve(name, -1);
    if (symbol < 0 || index.symbol(symbol).kind != NameKind::Function)
        return std::nullopt;
    const ScriptSymbol& f = index.symbol(symbol);
    s.kind = QStringLiteral("function");
    s.returnType = f.type;
    for (const ParameterInfo& p : f.parameters)
        s.parameters.append({nameIndex().typeOfWord.value(p.typeWord, p.typeWord), p.name, false});
    return s;
}

namespace {

// The parentheses still open at `offset`, outermost first, read from `scanFrom`; none when the
// offset is inside a block comment.
std::optional<QList<Frame>> openParenthesesBefore(const QString& text, int offset, int scanFrom)
{
    QList<Frame> frames;
    QStringView lastWord;   // the word just before, if nothing came after it
    QStringView wordBefore; // the word before that one
    const int end = qBound(0, offset, int(text.size()));
    int p = qBound(0, scanFrom, end);
    auto noteInside = [&frames] {
        if (!frames.isEmpty())
            frames.last().empty = false;
    };
    while (p < end) {
        const QChar c = text[p];
        if (isNameStart(c)) {
            int wordEnd = p + 1;
            while (wordEnd < end && isNameChar(text[wordEnd]))
                ++wordEnd;
            const QStringView word = QStringView(text).mid(p, wordEnd - p);
            if (!frames.isEmpty() && frames.last().head && frames.last().empty)
                frames.last().first = word;
            noteInside();
            wordBefore = lastWord;
            lastWord = word;
            p = wordEnd;
            continue;
        }
        if (c == u'"') {
            const qsizetype close = text.indexOf(u'"', p + 1);
            const qsizetype lineEnd = text.indexOf(u'\n', p + 1);
            p = close < 0 || (lineEnd >= 0 && close > lineEnd) ? int(lineEnd < 0 ? end : lineEnd)
                                                               : int(close + 1);
            noteInside();
            lastWord = {};
            continue;
        }
        if (c == u'/' && p + 1 < end && text[p + 1] == u'/') {
            const qsizetype lineEnd = text.indexOf(u'\n', p);
            p = lineEnd < 0 ? end : int(lineEnd);
            continue;
        }
        if (c == u'/' && p + 1 < end && text[p + 1] == u'*') {
            const qsizetype close = text.indexOf(QLatin1StringView("*/"), p + 2);
            if (close < 0 || close + 2 > end)
                return std::nullopt; // the caret is in a comment
            p = int(close + 2);
            continue;
        }
        if (c.isSpace()) {
            ++p;
            continue;
        }
        if (c == u'(') {
            const bool head =
                wordBefore == QLatin1StringView("event") || wordBefore == QLatin1StringView("trigger");
            noteInside();
            frames.append(Frame{lastWord, head, {}, p, 0, true});
        } else if (c == u')') {
            if (!frames.isEmpty())
                frames.removeLast();
            noteInside();
        } else if (c == u',') {
            if (!frames.isEmpty())
                ++frames.last().commas;
        } else if (c == u';' || c == u'{' || c == u'}') {
            frames.clear();
        } else {
            noteInside();
        }
        lastWord = {};
        wordBefore = {};
        ++p;
    }
    return frames;
}

} // namespace

std::optional<Signature> signatureAt(const SymbolIndex& index, const QString& text, int offset, int scanFrom)
{
    const std::optional<QList<Frame>> frames = openParenthesesBefore(text, offset, scanFrom);
    if (!frames)
        return std::nullopt;
    for (qsizetype i = frames->size() - 1; i >= 0; --i) {
        const Frame& f = frames->at(i);
        std::optional<Signature> s;
        int active = f.commas;
        if (f.head) {
            if (!nameIndex().callbacks.contains(f.first))
                return std::nullopt;
            s = signatureOf(index, f.first);
            active = f.commas - 1;
        } else if (!f.callee.isEmpty()) {
            s = signatureOf(index, f.callee);
            if (s && s->kind == QLatin1StringView("callback"))
                s.reset();
        }
        if (!s)
            continue;
        s->openParen = f.open;
        s->active = active >= 0 && active < s->parameters.size() ? active : -1;
        return s;
    }
    return std::nullopt;
}

} // namespace scriptlang
