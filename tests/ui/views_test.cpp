#include "ui/form_fixture.h"

#include <QDateTime>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>

using corvane::testing::FormFixture;

namespace {

// Controls switched by each view, in view-table order.
const QStringList kCorvaneView = {"lblSelect"};
const QStringList kStaffView = {"lstAgents", "lblAgents"};
const QStringList kDelaysView = {"lstDelays", "lblDelays"};
const QStringList kStaffInputs = {"lblAcw",   "lblCalls", "lblSlo",  "lblTalk",     "txtAcw",
                                  "txtCalls", "txtSlo",   "txtTalk", "btnCalculate"};

QStringList TrunksView() {
    QStringList names = {"lblTrunks",    "lblBusyH",     "lblErlangH",
                         "lblRequired1", "lblRequired2", "btnTrunks"};
    for (int i = 0; i < 5; ++i) {
        names << QStringLiteral("lblBusy%1").arg(i) << QStringLiteral("lblErlang%1").arg(i)
              << QStringLiteral("txtBusy(%1)").arg(i) << QStringLiteral("txtErlang(%1)").arg(i)
              << QStringLiteral("txtRequired(%1)").arg(i);
    }
    return names;
}

const QStringList kNeverShown = {"lstErlangs", "Label1", "lblCancelTrunks", "btnCancelTrunks"};

}  // namespace

class ViewsTest : public QObject {
    Q_OBJECT

    void expectView(FormFixture& f, const char* view, bool corvane, bool staff, bool delays,
                    bool inputs, bool trunks,
                    const QString& pictureDir = QStringLiteral(CORVANE_PICTURE_DIR)) {
        QCOMPARE(f.view(), QString::fromLatin1(view));
        const std::pair<QStringList, bool> groups[] = {
            {kCorvaneView, corvane}, {kStaffView, staff},    {kDelaysView, delays},
            {kStaffInputs, inputs},  {TrunksView(), trunks},
        };
        for (const auto& [names, visible] : groups)
            for (const QString& name : names)
                QVERIFY2(f.find(name)->isVisible() == visible,
                         qPrintable(QStringLiteral("%1 in %2").arg(name, QLatin1String(view))));
        for (const QString& name : kNeverShown)
            QVERIFY2(!f.find(name)->isVisible(), qPrintable(name));
        const std::pair<const char*, bool> buttons[] = {{"picCorvane", corvane},
                                                        {"picStaff", staff},
                                                        {"picDelays", delays},
                                                        {"picTrunks", trunks}};
        for (const auto& [name, down] : buttons) {
            auto* button = f.find<corvane::ui::PictureButton>(QString::fromLatin1(name));
            const QString expected =
                QDir(pictureDir)
                    .filePath(QString::fromLatin1(name) +
                              (down ? QStringLiteral("Down.jpg") : QStringLiteral(".jpg")));
            QCOMPARE(button->pictureFile(), expected);
            QVERIFY(!button->pixmap().isNull());
            QCOMPARE(button->pixmap().size(), QSize(54, 12));
        }
    }

private slots:
    void startsInTheOpeningView() {
        FormFixture f;
        expectView(f, "None", true, false, false, false, false);
        for (const char* name : {"Picture1", "Picture2", "Image1", "lblLink"})
            QVERIFY(f.find(QString::fromLatin1(name))->isVisible());
        for (const char* name : {"txtTalk", "txtAcw", "txtCalls", "txtSlo"})
            QVERIFY(f.field(QString::fromLatin1(name))->text().isEmpty());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Corvane by Halvorsk"));
        QVERIFY(f.messages.empty());
    }

    void eachViewShowsItsControls() {
        FormFixture f;
        f.clickView("picStaff");
        expectView(f, "Agents", false, true, false, true, false);
        f.clickView("picDelays");
        expectView(f, "Delays", false, false, true, true, false);
        f.clickView("picTrunks");
        expectView(f, "Trunks", false, false, false, false, true);
        f.clickView("picCorvane");
        expectView(f, "None", true, false, false, false, false);
        QVERIFY(f.messages.empty());
    }

    void keyboardChoosesAViewToo() {
        FormFixture f;
        auto* staff = f.find("picStaff");
        staff->setFocus(Qt::TabFocusReason);
        QTest::keyClick(staff, Qt::Key_Space);
        expectView(f, "Agents", false, true, false, true, false);
    }

    void switchingKeepsInputsAndResults() {
        FormFixture f;
        f.clickView("picStaff");
        f.field("txtTalk")->setText(QStringLiteral("180"));
        f.form->model().staffing.talk = 180;
        f.clickView("picDelays");
        QCOMPARE(f.field("txtTalk")->text(), QStringLiteral("180"));
        QCOMPARE(f.form->model().staffing.talk, std::int16_t(180));
        f.clickView("picTrunks");
        f.clickView("picStaff");
        QCOMPARE(f.field("txtTalk")->text(), QStringLiteral("180"));
    }

    void secondClickOnTheActiveViewReadsThePicturesAgain() {
        QTemporaryDir dir;
        const QDir assets(QStringLiteral(CORVANE_PICTURE_DIR));
        for (const QString& file : assets.entryList({"pic*.jpg"}))
            QVERIFY(QFile::copy(assets.filePath(file), dir.filePath(file)));
        FormFixture f(dir.path());
        f.clickView("picStaff");
        expectView(f, "Agents", false, true, false, true, false, dir.path());
        // Another picture put in place between the clicks is the one shown.
        const QString down = dir.filePath(QStringLiteral("picStaffDown.jpg"));
        QVERIFY(QFile::remove(down));
        QVERIFY(QFile::copy(assets.filePath(QStringLiteral("picTrunksDown.jpg")), down));
        f.clickView("picStaff");
        expectView(f, "Agents", false, true, false, true, false, dir.path());
        auto* staff = f.find<corvane::ui::PictureButton>(QStringLiteral("picStaff"));
        QCOMPARE(staff->pixmap().toImage(),
                 QImage(assets.filePath(QStringLiteral("picTrunksDown.jpg"))));
    }

    void pictureReplacedWithinTheSameSecondIsShown() {
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
        auto* staff = f.find<corvane::ui::PictureButton>(QStringLiteral("picStaff"));
        QCOMPARE(staff->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
        write(Qt::blue);
        f.clickView("picStaff");
        QCOMPARE(staff->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
    }

    void missingPictureLeavesAVisibleButton() {
        QTemporaryDir empty;
        FormFixture f(empty.path());
        auto* staff = f.find<corvane::ui::PictureButton>(QStringLiteral("picStaff"));
        const auto colours = [](const QImage& image) {
            QSet<QRgb> seen;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
            return seen.size();
        };
        f.form->setFocus();  // no focus mark in the pictures compared
        const QImage raised = staff->grab().toImage();
        QVERIFY2(colours(raised) > 4, "the caption is drawn");
        f.clickView("picStaff");
        f.form->setFocus();
        const QImage pressed = staff->grab().toImage();
        QVERIFY(colours(pressed) > 4);
        QVERIFY(pressed != raised);  // drawn pressed for the view that shows
    }

    void missingPictureDoesNotStopTheSwitch() {
        QTemporaryDir empty;
        FormFixture f(empty.path());
        auto* staff = f.find<corvane::ui::PictureButton>(QStringLiteral("picStaff"));
        QVERIFY(staff->pixmap().isNull());
        f.clickView("picStaff");
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        QVERIFY(f.find("lstAgents")->isVisible());
        QVERIFY(staff->pixmap().isNull());
        QCOMPARE(staff->pictureFile(),
                 QDir(empty.path()).filePath(QStringLiteral("picStaffDown.jpg")));
    }

    void geometryOfASample() {
        FormFixture f;
        struct Case {
            const char* name;
            QRect rect;
        };
        const Case cases[] = {
            {"Picture1", {0, 0, 113, 113}},          {"picCorvane", {24, 160, 60, 12}},
            {"picStaff", {56, 176, 60, 12}},         {"Image1", {24, 168, 33, 49}},
            {"txtTalk", {288, 8, 49, 19}},           {"btnCalculate", {608, 8, 73, 23}},
            {"lstAgents", {128, 80, 553, 256}},      {"lstDelays", {128, 80, 553, 256}},
            {"lblAgents", {128, 64, 553, 17}},       {"txtErlang(2)", {328, 168, 41, 19}},
            {"txtBusy(4)", {536, 216, 41, 19}},      {"txtRequired(0)", {616, 120, 41, 19}},
            {"lblErlangH", {316, 104, 65, 17}},      {"btnTrunks", {608, 248, 73, 23}},
            {"btnCancelTrunks", {520, 248, 73, 23}}, {"Picture2", {488, 360, 169, 57}},
        };
        for (const Case& c : cases)
            QCOMPARE(f.find(QString::fromLatin1(c.name))->geometry(), c.rect);
        QCOMPARE(f.form->centralWidget()->size(), QSize(696, 444));
        QCOMPARE(f.form->minimumSize(), f.form->maximumSize());
    }

    void tabOrderFollowsTheTabIndexes() {
        FormFixture f;
        f.clickView("picStaff");
        QWidget* w = f.field("txtTalk");
        w->setFocus(Qt::OtherFocusReason);
        QStringList seen;
        for (const char* text : {"180", "30", "100", "20"}) {
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, (QStringList{"txtAcw", "txtCalls", "txtSlo", "btnCalculate"}));
        QVERIFY(f.messages.empty());

        f.clickView("picTrunks");
        f.field("txtErlang(0)")->setFocus(Qt::OtherFocusReason);
        seen.clear();
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

    void menusInOrderWithAccessKeysOnly() {
        FormFixture f;
        const QList<QAction*> menus = f.form->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        const QStringList captions = {"&File", "&Tools", "&Help"};
        const QList<QStringList> items = {{"&Print...", "&Copy to Clipboard", "E&xit"},
                                          {"C&alculate", "C&lear"},
                                          {"&Corvane Help", "&About Corvane"}};
        const QList<QStringList> names = {{"mnuPrint", "mnuClipboard", "mnuExit"},
                                          {"mnuCalculate", "mnuClear"},
                                          {"mnuCorvanehelp", "mnuAbout"}};
        for (int m = 0; m < 3; ++m) {
            QCOMPARE(menus[m]->text(), captions[m]);
            const QList<QAction*> actions = menus[m]->menu()->actions();
            QCOMPARE(actions.size(), items[m].size());
            for (int i = 0; i < actions.size(); ++i) {
                QCOMPARE(actions[i]->text(), items[m][i]);
                QCOMPARE(actions[i]->objectName(), names[m][i]);
                QVERIFY(actions[i]->shortcut().isEmpty());
                QVERIFY(!actions[i]->isSeparator());
            }
        }
    }

    void captionsAndFonts() {
        FormFixture f;
        QCOMPARE(f.find<QLabel>("lblSelect")->text(),
                 QStringLiteral("To begin, click Staff, Delays, or Trunks"));
        QCOMPARE(f.find<QLabel>("lblAgents")->text(),
                 QStringLiteral(" Operational results obtained from staffing level options"));
        QCOMPARE(f.find<QLabel>("lblErlang3")->text(),
                 QStringLiteral("Erlangs of traffic for trunk group 4:"));
        QCOMPARE(f.find<QPushButton>("btnTrunks")->text(), QStringLiteral("&Calculate"));
        QVERIFY(QFontInfo(f.list("lstAgents")->font()).fixedPitch());
        QVERIFY(QFontInfo(f.list("lstDelays")->font()).fixedPitch());
        QVERIFY(!f.form->windowIcon().isNull());
    }

    void exitClosesAtOnce() {
        FormFixture f;
        f.form->mnuExit_Click();
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.messages.empty());
    }
};

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
