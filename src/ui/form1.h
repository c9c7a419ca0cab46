#pragma once

// How the window, the model and the core meet:
//  - model::WindowModel (src/model) holds what the window holds: the view,
//    the numbers the field checks stored, the trunk groups, the report
//    lines of each view and the trunk run. It decides; it has no widgets.
//  - Form1 shows the model: it forwards each user action (a field left, a
//    picture clicked, a menu command) to the model's checks and runs, shows
//    their messages, and copies the report lines into its list boxes.
//  - The runs call the core (src/calc): the staffing engine, the trunk
//    search and the table texts. Output (src/output) copies and prints a
//    heading and lines.
//  - FocusValidation runs a field's check before the focus leaves it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include <QLocale>
#include <QMainWindow>
#include <QString>

#include "calc/number_marks.h"
#include "model/input_fields.h"
#include "model/model_constants.h"
#include "model/window_model.h"
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

    // What the window holds, for tests and the commands.
    const model::WindowModel& model() const { return model_; }
    QString helpFile() const { return helpFile_; }

    // Views.
    void showView();
    void showCorvaneView(bool visible);
    void showStaffView(bool visible);
    void showDelaysView(bool visible);
    void showStaffInputs(bool visible);
    void showTrunksView(bool visible);

    // Staffing.
    bool staffingFieldsFilled();
    void clearStaffing();
    void calculateStaffing();

    // Trunks.
    void clearTrunks();
    void calculateTrunks();
    void cancelTrunks();

    // Commands.
    void calculate();
    void clear();
    void closeWindow();
    void print();
    void copyToClipboard();
    void showHelp();
    void showAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class TrunkSearchBridge;

    void startUp();
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
    void setView(model::View view);
    void message(const QString& text, const QString& title);
    // Runs the check of a field as it is left: the model stores the number,
    // the window shows the rewritten text and the message.
    bool validateField(QLineEdit* field, model::WindowField which);
    // The list boxes and required fields, as the model's reports say.
    void showStaffingReports();
    static void showLines(QListWidget* list, const model::ReportLines& lines);
    void showTrunkResults(int group);
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
    std::array<QLabel*, model::kTrunkGroups> lblErlang{};
    std::array<QLabel*, model::kTrunkGroups> lblBusy{};
    std::array<QLineEdit*, model::kTrunkGroups> txtErlang{};
    std::array<QLineEdit*, model::kTrunkGroups> txtBusy{};
    std::array<QLineEdit*, model::kTrunkGroups> txtRequired{};
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
    model::WindowModel model_;
    bool closing_ = false;
};

}  // namespace corvane::ui
