// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpusfiles.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// Runs headless Neovim in `folder` on `file` with a Lua script of this folder; its output.
QString runNeovim(const TempFolder& folder, const char* script, const char* file)
{
    const QString nvim = QStandardPaths::findExecutable(QStringLiteral("nvim"));
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
                        QStringLiteral("luafile " QRB_LSP_TESTS "/") + QLatin1String(script), file});
    if (!editor.waitForFinished(60000) || editor.exitCode() != 0)
        return QStringLiteral("Neovim failed: ") + QString::fromUtf8(editor.readAllStandardError());
    return QString::fromUtf8(editor.readAllStandardOutput());
}

} // namespace

class NeovimClientTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("nvim")).isEmpty())
            QSKIP("Neovim is not installed (Debian: apt-get install neovim)");
    }

    // A real client: Neovim reads the Latin-1 file, starts the server and shows what it publishes.
    void neovimReceivesTheDiagnostics()
    {
        TempFolder folder;
        folder.write("player0.slo", plantedScript());
        // The 'é' before the mistake is two bytes in Neovim's line: column 33, not the server's 32.
        QCOMPARE(runNeovim(folder, "nvim-diagnostics.lua", "player0.slo"),
                 "357:33-357:40 1 undeclared name 'factroy': did you mean 'factory'?\n");
    }

    // From a value file: the global's declaration in the script, and Neovim's own rename writing
    // the script and both value files that name it, the one it had not opened too.
    void neovimGoesToTheScriptAndRenames()
    {
        TempFolder folder;
        const QByteArray other = corpusFile("player1.vlo").replace("player1.slo", "player0.slo");
        folder.write("player0.slo", corpusFile("player0.slo"));
        folder.write("player0.vlo", corpusFile("player0.vlo"));
        folder.write("player1.vlo", other);
        QCOMPARE(runNeovim(folder, "nvim-rename.lua", "player0.vlo"), "definition player0.slo 86:14-86:24\n");
        QCOMPARE(folder.read("player0.slo"), corpusFile("player0.slo").replace("tileExpand", "spread"));
        QCOMPARE(folder.read("player0.vlo"), corpusFile("player0.vlo").replace("tileExpand", "spread"));
        QCOMPARE(folder.read("player1.vlo"), QByteArray(other).replace("tileExpand", "spread"));
    }
};

QRB_TEST(NeovimClientTest)

#include "tst_neovim.moc"
