#include "ui/help_launcher.h"

#include <QDir>

#include "ui/help_viewer.h"

namespace corvane::ui {

HelpLauncher::HelpLauncher(QWidget* owner, MessageFunction message)
    : owner_(owner), message_(std::move(message)) {}

HelpLauncher::~HelpLauncher() { delete viewer_.data(); }

void HelpLauncher::Open(const QString& helpFile, const QString& topic) {
    if (!viewer_) viewer_ = new HelpViewer(owner_);
    if (!viewer_->OpenFile(helpFile)) {
        viewer_->hide();
        message_(QStringLiteral("The help file \"%1\" is missing or cannot be read.")
                     .arg(QDir::toNativeSeparators(helpFile)),
                 QStringLiteral("Corvane Help"));
        return;
    }
    if (!topic.isEmpty()) viewer_->ShowTopic(topic);
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

}  // namespace corvane::ui
