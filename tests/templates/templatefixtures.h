// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lists, folders and window helpers shared by the template tools' tests.

#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "templates/generatorlists.h"
#include "templates/generatorwindow.h"
#include "templates/manuallists.h"
#include "templates/manualselector.h"
#include "templates/manualselectorwindow.h"
#include "templates/selectorgate.h"
#include "templates/templateexport.h"
#include "templates/templatefiles.h"
#include "templates/templategeneration.h"
#include "templates/templatelines.h"
#include "templates/templatesteps.h"
#include "templates/templatetextbox.h"
#include "templates/templatetools.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace templategeneration;
using templateexport::Button;
using Wheels = std::tuple<int, int, int>; // propulsion, body, weapon
using Kind = ComponentLine::Kind;

namespace templatetest {

inline const QString kQ = u"\""_s;

// Component lists whose entries tell their place: weapons W0..W32, bodies B0..B13, propulsions
// P0..P3 and the second propulsions Q0..Q3, so that a line shows which indices made it.
inline QByteArray numberedLines(const char* prefix, int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += prefix + QByteArray::number(i) + "\r\n";
    return out;
}

// The lines of a file that ends every line with CR LF; a last line without them is marked.
inline QList<QByteArray> fileLines(QByteArray bytes)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        bytes += "<no CR LF>\r\n";
    QList<QByteArray> lines = bytes.replace("\r\n", "\n").split('\n');
    lines.removeLast();
    return lines;
}

// The generator's text line of template n, made of propulsion p, body b and weapon w.
inline QString textLine(int n, int p, int b, int w)
{
    return QString::asprintf(R"("ZEL_ID%d","ZEL_RANDOM_TEMPLATE%d",1,6,"B%d","P%d",)"
                             R"("NavGunSensor","","","{Wp}","W%d")",
                             n, n, b, p, w);
}

// A working folder with the numbered lists, loaded into a fresh generator state.
struct NumberedLists {
    TempFolder dir;
    GeneratorState state;
    NumberedLists()
    {
        dir.write(u"RTS/weapons.txt"_s, numberedLines("W", 33));
        dir.write(u"RTS/bodies.txt"_s, numberedLines("B", 14));
        dir.write(u"RTS/propulsions.txt"_s, numberedLines("P", 4));
        dir.write(u"RTS/propulsions_2.txt"_s, numberedLines("Q", 4));
        generatorlists::load(state, dir.path());
    }
    templateexport::Outcome run(Button button) { return templateexport::run(button, state, dir.path(), kQ); }
    QList<QByteArray> lines(const QString& name) const { return fileLines(dir.read("RTS/" + name)); }
    QString rts(const QString& name) const { return dir.file("RTS/" + name); }
};

inline QByteArray record(int n, int b, const char* propulsion)
{
    return "ZEL_ID" + QByteArray::number(n) + ",102,B" + QByteArray::number(b) +
           ",ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6," + propulsion + ",ZNULLREPAIR,DROID,NavGunSensor,1";
}

inline const QString kDefaultText = QStringLiteral(
    "WZCK.2.0.Text\r\nNew.Units.201\r\n\"ZNULLDESIGN\",\"New Design\",1,0,\"\",\"\",\"\",\"\",\"\",\"{Wp}\","
    "\"ZNULLWEAPON\"\r\n");

// The three tools over one working folder with both sets of lists, as the workbench holds them.
struct Tools : NumberedLists {
    ScriptedDialogs dialogs;
    ManualSelectorState manual;
    TemplateTools tools{manual, state, dialogs, dir.path()};
    Tools()
    {
        dir.write(u"mts/prop.id"_s, "wheeled01\r\ntracked01\r\n");
        dir.write(u"mts/prop.nm"_s, "Wheels\r\nTracks\r\n");
        dir.write(u"mts/body.id"_s, "Body1REC\r\nBody5REC\r\n");
        dir.write(u"mts/body.nm"_s, "Viper\r\nCobra\r\n");
        dir.write(u"mts/weapon.id"_s, "MG1Mk1\r\nCannon1Mk1\r\nRocket-LtA-T\r\n");
        dir.write(u"mts/weapon.nm"_s, "Machinegun\r\nLight Cannon\r\nLancer\r\n");
    }
    // The boxes shown so far, each as its kind, icon, title and text.
    QStringList boxes() const
    {
        static const char* const kinds[] = {"YesNo", "YesNoCancel", "RetryCancel", "Tell", "AskText"};
        static const char* const icons[] = {"None", "Question", "Information", "Warning", "Critical"};
        QStringList out;
        for (const ScriptedDialogs::Shown& s : dialogs.shown())
            out << u"%1 %2 %3: %4"_s.arg(kinds[static_cast<int>(s.kind)], icons[static_cast<int>(s.icon)],
                                         s.title, s.text);
        return out;
    }
};

template <typename T = QWidget> inline T* child(QWidget* window, const char* name)
{
    if (T* found = window->findChild<T*>(QLatin1String(name)))
        return found;
    qFatal("no %s", name);
}

inline void click(QWidget* window, const char* name)
{
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

inline QString text(QWidget* window, const char* name)
{
    return child<TemplateTextBox>(window, name)->text();
}

inline void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

inline void choose(QWidget* mts, int propulsion, int body, int weapon)
{
    child<QComboBox>(mts, "Combo1")->setCurrentIndex(propulsion);
    child<QComboBox>(mts, "Combo2")->setCurrentIndex(body);
    child<QComboBox>(mts, "Combo3")->setCurrentIndex(weapon);
}

} // namespace templatetest

using namespace templatetest;
