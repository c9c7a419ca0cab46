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
    void startUp();

    QLabel* picIcon = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdLicense = nullptr;
};

}  // namespace corvane::ui
