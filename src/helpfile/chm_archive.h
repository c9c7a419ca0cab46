#pragma once

#include <QByteArray>
#include <QString>

#include "calc/result.h"

struct chmFile;

namespace corvane::helpfile {

// Why a help file, or a page of it, cannot be read.
enum class HelpFileFault {
    NotAFile,    // missing, or not a regular file
    TooLarge,    // more than a help file or page is ever
    Unreadable,  // the system refuses to read it
    Damaged,     // its layout does not hold together, or a page is cut short
    Missing,     // no page by that name
};

// Read access to a compiled HTML help file.
class ChmArchive {
public:
    ChmArchive() = default;
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Opens a regular file whose headers fit its size.
    Result<void, HelpFileFault> Open(const QString& path);

    // The bytes of an object such as "/index.htm". Names are matched
    // without regard to case.
    Result<QByteArray, HelpFileFault> Read(const QString& objectPath) const;
    bool Contains(const QString& objectPath) const;

    // From the file's system record: the page it opens at, its title and
    // its table of contents (an .hhc sitemap).
    QString DefaultTopic() const { return defaultTopic_; }
    QString Title() const { return title_; }
    QString ContentsFile() const { return contentsFile_; }

private:
    void ReadSystemRecord();

    chmFile* file_ = nullptr;
    QString defaultTopic_;
    QString title_;
    QString contentsFile_;
};

}  // namespace corvane::helpfile
