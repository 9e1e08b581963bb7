// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/gamestarter.h"
#include "platform/screenmetrics.h"

#include <QList>
#include <QStringList>
#include <functional>

// Answers the boxes in the order they come and records what each showed.
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { YesNo, YesNoCancel, RetryCancel, Tell, AskText, Choice, ChooseFile };

    struct Shown {
        Kind kind;
        QString title;
        QString text;
        Icon icon;
        QString defaultText;                // AskText: the default answer; ChooseFile: the folder
        Answer defaultAnswer = Answer::Yes; // YesNo only
        QStringList buttons = {};           // Choice only
    };

    // Queued answers; a box with no queued answer gets the first button (Yes, Retry, OK) and
    // an AskText gets its default.
    void answer(Answer a) { m_answers.append(a); }
    void answerChoice(int button) { m_choices.append(button); }
    void answerText(const QString& text) { m_texts.append(text); }
    // The path a file box gives; one with none queued is cancelled.
    void answerFile(const QString& path) { m_files.append(path); }
    // Runs while a box is "open", e.g. to check the state behind a modal box.
    std::function<void(const Shown&)> onShow;

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

    Answer askYesNo(const QString& title, const QString& text, Icon icon,
                    Answer defaultAnswer = Answer::Yes) override;
    Answer askYesNoCancel(const QString& title, const QString& text, Icon icon) override;
    Answer askRetryCancel(const QString& title, const QString& text, Icon icon) override;
    void tell(const QString& title, const QString& text, Icon icon) override;
    QString askText(const QString& title, const QString& prompt, const QString& defaultText) override;
    QString chooseFileToOpen(const QString& title, const QString& folder, const QString& filter) override;
    int askChoice(const QString& title, const QString& text, Icon icon, const QStringList& buttons) override;

private:
    Answer next(Answer fallback);
    void record(const Shown& s);

    QList<Shown> m_shown;
    QList<Answer> m_answers;
    QStringList m_texts;
    QStringList m_files;
    QList<int> m_choices;
};

class FixedClock final : public Clock {
public:
    FixedClock(QTime time, QDate date) : m_time(time), m_date(date) {}
    void set(QTime time, QDate date)
    {
        m_time = time;
        m_date = date;
    }
    QTime timeOfDay() const override { return m_time; }
    QDate date() const override { return m_date; }

private:
    QTime m_time;
    QDate m_date;
};

class FixedScreen final : public ScreenMetrics {
public:
    explicit FixedScreen(int twips = 15360) : m_twips(twips) {}
    int screenWidthTwips() const override { return m_twips; }
    int m_twips;
};

class RecordingStarter final : public GameStarter {
public:
    struct Start {
        QString program;
        QString workingDirectory;
    };
    bool start(const QString& program, const QString& workingDirectory, QString* reason) override
    {
        starts.append({program, workingDirectory});
        if (!succeed && reason)
            *reason = QStringLiteral("refused by the test");
        return succeed;
    }
    QList<Start> starts;
    bool succeed = true;
};
