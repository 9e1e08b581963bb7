// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Hands a document to the application that the desktop associates with its type, outside
// this program. Tests record the call instead.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // Where the program may keep copies of its built-in documents.
    virtual QString cacheFolder() const = 0;
    // False when the desktop could not open the file.
    virtual bool open(const QString& path) = 0;
};

class DesktopDocumentOpener final : public DocumentOpener {
public:
    QString cacheFolder() const override;
    bool open(const QString& path) override;
};
