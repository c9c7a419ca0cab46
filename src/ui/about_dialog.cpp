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

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    const QPixmap logo = LoadPicture(QStringLiteral(":/corvane/logo.jpg"), devicePixelRatioF());
    picIcon->setPixmap(logo);
    // Sized to its picture.
    const QSize size =
        logo.isNull() ? QSize(Px(1560), Px(1650)) : logo.deviceIndependentSize().toSize();
    picIcon->setGeometry(QRect(QPoint(Px(120), Px(120)), size));
    picIcon->setAccessibleName(QStringLiteral("Corvane logo"));

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(TwipsRect(2130, 780, 3165, 225));

    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setGeometry(TwipsRect(255, 2625, 3870, 825));
    QFont disclaimerFont = DefaultFont();
    disclaimerFont.setPointSizeF(9.75);
    lblDisclaimer->setFont(disclaimerFont);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setStyleSheet(QStringLiteral("background: white; color: black;"));
    lblDisclaimer->setText(QStringLiteral(
        "Copyright \u00A9 Halvorsk. All rights reserved. Free to use; see License Info."));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    cmdLicense = new QPushButton(QStringLiteral("&License Info"), this);
    cmdLicense->setObjectName(QStringLiteral("cmdLicense"));
    cmdLicense->setGeometry(TwipsRect(4260, 3075, 1245, 345));
    // While it has the focus, Enter presses License Info, not OK.
    cmdLicense->setAutoDefault(true);
    cmdLicense->setAccessibleName(QStringLiteral("License Info"));

    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdLicense);

    // OK is both the default (Enter) and the cancel button (Esc, which
    // QDialog maps to reject).
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdLicense, &QPushButton::clicked, this, [this] {
        LicenseDialog license(this);
        license.exec();
    });
    startUp();
    cmdOK->setFocus();
}

void AboutDialog::startUp() {
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kApplicationTitle));
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
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
