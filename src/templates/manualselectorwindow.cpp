// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/manualselectorwindow.h"

#include "platform/dialogs.h"
#include "platform/twips.h"
#include "templates/manuallists.h"
#include "templates/manualselector.h"
#include "templates/templatetextbox.h"
#include "templates/toolwindowlook.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QColor kBackground(199, 211, 233);
const QColor kBoxBackground(0, 0, 128);
const QColor kBoxText(224, 232, 255);

const QString kChooseError = QStringLiteral("ERROR - choose a valid template and try again !!");

QComboBox* addCombo(QWidget* parent, const QString& name, int left, int width)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    // Typed text stays typed text: it neither becomes an item nor completes to one.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(20);
    const QRect place = twips::toPixels(left, 240, width, 0);
    combo->setGeometry(place.x(), place.y(), place.width(), combo->sizeHint().height());
    return combo;
}

void addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->adjustSize();
    label->move(twips::toPixels(left), twips::toPixels(top));
}

TemplateTextBox* addBox(QWidget* parent, const QString& name, int top, int height)
{
    auto* box = new TemplateTextBox(name, parent);
    box->setGeometry(twips::toPixels(0, top, 10095, height));
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, kBoxBackground);
    pal.setColor(QPalette::Text, kBoxText);
    box->setPalette(pal);
    return box;
}

// The list item the author has chosen, or -1 when nothing is chosen or the text was typed over.
int chosenIndex(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0 || combo->currentText() != combo->itemText(index))
        return -1;
    return index;
}

bool isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & Qt::ControlModifier);
}

} // namespace

ManualSelectorWindow::ManualSelectorWindow(ManualSelectorState& state, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("MTS1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("MANUAL TEMPLATE SELECTOR"));
    setFixedSize(twips::toPixels(10140), twips::toPixels(6270));
    applyToolWindowLook(*this, kBackground);

    m_propulsions = addCombo(this, QStringLiteral("Combo1"), 0, 3255);
    m_bodies = addCombo(this, QStringLiteral("Combo2"), 3360, 3255);
    m_weapons = addCombo(this, QStringLiteral("Combo3"), 6720, 3375);

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("Next #"), 120, 720);
    m_number = new QLineEdit(QStringLiteral("0"), this);
    m_number->setObjectName(QStringLiteral("Text4"));
    m_number->setGeometry(twips::toPixels(720, 720, 975, 285));

    m_validate = new QPushButton(QStringLiteral(">> VALIDATE <<"), this);
    m_validate->setObjectName(QStringLiteral("Command1"));
    m_validate->setGeometry(twips::toPixels(3720, 720, 2655, 375));
    QFont bold = m_validate->font();
    bold.setBold(true);
    m_validate->setFont(bold);
    m_validate->setToolTip(QStringLiteral("USE ENTER FOR QUICK ACCESS !!!"));
    m_validate->setDefault(true);

    m_quote = new QLineEdit(QStringLiteral("\""), this);
    m_quote->setObjectName(QStringLiteral("I"));
    m_quote->hide();

    addLabel(this, QStringLiteral("Label2"), QStringLiteral("Templates.txt"), 240, 1320);
    m_records = addBox(this, QStringLiteral("Text1"), 1560, 1215);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("AssignWeapons.txt"), 240, 2880);
    m_assignments = addBox(this, QStringLiteral("Text2"), 3120, 1575);
    addLabel(this, QStringLiteral("Label4"), QStringLiteral("Names.txt"), 240, 4800);
    m_names = addBox(this, QStringLiteral("Text3"), 5040, 1215);

    // The boxes would take Enter as a line break; here it validates, as everywhere in the
    // window (Ctrl+Enter still breaks the line).
    for (TemplateTextBox* box : {m_records, m_assignments, m_names})
        box->installEventFilter(this);

    QWidget* order[] = {m_records,     m_propulsions, m_bodies, m_weapons, m_validate,
                        m_assignments, m_names,       m_quote,  m_number};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    m_records->setFocus();

    connect(m_number, &QLineEdit::textChanged, this, &ManualSelectorWindow::onNumberTyped);
    connect(m_validate, &QPushButton::clicked, this, &ManualSelectorWindow::validate);
}

QList<FileFailure> ManualSelectorWindow::load(const QString& workDir)
{
    const QList<FileFailure> problems = manuallists::load(m_state, workDir);
    const std::pair<QComboBox*, const MtsList*> fills[] = {{m_propulsions, &m_state.mtsPropNames},
                                                           {m_bodies, &m_state.mtsBodyNames},
                                                           {m_weapons, &m_state.mtsWeaponNames}};
    for (const auto& [combo, names] : fills) {
        combo->clear();
        for (int i = 0; i < names->used(); ++i)
            combo->addItem(names->entries[i]);
        combo->setCurrentIndex(-1);
    }
    m_propulsions->setEditText(QStringLiteral("Select propulsion"));
    m_bodies->setEditText(QStringLiteral("Select body"));
    m_weapons->setEditText(QStringLiteral("Select weapon"));
    return problems;
}

void ManualSelectorWindow::validate()
{
    const int propulsion = chosenIndex(m_propulsions);
    const int body = chosenIndex(m_bodies);
    const int weapon = chosenIndex(m_weapons);
    if (propulsion < 0 || body < 0 || weapon < 0) {
        m_dialogs.tell(kApplicationTitle, kChooseError, Dialogs::Icon::None);
        return;
    }
    const manualselector::Lines lines =
        manualselector::validate(m_state, propulsion, body, weapon, m_quote->text());
    m_records->appendLines({lines.templateRecord});
    m_assignments->appendLines({lines.weaponAssignment});
    m_names->appendLines({lines.nameLine});
    m_number->setText(m_state.mtsNextNumber);
}

void ManualSelectorWindow::onNumberTyped(const QString& text)
{
    if (const auto whole = manualselector::wholeNumberText(text))
        m_state.mtsNextNumber = *whole;
}

bool ManualSelectorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        m_validate->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ManualSelectorWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter in the number box or a combo box comes here unused.
    if (isEnter(event)) {
        m_validate->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
