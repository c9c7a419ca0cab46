// Copy and print: the clipboard text, and the printed report checked
// column by column in a real PDF.
#include "ui/form_fixture.h"

#include <QClipboard>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "model/window_messages.h"
#include "output/clipboard_copy.h"
#include "output/painter_print_surface.h"
#include "support/worked_example.h"

using corvane::testing::FormFixture;
using corvane::testing::ShownMessage;

namespace {

const QString kMargin(10, QLatin1Char(' '));

// The Print dialog as a test answers it: a copy count or Cancel; the
// output goes to a PDF with no page margins, so each character column of
// the text lands on a fixed column of the page.
class PdfPrintDialog : public corvane::output::PrintDialog {
public:
    explicit PdfPrintDialog(const QString& file) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    std::optional<int> Choose() override {
        ++shown;
        if (copies < 0) return std::nullopt;  // a negative count stands for Cancel
        return copies;
    }
    corvane::output::PrintSurface* Surface() override {
        if (!surface_) surface_ = std::make_unique<corvane::output::PainterPrintSurface>(&printer);
        return surface_.get();
    }

    QPrinter printer{QPrinter::HighResolution};
    int copies = 1;
    int shown = 0;

private:
    std::unique_ptr<corvane::output::PainterPrintSurface> surface_;
};

QString Pdftotext(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(PDFTOTEXT), args);
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// The pages of a PDF as lines of text, column-exact, trailing blanks dropped.
QList<QStringList> PdfPages(const QString& file) {
    QList<QStringList> pages;
    for (const QString& page : Pdftotext({"-fixed", "6", file, "-"}).split(QLatin1Char('\f'))) {
        QStringList lines = page.split(QLatin1Char('\n'));
        for (QString& l : lines)
            while (l.endsWith(QLatin1Char(' '))) l.chop(1);
        while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        if (!lines.isEmpty()) pages << lines;
    }
    return pages;
}

// How many line heights stand above the heading on a page of a staffing
// report: measured from the heading and the first echo line two lines below.
double LinesAboveHeading(const QString& file, int page) {
    const QString html =
        Pdftotext({"-bbox", "-f", QString::number(page), "-l", QString::number(page), file, "-"});
    static const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    double heading = -1, average = -1;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(2) == QLatin1String("Corvane") && heading < 0)
            heading = m.captured(1).toDouble();
        if (m.captured(2) == QLatin1String("Average") && average < 0)
            average = m.captured(1).toDouble();
    }
    return heading / ((average - heading) / 2);
}

// One printed copy from its heading on.
QStringList ExpectedCopy(const QStringList& items) {
    QStringList lines{kMargin + QStringLiteral("Corvane by Halvorsk"), QString()};
    for (const QString& item : items)
        for (QString part : item.split(QStringLiteral("\r\n"))) {
            part = kMargin + part;
            while (part.endsWith(QLatin1Char(' '))) part.chop(1);
            lines << part;
        }
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QStringList Lines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out;
}
}  // namespace

class OutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/corvane-print-XXXXXX")};

    // File, Print with the window's dialog replaced by one printing to `pdf`.
    static int Print(FormFixture& f, const QString& pdf, int copies,
                     const QMarginsF& margins = {}) {
        PdfPrintDialog dialog(pdf);
        dialog.copies = copies;
        dialog.printer.setPageMargins(margins, QPageLayout::Millimeter);
        f.form->SetPrintDialog(&dialog);
        f.form->Print();
        f.form->SetPrintDialog(nullptr);
        return dialog.shown;
    }

private slots:
    void initTestCase() { dir_.setAutoRemove(qEnvironmentVariableIsEmpty("CORVANE_KEEP_PDF")); }

    void ClipboardHoldsTheHeadingAndTheTableOfTheView() {
        const QString heading = QStringLiteral("Corvane by Halvorsk\r\n\r\n");
        const QString advice =
            "To maintain alignment of the columns after pasting into your word processor,\r\n"
            "be sure to specify a mono-spaced font, like Courier New.  A proportional-spaced\r\n"
            "font, such as Times New Roman, will not maintain alignment.  Consult your word\r\n"
            "processor's User Guide for the procedure to specify fonts.";
        FormFixture f;
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        f.form->CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), heading);  // the opening view
        f.calculateStaffing({"180", "30", "100", "20  "});        // trailing blanks are kept
        f.clickView("picDelays");
        f.form->CopyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 heading + (f.items("lstDelays") << QString()).join("\r\n"));
        QVERIFY(QGuiApplication::clipboard()->text().contains("(Sec.): 20  \r\n \r\n "));
        f.clickView("picTrunks");
        f.fillGroup(0, QStringLiteral("10"), QStringLiteral("1"));
        f.form->CalculateTrunks();
        f.form->CopyToClipboard();
        // The trunk report as a planner pastes it: the heading line ends in
        // its own line break, and the last item is one more.
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 heading +
                     "Trunks Required per Group for Erlangs and % Busy Signals Allowable\r\n\r\n"
                     "        Traffic in    % Busy      Trunks\r\n"
                     "Group     Erlangs    Allowable   Required\r\n"
                     "=====     =======    =========   ========\r\n"
                     "   1        10.0            1         18\r\n\r\n\r\n");
        QCOMPARE(f.messages.size(), std::size_t(3));
        for (const ShownMessage& m : f.messages)
            QCOMPARE(m, (ShownMessage{advice, QStringLiteral("Copy To Clipboard")}));

        // Without a clipboard: error 521, and the window's words for it.
        const auto failed = corvane::output::CopyToClipboard({}, nullptr);
        QVERIFY(!failed && failed.Error() == corvane::kErrClipboard);
        const corvane::model::RunMessage shown = corvane::model::ClipboardOutcome(failed);
        QCOMPARE(shown.text, std::string("Unexpected error #  521"));
        QCOMPARE(shown.title, std::string("Copy To Clipboard"));
    }

    void CopiesEachOnTheirOwnPageWithSixLinesAbove() {
        FormFixture f;
        f.calculateStaffing();
        for (const int copies : {1, 3}) {
            const QString pdf = dir_.filePath(QStringLiteral("copies%1.pdf").arg(copies));
            Print(f, pdf, copies);
            const auto pages = PdfPages(pdf);
            QCOMPARE(pages.size(), copies);  // no empty page after the last copy
            const QStringList expected =
                ExpectedCopy(Lines(corvane::testing::WorkedExample("agents")));
            for (int page = 0; page < copies; ++page) {
                QCOMPARE(pages[page], expected);
                QVERIFY(qAbs(LinesAboveHeading(pdf, page + 1) - 6.0) < 0.25);
            }
        }
        QVERIFY(f.messages.empty());
    }

    void TrunkTableKeepsItsLineBreaks() {
        FormFixture f;
        f.clickView("picTrunks");
        f.fillGroup(0, QStringLiteral("10"), QStringLiteral("1"));
        f.form->CalculateTrunks();
        const QString pdf = dir_.filePath(QStringLiteral("trunks.pdf"));
        Print(f, pdf, 1);
        QCOMPARE(PdfPages(pdf), (QList<QStringList>{ExpectedCopy(f.items("lstErlangs"))}));
        QCOMPARE(PdfPages(pdf)[0][3], QString());  // the head item's own line break
    }

    void LongTableContinuesOnTheNextPage() {
        FormFixture f;
        f.calculateStaffing({"1800", "0", "707", "20"});
        const QString pdf = dir_.filePath(QStringLiteral("long.pdf"));
        Print(f, pdf, 1, QMarginsF(0, 40, 0, 40));  // room for fewer lines than the copy holds
        const auto pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0] + pages[1], ExpectedCopy(f.items("lstAgents")));
    }

    void NothingIsPrintedWithoutATableCopiesOrConsent() {
        struct Case {
            const char* view;
            int copies;  // -1: Cancel
            int dialogs;
            const char* file = "none.pdf";  // in a missing folder: a printer that fails quietly
        };
        for (const Case c : {Case{"picCorvane", 1, 0}, Case{"picStaff", 0, 1},
                             Case{"picStaff", -1, 1}, Case{"picStaff", 2, 1, "missing/none.pdf"}}) {
            FormFixture f;
            f.clickView(c.view);
            const QString pdf = dir_.filePath(QString::fromLatin1(c.file));
            QCOMPARE(Print(f, pdf, c.copies), c.dialogs);
            QVERIFY(!QFile::exists(pdf));
            QVERIFY(f.messages.empty());
        }
        FormFixture f;
        f.clickView("picStaff");  // an empty table: the heading alone
        const QString pdf = dir_.filePath(QStringLiteral("empty.pdf"));
        Print(f, pdf, 1);
        QCOMPARE(PdfPages(pdf), (QList<QStringList>{ExpectedCopy({})}));
    }
};

QTEST_MAIN(OutputTest)
#include "output_test.moc"
