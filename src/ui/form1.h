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
    void SetMessageFunction(MessageFunction message);
    void SetEventPump(EventPump* pump);
    void setLocale(const QLocale& locale);
    void SetPrintDialog(output::PrintDialog* dialog);

    // What the window holds, for tests and the commands.
    const model::WindowModel& Model() const { return model_; }
    QString HelpFile() const { return helpFile_; }

    // Views.
    void ShowView();
    void ShowCorvaneView(bool visible);
    void ShowStaffView(bool visible);
    void ShowDelaysView(bool visible);
    void ShowStaffInputs(bool visible);
    void ShowTrunksView(bool visible);

    // Staffing.
    bool StaffingFieldsFilled();
    void ClearStaffing();
    void CalculateStaffing();

    // Trunks.
    void ClearTrunks();
    void CalculateTrunks();
    void CancelTrunks();

    // Commands.
    void Calculate();
    void Clear();
    void CloseWindow();
    void Print();
    void CopyToClipboard();
    void ShowHelp();
    void ShowAbout();
    void OpenForecastFile();
    void ForecastFromHistory();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class TrunkSearchBridge;

    void StartUp();
    void CreateControls();
    void CreateNavigation(QWidget* client);
    void CreateStaffingBand(QWidget* client);
    void CreateResultArea(QWidget* client);
    void CreateTrunksArea(QWidget* client);
    void CreateBottomStrip(QWidget* client);
    void CreateMenus();
    void ApplyTabOrder();
    void WireEvents();
    void ShowPicture(PictureButton* button, const char* fileName, bool down);
    void SetView(model::View view);
    void Message(const QString& text, const QString& title);
    // Runs the check of a field as it is left: the model stores the number,
    // the window shows the rewritten text and the message.
    bool ValidateField(QLineEdit* field, model::WindowField which);
    // The list boxes and required fields, as the model's reports say.
    void ShowStaffingReports();
    static void ShowLines(QListWidget* list, const model::ReportLines& lines);
    void ShowTrunkResults(int group);
    NumberMarks Marks() const;

    // Controls. Each objectName keeps the original form's name, by which
    // the layout and the tests find them.
    QLabel* logo_ = nullptr;
    QLabel* banner_ = nullptr;
    QLabel* navigationImage_ = nullptr;
    PictureButton* corvanePicture_ = nullptr;
    PictureButton* staffPicture_ = nullptr;
    PictureButton* delaysPicture_ = nullptr;
    PictureButton* trunksPicture_ = nullptr;
    QLabel* selectHint_ = nullptr;
    QLabel* talkTitle_ = nullptr;
    QLabel* acwTitle_ = nullptr;
    QLabel* callsTitle_ = nullptr;
    QLabel* sloTitle_ = nullptr;
    QLineEdit* talkField_ = nullptr;
    QLineEdit* acwField_ = nullptr;
    QLineEdit* callsField_ = nullptr;
    QLineEdit* sloField_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QLabel* agentsTitle_ = nullptr;
    QLabel* delaysTitle_ = nullptr;
    QListWidget* agentsList_ = nullptr;
    QListWidget* delaysList_ = nullptr;
    QLabel* trunksTitle_ = nullptr;
    QLabel* requiredTitle1_ = nullptr;
    QLabel* requiredTitle2_ = nullptr;
    QLabel* erlangHeading_ = nullptr;
    QLabel* busyHeading_ = nullptr;
    std::array<QLabel*, model::kTrunkGroups> erlangTitles_{};
    std::array<QLabel*, model::kTrunkGroups> busyTitles_{};
    std::array<QLineEdit*, model::kTrunkGroups> erlangFields_{};
    std::array<QLineEdit*, model::kTrunkGroups> busyFields_{};
    std::array<QLineEdit*, model::kTrunkGroups> requiredFields_{};
    QLabel* cancelHint_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* trunksButton_ = nullptr;
    QLabel* siteLink_ = nullptr;
    QLabel* designerNote_ = nullptr;
    QListWidget* erlangsList_ = nullptr;

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
