// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <memory>

class QPlainTextEdit;

// The symbol index of a window's SLO and VLO texts. After a pause in typing it is built again
// on a worker thread, and the newest result wins; a feature that needs it while the texts are
// newer than the index builds it at once. Offsets are document positions of the editors.
class NameIndexer : public QObject {
    Q_OBJECT
public:
    NameIndexer(QPlainTextEdit& slo, QPlainTextEdit& vlo, QObject* parent = nullptr);
    ~NameIndexer() override;

    // Pause in typing before the index is built again.
    static constexpr int kPauseMs = 300;

    // The index of the texts as they are now.
    const scriptlang::SymbolIndex& current();
    // The newest index there is, perhaps of older texts: enough to know the script's names.
    const scriptlang::SymbolIndex& latest();
    bool isCurrent() const { return m_index && m_indexRevision == m_revision; }

Q_SIGNALS:
    // An index of the texts as they are now arrived from the worker.
    void updated();

private:
    void textChanged();
    void buildInBackground();

    QPlainTextEdit& m_slo;
    QPlainTextEdit& m_vlo;
    QTimer m_pause;
    quint64 m_revision = 1;
    quint64 m_indexRevision = 0;
    std::shared_ptr<const scriptlang::SymbolIndex> m_index;
    QThreadPool m_worker;
};
