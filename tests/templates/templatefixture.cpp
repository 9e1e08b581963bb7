#include "templatefixture.h"

QByteArray numberedLines(const char* prefix, int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += prefix + QByteArray::number(i) + "\r\n";
    return out;
}

void writeNumberedRtsLists(const TempFolder& folder, const QString& rts)
{
    folder.write(rts + QStringLiteral("/weapons.txt"), numberedLines("W", 33));
    folder.write(rts + QStringLiteral("/bodies.txt"), numberedLines("B", 14));
    folder.write(rts + QStringLiteral("/propulsions.txt"), numberedLines("P", 4));
    folder.write(rts + QStringLiteral("/propulsions_2.txt"), numberedLines("Q", 4));
}

QList<QByteArray> fileLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype end = bytes.indexOf("\r\n", start); end >= 0; end = bytes.indexOf("\r\n", start)) {
        lines.append(bytes.mid(start, end - start));
        start = end + 2;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start) + "<no CR LF>");
    return lines;
}
