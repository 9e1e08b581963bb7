// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testregistry.h"

#include <QApplication>
#include <QFile>
#include <QMetaMethod>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Registered {
    const QMetaObject* metaObject;
    TestFactory factory;
};

std::map<std::string, Registered>& registry()
{
    static std::map<std::string, Registered> tests;
    return tests;
}

struct Selected {
    QByteArray name;
    const Registered* test;
};

// The registered classes, or those QRB_TEST_CLASS names; false when it names one that is not here.
bool selectClasses(std::vector<Selected>& selected)
{
    const QByteArray wanted = qgetenv("QRB_TEST_CLASS");
    const QList<QByteArray> only = wanted.isEmpty() ? QList<QByteArray>{} : wanted.split(',');
    for (const QByteArray& name : only) {
        if (registry().count(name.toStdString()) == 0) {
            std::fprintf(stderr, "QRB_TEST_CLASS: this program has no test class '%s'\n", name.constData());
            return false;
        }
    }
    for (const auto& entry : registry()) {
        const QByteArray name = QByteArray::fromStdString(entry.first);
        if (only.isEmpty() || only.contains(name))
            selected.push_back({name, &entry.second});
    }
    return true;
}

// The functions QtTest runs: private slots without parameters that return nothing, apart from
// the fixtures and the data functions.
QList<QByteArray> testFunctions(const QMetaObject& meta)
{
    static const QList<QByteArray> fixtures{"initTestCase", "cleanupTestCase", "init", "cleanup"};
    QList<QByteArray> names;
    for (int i = 0; i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private ||
            method.parameterCount() != 0 || method.returnType() != QMetaType::Void)
            continue;
        const QByteArray name = method.name();
        if (!fixtures.contains(name) && !name.endsWith("_data"))
            names.append(name);
    }
    return names;
}

// A name on the command line without its data tag ("function:tag") and parentheses.
QByteArray functionOf(const QByteArray& argument)
{
    const qsizetype colon = argument.indexOf(':');
    QByteArray name = colon < 0 ? argument : argument.left(colon);
    if (name.endsWith("()"))
        name.chop(2);
    return name;
}

// One -o: a file, or "-" for standard output, and its format.
struct Output {
    QByteArray file;
    QByteArray format;
};

struct Arguments {
    QList<QByteArray> options; // QtTest's options but -o, in their order
    QList<Output> outputs;
    QList<QByteArray> functions; // function names, with their data tags
    bool listFunctions = false;
    bool listDataTags = false;
};

Arguments parseArguments(int argc, char* argv[])
{
    static const QList<QByteArray> withValue{"-eventdelay",  "-keydelay",     "-mousedelay",   "-maxwarnings",
                                             "-perfcounter", "-minimumvalue", "-minimumtotal", "-iterations",
                                             "-median",      "-seed",         "-repeat"};
    static const QList<QByteArray> formats{"txt", "csv",      "junitxml", "xunitxml",
                                           "xml", "lightxml", "teamcity", "tap"};
    Arguments parsed;
    QList<QByteArray> formatOptions; // -xml and the like: the format of an "-o FILE" without one
    QByteArray plainFile;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument = argv[i];
        if (argument == "-o" && i + 1 < argc) {
            const QByteArray value = argv[++i];
            const qsizetype comma = value.lastIndexOf(',');
            if (comma < 0)
                plainFile = value;
            else
                parsed.outputs.append({value.left(comma), value.mid(comma + 1)});
        } else if (argument.startsWith('-') && formats.contains(argument.mid(1))) {
            formatOptions.append(argument);
        } else if (argument.startsWith('-')) {
            parsed.listFunctions = parsed.listFunctions || argument == "-functions";
            parsed.listDataTags = parsed.listDataTags || argument == "-datatags";
            parsed.options.append(argument);
            if (withValue.contains(argument) && i + 1 < argc)
                parsed.options.append(argv[++i]);
        } else {
            parsed.functions.append(argument);
        }
    }
    if (plainFile.isEmpty())
        parsed.options += formatOptions;
    else
        parsed.outputs.append({plainFile, formatOptions.isEmpty() ? "txt" : formatOptions.last().mid(1)});
    return parsed;
}

// The names on the command line that no class has: QtTest's message, with the functions whose
// names contain them. True when there is none.
bool allNamesKnown(const QList<QByteArray>& names, const std::vector<Selected>& classes)
{
    bool known = true;
    for (const QByteArray& name : names) {
        const QByteArray function = functionOf(name);
        bool found = false;
        QList<QByteArray> matches;
        for (const Selected& test : classes) {
            for (const QByteArray& candidate : testFunctions(*test.test->metaObject)) {
                found = found || candidate == function;
                if (candidate.toLower().contains(function.toLower()))
                    matches.append(test.name + "::" + candidate + "()");
            }
        }
        if (found)
            continue;
        known = false;
        std::fprintf(stderr, "Unknown test function: '%s'. Possible matches:\n", name.constData());
        for (const QByteArray& match : matches)
            std::fprintf(stderr, "%s\n", match.constData());
    }
    return known;
}

// -datatags makes QtTest print and end the program, so each class lists its own in a run alone.
int listEachClassAlone(const std::vector<Selected>& classes, int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    int status = 0;
    for (const Selected& test : classes) {
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QRB_TEST_CLASS"), QString::fromLatin1(test.name));
        run.setProcessEnvironment(environment);
        run.start(QCoreApplication::applicationFilePath(), arguments);
        if (!run.waitForFinished(-1) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
            status = 1;
    }
    return status;
}

int runClass(const Registered& test, const QList<QByteArray>& arguments)
{
    std::vector<QByteArray> storage(arguments.cbegin(), arguments.cend());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    const std::unique_ptr<QObject> object = test.factory();
    return QTest::qExec(object.get(), int(argv.size()), argv.data());
}

// The parts the classes wrote for one -o, as one file: XML documents under one root.
bool joinParts(const Output& output, const QStringList& parts)
{
    const bool document =
        output.format == "junitxml" || output.format == "xunitxml" || output.format == "xml";
    QByteArray joined;
    for (const QString& part : parts) {
        QFile file(part);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(part), qPrintable(file.errorString()));
            return false;
        }
        QByteArray text = file.readAll();
        if (document && text.startsWith("<?xml"))
            text.remove(0, text.indexOf('\n') + 1);
        joined += text;
    }
    if (document) {
        const QByteArray root = output.format == "xml" ? "TestCases" : "testsuites";
        joined =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<" + root + ">\n" + joined + "</" + root + ">\n";
    }
    QFile target(QFile::decodeName(output.file));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) || target.write(joined) != joined.size()) {
        std::fprintf(stderr, "%s: %s\n", output.file.constData(), qPrintable(target.errorString()));
        return false;
    }
    return true;
}

} // namespace

TestRegistrar::TestRegistrar(const char* name, const QMetaObject* metaObject, TestFactory factory)
{
    registry().emplace(name, Registered{metaObject, std::move(factory)});
}

int runRegisteredTests(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<Selected> classes;
    if (!selectClasses(classes))
        return 1;
    const Arguments arguments = parseArguments(argc, argv);
    if (arguments.listFunctions) {
        for (const Selected& test : classes) {
            for (const QByteArray& function : testFunctions(*test.test->metaObject))
                std::printf("%s()\n", function.constData());
        }
        return 0;
    }
    if (arguments.listDataTags && classes.size() > 1)
        return listEachClassAlone(classes, argc, argv);
    if (!allNamesKnown(arguments.functions, classes))
        return 1;

    QTemporaryDir partsFolder;
    if (!partsFolder.isValid() && !arguments.outputs.isEmpty()) {
        std::fprintf(stderr, "no temporary folder for the output files: %s\n",
                     qPrintable(partsFolder.errorString()));
        return 1;
    }
    QList<QStringList> parts(arguments.outputs.size());
    bool failed = false;
    for (const Selected& test : classes) {
        const QList<QByteArray> own = testFunctions(*test.test->metaObject);
        QList<QByteArray> names;
        for (const QByteArray& name : arguments.functions) {
            if (own.contains(functionOf(name)))
                names.append(name);
        }
        if (!arguments.functions.isEmpty() && names.isEmpty())
            continue;
        QList<QByteArray> run{argv[0]};
        run += arguments.options;
        for (qsizetype k = 0; k < arguments.outputs.size(); ++k) {
            const Output& output = arguments.outputs[k];
            QByteArray file = output.file;
            if (file != "-") {
                parts[k].append(partsFolder.filePath(QStringLiteral("%1-%2").arg(k).arg(parts[k].size())));
                file = QFile::encodeName(parts[k].last());
            }
            run << "-o" << file + ',' + output.format;
        }
        failed = runClass(*test.test, run + names) != 0 || failed;
    }
    for (qsizetype k = 0; k < arguments.outputs.size(); ++k) {
        if (arguments.outputs[k].file != "-")
            failed = !joinParts(arguments.outputs[k], parts[k]) || failed;
    }
    return failed ? 1 : 0;
}
