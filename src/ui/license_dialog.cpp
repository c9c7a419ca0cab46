#include "ui/license_dialog.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

#include "ui/dialog_frame.h"
#include "ui/twips.h"

namespace corvane::ui {

LicenseDialog::LicenseDialog(QWidget* parent) : QDialog(parent, FixedDialogFlags()) {
    SetUpFixedDialog(this, "frmLicense", QStringLiteral("Corvane License Info"), 6060, 4140);

    Label1 = new QLabel(QStringLiteral("Corvane End User License Agreement"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(360, 120, 3615, 255));
    Label1->setStyleSheet(QStringLiteral("background: white; color: black;"));

    RichTextBox1 = new QTextBrowser(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setGeometry(TwipsRect(240, 480, 5655, 3015));
    RichTextBox1->setOpenLinks(false);
    QFile text(QStringLiteral(":/corvane/license.html"));
    if (text.open(QIODevice::ReadOnly)) RichTextBox1->setHtml(QString::fromUtf8(text.readAll()));
    RichTextBox1->setAccessibleName(QStringLiteral("License agreement"));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(TwipsRect(4680, 3600, 1215, 375));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(OKButton, RichTextBox1);
    OKButton->setFocus();
}

void LicenseDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // no cancel button
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace corvane::ui
