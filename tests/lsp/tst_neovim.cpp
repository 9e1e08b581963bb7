// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpusfiles.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QProcess>
#include <QStandardPaths>

class NeovimClientTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A real client: Neovim reads the Latin-1 file, starts the server and shows what it publishes.
    void neovimReceivesTheDiagnostics()
    {
        const QString nvim = QStandardPaths::findExecutable(QStringLiteral("nvim"));
        if (nvim.isEmpty())
            QSKIP("Neovim is not installed (Debian: apt-get install neovim)");
        TempFolder folder;
        folder.write("player0.slo", plantedScript());
        folder.mkdir("home");
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QRB2", QStringLiteral(QRB_PROGRAM));
        env.insert("HOME", folder.file("home"));
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_DATA_HOME");
        env.remove("DISPLAY");
        editor.setProcessEnvironment(env);
        editor.setWorkingDirectory(folder.path());
        editor.start(nvim, {"--headless", "--clean", "-n", "-c",
                            ("luafile " QRB_LSP_TESTS "/nvim-diagnostics.lua"), "player0.slo"});
        QVERIFY(editor.waitForFinished(60000));
        // The 'é' before the mistake is two bytes in Neovim's line: column 33, not the server's 32.
        QCOMPARE(QString::fromUtf8(editor.readAllStandardOutput()),
                 "357:33-357:40 1 undeclared name 'factroy': did you mean 'factory'?\n");
        QCOMPARE(editor.exitCode(), 0);
    }
};

QRB_TEST(NeovimClientTest)

#include "tst_neovim.moc"
