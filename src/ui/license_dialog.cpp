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

    heading_ = new QLabel(QStringLiteral("Corvane End User License Agreement"), this);
    heading_->setObjectName(QStringLiteral("Label1"));
    heading_->setGeometry(TwipsRect(360, 120, 3615, 255));
    heading_->setStyleSheet(QStringLiteral("background: white; color: black;"));

    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("RichTextBox1"));
    text_->setGeometry(TwipsRect(240, 480, 5655, 3015));
    text_->setOpenLinks(false);
    QFile text(QStringLiteral(":/corvane/license.html"));
    if (text.open(QIODevice::ReadOnly)) text_->setHtml(QString::fromUtf8(text.readAll()));
    text_->setAccessibleName(QStringLiteral("License agreement"));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setGeometry(TwipsRect(4680, 3600, 1215, 375));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(okButton_, text_);
    okButton_->setFocus();
}

void LicenseDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // no cancel button
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace corvane::ui
