// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/nameindexer.h"

#include <QPlainTextEdit>

using scriptlang::SymbolIndex;

NameIndexer::NameIndexer(QPlainTextEdit& slo, QPlainTextEdit& vlo, QObject* parent)
    : QObject(parent), m_slo(slo), m_vlo(vlo)
{
    m_worker.setMaxThreadCount(1);
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &NameIndexer::buildInBackground);
    // A text set whole (a project loaded, a layout switched) waits until a feature needs the
    // index or the author types: opening a big project costs no index.
    for (QPlainTextEdit* editor : {&slo, &vlo}) {
        connect(editor->document(), &QTextDocument::contentsChange, this,
                [this, editor](int, int removed, int added) {
                    ++m_revision;
                    if (editor->hasFocus() && removed + added < editor->document()->characterCount())
                        m_pause.start();
                });
    }
}

NameIndexer::~NameIndexer()
{
    m_worker.clear();
    m_worker.waitForDone();
}

const SymbolIndex& NameIndexer::current()
{
    if (!isCurrent()) {
        m_index = std::make_shared<const SymbolIndex>(
            SymbolIndex::build(m_slo.document()->toPlainText(), m_vlo.document()->toPlainText()));
        m_indexRevision = m_revision;
    }
    return *m_index;
}

const SymbolIndex& NameIndexer::latest()
{
    return m_index ? *m_index : current();
}

void NameIndexer::buildInBackground()
{
    if (isCurrent())
        return;
    const quint64 revision = m_revision;
    const QString slo = m_slo.document()->toPlainText();
    const QString vlo = m_vlo.document()->toPlainText();
    m_worker.clear(); // a build still waiting is out of date
    // The destructor waits for the worker, so `this` outlives the job; its answer is an event
    // to `this`, which goes with it.
    m_worker.start([this, revision, slo, vlo] {
        auto index = std::make_shared<const SymbolIndex>(SymbolIndex::build(slo, vlo));
        QMetaObject::invokeMethod(
            this,
            [this, revision, index = std::move(index)] {
                if (revision != m_revision)
                    return; // the texts changed again: the next pause builds anew
                m_index = index;
                m_indexRevision = revision;
                Q_EMIT updated();
            },
            Qt::QueuedConnection);
    });
}
