// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/writeguard.h"

#include "platform/dialogs.h"

bool WriteGuard::readOnly() const
{
    if (m_reason.isEmpty() && m_stillHeld && !m_stillHeld())
        m_reason = m_lostReason;
    return !m_reason.isEmpty();
}

void WriteGuard::setLockCheck(std::function<bool()> stillHeld, const QString& lostReason)
{
    m_stillHeld = std::move(stillHeld);
    m_lostReason = lostReason;
}

QString WriteGuard::refusal(const QString& command) const
{
    return QStringLiteral("%1 IS REFUSED: this copy of QRB2 is READ-ONLY, because %2.\n\n"
                          "Nothing was written, and nothing you typed is lost: copy what you need "
                          "into the other copy, or close this one.")
        .arg(command, m_reason);
}

bool WriteGuard::allows(Dialogs& dialogs, const QString& command) const
{
    if (!readOnly())
        return true;
    dialogs.tell(kReadOnlyTitle, refusal(command), Dialogs::Icon::Warning);
    return false;
}
