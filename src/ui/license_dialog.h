#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace corvane::ui {

// The end-user licence agreement, modal over the About box. It has no
// cancel button: Esc does nothing here.
class LicenseDialog : public QDialog {
    Q_OBJECT
public:
    explicit LicenseDialog(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* heading_ = nullptr;
    QTextBrowser* text_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace corvane::ui
