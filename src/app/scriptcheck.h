#pragma once

#include "scriptlang/finding.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class MainWindow;
class ProblemsWindow;
class QListWidget;
class ScriptEditor;

// The script check in the workbench: F7 and the editors' "Check script" item fill the Problems
// window; choosing a row there selects the token in its editor. The findings of the last check
// are underlined in the editors, the message as tooltip.
class ScriptCheck : public QObject {
    Q_OBJECT
public:
    explicit ScriptCheck(QObject* parent = nullptr);
    ~ScriptCheck() override;

    void attach(MainWindow& window);
    // Checks the window's texts now and shows the findings in the Problems window.
    void checkNow(MainWindow& window);
    ProblemsWindow* problemsWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Underlined {
        scriptlang::Findings findings; // of the last check, for the underlines' tooltips
    };

    void addMenuItem(MainWindow& window, ScriptEditor& editor, QListWidget& list);
    void underline(MainWindow& window, const scriptlang::Findings& findings);
    void goTo(const scriptlang::Finding& finding);
    ScriptEditor* editorFor(MainWindow& window, scriptlang::TextKind text) const;

    QPointer<ProblemsWindow> m_problems;
    QPointer<MainWindow> m_target; // the window the Problems window speaks of
    QHash<MainWindow*, Underlined> m_underlined;
};
