#include "ui/form_fixture.h"

#include <QClipboard>

#include "output/clipboard_copy.h"
#include "support/worked_example.h"

using corvane::testing::FormFixture;
using corvane::testing::ShownMessage;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kHeading = QStringLiteral("Corvane by Halvorsk\r\n\r\n");

template <std::size_t N>
QString Joined(const char* const (&lines)[N]) {
    QString out;
    for (const char* l : lines) out += QString::fromLatin1(l) + kCrLf;
    return out;
}

}  // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

    void expectAdvice(const FormFixture& f) {
        QCOMPARE(f.messages.size(), std::size_t(1));
        QCOMPARE(f.messages[0].title, QStringLiteral("Copy To Clipboard"));
        const QStringList lines = f.messages[0].text.split(kCrLf);
        QCOMPARE(
            lines,
            (QStringList{
                "To maintain alignment of the columns after pasting into your word processor,",
                "be sure to specify a mono-spaced font, like Courier New.  A proportional-spaced",
                "font, such as Times New Roman, will not maintain alignment.  Consult your word",
                "processor's User Guide for the procedure to specify fonts."}));
    }

private slots:
    void openingViewCopiesTheHeadingOnly() {
        FormFixture f;
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        f.form->mnuClipboard_Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), kHeading);
        expectAdvice(f);
    }

    void staffingAndDelaysViews() {
        FormFixture f;
        f.calculateWorkedExample();
        f.form->mnuClipboard_Click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 kHeading + Joined(corvane::testing::kWorkedStaffingHead) +
                     Joined(corvane::testing::kWorkedStaffingRows));
        expectAdvice(f);
        f.clickView("picDelays");
        f.form->mnuClipboard_Click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 kHeading + Joined(corvane::testing::kWorkedDelayHead) +
                     Joined(corvane::testing::kWorkedDelayRows));
        QCOMPARE(f.view(), QStringLiteral("Delays"));
    }

    void trailingSpacesAreKept() {
        FormFixture f;
        f.calculateWorkedExample(QStringLiteral("20  "));
        f.form->mnuClipboard_Click();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("Service Level Objective (Sec.): 20  \r\n \r\nAgents")));
    }

    void trunksViewKeepsTheTableLineBreaks() {
        FormFixture f;
        f.clickView("picTrunks");
        f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("10"));
        f.typeAndTab(QStringLiteral("txtBusy(0)"), QStringLiteral("1"));
        f.form->CalculateTrunks();
        f.form->mnuClipboard_Click();
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            kHeading +
                QStringLiteral(
                    "Trunks Required per Group for Erlangs and % Busy Signals Allowable\r\n\r\n"
                    "        Traffic in    % Busy      Trunks\r\n"
                    "Group     Erlangs    Allowable   Required\r\n"
                    "=====     =======    =========   ========\r\n"
                    "   1        10.0            1         18\r\n\r\n\r\n"));
    }

    void failureReportsTheErrorInsteadOfTheAdvice() {
        std::vector<ShownMessage> shown;
        corvane::output::CopyToClipboard({}, nullptr, [&](const QString& t, const QString& title) {
            shown.push_back({t, title});
        });
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0], (ShownMessage{"Unexpected error #  521", "Copy To Clipboard"}));
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
