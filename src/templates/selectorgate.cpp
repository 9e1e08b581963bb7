// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/selectorgate.h"

#include "platform/dialogs.h"
#include "platform/twips.h"
#include "templates/toolwindowlook.h"

#include <QPushButton>

namespace {

const QColor kBackground(0, 0, 128);
const QColor kButtonColour(199, 211, 233);

const QString kMtsWarning = QStringLiteral("WARNING - SAVE YOUR PROJECT BEFORE ENTER - Make sure that you "
                                           "have installed template folder if errors occur");
const QString kRtsWarning =
    QStringLiteral("WARNING - You are entering a resricted area. Use this function at your own risk. There "
                   "are some buttons which "
                   "generates templates stored in txt files in \\RTS dir! Actual .txt files includes TOLK "
                   "mod templates, so make "
                   "external adjustments as needed... SAVE YOUR PROJECT BEFORE ENTER");

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, int left)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(twips::toPixels(left, 120, 1215, 615));
    QPalette pal = button->palette();
    pal.setColor(QPalette::Button, kButtonColour);
    pal.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(pal);
    button->setAutoFillBackground(true);
    return button;
}

} // namespace

SelectorGate::SelectorGate(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Selector_gate1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Template selectors"));
    setFixedSize(twips::toPixels(3630), twips::toPixels(855));
    applyToolWindowLook(*this, kBackground);

    QPushButton* rts = addButton(this, QStringLiteral("Command3"), QStringLiteral("RTS"), 240);
    QPushButton* mts = addButton(this, QStringLiteral("Command16"), QStringLiteral("MTS"), 2160);
    connect(rts, &QPushButton::clicked, this, &SelectorGate::onRts);
    connect(mts, &QPushButton::clicked, this, &SelectorGate::onMts);
}

void SelectorGate::onMts()
{
    if (m_dialogs.askRetryCancel(kApplicationTitle, kMtsWarning, Dialogs::Icon::None) ==
        Dialogs::Answer::Retry)
        Q_EMIT manualSelectorWanted();
    close();
}

void SelectorGate::onRts()
{
    if (m_dialogs.askRetryCancel(QStringLiteral("Warning"), kRtsWarning, Dialogs::Icon::None) ==
        Dialogs::Answer::Retry)
        Q_EMIT generatorWanted();
    close();
}
