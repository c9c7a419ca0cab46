#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QLocale>
#include <QMainWindow>
#include <QString>

#include "calc/number_marks.h"
#include "ui/message_box.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvane::output {
class PrintDialog;
}  // namespace corvane::output

namespace corvane::ui {

class EventPump;
class FocusValidation;
class PictureButton;
class HelpLauncher;

// The main window: the staffing and trunk inputs, the four views, the
// result lists and the commands.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // `pictureDir` holds the eight view-button pictures; by default the
    // program's own directory.
    explicit Form1(const QString& pictureDir = QString(), QWidget* parent = nullptr);
    ~Form1() override;

    // Seams for tests; the defaults talk to the real platform.
    void setMessageFunction(MessageFunction message);
    void setEventPump(EventPump* pump);
    void setLocale(const QLocale& locale);
    void setPrintDialog(output::PrintDialog* dialog);

    // State the window owns.
    QString CurrentView;
    std::int16_t TalkValue = 0;
    std::int16_t AcwValue = 0;
    std::int16_t CallsValue = 0;
    std::int16_t SloValue = 0;
    std::array<double, 5> GroupErlangs{};
    std::array<std::int16_t, 5> GroupBusy{};
    std::array<std::int16_t, 5> GroupTrunks{};
    QString helpFile() const { return helpFile_; }
    bool trunkRunInProgress() const { return trunkRunActive_; }

    // Views.
    void ShowView();
    void ShowCorvaneView(bool visible);
    void ShowStaffView(bool visible);
    void ShowDelaysView(bool visible);
    void ShowStaffInputs(bool visible);
    void ShowTrunksView(bool visible);

    // Staffing.
    bool txtTalk_Validate();
    bool txtAcw_Validate();
    bool txtCalls_Validate();
    bool txtSlo_Validate();
    bool btnCalculate_GotFocus();
    void ClearStaffing();
    void CalculateStaff();

    // Trunks.
    bool txtErlang_Validate(int index);
    bool txtBusy_Validate(int index);
    void ClearTrunks();
    void CalculateTrunks();
    void btnCancelTrunks_Click();

    // Commands.
    void mnuCalculate_Click();
    void mnuClear_Click();
    void mnuExit_Click();
    void mnuPrint_Click();
    void mnuClipboard_Click();
    void mnuCorvanehelp_Click();
    void mnuAbout_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class TrunkSearchBridge;

    void Form_Load();
    void createControls();
    void createNavigation(QWidget* client);
    void createStaffingBand(QWidget* client);
    void createResultArea(QWidget* client);
    void createTrunksArea(QWidget* client);
    void createBottomStrip(QWidget* client);
    void createMenus();
    void applyTabOrder();
    void wireEvents();
    void showPicture(PictureButton* button, const char* fileName, bool down);
    void setView(const QString& view);
    void message(const QString& text, const QString& title);
    QListWidget* currentList() const;

    bool validateStaffField(QLineEdit* field, std::int16_t& stored, int low, int high,
                            const QString& rangeMessage, const QString& title);
    NumberMarks marks() const;

    // Controls, named as their objectName.
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Image1 = nullptr;
    PictureButton* picCorvane = nullptr;
    PictureButton* picStaff = nullptr;
    PictureButton* picDelays = nullptr;
    PictureButton* picTrunks = nullptr;
    QLabel* lblSelect = nullptr;
    QLabel* lblTalk = nullptr;
    QLabel* lblAcw = nullptr;
    QLabel* lblCalls = nullptr;
    QLabel* lblSlo = nullptr;
    QLineEdit* txtTalk = nullptr;
    QLineEdit* txtAcw = nullptr;
    QLineEdit* txtCalls = nullptr;
    QLineEdit* txtSlo = nullptr;
    QPushButton* btnCalculate = nullptr;
    QLabel* lblAgents = nullptr;
    QLabel* lblDelays = nullptr;
    QListWidget* lstAgents = nullptr;
    QListWidget* lstDelays = nullptr;
    QLabel* lblTrunks = nullptr;
    QLabel* lblRequired1 = nullptr;
    QLabel* lblRequired2 = nullptr;
    QLabel* lblErlangH = nullptr;
    QLabel* lblBusyH = nullptr;
    std::array<QLabel*, 5> lblErlang{};
    std::array<QLabel*, 5> lblBusy{};
    std::array<QLineEdit*, 5> txtErlang{};
    std::array<QLineEdit*, 5> txtBusy{};
    std::array<QLineEdit*, 5> txtRequired{};
    QLabel* lblCancelTrunks = nullptr;
    QPushButton* btnCancelTrunks = nullptr;
    QPushButton* btnTrunks = nullptr;
    QLabel* lblLink = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* lstErlangs = nullptr;

    QString pictureDir_;
    QString helpFile_;
    QLocale locale_;
    MessageFunction message_;
    std::unique_ptr<EventPump> ownPump_;
    EventPump* pump_ = nullptr;
    std::unique_ptr<output::PrintDialog> ownPrintDialog_;
    output::PrintDialog* printDialog_ = nullptr;
    std::unique_ptr<HelpLauncher> help_;
    FocusValidation* validation_ = nullptr;
    bool trunkRunActive_ = false;
    bool closing_ = false;
};

}  // namespace corvane::ui
