// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/textdocument.h"
#include "lsp/workspace.h"
#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>
#include <map>
#include <memory>

namespace lsp {

// Symbol indexes of scripts with a value file, kept while both texts stay as they are: the
// requests between two changes share one build.
class IndexCache {
public:
    std::shared_ptr<const scriptlang::SymbolIndex> get(const QString& slo, const QString& vlo,
                                                       scriptlang::VloForm form);

private:
    struct Entry {
        QString slo;
        QString vlo;
        scriptlang::VloForm form;
        std::shared_ptr<const scriptlang::SymbolIndex> index;
    };
    static constexpr qsizetype kKept = 8;
    QList<Entry> m_entries; // the most recently used first
};

// One file of a group as the answers name it: the URI, the text and, when the client has it
// open, its version (-1 otherwise).
struct PairFile {
    QString uri;
    QString path;
    QString text;
    int version = -1;
};

// An open script or value file with the files it is read with: the script's index with each
// value file of its group (one pair when there is none), and which pair and text the document
// is.
class GroupIndex {
public:
    GroupIndex(Workspace& workspace, IndexCache& cache, const TextDocument& document);

    // The document is a script or a value file.
    bool isValid() const { return m_valid; }
    scriptlang::TextKind kind() const { return m_kind; }
    const TextDocument& document() const { return m_document; }
    // The pair the document belongs to: the script's index with this value file (for the script,
    // with its first value file).
    const scriptlang::SymbolIndex& own() { return pair(m_own); }
    int pairCount() const { return int(m_values.size()); }
    // Built when first asked for: most requests need the document's own pair only.
    const scriptlang::SymbolIndex& pair(int i);
    // The script's file (an empty URI when the group has none), the document's own file, and
    // the file of a text of a pair (a value file's URI is empty when the script has none).
    const PairFile& script() const { return m_script; }
    const PairFile& ownFile() const { return fileOf(m_kind, m_own); }
    const PairFile& fileOf(scriptlang::TextKind text, int pair) const
    {
        return text == scriptlang::TextKind::Slo ? m_script : m_values.at(pair);
    }
    int ownPair() const { return m_own; }
    // The document's offset of a position; -1 past its last line.
    qsizetype offsetOf(const Position& position) const;
    // The protocol's range of a stretch of a file's text.
    QJsonObject rangeOf(const PairFile& file, qsizetype from, qsizetype to);

private:
    const TextDocument& m_document;
    IndexCache& m_cache;
    scriptlang::VloForm m_form = scriptlang::VloForm::WholeFile;
    bool m_valid = false;
    scriptlang::TextKind m_kind = scriptlang::TextKind::Slo;
    PairFile m_script;
    QList<PairFile> m_values;
    QList<std::shared_ptr<const scriptlang::SymbolIndex>> m_pairs;
    int m_own = 0;
    std::map<const PairFile*, std::unique_ptr<LineIndex>> m_lines;
};

} // namespace lsp
