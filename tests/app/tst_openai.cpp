// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "scriptlang/vloparser.h"
#include "support/testregistry.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// What a variable file binds, one "name[i] TYPE value" a binding, in order of name.
QStringList bindings(const QByteArray& file)
{
    scriptlang::Findings findings;
    const scriptlang::VloText vlo = scriptlang::parseVlo(QString::fromLatin1(file), true, findings);
    QStringList out;
    for (const scriptlang::VloBinding& b : vlo.bindings) {
        QString name = b.name;
        for (long long i : b.indexes)
            name += u'[' + QString::number(i) + u']';
        out.append(name + u' ' + b.typeWord.toUpper() + u' ' + b.value);
    }
    out.sort();
    return findings.isEmpty() ? out : QStringList{u"unreadable"_s};
}

// The program over an empty project whose game folder holds the game's AI of `version`.
struct GameApp : ProjectApp {
    QString skirmish;
    explicit GameApp(const QString& version)
    {
        skirmish = root.file(u"game/multiplay/skirmish"_s);
        QDir().mkpath(skirmish);
        for (const QString& name : QDir(QStringLiteral(QRB_CORPUS_DIR "/") + version).entryList(QDir::Files))
            root.write(u"game/multiplay/skirmish/"_s + name, corpusFile(version + u'/' + name));
        root.write(u"work/QRB_DATA.DAT"_s, "\"" + root.file(u"game"_s).toLatin1() + "\",#FALSE#\r\n");
    }
};

} // namespace

class OpenAiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Open the game's AI, then EXPORT .SLO and .VLO: each script is the one opened, each variable
    // file binds what the game's own file for that player bound.
    void openThenExportGivesTheGamesAiBack_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("taken");
        QTest::newRow("2.3, me bound after other lines")
            << u"2.3"_s
            << u"lines 1 to 5: the banner\nline 6: script \"player0.slo\"\nline 7: run\nline 8: {\nline 13: "
               u"me int "
               "0 // this player is player x.\nline 434: }"_s;
        QTest::newRow("2.0, player bound first")
            << u"2.0"_s
            << u"lines 1 to 5: the banner\nline 6: script \"player0.slo\"\nline 7: run\nline 8: {\nline 9: "
               u"player "
               "INT 0 // this player is player x.\nline 266: }"_s;
    }

    void openThenExportGivesTheGamesAiBack()
    {
        QFETCH(QString, version);
        QFETCH(QString, taken);
        GameApp f(version);
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        const QString slo = f.skirmish + u"/player0.slo"_s;
        f.dialogs.clear();
        f.dialogs.answerFile(slo);
        f.click(w, u"OPEN_AI"_s);
        const QList<ScriptedDialogs::Shown>& shown = f.dialogs.shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, ScriptedDialogs::Kind::ChooseFile);
        QCOMPARE(shown[0].title, u"Open an AI"_s);
        QCOMPARE(shown[0].defaultText, f.skirmish);
        QCOMPARE(shown[1].title, u"AI OPENED"_s);
        QCOMPARE(shown[1].text,
                 u"SLO now holds "_s + slo + u".\nVLO now holds "_s + f.skirmish +
                     u"/player0.vlo, without these lines, which EXPORT .VLO writes for each player:\n"_s +
                     taken +
                     u"\nNothing is saved until you save; Ctrl+Z in an editor takes the opening back."_s);
        // Nothing written yet.
        QCOMPARE(f.work(u"SLO.qrb"_s), QByteArray());

        f.click(w, u"Command1"_s);
        f.click(w, u"Command2"_s);
        const QByteArray script = corpusFile(version + u"/player0.slo"_s);
        for (int n = 0; n < 8; ++n) {
            const QString player = u"game/multiplay/skirmish/player"_s + QString::number(n);
            QCOMPARE(f.root.read(player + u".slo"_s).replace("\r\n", "\n"), script);
            const QByteArray exported = f.root.read(player + u".vlo"_s);
            QCOMPARE(bindings(exported),
                     bindings(corpusFile(version + u"/player"_s + QString::number(n) + u".vlo"_s)));
        }
        // The editors took the opening as one edit each: Ctrl+Z empties them again.
        w.slo()->undo();
        w.vlo()->undo();
        QCOMPARE(w.slo()->text() + w.vlo()->text(), QString());
    }

    // Ctrl+O; the author cancels; a script without its .vlo; one that cannot be read.
    void otherWaysAndFailures()
    {
        GameApp f(u"2.1"_s);
        f.root.write(u"game/alone.slo"_s, "public int me;\n");
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        w.vlo()->setText(u"kept INT 1"_s);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        f.dialogs.clear();
        QTest::keyClick(w.slo(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(w.slo()->text(), QString());

        f.dialogs.answerFile(f.root.file(u"game/alone.slo"_s));
        f.click(w, u"OPEN_AI"_s);
        QCOMPARE(f.dialogs.shown().last().text, u"SLO now holds "_s + f.root.file(u"game/alone.slo"_s) +
                                                    u".\nThere is no alone.vlo beside it, so VLO keeps its "
                                                    u"text.\nNothing is saved until you save; "
                                                    "Ctrl+Z in an editor takes the opening back."_s);
        QCOMPARE(w.slo()->text() + u'|' + w.vlo()->text(), u"public int me;|kept INT 1"_s);

        f.dialogs.answerFile(f.root.file(u"game/gone.slo"_s));
        f.click(w, u"OPEN_AI"_s);
        QCOMPARE(f.dialogs.shown().last().title, u"AI NOT OPENED"_s);
        QCOMPARE(f.dialogs.shown().last().text,
                 u"The AI could not be opened, so the editors keep their texts:\n"_s +
                     f.root.file(u"game/gone.slo"_s) + u": No such file or directory"_s);
        QCOMPARE(w.slo()->text(), u"public int me;"_s);
    }
};

QRB_TEST(OpenAiTest)

#include "tst_openai.moc"
