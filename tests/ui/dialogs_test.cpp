#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include "ui/frm_about.h"
#include "ui/frm_license.h"
#include "ui/help_launcher.h"
#include "ui/help_viewer.h"

#include <sys/stat.h>

using corvane::testing::FormFixture;
using corvane::testing::ScriptedPump;
using corvane::testing::WhenModal;
using corvane::testing::ShownMessage;

namespace {

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Corvane")); }

    void aboutShowsTitleAndVersionEveryTime() {
        FormFixture f;
        for (int opening = 0; opening < 2; ++opening) {
            QString caption, version;
            WhenModal([&](QWidget* about) {
                caption = about->windowTitle();
                version = about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
                QTest::keyClick(about, Qt::Key_Escape);
            });
            f.form->mnuAbout_Click();  // returns when the box is closed
            QCOMPARE(caption, QStringLiteral("About Corvane"));
            QCOMPARE(version, QStringLiteral("Version 5.0.26"));
        }
        QVERIFY(f.form->findChildren<corvane::ui::frmAbout*>().isEmpty());  // unloaded
    }

    void okClosesTheAboutBox() {
        FormFixture f;
        bool closedByOk = false;
        WhenModal([&](QWidget* about) {
            f.click(about->findChild<QPushButton*>(QStringLiteral("cmdOK")));
            closedByOk = true;
        });
        f.form->mnuAbout_Click();
        QVERIFY(closedByOk);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void licenceOpensModallyOverTheAboutBox() {
        corvane::ui::frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QString licenceTitle;
        bool escapeIgnored = false;
        bool aboutBlocked = false;
        WhenModal([&](QWidget* licence) {
            licenceTitle = licence->windowTitle();
            aboutBlocked = QApplication::activeModalWidget() == licence && licence->isModal();
            QTest::keyClick(licence, Qt::Key_Escape);
            escapeIgnored = licence->isVisible();
            QVERIFY(!licence->findChild<QTextBrowser*>(QStringLiteral("RichTextBox1"))
                         ->toPlainText()
                         .isEmpty());
            QCOMPARE(licence->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                     QStringLiteral("Corvane End User License Agreement"));
            licence->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        about.findChild<QPushButton*>(QStringLiteral("cmdLicense"))->click();
        QCOMPARE(licenceTitle, QStringLiteral("Corvane License Info"));
        QVERIFY(escapeIgnored);
        QVERIFY(aboutBlocked);
        QVERIFY(about.isVisible());  // back to the About box
    }

    void helpCommandChangesNothingInTheWindow() {
        FormFixture f;
        f.clickView("picStaff");
        f.typeAndTab(QStringLiteral("txtTalk"), QStringLiteral("180"));
        f.form->CalculateStaff();
        const QStringList before = f.items(QStringLiteral("lstAgents"));
        f.form->mnuCorvanehelp_Click();
        QCOMPARE(f.view(), QStringLiteral("Agents"));
        QCOMPARE(f.field(QStringLiteral("txtTalk"))->text(), QStringLiteral("180"));
        QCOMPARE(f.form->model().staffing.talk, std::int16_t(180));
        QCOMPARE(f.items(QStringLiteral("lstAgents")), before);
    }

    void helpFileIsBesideTheProgram() {
        FormFixture f;
        QCOMPARE(f.form->helpFile(),
                 QDir(QCoreApplication::applicationDirPath()).filePath("Corvane.chm"));
    }

    void missingHelpFileSaysSo() {
        FormFixture f;  // the test program's directory holds no help file
        QVERIFY(!QFile::exists(f.form->helpFile()));
        f.form->mnuCorvanehelp_Click();
        QCOMPARE(f.messages.size(), std::size_t(1));
        QVERIFY(f.messages[0].text.contains(QDir::toNativeSeparators(f.form->helpFile())));
        QCOMPARE(f.messages[0].title, QStringLiteral("Corvane Help"));
        auto* viewer = f.form->findChild<corvane::ui::HelpViewer*>();
        QVERIFY(!viewer || !viewer->isVisible());
        // F1 pressed in a field reaches the window the same way.
        f.clickView("picStaff");
        QTest::keyClick(f.field(QStringLiteral("txtTalk")), Qt::Key_F1);
        QCOMPARE(f.messages.size(), std::size_t(2));
        QCOMPARE(f.messages[1], f.messages[0]);
    }

    void viewerOpensTheDefaultTopicAndFollowsLinks() {
        corvane::ui::HelpViewer viewer;
        QVERIFY(viewer.openFile(QStringLiteral(CORVANE_CHM_FILE)));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(viewer.browser()->source().path(), QStringLiteral("/index.htm"));
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Welcome to Corvane")));
        QVERIFY(viewer.contents()->topLevelItemCount() >= 4);

        // Click the link to the staffing page.
        QTextCursor link = viewer.browser()->document()->find(QStringLiteral("Staffing table"));
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 2);
        const QPoint at = viewer.browser()->cursorRect(link).center();
        QTest::mouseClick(viewer.browser()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(viewer.browser()->source().path(), QStringLiteral("/staffing.htm"));
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("DLYDLY")));
        viewer.browser()->backward();
        QCOMPARE(viewer.browser()->source().path(), QStringLiteral("/index.htm"));
    }

    void damagedHelpFilesAreRefusedWithTheMessage_data() {
        QTest::addColumn<QString>("damage");
        for (const char* d : {"fifo", "directory", "cut short", "huge directory chunk",
                              "directory past the end", "lzx window", "text"})
            QTest::newRow(d) << QString::fromLatin1(d);
    }

    void damagedHelpFilesAreRefusedWithTheMessage() {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Corvane.chm"));
        QFile good(QStringLiteral(CORVANE_CHM_FILE));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QByteArray bytes = good.readAll();
        const auto put32 = [&](int at, quint32 v) {
            for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
        };
        const auto directory = [&] {
            quint32 at = 0;
            for (int i = 3; i >= 0; --i)
                at = (at << 8) | static_cast<unsigned char>(bytes[0x48 + i]);
            return static_cast<int>(at);
        };
        if (damage == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else if (damage == QLatin1String("directory")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Corvane.chm")));
        } else {
            if (damage == QLatin1String("cut short")) bytes.truncate(7000);
            if (damage == QLatin1String("huge directory chunk"))
                put32(directory() + 0x10, 0xFFFFFFFFu);
            if (damage == QLatin1String("directory past the end")) put32(0x50, 0x7FFFFFFFu);
            if (damage == QLatin1String("lzx window"))
                put32(static_cast<int>(bytes.indexOf("LZXC")) + 12, 0x100);
            if (damage == QLatin1String("text")) bytes = "not a help file";
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        QWidget owner;
        std::vector<ShownMessage> messages;
        corvane::ui::HelpLauncher launcher(&owner, [&](const QString& text, const QString& title) {
            messages.push_back({text, title});
        });
        launcher.open(path);
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0],
                 (ShownMessage{QStringLiteral("The help file \"%1\" is missing or cannot be read.")
                                   .arg(QDir::toNativeSeparators(path)),
                               QStringLiteral("Corvane Help")}));
    }

    void flippedBytesNeverGiveABlankHelpWindow() {
        QFile good(QStringLiteral(CORVANE_CHM_FILE));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray original = good.readAll();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Corvane.chm"));
        int refused = 0;
        for (int at = 0; at + 40 <= original.size(); at += 250) {
            QByteArray bytes = original;
            for (int i = at; i < at + 40; ++i) bytes[i] = static_cast<char>(~bytes[i]);
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bytes);
            out.close();
            corvane::ui::HelpViewer viewer;
            if (!viewer.openFile(path)) {
                ++refused;
                continue;
            }
            // Opened: then its start page has something to show.
            QVERIFY2(!viewer.browser()->toPlainText().trimmed().isEmpty(),
                     qPrintable(QString::number(at)));
        }
        QVERIFY(refused > 0);
    }

    void helpFilesThatOnceCrashedTheReaderAreRefused() {
        const QDir kept(QStringLiteral(CORVANE_FUZZ_CORPUS "/fuzz_help_file"));
        const QStringList found = kept.entryList({QStringLiteral("*-crash.chm")});
        QVERIFY(found.size() >= 2);
        for (const QString& name : found) {
            corvane::ui::HelpViewer viewer;
            QVERIFY2(!viewer.openFile(kept.filePath(name)), qPrintable(name));
        }
    }

    void unreadableHelpFileIsRefused() {
        QTemporaryDir dir;
        QFile bad(dir.filePath(QStringLiteral("Corvane.chm")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a help file");
        bad.close();
        corvane::ui::HelpViewer viewer;
        QVERIFY(!viewer.openFile(bad.fileName()));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
