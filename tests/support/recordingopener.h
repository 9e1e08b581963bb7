// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documentopener.h"

#include <QStringList>

// Records the documents handed to the desktop instead of opening them.
class RecordingOpener final : public DocumentOpener {
public:
    explicit RecordingOpener(const QString& cache) : m_cache(cache) {}
    QString cacheFolder() const override { return m_cache; }
    bool open(const QString& path) override
    {
        opened.append(path);
        return succeed;
    }
    QString m_cache;
    QStringList opened;
    bool succeed = true;
};
