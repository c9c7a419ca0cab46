#include "ui/form_fixture.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "output/painter_print_surface.h"
#include "output/print_surface.h"
#include "support/worked_example.h"

using corvane::testing::FormFixture;

namespace {

// The Print dialog as a test answers it: a copy count or Cancel; the
// output goes to a PDF file with no page margins, so each character
// column of the text lands on a fixed column of the page.
class PdfPrintDialog : public corvane::output::PrintDialog {
public:
    explicit PdfPrintDialog(const QString& file) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
    bool choose(int* chosen) override {
        ++shown;
        if (cancel) return false;
        *chosen = copies;
        return true;
    }
    corvane::output::PrintSurface* surface() override {
        if (!surface_) surface_ = std::make_unique<corvane::output::PainterPrintSurface>(&printer);
        return surface_.get();
    }

    QPrinter printer{QPrinter::HighResolution};
    int copies = 1;
    bool cancel = false;
    int shown = 0;

private:
    std::unique_ptr<corvane::output::PainterPrintSurface> surface_;
};

// The pages of a PDF as text, column-exact.
QStringList PdfPages(const QString& file) {
    QProcess p;
    p.start(QStringLiteral(PDFTOTEXT), {"-fixed", "6", file, "-"});
    if (!p.waitForFinished(30000)) return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

template <std::size_t N>
QStringList Lines(const char* const (&lines)[N]) {
    QStringList out;
    for (const char* l : lines) out << QString::fromLatin1(l);
    return out;
}

const QString kMargin(10, QLatin1Char(' '));

// One printed copy from its heading on, as its lines of text (trailing
// blanks dropped: the text extraction keeps neither them nor the empty
// lines above the first text of a page).
QStringList ExpectedCopy(const QStringList& items) {
    QStringList lines;
    lines << kMargin + QStringLiteral("Corvane by Halvorsk") << QString();
    for (const QString& item : items)
        for (const QString& part : item.split(QStringLiteral("\r\n"))) lines << (kMargin + part);
    for (QString& l : lines) {
        while (l.endsWith(QLatin1Char(' '))) l.chop(1);
    }
    return lines;
}

// How many line heights stand above the heading on a page of a staffing
// report: measured from the heading and the first echo line two lines below.
double LinesAboveHeading(const QString& file, int page) {
    QProcess p;
    p.start(QStringLiteral(PDFTOTEXT),
            {"-bbox", "-f", QString::number(page), "-l", QString::number(page), file, "-"});
    if (!p.waitForFinished(30000)) return -1;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    double heading = -1, average = -1;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(2) == QLatin1String("Corvane") && heading < 0)
            heading = m.captured(1).toDouble();
        if (m.captured(2) == QLatin1String("Average") && average < 0)
            average = m.captured(1).toDouble();
    }
    if (heading < 0 || average < 0) return -1;
    return heading / ((average - heading) / 2);
}

QStringList PageLines(const QString& page, int count) {
    QStringList lines = page.split(QLatin1Char('\n')).mid(0, count);
    for (QString& l : lines) {
        while (l.endsWith(QLatin1Char(' '))) l.chop(1);
    }
    return lines;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/corvane-print-XXXXXX")};

    // Chooses File, Print with the window's dialog replaced by `dialog`.
    static void Print(FormFixture& f, PdfPrintDialog& dialog) {
        f.form->setPrintDialog(&dialog);
        f.form->mnuPrint_Click();
        f.form->setPrintDialog(nullptr);
    }

private slots:
    void initTestCase() { dir_.setAutoRemove(qEnvironmentVariableIsEmpty("CORVANE_KEEP_PDF")); }

    void oneCopyOfTheStaffingTable() {
        FormFixture f;
        f.calculateWorkedExample();
        const QString pdf = dir_.filePath(QStringLiteral("one.pdf"));
        PdfPrintDialog dialog(pdf);
        Print(f, dialog);
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        const QStringList expected = ExpectedCopy(f.items(QStringLiteral("lstAgents")));
        QCOMPARE(PageLines(pages[0], expected.size()), expected);
        QVERIFY(qAbs(LinesAboveHeading(pdf, 1) - 6.0) < 0.25);  // six empty lines first
        QVERIFY(f.messages.empty());
    }

    void threeCopiesEachOnItsOwnPage() {
        FormFixture f;
        f.calculateWorkedExample();
        f.clickView("picDelays");
        const QString pdf = dir_.filePath(QStringLiteral("three.pdf"));
        PdfPrintDialog dialog(pdf);
        dialog.copies = 3;
        Print(f, dialog);
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 3);  // no empty page after the last copy
        const QStringList expected = ExpectedCopy(Lines(corvane::testing::kWorkedDelayHead) +
                                                  Lines(corvane::testing::kWorkedDelayRows));
        for (const QString& page : pages) QCOMPARE(PageLines(page, expected.size()), expected);
        for (int page = 1; page <= 3; ++page)
            QVERIFY(qAbs(LinesAboveHeading(pdf, page) - 6.0) < 0.25);
    }

    void trunkTableKeepsItsLineBreaks() {
        FormFixture f;
        f.clickView("picTrunks");
        f.typeAndTab(QStringLiteral("txtErlang(0)"), QStringLiteral("10"));
        f.typeAndTab(QStringLiteral("txtBusy(0)"), QStringLiteral("1"));
        f.form->CalculateTrunks();
        const QString pdf = dir_.filePath(QStringLiteral("trunks.pdf"));
        PdfPrintDialog dialog(pdf);
        Print(f, dialog);
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        // The blank lines after the last group line show no text.
        const QStringList lines = PageLines(pages[0], 8);
        QCOMPARE(lines,
                 (QStringList{
                     kMargin + "Corvane by Halvorsk", "",
                     kMargin + "Trunks Required per Group for Erlangs and % Busy Signals Allowable",
                     "", kMargin + "        Traffic in    % Busy      Trunks",
                     kMargin + "Group     Erlangs    Allowable   Required",
                     kMargin + "=====     =======    =========   ========",
                     kMargin + "   1        10.0            1         18"}));
    }

    void longTableContinuesOnTheNextPage() {
        FormFixture f;
        f.clickView("picStaff");
        f.typeStaffing(QStringLiteral("1800"), QStringLiteral("0"), QStringLiteral("707"),
                       QStringLiteral("20"));
        f.click(f.find(QStringLiteral("btnCalculate")));
        QCOMPARE(f.list(QStringLiteral("lstAgents"))->count(), 65);
        const QString pdf = dir_.filePath(QStringLiteral("long.pdf"));
        PdfPrintDialog dialog(pdf);
        // Page margins leave room for fewer lines than the copy holds.
        dialog.printer.setPageMargins(QMarginsF(0, 40, 0, 40), QPageLayout::Millimeter);
        Print(f, dialog);
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 2);
        // Every item printed once, in order, across the two pages.
        QStringList printed;
        for (const QString& page : pages)
            for (QString line : page.split(QLatin1Char('\n')))
                if (line.startsWith(kMargin + QStringLiteral("  7")))
                    printed << line.mid(10).trimmed();
        QCOMPARE(printed.size(), 58);
        QCOMPARE(
            printed.first(),
            QStringLiteral("708    95.4 1,717.4 1,800.0    674.6    707.0     6   100 1,381."));
        QVERIFY(!pages[1].contains(QStringLiteral("Corvane by Halvorsk")));  // no repeated heading
    }

    void zeroCopiesAndCancelPrintNothing() {
        FormFixture f;
        f.calculateWorkedExample();
        const QString none = dir_.filePath(QStringLiteral("zero.pdf"));
        PdfPrintDialog zero(none);
        zero.copies = 0;
        Print(f, zero);
        QCOMPARE(zero.shown, 1);
        QVERIFY(!QFile::exists(none));  // no copy, so no document is begun

        const QString cancelled = dir_.filePath(QStringLiteral("cancel.pdf"));
        PdfPrintDialog cancel(cancelled);
        cancel.cancel = true;
        Print(f, cancel);
        QCOMPARE(cancel.shown, 1);
        QVERIFY(!QFile::exists(cancelled));
        QVERIFY(f.messages.empty());
    }

    void openingViewShowsNoDialog() {
        FormFixture f;
        const QString pdf = dir_.filePath(QStringLiteral("opening.pdf"));
        PdfPrintDialog dialog(pdf);
        Print(f, dialog);
        QCOMPARE(dialog.shown, 0);
        QVERIFY(!QFile::exists(pdf));
    }

    void emptyListPrintsTheHeadingOnly() {
        FormFixture f;
        f.clickView("picStaff");
        const QString pdf = dir_.filePath(QStringLiteral("empty.pdf"));
        PdfPrintDialog dialog(pdf);
        Print(f, dialog);
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(PageLines(pages[0], 2), ExpectedCopy({}));
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
