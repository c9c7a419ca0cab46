#include "ui/about_dialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "ui/dialog_frame.h"
#include "ui/fonts.h"
#include "ui/license_dialog.h"
#include "ui/hidpi_pixmap.h"
#include "ui/twips.h"
#include "version.h"

namespace corvane::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, FixedDialogFlags()) {
    SetUpFixedDialog(this, "frmAbout", QString(), 5835, 3900);

    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("picIcon"));
    const QPixmap logo = LoadPicture(QStringLiteral(":/corvane/logo.jpg"), devicePixelRatioF());
    icon_->setPixmap(logo);
    // Sized to its picture.
    const QSize size =
        logo.isNull() ? QSize(Px(1560), Px(1650)) : logo.deviceIndependentSize().toSize();
    icon_->setGeometry(QRect(QPoint(Px(120), Px(120)), size));
    icon_->setAccessibleName(QStringLiteral("Corvane logo"));

    version_ = new QLabel(QStringLiteral("Version"), this);
    version_->setObjectName(QStringLiteral("lblVersion"));
    version_->setGeometry(TwipsRect(2130, 780, 3165, 225));

    disclaimer_ = new QLabel(this);
    disclaimer_->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer_->setGeometry(TwipsRect(255, 2625, 3870, 825));
    QFont disclaimerFont = DefaultFont();
    disclaimerFont.setPointSizeF(9.75);
    disclaimer_->setFont(disclaimerFont);
    disclaimer_->setWordWrap(true);
    disclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    disclaimer_->setStyleSheet(QStringLiteral("background: white; color: black;"));
    disclaimer_->setText(QStringLiteral(
        "Copyright \u00A9 Halvorsk. All rights reserved. Free to use; see License Info."));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setGeometry(TwipsRect(4245, 2625, 1260, 345));
    okButton_->setDefault(true);
    licenseButton_ = new QPushButton(QStringLiteral("&License Info"), this);
    licenseButton_->setObjectName(QStringLiteral("cmdLicense"));
    licenseButton_->setGeometry(TwipsRect(4260, 3075, 1245, 345));
    // While it has the focus, Enter presses License Info, not OK.
    licenseButton_->setAutoDefault(true);
    licenseButton_->setAccessibleName(QStringLiteral("License Info"));

    setTabOrder(okButton_, icon_);
    setTabOrder(icon_, licenseButton_);

    // OK is both the default (Enter) and the cancel button (Esc, which
    // QDialog maps to reject).
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(licenseButton_, &QPushButton::clicked, this, [this] {
        LicenseDialog license(this);
        license.exec();
    });
    StartUp();
    okButton_->setFocus();
}

void AboutDialog::StartUp() {
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kApplicationTitle));
    version_->setText(QStringLiteral("Version %1.%2.%3")
                          .arg(kVersionMajor)
                          .arg(kVersionMinor)
                          .arg(kVersionRevision));
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(Px(90), Px(2040), Px(5654), Px(2040));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(Px(105), Px(2460), Px(5654), Px(2460));
}

}  // namespace corvane::ui
