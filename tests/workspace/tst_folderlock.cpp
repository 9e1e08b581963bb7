// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/folderlock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>
#include <sys/time.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FolderLock::Outcome)

// Which lock files a new copy takes over, and which it leaves to their holder.
class FolderLockStaleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void staleLocksAreTakenOverLiveOnesNot_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("minutesOld");
        QTest::addColumn<FolderLock::Outcome>("outcome");
        QTest::addColumn<QString>("reason");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QByteArray self = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                                QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                                '\n' + host + '\n';
        using O = FolderLock::Outcome;
        QTest::newRow("another host, renewed") << "4242\nqrb2\nfar-away\n"_ba << 9 << O::Held << QString();
        QTest::newRow("another host, not renewed") << "4242\nqrb2\nfar-away\n"_ba << 11 << O::TookOver
                                                   << u"has not renewed its lock for 11 minutes"_s;
        QTest::newRow("this host, running") << self << 600 << O::Held << QString();
        QTest::newRow("names nobody, just made") << QByteArray() << 0 << O::Held << QString();
        QTest::newRow("names nobody, left")
            << QByteArray() << 1 << O::TookOver << u"left a lock file that names nobody"_s;
    }

    void staleLocksAreTakenOverLiveOnesNot()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, minutesOld);
        QFETCH(FolderLock::Outcome, outcome);
        QFETCH(QString, reason);
        TempFolder dir;
        dir.write(u".qrb2.lock"_s, content);
        const timeval then{time(nullptr) - minutesOld * 60 - 5 * (minutesOld > 0), 0};
        const timeval times[2] = {then, then};
        QCOMPARE(::utimes(qPrintable(dir.file(u".qrb2.lock"_s)), times), 0);
        FolderLock lock(dir.path());
        QCOMPARE(lock.acquire(), outcome);
        QCOMPARE(lock.staleReason(), reason);
        QCOMPARE(lock.isLocked(), outcome != FolderLock::Outcome::Held);
        if (!content.isEmpty())
            QCOMPARE(lock.holder().pid, content.left(content.indexOf('\n')).toLongLong());
        if (content.isEmpty() && lock.isLocked())
            QCOMPARE(describeTakeover(lock, u"/f"_s),
                     u"took over the lock of /f, whose lock file named nobody"_s);
        if (lock.isLocked())
            QVERIFY(
                dir.read(u".qrb2.lock"_s).startsWith(QByteArray::number(QCoreApplication::applicationPid())));
        else
            QCOMPARE(dir.read(u".qrb2.lock"_s), content);
    }
};

QRB_TEST(FolderLockStaleTest)

#include "tst_folderlock.moc"
