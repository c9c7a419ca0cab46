// The main window's controls: place, size, caption, font, colours and
// visibility at creation, the menu bar and the focus order.
#include <algorithm>
#include <utility>
#include <vector>

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include "model/model_constants.h"
#include "ui/fonts.h"
#include "ui/form1.h"
#include "ui/hidpi_pixmap.h"
#include "ui/picture_button.h"
#include "ui/twips.h"

namespace corvane::ui {

namespace {

// The client area: white, with the small background picture at its
// top-left corner (the logo covers it).
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent)
        : QWidget(parent),
          background_(
              LoadPicture(QStringLiteral(":/corvane/background.png"), devicePixelRatioF())) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawPixmap(0, 0, background_);
    }

private:
    QPixmap background_;
};

template <typename W>
W* Place(W* w, const char* name, int left, int top, int width, int height) {
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(TwipsRect(left, top, width, height));
    return w;
}

QString Caption(const model::InputField& field) { return QString::fromLatin1(field.caption); }

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                  int width, int height) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(TwipsRect(left, top, width, height));
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(caption.trimmed());
    return label;
}

QLineEdit* MakeField(QWidget* parent, const QString& name, int left, int top, int width, int height,
                     const QString& accessibleName) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(TwipsRect(left, top, width, height));
    field->setAccessibleName(accessibleName);
    return field;
}

// A caption a little wider in the substitute font than in the face it was
// laid out for grows to the right (into free space) instead of losing its
// last letters.
void KeepCaptionWhole(QLabel* caption) {
    const int needed = caption->sizeHint().width();
    if (needed > caption->width()) caption->resize(needed, caption->height());
}

void SetColours(QWidget* w, const char* style) { w->setStyleSheet(QString::fromLatin1(style)); }

}  // namespace

void Form1::CreateControls() {
    setWindowTitle(QString::fromLatin1(model::kReportHeading));
    QIcon icon;
    icon.addFile(QStringLiteral(":/corvane/corvane.ico.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/corvane/corvane16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/corvane/corvane64.png"), QSize(64, 64));
    setWindowIcon(icon);
    setFont(DefaultFont());

    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(10440), Px(6660));
    setCentralWidget(client);

    CreateNavigation(client);
    CreateStaffingBand(client);
    CreateResultArea(client);
    CreateTrunksArea(client);
    CreateBottomStrip(client);

    // Fixed single border: the layout never changes size, so the title bar
    // offers minimize and close but no maximize.
    client->setAutoFillBackground(false);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Enter presses the focused push button, as Space does.
    for (QPushButton* button : {calculateButton_, cancelButton_, trunksButton_})
        button->setAutoDefault(true);
}

void Form1::CreateNavigation(QWidget* client) {
    logo_ = Place(new QLabel(client), "Picture1", 0, 0, 1695, 1695);
    logo_->setPixmap(LoadPicture(QStringLiteral(":/corvane/logo.jpg"), devicePixelRatioF()));
    logo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo_->setStyleSheet(QStringLiteral("background: white;"));
    logo_->setAccessibleName(QStringLiteral("Corvane logo"));

    const QCursor hand(LoadPicture(QStringLiteral(":/corvane/hand.png"), devicePixelRatioF()), 12,
                       1);
    auto makeButton = [&](const char* name, int left, int top, const char* accessible) {
        auto* button = Place(new PictureButton(client), name, left, top, 900, 180);
        button->setCursor(hand);
        button->SetCaption(QString::fromLatin1(accessible));
        return button;
    };
    corvanePicture_ = makeButton("picCorvane", 360, 2400, "Corvane");
    navigationImage_ = Place(new QLabel(client), "Image1", 360, 2520, 495, 735);
    navigationImage_->setPixmap(
        LoadPicture(QStringLiteral(":/corvane/image1.png"), devicePixelRatioF()));
    navigationImage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    staffPicture_ = makeButton("picStaff", 840, 2640, "Staff");
    delaysPicture_ = makeButton("picDelays", 840, 2880, "Delays");
    trunksPicture_ = makeButton("picTrunks", 840, 3120, "Trunks");
    // A static image lies beneath the buttons it touches.
    navigationImage_->stackUnder(corvanePicture_);
}

void Form1::CreateStaffingBand(QWidget* client) {
    selectHint_ =
        MakeLabel(client, "lblSelect", QStringLiteral("To begin, click Staff, Delays, or Trunks"),
                  1920, 0, 8295, 975);
    selectHint_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    selectHint_->setAutoFillBackground(true);
    SetColours(selectHint_, "background: #c0c0ff; padding-top: 2px;");

    talkTitle_ = MakeLabel(client, "lblTalk", Caption(model::kTalkField), 2160, 165, 1800, 195);
    talkField_ = MakeField(client, QStringLiteral("txtTalk"), 4320, 120, 735, 285,
                           Caption(model::kTalkField));
    acwTitle_ = MakeLabel(client, "lblAcw", Caption(model::kAcwField), 2160, 525, 1965, 195);
    acwField_ =
        MakeField(client, QStringLiteral("txtAcw"), 4320, 480, 735, 285, Caption(model::kAcwField));
    callsTitle_ = MakeLabel(client, "lblCalls", Caption(model::kCallsField), 5640, 165, 1350, 195);
    callsField_ = MakeField(client, QStringLiteral("txtCalls"), 8040, 120, 735, 285,
                            Caption(model::kCallsField));
    sloTitle_ = MakeLabel(client, "lblSlo", Caption(model::kSloField), 5640, 525, 2160, 195);
    sloField_ =
        MakeField(client, QStringLiteral("txtSlo"), 8040, 480, 735, 285, Caption(model::kSloField));
    for (QLabel* caption : {talkTitle_, acwTitle_, callsTitle_, sloTitle_})
        KeepCaptionWhole(caption);
    calculateButton_ = Place(new QPushButton(QStringLiteral("&Calculate"), client), "btnCalculate",
                             9120, 120, 1095, 345);
    calculateButton_->setAccessibleName(QStringLiteral("Calculate"));
}

void Form1::CreateResultArea(QWidget* client) {
    agentsTitle_ =
        MakeLabel(client, "lblAgents",
                  QStringLiteral(" Operational results obtained from staffing level options"), 1920,
                  960, 8295, 255);
    delaysTitle_ = MakeLabel(client, "lblDelays",
                             QStringLiteral(" Number of callers waiting longer than x seconds"),
                             1920, 960, 8295, 255);
    for (QLabel* heading : {agentsTitle_, delaysTitle_}) {
        heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetColours(heading, "background: #c0c0ff; color: black; border: 1px solid black;");
    }
    agentsList_ = Place(new QListWidget(client), "lstAgents", 1920, 1200, 8295, 3840);
    delaysList_ = Place(new QListWidget(client), "lstDelays", 1920, 1200, 8295, 3840);
    agentsList_->setAccessibleName(QStringLiteral("Staffing results"));
    delaysList_->setAccessibleName(QStringLiteral("Callers waiting longer than x seconds"));
    for (QListWidget* list : {agentsList_, delaysList_}) {
        list->setFont(TableFont());
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->setUniformItemSizes(true);
    }
    SetColours(agentsList_, "QListWidget { background: white; color: black; }");
}

void Form1::CreateTrunksArea(QWidget* client) {
    trunksTitle_ =
        MakeLabel(client, "lblTrunks",
                  QStringLiteral("For each trunk group, enter the Erlangs of traffic and "
                                 "the % of busy signals allowable"),
                  1920, 840, 8295, 375);
    trunksTitle_->setAlignment(Qt::AlignCenter);
    SetColours(trunksTitle_, "background: #c0c0ff; border: 1px solid black;");

    const char* blackOnWhite = "background: white; color: black;";
    requiredTitle1_ =
        MakeLabel(client, "lblRequired1", QStringLiteral("Trunks"), 9240, 1320, 615, 255);
    erlangHeading_ =
        MakeLabel(client, "lblErlangH", Caption(model::kErlangField), 4740, 1560, 975, 255);
    busyHeading_ = MakeLabel(client, "lblBusyH", Caption(model::kBusyField), 8040, 1560, 615, 255);
    requiredTitle2_ =
        MakeLabel(client, "lblRequired2", QStringLiteral("required"), 9240, 1560, 615, 255);
    for (QLabel* heading : {requiredTitle1_, erlangHeading_, busyHeading_, requiredTitle2_}) {
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        SetColours(heading, blackOnWhite);
    }

    for (int i = 0; i < model::kTrunkGroups; ++i) {
        const int top = 1800 + 360 * i;
        const QString group = QString::number(i + 1);
        erlangTitles_[i] =
            MakeLabel(client, QStringLiteral("lblErlang%1").arg(i),
                      QStringLiteral("Erlangs of traffic for trunk group %1:").arg(group), 2160,
                      top, 2655, 255);
        erlangFields_[i] =
            MakeField(client, QStringLiteral("txtErlang(%1)").arg(i), 4920, top, 615, 285,
                      QStringLiteral("Erlangs of traffic for trunk group %1").arg(group));
        busyTitles_[i] =
            MakeLabel(client, QStringLiteral("lblBusy%1").arg(i),
                      QStringLiteral("% busy signals allowable:"), 6000, top, 1935, 255);
        busyFields_[i] =
            MakeField(client, QStringLiteral("txtBusy(%1)").arg(i), 8040, top, 615, 285,
                      QStringLiteral("Percent busy signals allowable for trunk group ") + group);
        requiredFields_[i] =
            MakeField(client, QStringLiteral("txtRequired(%1)").arg(i), 9240, top, 615, 285,
                      QStringLiteral("Trunks required for trunk group %1").arg(group));
        requiredFields_[i]->setReadOnly(true);
        KeepCaptionWhole(erlangTitles_[i]);
        KeepCaptionWhole(busyTitles_[i]);
        for (QWidget* w :
             std::initializer_list<QWidget*>{erlangTitles_[i], erlangFields_[i], busyTitles_[i],
                                             busyFields_[i], requiredFields_[i]})
            SetColours(w, blackOnWhite);
    }

    cancelHint_ = MakeLabel(client, "lblCancelTrunks",
                            QStringLiteral("These calculations can take a long time. You can stop "
                                           "by clicking the Cancel button."),
                            4440, 3720, 3135, 495);
    cancelHint_->setWordWrap(true);
    SetColours(cancelHint_, "background: white; color: #ff0000;");
    cancelButton_ = Place(new QPushButton(QStringLiteral("Cancel"), client), "btnCancelTrunks",
                          7800, 3720, 1095, 345);
    cancelButton_->setAccessibleName(QStringLiteral("Cancel"));
    // Reached by Tab, but a click leaves the focus where the user was typing.
    cancelButton_->setFocusPolicy(Qt::TabFocus);
    trunksButton_ = Place(new QPushButton(QStringLiteral("&Calculate"), client), "btnTrunks", 9120,
                          3720, 1095, 345);
    trunksButton_->setAccessibleName(QStringLiteral("Calculate"));
    cancelHint_->hide();
    cancelButton_->hide();
}

void Form1::CreateBottomStrip(QWidget* client) {
    siteLink_ =
        MakeLabel(client, "lblLink", QStringLiteral("halvorsk.example"), 4800, 5640, 2175, 375);
    QFont linkFont = DefaultFont();
    linkFont.setPointSizeF(12);
    siteLink_->setFont(linkFont);
    siteLink_->setAlignment(Qt::AlignCenter);
    SetColours(siteLink_, "background: white; color: black;");

    banner_ = Place(new QLabel(client), "Picture2", 7320, 5400, 2535, 855);
    banner_->setPixmap(LoadPicture(QStringLiteral(":/corvane/picture2.jpg"), devicePixelRatioF()));
    banner_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    banner_->setStyleSheet(QStringLiteral("background: white;"));
    banner_->setAccessibleName(QStringLiteral("Corvane staffing and trunking"));

    designerNote_ =
        MakeLabel(client, "Label1",
                  QStringLiteral("Designer's note: lstErlangs stays hidden; it holds the trunk "
                                 "table for Copy to Clipboard and Print."),
                  600, 5160, 2895, 1215);
    designerNote_->setWordWrap(true);
    designerNote_->hide();
    erlangsList_ = Place(new QListWidget(client), "lstErlangs", 4800, 5040, 975, 255);
    erlangsList_->setFont(TableFont());
    erlangsList_->hide();
}

void Form1::CreateMenus() {
    struct Item {
        const char* name;
        const char* caption;
        void (Form1::*handler)();
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    const Menu menus[] = {
        {"mnuFile",
         "&File",
         {{"mnuOpenForecast", "&Open Forecast...", &Form1::OpenForecastFile},
          {"mnuForecastHistory", "Forecast from &History...", &Form1::ForecastFromHistory},
          {"mnuPrint", "&Print...", &Form1::Print},
          {"mnuClipboard", "&Copy to Clipboard", &Form1::CopyToClipboard},
          {"mnuExit", "E&xit", &Form1::CloseWindow}}},
        {"mnuTools",
         "&Tools",
         {{"mnuCalculate", "C&alculate", &Form1::Calculate},
          {"mnuClear", "C&lear", &Form1::Clear}}},
        {"mnuHelp",
         "&Help",
         {{"mnuCorvanehelp", "&Corvane Help", &Form1::ShowHelp},
          {"mnuAbout", "&About Corvane", &Form1::ShowAbout}}},
    };
    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        for (const Item& item : m.items) {
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            if (item.handler == &Form1::OpenForecastFile) action->setShortcut(QKeySequence::Open);
            const auto handler = item.handler;
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    }
}

namespace {

// The controls that take the focus, by the tab index the layout gives them;
// labels and pictures never do.
struct TabStop {
    const char* name;
    int index;
};
constexpr TabStop kTabStops[] = {
    {"txtRequired(0)", 1},  {"picCorvane", 2},      {"lstAgents", 7},       {"lstDelays", 8},
    {"picStaff", 16},       {"picDelays", 21},      {"picTrunks", 27},      {"txtRequired(1)", 28},
    {"txtRequired(2)", 29}, {"txtRequired(3)", 30}, {"txtRequired(4)", 31}, {"txtTalk", 36},
    {"txtAcw", 39},         {"txtCalls", 40},       {"txtSlo", 41},         {"btnCalculate", 42},
    {"txtErlang(0)", 43},   {"txtBusy(0)", 44},     {"txtErlang(1)", 45},   {"txtBusy(1)", 46},
    {"txtErlang(2)", 47},   {"txtBusy(2)", 48},     {"txtErlang(3)", 49},   {"txtBusy(3)", 50},
    {"txtErlang(4)", 51},   {"txtBusy(4)", 52},     {"btnTrunks", 53},      {"btnCancelTrunks", 54},
    {"lstErlangs", 55},
};

}  // namespace

void Form1::ApplyTabOrder() {
    QWidget* previous = nullptr;
    for (const TabStop& stop : kTabStops) {  // in rising index order
        auto* widget = findChild<QWidget*>(QString::fromLatin1(stop.name));
        widget->setProperty("tabIndex", stop.index);
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
    for (QLabel* picture : {logo_, banner_, navigationImage_}) picture->setFocusPolicy(Qt::NoFocus);
}

}  // namespace corvane::ui
