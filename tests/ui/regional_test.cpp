#include "ui/form_fixture.h"

#include <QClipboard>

using corvane::testing::FormFixture;

// With German settings the fields read and the tables write "," for the
// decimals and "." for the thousands.
class RegionalTest : public QObject {
    Q_OBJECT

private slots:
    void germanTrunkEntryAndTable() {
        FormFixture f;
        f.form->setLocale(QLocale(QLocale::German, QLocale::Germany));
        f.clickView("picTrunks");
        f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("12,5"));
        QCOMPARE(f.field(QStringLiteral("txtErlang(0)"))->text(), QStringLiteral("12,5"));
        QCOMPARE(f.form->model().trunks[0].erlangs, 12.5);
        f.typeAndTab(QStringLiteral("txtBusy(0)"), QStringLiteral("2,5"));
        QCOMPARE(f.field(QStringLiteral("txtBusy(0)"))->text(), QStringLiteral("2"));
        f.form->CalculateTrunks();
        QCOMPARE(f.items(QStringLiteral("lstErlangs")).at(4),
                 QStringLiteral("   1        12,5            2         20"));
        QVERIFY(f.messages.empty());
    }

    void germanStaffingTable() {
        FormFixture f;
        f.form->setLocale(QLocale(QLocale::German, QLocale::Germany));
        f.clickView("picStaff");
        f.typeStaffing(QStringLiteral("1.800"), QStringLiteral("0"), QStringLiteral("707"),
                       QStringLiteral("20"));
        QCOMPARE(f.form->model().staffing.talk, std::int16_t(1800));
        f.click(f.find(QStringLiteral("btnCalculate")));
        QCOMPARE(
            f.items(QStringLiteral("lstAgents")).at(7),
            QStringLiteral("  708    95,4 1.717,4 1.800,0    674,6    707,0     6   100 1.381,"));
    }

    void englishIsTheReference() {
        FormFixture f;  // the fixture's own settings are English
        f.clickView("picTrunks");
        f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("12,5"));
        QCOMPARE(f.form->model().trunks[0].erlangs, 125.0);
        QCOMPARE(f.field(QStringLiteral("txtErlang(0)"))->text(), QStringLiteral("125.0"));
    }
};

QTEST_MAIN(RegionalTest)
#include "regional_test.moc"
