// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's knowledge of the script's names reads whatever the author has half typed. The
// input is cut at its first NUL byte into the script and the VLO text (as Latin-1); the index is
// built and asked, at places spread over both texts, for completions, a call's parameters,
// hover, declarations, references, a rename and the outline.
#include "scriptlang/completion.h"
#include "scriptlang/hoverinfo.h"
#include "scriptlang/navigation.h"
#include "scriptlang/outline.h"
#include "scriptlang/renameplan.h"
#include "scriptlang/signaturehelp.h"
#include "scriptlang/symbolindex.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

using namespace scriptlang;

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkRange(const QString& text, const TextRange& range)
{
    check(range.offset >= 0 && range.length >= 0 && range.end() <= text.size());
}

void askAt(const SymbolIndex& index, TextKind kind, int offset)
{
    const QString& text = index.text(kind);
    const CompletionList list = completionsAt(index, kind, offset);
    checkRange(text, list.typed);
    check(list.items.size() <= list.all.size());
    if (const std::optional<Hover> hover = hoverAt(index, kind, offset)) {
        checkRange(text, hover->range);
        check(!hover->text.isEmpty());
    }
    if (const std::optional<Location> place = definitionAt(index, kind, offset))
        checkRange(index.text(place->text), place->range);
    for (const Location& place : referencesAt(index, kind, offset))
        checkRange(index.text(place.text), place.range);
    const RenamePlan plan = planRename(index, kind, offset, QStringLiteral("renamed"));
    for (const TextEdit& edit : plan.edits)
        check(edit.offset >= 0 && edit.offset + edit.length <= index.text(edit.text).size());
    if (kind == TextKind::Slo) {
        if (const std::optional<Signature> s = signatureAt(index, text, offset))
            check(s->openParen >= 0 && s->openParen < offset);
        bindingAt(index, offset);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = bytes.indexOf('\0');
    const QString slo = QString::fromLatin1(cut < 0 ? bytes : bytes.left(cut));
    const QString vlo = cut < 0 ? QString() : QString::fromLatin1(bytes.mid(cut + 1));
    const SymbolIndex index = SymbolIndex::build(slo, vlo);
    // Every place the index names holds that name.
    for (const Occurrence& o : index.occurrences()) {
        checkRange(index.text(o.text), o.range);
        check(index.text(o.text).mid(o.range.offset, o.range.length) == index.symbol(o.symbol).name);
    }
    for (int kind = 0; kind < 2; ++kind) {
        const TextKind text = kind == 0 ? TextKind::Slo : TextKind::Vlo;
        const int length = int(index.text(text).size());
        const int step = qMax(1, length / 16);
        for (int offset = 0; offset <= length; offset += step)
            askAt(index, text, offset);
    }
    for (const OutlineEntry& e : filterOutline(outline(index), u"a"))
        checkRange(slo, e.range);
    return 0;
}
