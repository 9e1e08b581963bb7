// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// The parameters of the call being typed, above the caret's line, the one the caret is in
// marked. It takes no focus; Escape in the editor hides it.
class SignatureTip : public QLabel {
    Q_OBJECT
public:
    explicit SignatureTip(QWidget& editor);

    // `active` is the start and length of the marked parameter in `label` (length 0: none).
    void showSignature(const QString& label, std::pair<int, int> active, const QPoint& globalBottomLeft);
    // The text shown, the marked parameter between [ and ].
    QString shownText() const { return m_plain; }

private:
    QString m_plain;
};
