// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <functional>

class MainWindow;
class ProblemsWindow;
class QListWidget;
class ScriptEditor;

// The script check in the workbench: F7 and the editors' "Check script" item fill the Problems
// window; choosing a row there, or F8 and Shift+F8 in an editor, selects the token. After a
// pause in typing the texts are checked on a worker thread and the findings underlined, the
// message as tooltip.
class ScriptCheck : public QObject {
    Q_OBJECT
public:
    explicit ScriptCheck(QObject* parent = nullptr);
    ~ScriptCheck() override;

    // Pause in typing before the live check runs.
    static constexpr int kPauseMs = 500;

    void attach(MainWindow& window);
    // A project being loaded: its texts are checked at once, on the worker, while `setTexts`
    // puts them into the window's editors (which starts no check of its own).
    void checkWhileLoading(MainWindow& window, const QString& slo, const QString& vloBody,
                           const std::function<void()>& setTexts);
    // Checks the window's texts now and shows the findings in the Problems window.
    void checkNow(MainWindow& window);
    ProblemsWindow* problemsWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Live {
        QPointer<QTimer> timer; // a child of the window
        quint64 generation = 0;
        scriptlang::Findings findings; // of the last applied live check
    };

    void addMenuItem(MainWindow& window, ScriptEditor& editor, QListWidget& list);
    void scheduleLiveCheck(MainWindow& window);
    void startLiveCheck(MainWindow& window);
    void startCheck(MainWindow& window, const QString& slo, const QString& vlo);
    void underline(MainWindow& window, const scriptlang::Findings& findings);
    void goTo(const scriptlang::Finding& finding);
    // F8 and Shift+F8: the next or previous finding of this editor's text, round at the ends.
    void goToNeighbour(MainWindow& window, ScriptEditor& editor, bool forward);
    // Selects the finding's token in its editor of `window`.
    void select(MainWindow& window, const scriptlang::Finding& finding);
    ScriptEditor* editorFor(MainWindow& window, scriptlang::TextKind text) const;

    QPointer<ProblemsWindow> m_problems;
    QPointer<MainWindow> m_target; // the window the Problems window speaks of
    QHash<MainWindow*, Live> m_live;
    QThreadPool m_worker; // one check at a time, off the GUI thread
    bool m_loading = false;
};
