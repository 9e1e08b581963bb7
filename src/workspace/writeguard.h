// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class Dialogs;

// Whether this copy of the program may write. A copy that found its working folder held by
// another runs read-only: every operation that writes asks here first and is refused, with
// the reason, so that no key or path can write past it.
class WriteGuard {
public:
    bool readOnly() const;
    // "another copy of QRB2 (qrb2, process 1234 on host box) works in this folder: /home/ai"
    const QString& reason() const { return m_reason; }
    void setReadOnly(const QString& reason) { m_reason = reason; }

    // Asked before every write: false once this copy's lock of the folder is gone (taken over
    // by another copy); the copy is then read-only with `lostReason`.
    void setLockCheck(std::function<bool()> stillHeld, const QString& lostReason);

    // The box text for a refused command, e.g. "SAVE IS REFUSED: ...".
    QString refusal(const QString& command) const;
    // True when `command` may write; otherwise tells the author why not and gives false.
    bool allows(Dialogs& dialogs, const QString& command) const;

private:
    mutable QString m_reason;
    std::function<bool()> m_stillHeld;
    QString m_lostReason;
};

inline const QString kReadOnlyTitle = QStringLiteral("READ-ONLY");
