// The four views, their pictures, and the window's layout, order and menus.
#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include <array>
#include <QTemporaryDir>

#include "ui/hidpi_pixmap.h"

using corvane::testing::FormFixture;
using corvane::ui::PictureButton;

namespace {

// The controls of each group the views switch.
QStringList TrunkControls() {
    QStringList names = {"lblTrunks",    "lblBusyH",     "lblErlangH",
                         "lblRequired1", "lblRequired2", "btnTrunks"};
    for (int i = 0; i < 5; ++i)
        for (const char* kind :
             {"lblBusy%1", "lblErlang%1", "txtBusy(%1)", "txtErlang(%1)", "txtRequired(%1)"})
            names << QString::fromLatin1(kind).arg(i);
    return names;
}

int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
    return seen.size();
}

}  // namespace

class ViewsTest : public QObject {
    Q_OBJECT

private slots:
    void EachViewShowsItsControlsAndPressedPicture() {
        FormFixture f;
        const std::pair<QStringList, int> groups[] = {
            {{"lblSelect"}, 0},
            {{"lstAgents", "lblAgents"}, 1},
            {{"lstDelays", "lblDelays"}, 2},
            {{"lblAcw", "lblCalls", "lblSlo", "lblTalk", "txtAcw", "txtCalls", "txtSlo", "txtTalk",
              "btnCalculate"},
             3},
            {TrunkControls(), 4},
        };
        struct View {
            const char* button;
            const char* name;
            std::array<bool, 5> shows;  // opening, staff table, delay table, staff inputs, trunks
        };
        const View views[] = {
            {"picStaff", "Agents", {false, true, false, true, false}},
            {"picDelays", "Delays", {false, false, true, true, false}},
            {"picTrunks", "Trunks", {false, false, false, false, true}},
            {"picCorvane", "None", {true, false, false, false, false}},
        };
        f.field("txtTalk")->setText(QStringLiteral("180"));
        for (const View& v : views) {
            f.clickView(v.button);
            QCOMPARE(f.view(), QString::fromLatin1(v.name));
            for (const auto& [names, group] : groups)
                for (const QString& name : names)
                    QVERIFY2(f.find(name)->isVisible() == v.shows[std::size_t(group)],
                             qPrintable(name + " in " + v.name));
            for (const char* hidden :
                 {"lstErlangs", "Label1", "lblCancelTrunks", "btnCancelTrunks"})
                QVERIFY2(!f.find(hidden)->isVisible(), hidden);
            for (const char* button : {"picCorvane", "picStaff", "picDelays", "picTrunks"}) {
                const bool down = QLatin1String(button) == QLatin1String(v.button);
                auto* picture = f.find<PictureButton>(button);
                QCOMPARE(QFileInfo(picture->PictureFile()).fileName(),
                         QString::fromLatin1(button) + (down ? "Down.jpg" : ".jpg"));
                QCOMPARE(picture->pixmap().size(), QSize(54, 12));
            }
        }
        QCOMPARE(f.field("txtTalk")->text(), QStringLiteral("180"));  // kept
        QVERIFY(f.messages.empty());
    }

    void PictureReplacedWithinTheSameSecondIsShown() {
        // Two pictures of the same size in bytes, written in the same second:
        // a cache keyed on name, size and time would show the first again.
        QTemporaryDir dir;
        const QString down = dir.filePath(QStringLiteral("picStaffDown.jpg"));
        const auto write = [&](const QColor& colour) {
            QImage image(60, 12, QImage::Format_RGB32);
            image.fill(colour);
            QVERIFY(image.save(down, "BMP"));
            QFile file(down);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(1700000000),
                                     QFileDevice::FileModificationTime));
        };
        write(Qt::red);
        FormFixture f(dir.path());
        f.clickView("picStaff");
        auto* staff = f.find<PictureButton>("picStaff");
        QCOMPARE(staff->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
        write(Qt::blue);
        f.clickView("picStaff");  // the same view again reads the file again
        QCOMPARE(staff->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
    }

    // A screen above one device pixel per pixel takes the double-size twin
    // when it lies beside the picture and can be read; otherwise the picture.
    void PictureTwinChosenByTheScreen() {
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("logo.png"));
        const QString twin = dir.filePath(QStringLiteral("logo@2x.png"));
        QImage image(10, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(plain));
        struct Case {
            const char* twin;  // "good", "bad" (not a picture) or "none"
            qreal ratio;
            int width;  // of the pixmap read
            qreal pixmapRatio;
        };
        const Case cases[] = {
            {"good", 2.0, 20, 2.0}, {"good", 1.5, 20, 2.0}, {"good", 1.0, 10, 1.0},
            {"bad", 2.0, 10, 1.0},  {"none", 2.0, 10, 1.0},
        };
        for (const Case& c : cases) {
            QFile::remove(twin);
            if (qstrcmp(c.twin, "good") == 0) {
                QVERIFY(image.scaled(20, 12).save(twin));
            } else if (qstrcmp(c.twin, "bad") == 0) {
                QFile bad(twin);
                QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("not a picture") > 0);
            }
            const QPixmap read = corvane::ui::LoadPicture(plain, c.ratio);
            QCOMPARE(read.width(), c.width);
            QCOMPARE(read.devicePixelRatio(), c.pixmapRatio);
        }
        QVERIFY(corvane::ui::LoadPicture(dir.filePath(QStringLiteral("none.png")), 2.0).isNull());
    }

    void MissingPicturesLeaveVisibleButtonsThatStillSwitch() {
        QTemporaryDir empty;
        FormFixture f(empty.path());
        auto* staff = f.find<PictureButton>("picStaff");
        f.form->setFocus();  // no focus mark in the pictures compared
        const QImage raised = staff->grab().toImage();
        QVERIFY2(Colours(raised) > 4, "the caption is drawn");
        f.clickView("picStaff");
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        f.form->setFocus();
        const QImage pressed = staff->grab().toImage();
        QVERIFY(Colours(pressed) > 4);
        QVERIFY(pressed != raised);  // drawn pressed for the view that shows
        QVERIFY(f.messages.empty());
    }

    void TabOrderFollowsTheTabIndexes() {
        FormFixture f;
        f.clickView("picTrunks");
        f.field("txtErlang(0)")->setFocus(Qt::OtherFocusReason);
        QStringList seen;
        for (int i = 0; i < 11; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, (QStringList{"txtBusy(0)", "txtErlang(1)", "txtBusy(1)", "txtErlang(2)",
                                    "txtBusy(2)", "txtErlang(3)", "txtBusy(3)", "txtErlang(4)",
                                    "txtBusy(4)", "btnTrunks", "txtRequired(0)"}));
        QCOMPARE(f.find("txtTalk")->property("tabIndex").toInt(), 36);
        QCOMPARE(f.find("btnCancelTrunks")->property("tabIndex").toInt(), 54);
    }

    void MenusCaptionsTitleBarAndFonts() {
        FormFixture f;
        QStringList menus;
        for (QAction* menu : f.form->menuBar()->actions()) {
            menus << menu->text();
            for (QAction* a : menu->menu()->actions()) {
                menus << a->objectName() + '=' + a->text();
                QVERIFY(!a->isSeparator());
                // Only the plan window's way in has a shortcut.
                QCOMPARE(a->shortcut(), a->objectName() == QLatin1String("mnuOpenForecast")
                                            ? QKeySequence(QKeySequence::Open)
                                            : QKeySequence());
            }
        }
        QCOMPARE(menus, (QStringList{"&File", "mnuOpenForecast=&Open Forecast...",
                                     "mnuForecastHistory=Forecast from &History...",
                                     "mnuPrint=&Print...",
                                     "mnuClipboard=&Copy to Clipboard", "mnuExit=E&xit", "&Tools",
                                     "mnuCalculate=C&alculate", "mnuClear=C&lear", "&Help",
                                     "mnuCorvanehelp=&Corvane Help", "mnuAbout=&About Corvane"}));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Corvane by Halvorsk"));
        // Minimize and close, no maximize; the program's icon.
        QCOMPARE(f.form->windowFlags() & (Qt::WindowMinimizeButtonHint |
                                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        QVERIFY(!corvane::testing::ShowsNothing(f.form->windowIcon()));
        QCOMPARE(f.find<QLabel>("lblSelect")->text(),
                 QStringLiteral("To begin, click Staff, Delays, or Trunks"));
        QCOMPARE(f.find<QLabel>("lblErlang3")->text(),
                 QStringLiteral("Erlangs of traffic for trunk group 4:"));
        QVERIFY(QFontInfo(f.list("lstAgents")->font()).fixedPitch());
        QVERIFY(QFontInfo(f.list("lstDelays")->font()).fixedPitch());
        f.form->CloseWindow();
        QVERIFY(!f.form->isVisible());
    }
};

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
