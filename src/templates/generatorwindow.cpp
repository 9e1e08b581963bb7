// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/generatorwindow.h"

#include "platform/dialogs.h"
#include "platform/twips.h"
#include "templates/generatorlists.h"
#include "templates/generatorstate.h"
#include "templates/templateexport.h"
#include "templates/templategeneration.h"
#include "templates/templatetextbox.h"
#include "templates/toolwindowlook.h"
#include "workspace/writeguard.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace {

const QColor kBackground(199, 211, 233);

// The window is designed in twips; the text area takes what lies below the notices.
constexpr int kWidth = 9750;
constexpr int kHeight = 7800;
constexpr int kMargin = 120;
constexpr int kTextTop = 2520;
constexpr int kButtonWidth = 1710;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 90;
constexpr int kButtonsLeft = 2520;

int buttonLeft(int column)
{
    return kButtonsLeft + column * (kButtonWidth + kButtonGap);
}

const QString kDefaultText = QStringLiteral(
    "WZCK.2.0.Text\r\nNew.Units.201\r\n"
    "\"ZNULLDESIGN\",\"New Design\",1,0,\"\",\"\",\"\",\"\",\"\",\"{Wp}\",\"ZNULLWEAPON\"\r\n");

} // namespace

GeneratorWindow::GeneratorWindow(GeneratorState& state, Dialogs& dialogs, const QString& workDir,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_dialogs(dialogs), m_workDir(workDir)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("USE AT OWN RISK"));
    resize(twips::toPixels(kWidth), twips::toPixels(kHeight));
    setMinimumSize(size());
    applyToolWindowLook(*this, kBackground);

    auto* limitLabel = new QLabel(QStringLiteral("Max. Number only for few"), this);
    limitLabel->setObjectName(QStringLiteral("Label2"));
    limitLabel->adjustSize();
    limitLabel->move(twips::toPixels(kMargin), twips::toPixels(kMargin));
    m_limit = new QLineEdit(QStringLiteral("32"), this);
    m_limit->setObjectName(QStringLiteral("Aim1"));
    m_limit->setGeometry(twips::toPixels(kMargin, 360, 1800, 315));
    m_quote = new QLineEdit(QStringLiteral("\""), this);
    m_quote->setObjectName(QStringLiteral("I"));
    m_quote->hide();

    QPushButton* rnd =
        addButton(QStringLiteral("Command1"), QStringLiteral("Rnd"), buttonLeft(0), 120, kButtonWidth);
    QPushButton* ord =
        addButton(QStringLiteral("Command2"), QStringLiteral("Ord"), buttonLeft(1), 120, kButtonWidth);
    QPushButton* string =
        addButton(QStringLiteral("Command3"), QStringLiteral("String"), buttonLeft(2), 120, kButtonWidth);
    QPushButton* feed =
        addButton(QStringLiteral("Command4"), QStringLiteral("Feed"), buttonLeft(3), 120, kButtonWidth);
    QPushButton* wdg =
        addButton(QStringLiteral("Command5"), QStringLiteral("--> WDG"), buttonLeft(0), 600, kButtonWidth);
    QPushButton* full = addButton(QStringLiteral("Command6"), QStringLiteral(" --> VLO (FULL)"),
                                  buttonLeft(1), 600, kButtonWidth);
    QPushButton* divided = addButton(QStringLiteral("Command7"), QStringLiteral("--> VLO (DIVIDED)"),
                                     buttonLeft(2), 600, kButtonWidth);
    QPushButton* final =
        addButton(QStringLiteral("Command8"), QStringLiteral("FINAL"), buttonLeft(3), 600, kButtonWidth);
    QPushButton* reset =
        addButton(QStringLiteral("Command9"), QStringLiteral("RESET VARIABLES (function switch) "),
                  buttonLeft(0), 1080, buttonLeft(3) + kButtonWidth - buttonLeft(0));

    m_line = new QFrame(this);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Plain);
    m_line->setLineWidth(2);
    QPalette linePalette = m_line->palette();
    linePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_line->setPalette(linePalette);

    auto* exportNotice =
        new QLabel(QStringLiteral("EXPORT DIRECTORY IS APP.DIR (where is stored program .exe)"), this);
    exportNotice->setObjectName(QStringLiteral("Label1"));
    exportNotice->adjustSize();
    exportNotice->move(twips::toPixels(kMargin), twips::toPixels(1680));
    m_notice =
        new QLabel(QStringLiteral("You have to try it on your own...  I can't provide any support, because I "
                                  "simply don't remember what it suppose to do :)"),
                   this);
    m_notice->setObjectName(QStringLiteral("Label3"));
    m_notice->setWordWrap(true);

    m_text = new TemplateTextBox(QStringLiteral("Text1"), this);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setText(kDefaultText);

    QWidget* order[] = {rnd, m_text, m_limit, m_quote, ord, string, feed, wdg, full, divided, final, reset};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    rnd->setFocus();

    connect(m_limit, &QLineEdit::textChanged, this, &GeneratorWindow::onLimitTyped);
    connect(rnd, &QPushButton::clicked, this, &GeneratorWindow::rnd);
    connect(ord, &QPushButton::clicked, this, &GeneratorWindow::ord);
    connect(string, &QPushButton::clicked, this, &GeneratorWindow::string);
    connect(feed, &QPushButton::clicked, this, &GeneratorWindow::feed);
    const std::pair<QPushButton*, templateexport::Button> exports[] = {
        {wdg, templateexport::Button::Wdg},
        {full, templateexport::Button::Full},
        {divided, templateexport::Button::Divided},
        {final, templateexport::Button::Final}};
    for (const auto& [button, kind] : exports)
        connect(button, &QPushButton::clicked, this, [this, kind = kind] { exportTemplates(kind); });
    connect(reset, &QPushButton::clicked, this, &GeneratorWindow::reset);
}

QPushButton* GeneratorWindow::addButton(const QString& name, const QString& caption, int left, int top,
                                        int width)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(twips::toPixels(left, top, width, kButtonHeight));
    return button;
}

QList<FileFailure> GeneratorWindow::load()
{
    return generatorlists::load(m_state, m_workDir);
}

void GeneratorWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int margin = twips::toPixels(kMargin);
    const int inner = width() - 2 * margin;
    m_line->setGeometry(margin, twips::toPixels(1560), inner, 3);
    m_notice->setGeometry(margin, twips::toPixels(1920), inner, twips::toPixels(480));
    const int top = twips::toPixels(kTextTop);
    m_text->setGeometry(margin, top, inner, height() - top - margin);
}

void GeneratorWindow::onLimitTyped(const QString& text)
{
    if (const auto limit = templategeneration::limitFromText(text))
        m_state.templateLimit = *limit;
}

void GeneratorWindow::reset()
{
    m_state.templateCounter = 1;
}

void GeneratorWindow::rnd()
{
    m_text->appendLines(templategeneration::rnd(m_state, m_workDir, m_quote->text()).lines);
}

void GeneratorWindow::ord()
{
    m_text->appendLines(templategeneration::ord(m_state, m_workDir, m_quote->text()).lines);
}

void GeneratorWindow::feed()
{
    m_text->appendLines(templategeneration::feed(m_state, m_workDir, m_quote->text()).lines);
}

bool GeneratorWindow::mayWrite(const QString& command)
{
    return !m_guard || m_guard->allows(m_dialogs, command);
}

void GeneratorWindow::string()
{
    if (!mayWrite(QStringLiteral("STRING")))
        return;
    const templategeneration::Result result = templategeneration::string(m_state, m_workDir, m_quote->text());
    if (result.failure) {
        m_dialogs.tell(templateexport::kFailedTitle,
                       templategeneration::describeStringFailure(*result.failure), Dialogs::Icon::Critical);
        return;
    }
    m_dialogs.tell(kApplicationTitle, QStringLiteral("DONE !!!"), Dialogs::Icon::None);
}

void GeneratorWindow::exportTemplates(templateexport::Button button)
{
    if (!mayWrite(QStringLiteral("THE TEMPLATE EXPORT")))
        return;
    const templateexport::Outcome outcome = templateexport::run(button, m_state, m_workDir, m_quote->text());
    if (!outcome.ok())
        m_dialogs.tell(templateexport::kFailedTitle, templateexport::describe(button, outcome),
                       Dialogs::Icon::Critical);
}
