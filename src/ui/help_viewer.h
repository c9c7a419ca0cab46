#pragma once

#include <memory>

#include <QTextBrowser>
#include <QWidget>

#include "helpfile/chm_archive.h"

class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace corvane::ui {

// A text browser that reads its pages and pictures from a help file
// through the chm: scheme.
class ChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChmBrowser(QWidget* parent = nullptr);
    void SetArchive(const helpfile::ChmArchive* archive) { archive_ = archive; }
    QVariant loadResource(int type, const QUrl& name) override;

private:
    const helpfile::ChmArchive* archive_ = nullptr;
};

// The program's help window: contents on the left, the page on the right,
// Back, Forward and Contents-home buttons above.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Opens a help file at its default topic; or says why it cannot be read
    // or has no page to show.
    Result<void, helpfile::HelpFileFault> OpenFile(const QString& path);
    ChmBrowser* Browser() const { return browser_; }
    QTreeWidget* Contents() const { return contents_; }
    void ShowTopic(const QString& objectPath);

private:
    void LoadContents();

    std::unique_ptr<helpfile::ChmArchive> archive_;
    ChmBrowser* browser_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QToolButton* home_ = nullptr;
    QString defaultTopic_;
};

}  // namespace corvane::ui
