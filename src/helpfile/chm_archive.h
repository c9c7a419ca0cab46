#pragma once

#include <QByteArray>
#include <QString>

struct chmFile;

namespace corvane::helpfile {

// Read access to a compiled HTML help file.
class ChmArchive {
public:
    ChmArchive() = default;
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Opens a regular file whose headers fit its size; false otherwise.
    bool Open(const QString& path);

    // The bytes of an object such as "/index.htm"; empty when missing.
    // Names are matched without regard to case.
    QByteArray Read(const QString& objectPath) const;
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
