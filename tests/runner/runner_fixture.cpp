// SPDX-License-Identifier: GPL-3.0-or-later
// Two small test classes for the runner's own test. A function fails when QRB_FIXTURE_FAIL
// names it as Class::function.
#include "support/testregistry.h"

class FixtureBase : public QObject {
    Q_OBJECT
protected:
    void check() const
    {
        const QString self = QLatin1String(metaObject()->className()) + QLatin1String("::") +
                             QLatin1String(QTest::currentTestFunction());
        QVERIFY(!qEnvironmentVariable("QRB_FIXTURE_FAIL").split(u',').contains(self));
    }
};

class AlphaTest : public FixtureBase {
    Q_OBJECT
private Q_SLOTS:
    void shared() { check(); }
    void onlyInAlpha() { check(); }
    void tagged_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
    }
    void tagged() { check(); }
};

class BetaTest : public FixtureBase {
    Q_OBJECT
private Q_SLOTS:
    void shared() { check(); }
    void onlyInBeta() { check(); }
};

QRB_TEST(AlphaTest)
QRB_TEST(BetaTest)

#include "runner_fixture.moc"
