// The four views: which controls show and which picture each of the four
// picture buttons carries.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/form1.h"
#include "ui/picture_button.h"

namespace corvane::ui {

void Form1::showPicture(PictureButton* button, const char* fileName, bool down) {
    // Read from disk every time, beside the program.
    button->loadPicture(QDir(pictureDir_).filePath(QString::fromLatin1(fileName)), down);
}

void Form1::ShowCorvaneView(bool visible) {
    lblSelect->setVisible(visible);
    showPicture(picCorvane, visible ? "picCorvaneDown.jpg" : "picCorvane.jpg", visible);
}

void Form1::ShowStaffView(bool visible) {
    lstAgents->setVisible(visible);
    lblAgents->setVisible(visible);
    showPicture(picStaff, visible ? "picStaffDown.jpg" : "picStaff.jpg", visible);
}

void Form1::ShowDelaysView(bool visible) {
    lstDelays->setVisible(visible);
    lblDelays->setVisible(visible);
    showPicture(picDelays, visible ? "picDelaysDown.jpg" : "picDelays.jpg", visible);
}

void Form1::ShowStaffInputs(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{lblAcw, lblCalls, lblSlo, lblTalk, txtAcw,
                                                      txtCalls, txtSlo, txtTalk, btnCalculate})
        w->setVisible(visible);
}

void Form1::ShowTrunksView(bool visible) {
    lblTrunks->setVisible(visible);
    for (int i = 0; i < 5; ++i) {
        lblBusy[i]->setVisible(visible);
        lblErlang[i]->setVisible(visible);
    }
    for (QLabel* l : {lblBusyH, lblErlangH, lblRequired1, lblRequired2}) l->setVisible(visible);
    for (int i = 0; i < 5; ++i) {
        txtBusy[i]->setVisible(visible);
        txtErlang[i]->setVisible(visible);
        txtRequired[i]->setVisible(visible);
    }
    btnTrunks->setVisible(visible);
    showPicture(picTrunks, visible ? "picTrunksDown.jpg" : "picTrunks.jpg", visible);
}

void Form1::ShowView() {
    struct Row {
        const char* view;
        bool corvane, staff, delays, inputs, trunks;
    };
    static const Row table[] = {
        {"None", true, false, false, false, false},
        {"Agents", false, true, false, true, false},
        {"Delays", false, false, true, true, false},
        {"Trunks", false, false, false, false, true},
    };
    for (const Row& row : table) {
        if (CurrentView != QLatin1String(row.view)) continue;
        ShowCorvaneView(row.corvane);
        ShowStaffView(row.staff);
        ShowDelaysView(row.delays);
        ShowStaffInputs(row.inputs);
        ShowTrunksView(row.trunks);
        return;
    }
}

void Form1::setView(const QString& view) {
    CurrentView = view;
    ShowView();
}

QListWidget* Form1::currentList() const {
    if (CurrentView == QLatin1String("Agents")) return lstAgents;
    if (CurrentView == QLatin1String("Delays")) return lstDelays;
    if (CurrentView == QLatin1String("Trunks")) return lstErlangs;
    return nullptr;
}

}  // namespace corvane::ui
