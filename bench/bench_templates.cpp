// SPDX-License-Identifier: GPL-3.0-or-later
// The generator's FINAL export: 1719 templates into four files, beside writing the very same
// bytes with plain QFile writes (one write per file). Every run writes new files in a folder of
// its own: rewriting the files of the run before would time the disk's writeback instead.
#include "benchmark.h"
#include "templates/generatorlists.h"
#include "templates/templateexport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>

namespace {

// Lists of the shape of the shipped ones: 33 weapons, 14 bodies, 4 + 4 propulsions.
void writeLists(const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/RTS"));
    const auto write = [&](const char* name, const char* pattern, int count) {
        QFile file(folder + QStringLiteral("/RTS/") + QLatin1String(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the bench lists");
        for (int i = 0; i < count; ++i)
            file.write(QByteArray(pattern).replace("%", QByteArray::number(i)) + "\r\n");
    };
    write("weapons.txt", "Cannon%Mk1-Heavy", 33);
    write("bodies.txt", "Body%MBT", 14);
    write("propulsions.txt", "tracked0%", 4);
    write("propulsions_2.txt", "hover0%", 4);
}

void freshDivisions(GeneratorState& state)
{
    state.templateCounter = 0;
    state.divisionNumber = 0;
    state.divisionIndex = 0;
    state.divisionName.clear();
}

std::vector<BenchRow> benchTemplates(bool quick)
{
    QTemporaryDir dir;
    writeLists(dir.path());
    GeneratorState state;
    generatorlists::load(state, dir.path());
    const QString quote = QStringLiteral("\"");
    const int runs = quick ? 1 : 41;
    // Run folders with an empty RTS folder each, for the export and for the baseline.
    const auto runFolders = [&](const QString& kind) {
        QStringList folders;
        for (int i = 0; i < runs; ++i) {
            folders << dir.path() + QStringLiteral("/%1%2").arg(kind).arg(i);
            QDir().mkpath(folders.last() + QStringLiteral("/RTS"));
        }
        return folders;
    };
    const QStringList exportFolders = runFolders(QStringLiteral("export"));
    const QStringList plainFolders = runFolders(QStringLiteral("plain"));
    const QStringList lineFolders = runFolders(QStringLiteral("lines"));

    int run = 0;
    const double final = medianMilliseconds(runs, [&] {
        freshDivisions(state);
        if (!templateexport::run(templateexport::Button::Final, state, exportFolders.at(run++), quote).ok())
            qFatal("the bench export failed");
    });

    const std::array<QString, 4> names = {templateexport::kTemplatesTxt, templateexport::kAssignWeaponsTxt,
                                          templateexport::kNamesTxt, templateexport::kXVlo};
    std::array<QByteArray, 4> bytes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        QFile file(exportFolders.first() + QStringLiteral("/RTS/") + names[i]);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the bench export wrote nothing");
        bytes[i] = file.readAll();
    }
    run = 0;
    const double plain = medianMilliseconds(runs, [&] {
        const QString folder = plainFolders.at(run++) + QStringLiteral("/RTS/");
        for (std::size_t i = 0; i < names.size(); ++i) {
            QFile file(folder + names[i]);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(bytes[i]) != bytes[i].size())
                qFatal("the baseline write failed");
        }
    });
    // The same bytes as lines of their own, each written with a buffered QFile::write.
    std::array<QList<QByteArray>, 4> lines;
    for (std::size_t i = 0; i < names.size(); ++i) {
        lines[i] = bytes[i].split('\n');
        lines[i].removeLast();
        for (QByteArray& line : lines[i])
            line += '\n';
    }
    run = 0;
    const double perLine = medianMilliseconds(runs, [&] {
        const QString folder = lineFolders.at(run++) + QStringLiteral("/RTS/");
        for (std::size_t i = 0; i < names.size(); ++i) {
            QFile file(folder + names[i]);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                qFatal("the baseline write failed");
            for (const QByteArray& line : lines[i])
                file.write(line);
        }
    });
    const qsizetype total = bytes[0].size() + bytes[1].size() + bytes[2].size() + bytes[3].size();
    const QString what = QStringLiteral("FINAL export, 1719 templates, 4 files (%1 KiB)").arg(total / 1024);
    return {{what, final, QStringLiteral("the same bytes, one QFile write per file"), plain, 2.0},
            {what, final, QStringLiteral("the same lines, one QFile write per line"), perLine, 2.0}};
}

} // namespace

QRB_BENCH(templates, benchTemplates)
