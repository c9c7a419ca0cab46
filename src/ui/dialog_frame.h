#pragma once

#include <QDialog>
#include <QIcon>

namespace corvane::ui {

// A fixed dialog of the program: fixed border, no minimize or maximize
// button, no window icon, white background, the given client size in twips.
void SetUpFixedDialog(QDialog* dialog, const char* name, const QString& caption, int widthTwips,
                      int heightTwips);

Qt::WindowFlags FixedDialogFlags();

// An icon with nothing to show: a window that must carry no icon of its
// own would otherwise inherit the program's.
QIcon NoWindowIcon();

}  // namespace corvane::ui
