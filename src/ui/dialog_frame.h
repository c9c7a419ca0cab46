#pragma once

#include <QDialog>

namespace corvane::ui {

// A fixed dialog of the program: fixed border, no minimize or maximize
// button, no window icon, white background, the given client size in twips.
void SetUpFixedDialog(QDialog* dialog, const char* name, const QString& caption, int widthTwips,
                      int heightTwips);

Qt::WindowFlags FixedDialogFlags();

}  // namespace corvane::ui
