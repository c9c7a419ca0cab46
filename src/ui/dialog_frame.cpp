#include "ui/dialog_frame.h"

#include <QPixmap>

#include "ui/fonts.h"
#include "ui/twips.h"

namespace corvane::ui {

Qt::WindowFlags FixedDialogFlags() {
    return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
           Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

QIcon NoWindowIcon() {
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    return QIcon(clear);
}

void SetUpFixedDialog(QDialog* dialog, const char* name, const QString& caption, int widthTwips,
                      int heightTwips) {
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(caption);
    dialog->setModal(true);
    dialog->setWindowIcon(NoWindowIcon());
    dialog->setFixedSize(Px(widthTwips), Px(heightTwips));
    dialog->setFont(DefaultFont());
    dialog->setAutoFillBackground(true);
    QPalette white = dialog->palette();
    white.setColor(QPalette::Window, Qt::white);
    dialog->setPalette(white);
}

}  // namespace corvane::ui
