#include "ui/help_viewer.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <vector>

#include "helpfile/help_contents.h"
#include "ui/fonts.h"

namespace corvane::ui {

namespace {

const QString kScheme = QStringLiteral("chm");

QUrl TopicUrl(const QString& objectPath) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(objectPath.startsWith(QLatin1Char('/')) ? objectPath
                                                        : QLatin1Char('/') + objectPath);
    return url;
}

}  // namespace

ChmBrowser::ChmBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant ChmBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() == kScheme && archive_) {
        const auto read = archive_->Read(name.path());
        if (!read) return {};
        const QByteArray& data = read.Value();
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(data);
        return data;
    }
    // Nothing outside the help file is fetched.
    return {};
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Corvane Help"));
    resize(820, 560);

    auto* tools = new QHBoxLayout;
    auto makeTool = [&](const QString& text, const char* name) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        tools->addWidget(b);
        return b;
    };
    back_ = makeTool(QStringLiteral("< &Back"), "helpBack");
    forward_ = makeTool(QStringLiteral("&Forward >"), "helpForward");
    home_ = makeTool(QStringLiteral("&Home"), "helpHome");
    tools->addStretch(1);

    contents_ = new QTreeWidget(this);
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setHeaderLabel(QStringLiteral("Contents"));
    browser_ = new ChmBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));

    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 3);
    split->setSizes({220, 600});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(split, 1);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, this, [this] { ShowTopic(defaultTopic_); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    const auto showItem = [this](QTreeWidgetItem* item) {
        const QString local = item->data(0, Qt::UserRole).toString();
        if (!local.isEmpty()) ShowTopic(local);
    };
    connect(contents_, &QTreeWidget::itemActivated, this, showItem);
    connect(contents_, &QTreeWidget::itemClicked, this, showItem);
}

HelpViewer::~HelpViewer() = default;

Result<void, helpfile::HelpFileFault> HelpViewer::OpenFile(const QString& path) {
    auto archive = std::make_unique<helpfile::ChmArchive>();
    if (auto opened = archive->Open(path); !opened) return opened;
    QString topic = archive->DefaultTopic();
    // A file whose start page cannot actually be read is unreadable: the
    // window would open empty.
    if (topic.isEmpty()) return Fail(helpfile::HelpFileFault::Missing);
    const auto start = archive->Read(topic);
    if (!start) return Fail(start.Error());
    if (start.Value().isEmpty()) return Fail(helpfile::HelpFileFault::Damaged);
    archive_ = std::move(archive);
    browser_->SetArchive(archive_.get());
    browser_->clearHistory();
    defaultTopic_ = topic;
    if (!archive_->Title().isEmpty()) setWindowTitle(archive_->Title());
    LoadContents();
    ShowTopic(topic);
    return {};
}

void HelpViewer::ShowTopic(const QString& objectPath) { browser_->setSource(TopicUrl(objectPath)); }

void HelpViewer::LoadContents() {
    contents_->clear();
    if (archive_->ContentsFile().isEmpty()) return;
    const QByteArray sitemap = archive_->Read(archive_->ContentsFile()).ValueOr({});
    // Each entry hangs under the last one a level up.
    std::vector<QTreeWidgetItem*> path;
    for (const helpfile::ContentsEntry& entry :
         helpfile::ParseContents({sitemap.constData(), static_cast<std::size_t>(sitemap.size())})) {
        path.resize(static_cast<std::size_t>(entry.depth));
        auto* item =
            path.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(path.back());
        item->setText(0, QString::fromStdString(entry.name));
        item->setData(0, Qt::UserRole, QString::fromStdString(entry.local));
        path.push_back(item);
    }
    contents_->expandAll();
}

}  // namespace corvane::ui
