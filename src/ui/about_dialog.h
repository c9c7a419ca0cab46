#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace corvane::ui {

// The About box: title, version and copyright; opens the licence window.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StartUp();

    QLabel* icon_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* disclaimer_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* licenseButton_ = nullptr;
};

}  // namespace corvane::ui
