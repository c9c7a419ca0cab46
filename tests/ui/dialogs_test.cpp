// The About box, the licence window, and the help: opened, found, and
// damaged help files refused with the message that names them.
#include "ui/form_fixture.h"
#include "ui/window_helpers.h"

#include <sys/stat.h>

#include <QTemporaryDir>
#include <QtEndian>
#include <QTextBrowser>
#include <QTreeWidget>

#include "ui/about_dialog.h"
#include "ui/help_launcher.h"
#include "ui/help_viewer.h"

using corvane::testing::FormFixture;
using corvane::testing::ShownMessage;
using corvane::testing::ShowsNothing;
using corvane::testing::WhenModal;

namespace {

bool OnlyClose(const QWidget* w) {
    return !(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) &&
           (w->windowFlags() & Qt::WindowCloseButtonHint) && ShowsNothing(w->windowIcon());
}

QByteArray GoodHelpFile() {
    QFile good(QStringLiteral(CORVANE_CHM_FILE));
    return good.open(QIODevice::ReadOnly) ? good.readAll() : QByteArray();
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Corvane")); }

    void AboutBoxShowsTitleAndVersionAndClosesByOkOrEscape() {
        FormFixture f;
        for (const bool byOk : {true, false}) {
            QString caption, version;
            bool onlyClose = false;
            WhenModal([&](QWidget* about) {
                caption = about->windowTitle();
                version = about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
                onlyClose = OnlyClose(about);
                if (byOk)
                    f.click(about->findChild<QPushButton*>(QStringLiteral("cmdOK")));
                else
                    QTest::keyClick(about, Qt::Key_Escape);
            });
            f.form->ShowAbout();  // returns when the box is closed
            QCOMPARE(caption, QStringLiteral("About Corvane"));
            QCOMPARE(version, QStringLiteral("Version 5.0.26"));
            QVERIFY(onlyClose);
        }
        QVERIFY(f.form->findChildren<corvane::ui::AboutDialog*>().isEmpty());  // unloaded
    }

    void LicenceOpensModallyByEnterOnLicenseInfo() {
        corvane::ui::AboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdLicense"));
        QString title, heading;
        bool modal = false, escapeIgnored = false, hasText = false, onlyClose = false;
        WhenModal([&](QWidget* licence) {
            title = licence->windowTitle();
            heading = licence->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            modal = QApplication::activeModalWidget() == licence && licence->isModal();
            onlyClose = OnlyClose(licence);
            hasText = !licence->findChild<QTextBrowser*>()->toPlainText().isEmpty();
            QTest::keyClick(licence, Qt::Key_Escape);
            escapeIgnored = licence->isVisible();
            licence->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(title, QStringLiteral("Corvane License Info"));
        QCOMPARE(heading, QStringLiteral("Corvane End User License Agreement"));
        QVERIFY(modal && escapeIgnored && hasText && onlyClose);
        QVERIFY(about.isVisible());
        // With the focus back on OK, Enter closes the box.
        QWidget* ok = about.findChild<QWidget*>(QStringLiteral("cmdOK"));
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!about.isVisible());
    }

    void MissingHelpFileSaysSoFromTheMenuAndFromF1() {
        FormFixture f;  // the test program's directory holds no help file
        QCOMPARE(f.form->HelpFile(),
                 QDir(QCoreApplication::applicationDirPath()).filePath("Corvane.chm"));
        f.form->ShowHelp();
        f.clickView("picStaff");
        QTest::keyClick(f.field("txtTalk"), Qt::Key_F1);
        const ShownMessage missing{
            QStringLiteral("The help file \"%1\" is missing or cannot be read.")
                .arg(QDir::toNativeSeparators(f.form->HelpFile())),
            QStringLiteral("Corvane Help")};
        QCOMPARE(f.messages, (std::vector<ShownMessage>{missing, missing}));
        QCOMPARE(f.view(), QStringLiteral("Agents"));  // nothing else changed
    }

    void ViewerOpensTheDefaultTopicAndFollowsLinks() {
        corvane::ui::HelpViewer viewer;
        QVERIFY(viewer.OpenFile(QStringLiteral(CORVANE_CHM_FILE)));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(viewer.Browser()->source().path(), QStringLiteral("/index.htm"));
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("Welcome to Corvane")));
        // The contents nest as the file's lists do: three pages under "Calculating".
        QCOMPARE(viewer.Contents()->topLevelItemCount(), 6);
        QCOMPARE(viewer.Contents()->topLevelItem(5)->text(0), QStringLiteral("The plan window"));
        QCOMPARE(viewer.Contents()->topLevelItem(2)->child(0)->text(0),
                 QStringLiteral("Staffing table"));
        QCOMPARE(viewer.Contents()->topLevelItem(2)->childCount(), 3);
        QTextCursor link = viewer.Browser()->document()->find(QStringLiteral("Staffing table"));
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 2);
        QTest::mouseClick(viewer.Browser()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          viewer.Browser()->cursorRect(link).center());
        QCOMPARE(viewer.Browser()->source().path(), QStringLiteral("/staffing.htm"));
        viewer.Browser()->backward();
        QCOMPARE(viewer.Browser()->source().path(), QStringLiteral("/index.htm"));
    }

    // Each of these once crashed, hung or showed a blank window.
    void DamagedHelpFilesAreRefusedWithTheMessage() {
        const QByteArray good = GoodHelpFile();
        QVERIFY(!good.isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Corvane.chm"));
        const auto put = [&](const QByteArray& bytes) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(out.write(bytes), bytes.size());
        };
        const auto patched = [&](qsizetype at, quint32 value) {
            QByteArray bytes = good;
            qToLittleEndian(value, bytes.data() + at);
            return bytes;
        };
        const qsizetype directory = qFromLittleEndian<quint16>(good.constData() + 0x48);
        const std::pair<const char*, QByteArray> damages[] = {
            {"cut short", good.left(7000)},
            {"huge directory chunk", patched(directory + 0x10, 0xFFFFFFFFu)},
            {"directory past the end", patched(0x50, 0x7FFFFFFFu)},
            {"lzx window", patched(good.indexOf("LZXC") + 12, 0x100)},
            {"text", "not a help file"},
        };
        for (const auto& [damage, bytes] : damages) {
            put(bytes);
            QVERIFY2(!corvane::ui::HelpViewer().OpenFile(path), damage);
        }
        QVERIFY(QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY(!corvane::ui::HelpViewer().OpenFile(path));
        QVERIFY(QFile::remove(path) && QDir(dir.path()).mkdir(QStringLiteral("Corvane.chm")));
        // The message names the file.
        QWidget owner;
        std::vector<ShownMessage> messages;
        corvane::ui::HelpLauncher(&owner, [&](const QString& text, const QString& title) {
            messages.push_back({text, title});
        }).Open(path);
        QCOMPARE(messages.size(), std::size_t(1));
        QVERIFY(messages[0].text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("Corvane.chm")));

        // Flipped bytes anywhere: refused or read, never a blank window.
        int refused = 0;
        for (int at = 0; at + 40 <= good.size(); at += 250) {
            QByteArray bytes = good;
            for (int i = at; i < at + 40; ++i) bytes[i] = static_cast<char>(~bytes[i]);
            put(bytes);
            corvane::ui::HelpViewer viewer;
            if (!viewer.OpenFile(path))
                ++refused;
            else
                QVERIFY2(!viewer.Browser()->toPlainText().trimmed().isEmpty(),
                         qPrintable(QString::number(at)));
        }
        QVERIFY(refused > 0);
        // And the files that once crashed the help library.
        const QDir kept(QStringLiteral(CORVANE_FUZZ_CORPUS "/fuzz_help_file"));
        const QStringList found = kept.entryList({QStringLiteral("*-crash.chm")});
        QCOMPARE(found.size(), 2);
        for (const QString& name : found)
            QVERIFY2(!corvane::ui::HelpViewer().OpenFile(kept.filePath(name)), qPrintable(name));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
