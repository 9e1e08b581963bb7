// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/templatetools.h"

#include "platform/dialogs.h"
#include "templates/generatorwindow.h"
#include "templates/manualselectorwindow.h"
#include "templates/selectorgate.h"
#include "templates/templatefiles.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
}

void bringForward(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

TemplateTools::TemplateTools(ManualSelectorState& manualState, GeneratorState& generatorState,
                             Dialogs& dialogs, const QString& workDir, QObject* parent)
    : QObject(parent), m_manualState(manualState), m_generatorState(generatorState), m_dialogs(dialogs),
      m_workDir(workDir)
{
}

TemplateTools::~TemplateTools()
{
    delete m_gate;
    delete m_manualSelector;
    delete m_generator;
}

SelectorGate* TemplateTools::gate() const
{
    return m_gate;
}

ManualSelectorWindow* TemplateTools::manualSelector() const
{
    return m_manualSelector;
}

GeneratorWindow* TemplateTools::generator() const
{
    return m_generator;
}

SelectorGate* TemplateTools::showGate()
{
    if (!m_gate) {
        m_gate = new SelectorGate(m_dialogs);
        connect(m_gate, &SelectorGate::manualSelectorWanted, this, &TemplateTools::showManualSelector);
        connect(m_gate, &SelectorGate::generatorWanted, this, &TemplateTools::showGenerator);
        centreOnScreen(*m_gate);
    }
    bringForward(*m_gate);
    return m_gate;
}

void TemplateTools::showNew(QWidget& window, const QList<FileFailure>& problems)
{
    centreOnScreen(window);
    bringForward(window);
    if (!problems.isEmpty()) {
        m_dialogs.tell(templatefiles::kListProblemsTitle, templatefiles::describeListProblems(problems),
                       Dialogs::Icon::Warning);
    }
}

ManualSelectorWindow* TemplateTools::showManualSelector()
{
    if (m_manualSelector) {
        bringForward(*m_manualSelector);
        return m_manualSelector;
    }
    m_manualSelector = new ManualSelectorWindow(m_manualState, m_dialogs);
    showNew(*m_manualSelector, m_manualSelector->load(m_workDir));
    return m_manualSelector;
}

GeneratorWindow* TemplateTools::showGenerator()
{
    if (m_generator) {
        bringForward(*m_generator);
        return m_generator;
    }
    m_generator = new GeneratorWindow(m_generatorState, m_dialogs, m_workDir);
    m_generator->setWriteGuard(m_guard);
    showNew(*m_generator, m_generator->load());
    return m_generator;
}
