// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/helpwindow.h"

#include "editor/classiclook.h"
#include "editor/scripteditor.h"
#include "mainwindow/builtinhelp.h"
#include "mainwindow/closeonescape.h"
#include "mainwindow/fillrule.h"
#include "mainwindow/helpsearch.h"
#include "platform/dialogs.h"
#include "platform/rtftextdocument.h"
#include "platform/twips.h"
#include "workspace/helpfile.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace {

const QString kTitle = QStringLiteral("SCRIPTING LANGUAGE HELP");
const QColor kWindowBackground(0, 0, 128);
const QColor kTextBackground(199, 211, 233);
const QColor kLightGrey(224, 224, 224);
const QColor kSilver(192, 192, 192);

// Client area and controls at design time, in twips.
constexpr int kClientWidth = 11880;
constexpr int kClientHeight = 7635;

void paintText(QWidget* w, const QColor& text)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, text);
    w->setPalette(pal);
}

} // namespace

HelpWindow::HelpWindow(const QString& workDir, Dialogs& dialogs, qint32& seekPosition, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_seekPosition(seekPosition)
{
    setObjectName(QStringLiteral("HELP1"));
    closeOnEscape(*this);
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindowBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    buildControls();
    resize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight));
    loadHelp(workDir, dialogs);
}

void HelpWindow::buildControls()
{
    m_caption = new QLabel(QStringLiteral("TEXT :"), this);
    m_caption->setObjectName(QStringLiteral("Label7"));
    m_caption->setFont(classiclook::font(8.25, true));
    paintText(m_caption, kLightGrey);
    m_caption->setGeometry(twips::toPixels(120, 120, 615, 255));

    m_seeker = new QLineEdit(this);
    m_seeker->setObjectName(QStringLiteral("TEXT_SEEKER"));
    m_seeker->setFont(classiclook::font(8.25, true));
    QPalette pal = m_seeker->palette();
    pal.setColor(QPalette::Base, kTextBackground);
    pal.setColor(QPalette::Text, Qt::black);
    m_seeker->setPalette(pal);
    m_seeker->setToolTip(QStringLiteral("Text to find in the help; Enter finds the next place"));
    m_seeker->setGeometry(twips::toPixels(720, 120, 3735, 285));
    connect(m_seeker, &QLineEdit::returnPressed, this, &HelpWindow::seek);

    m_seek = new QPushButton(QStringLiteral("&SEEK"), this);
    m_seek->setObjectName(QStringLiteral("NEXT_SEEK_CMD"));
    m_seek->setFont(classiclook::font(8.25, true));
    m_seek->setGeometry(twips::toPixels(4560, 120, 975, 255));
    connect(m_seek, &QPushButton::clicked, this, &HelpWindow::seek);

    m_hint =
        new QLabel(QStringLiteral("Isn't CaSe sensitive. Search for string (no logical operations)"), this);
    m_hint->setObjectName(QStringLiteral("Label1"));
    m_hint->setFont(classiclook::font());
    paintText(m_hint, kSilver);
    m_hint->setGeometry(twips::toPixels(5640, 120, 6135, 255));

    m_text = new ScriptEditor(QStringLiteral("Text1"), this);
    m_text->setGeometry(twips::toPixels(80, 480, 11775, 7095));
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setUndoRedoEnabled(false);
    // The help is only read: the author selects and copies, the caret moves with the keys.
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A search leaves the focus in the text; Enter there, which a read-only text has no use
    // for, finds the next place as well, so the author can walk on with the same key.
    connect(m_text, &ScriptEditor::keyAboutToBeHandled, this, [this](QKeyEvent* event) {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
            seek();
    });
}

void HelpWindow::loadHelp(const QString& workDir, Dialogs& dialogs)
{
    helpfile::Content content = helpfile::read(workDir);
    if (content.failure) {
        dialogs.tell(kTitle,
                     QStringLiteral("The help text could not be read, so the built-in help is shown:\n") +
                         describeFailures({*content.failure}),
                     Dialogs::Icon::Warning);
    }
    switch (content.kind) {
    case helpfile::Content::Kind::Plain: {
        // A plain reference lines up its examples with blanks: give it letters of one width.
        QFont fixed = m_text->font();
        fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
        fixed.setStyleHint(QFont::TypeWriter);
        fixed.setPointSizeF(9);
        m_text->setFont(fixed);
        m_text->setText(content.plain);
        break;
    }
    case helpfile::Content::Kind::Rich:
        rtftextdocument::fill(*m_text->document(), content.rich);
        break;
    case helpfile::Content::Kind::Empty:
        rtftextdocument::fill(*m_text->document(), rtf::parse(builtinhelp::scriptlangRtf()));
        break;
    }
    m_text->setCaret(0);
}

void HelpWindow::seek()
{
    const QString needle = m_seeker->text();
    const QString text = m_text->text();
    if (needle.isEmpty() || text.isEmpty())
        return;
    m_text->setFocus();
    const qsizetype found =
        helpsearch::next(text, needle, m_text->selectionStart(), m_text->selectionLength());
    m_seekPosition = found >= 0 ? static_cast<qint32>(found + 1) : 0;
    if (found >= 0) {
        m_text->setSelection(static_cast<int>(found), static_cast<int>(needle.size()));
        m_text->centerCursor();
    }
}

void HelpWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyFillRule();
}

void HelpWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // A window manager adds its frame after the first show and moves the window into it:
    // the outer size is known only then.
    applyFillRule();
}

void HelpWindow::applyFillRule()
{
    fillrule::apply(*this, *m_text, fillrule::kHelp);
}
