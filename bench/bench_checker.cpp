// The script check: 2.3's player0 with its .vlo against one plain lexer pass over the same
// script, and a 10 MiB script.

#include "benchmark.h"
#include "scriptlang/checker.h"
#include "scriptlang/lexer.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {

QString corpus(const char* name)
{
    QFile file(QStringLiteral(QRB_CORPUS_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_checker: %s missing\n", name);
        std::exit(1);
    }
    return QString::fromLatin1(file.readAll());
}

std::vector<BenchRow> checkerRows(bool quick)
{
    const int runs = quick ? 1 : 15;
    const QString slo = corpus("2.3/player0.slo");
    const QString vlo = corpus("2.3/player0.vlo");
    int errors = -1;
    const double lexOnce = medianMilliseconds(runs, [&] { scriptlang::Lexer::countTokens(slo); });
    const double check =
        medianMilliseconds(runs, [&] { errors = scriptlang::errorCount(scriptlang::checkFiles(slo, vlo)); });
    if (errors != 0) {
        std::fprintf(stderr, "bench_checker: the game's script gave %d errors\n", errors);
        std::exit(1);
    }

    const int bigSize = quick ? 100 * 1024 : 10 * 1024 * 1024;
    QString big = slo;
    while (big.size() < bigSize)
        big += QStringLiteral("\nevent e%1(every, 10)\n{\n\tcount = count + 1;\n}\n").arg(big.size());
    const double bigLex = medianMilliseconds(quick ? 1 : 3, [&] { scriptlang::Lexer::countTokens(big); });
    const double bigCheck =
        medianMilliseconds(quick ? 1 : 3, [&] { scriptlang::checkFiles(big, QString()); });

    const QString size = quick ? QStringLiteral("100 KiB") : QStringLiteral("10 MiB");
    return {
        {QStringLiteral("check 2.3 player0.slo + .vlo (limit 20 ms)"), check,
         QStringLiteral("one lexer pass over player0.slo"), lexOnce, 10.0},
        {QStringLiteral("check a %1 script (limit 1000 ms)").arg(size), bigCheck,
         QStringLiteral("one lexer pass over it"), bigLex, 10.0},
    };
}

} // namespace

QRB_BENCH(checker, checkerRows)
