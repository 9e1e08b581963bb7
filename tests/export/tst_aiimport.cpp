// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/aiimport.h"
#include "export/variablefile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList lineNumbers(const QList<aiimport::TakenLine>& taken)
{
    QStringList numbers;
    for (const aiimport::TakenLine& t : taken)
        numbers.append(QString::number(t.line));
    return numbers;
}

} // namespace

// The VLO text of a variable file: what the export generates taken off, every other line kept.
class AiImportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A file the workbench wrote gives back exactly the VLO text it was made from.
    void ownExportRoundTrip()
    {
        for (const QString& body :
             {u"count INT 3\r\n\r\n// \u00e9t\u00e9\r\n"_s, u"count INT 3"_s, QString(), u"   \r\n"_s}) {
            for (const QString& variable : {u"player"_s, u"me"_s}) {
                const QString file = variablefile::generate(u"5"_s, body, variable) + u"\r\n"_s;
                const aiimport::VariableList list = aiimport::variableList(file, variable);
                QCOMPARE(list.text, body);
                // The body starts at line 12 and "}" follows its last line.
                const int last = 13 + int(body.count(u"\r\n"_s));
                QCOMPARE(lineNumbers(list.taken), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9",
                                                               "10", "11", QString::number(last)}));
            }
        }
    }

    // Lines of others stay where they were: a banner not ours, comments between { and the
    // binding, the binding's own comment, a binding of another variable, LF line ends.
    void foreignFilesKeepTheirOtherLines()
    {
        const QString file =
            u"// my AI\n\nscript \"player2.slo\"\nrun\n{\n\t// numbers\n\tplayer INT 1\n"
            "\tme\t\tint\t\t2\t// this player is player x.\n    // this player is player x.\n\n"
            "\tcount INT 3\n}\n"_s;
        const aiimport::VariableList me = aiimport::variableList(file, u"me"_s);
        QCOMPARE(me.text, u"// my AI\r\n\r\n\t// numbers\r\n\tplayer INT 1\r\n\r\n\tcount INT 3"_s);
        QCOMPARE(lineNumbers(me.taken), (QStringList{"3", "4", "5", "8", "9", "12"}));
        QCOMPARE(aiimport::describeTaken(me.taken), u"line 3: script \"player2.slo\"\nline 4: run\nline 5: "
                                                    u"{\nline 8: me int 2 // this player is player "
                                                    "x.\nline 9: // this player is player x.\nline 12: }"_s);
        // With `player` the head's variable, its line goes and the `me` line stays.
        const aiimport::VariableList player = aiimport::variableList(file, u"player"_s);
        QVERIFY(player.text.contains(u"\tme\t\tint\t\t2"_s));
        QVERIFY(!player.text.contains(u"player INT 1"_s));
        // No head at all: nothing is taken.
        QCOMPARE(aiimport::variableList(u"count INT 3\n"_s, u"player"_s).text, u"count INT 3"_s);
        QVERIFY(aiimport::variableList(u"count INT 3\n"_s, u"player"_s).taken.isEmpty());
    }

    void scriptAndTheFileBeside()
    {
        QCOMPARE(aiimport::scriptText(u"a\nb\r\n\n"_s), u"a\r\nb\r\n"_s);
        TempFolder root;
        root.write(u"player3.slo"_s, "x");
        QCOMPARE(aiimport::variableFileBeside(root.file(u"player3.slo"_s)), QString());
        root.write(u"PLAYER3.VLO"_s, "y");
        QCOMPARE(aiimport::variableFileBeside(root.file(u"player3.slo"_s)), root.file(u"PLAYER3.VLO"_s));
    }
};

QRB_TEST(AiImportTest)

#include "tst_aiimport.moc"
