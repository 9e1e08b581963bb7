// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class Dialogs;
class GeneratorWindow;
class ManualSelectorWindow;
class QWidget;
class SelectorGate;
struct FileFailure;
struct GeneratorState;
struct ManualSelectorState;
class WriteGuard;

// The three windows of the droid template tools. Each is created when it is first wanted
// and deleted when the author closes it; asking for an open one brings it forward as it is.
class TemplateTools : public QObject {
    Q_OBJECT
public:
    TemplateTools(ManualSelectorState& manualState, GeneratorState& generatorState, Dialogs& dialogs,
                  const QString& workDir, QObject* parent = nullptr);
    ~TemplateTools() override;

    // The generator asks it before it writes into RTS/.
    void setWriteGuard(const WriteGuard* guard) { m_guard = guard; }

    SelectorGate* showGate();
    ManualSelectorWindow* showManualSelector();
    GeneratorWindow* showGenerator();

    // The open windows, or null.
    SelectorGate* gate() const;
    ManualSelectorWindow* manualSelector() const;
    GeneratorWindow* generator() const;

private:
    void showNew(QWidget& window, const QList<FileFailure>& problems);

    ManualSelectorState& m_manualState;
    GeneratorState& m_generatorState;
    Dialogs& m_dialogs;
    QString m_workDir;
    const WriteGuard* m_guard = nullptr;
    QPointer<SelectorGate> m_gate;
    QPointer<ManualSelectorWindow> m_manualSelector;
    QPointer<GeneratorWindow> m_generator;
};
