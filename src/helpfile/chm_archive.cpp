#include "helpfile/chm_archive.h"

#include <QFile>

#include <chm_lib.h>
#include <sys/stat.h>

#include <string_view>

#include "helpfile/chm_layout.h"

namespace corvane::helpfile {

namespace {

constexpr qint64 kMaxHelpFile = 64 * 1024 * 1024;

QString Normalised(const QString& objectPath) {
    QString p = objectPath;
    if (!p.startsWith(QLatin1Char('/'))) p.prepend(QLatin1Char('/'));
    return p;
}

quint16 ReadU16(const QByteArray& data, int at) {
    return static_cast<quint16>(static_cast<unsigned char>(data[at]) |
                                (static_cast<unsigned char>(data[at + 1]) << 8));
}

}  // namespace

ChmArchive::~ChmArchive() {
    if (file_) chm_close(file_);
}

Result<void, HelpFileFault> ChmArchive::Open(const QString& path) {
    if (file_) {
        chm_close(file_);
        file_ = nullptr;
    }
    // Only a regular file: opening a FIFO or a device could block for ever.
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return Fail(HelpFileFault::NotAFile);
    // A help file is small; its whole layout is checked before the help
    // library, which trusts it, reads a byte.
    if (info.st_size > kMaxHelpFile) return Fail(HelpFileFault::TooLarge);
    QFile raw(path);
    if (!raw.open(QIODevice::ReadOnly)) return Fail(HelpFileFault::Unreadable);
    const QByteArray bytes = raw.readAll();
    raw.close();
    if (!ChmLayoutIsSound(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return Fail(HelpFileFault::Damaged);
    file_ = chm_open(native.constData());
    if (!file_) return Fail(HelpFileFault::Damaged);
    ReadSystemRecord();
    return {};
}

bool ChmArchive::Contains(const QString& objectPath) const {
    if (!file_) return false;
    chmUnitInfo info{};
    return chm_resolve_object(file_, Normalised(objectPath).toUtf8().constData(), &info) ==
           CHM_RESOLVE_SUCCESS;
}

Result<QByteArray, HelpFileFault> ChmArchive::Read(const QString& objectPath) const {
    if (!file_) return Fail(HelpFileFault::Missing);
    chmUnitInfo info{};
    if (chm_resolve_object(file_, Normalised(objectPath).toUtf8().constData(), &info) !=
        CHM_RESOLVE_SUCCESS)
        return Fail(HelpFileFault::Missing);
    // Help pages are small; anything claiming more is not a help page.
    if (info.length > 64u * 1024u * 1024u) return Fail(HelpFileFault::TooLarge);
    QByteArray data(static_cast<qsizetype>(info.length), '\0');
    const LONGINT64 got =
        chm_retrieve_object(file_, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(info.length));
    // A page cut short by a damaged file is no page.
    if (got != static_cast<LONGINT64>(info.length)) return Fail(HelpFileFault::Damaged);
    return data;
}

void ChmArchive::ReadSystemRecord() {
    // A 4-byte version, then records of {u16 code, u16 length, data}.
    const QByteArray system = Read(QStringLiteral("/#SYSTEM")).ValueOr({});
    int at = 4;
    while (at + 4 <= system.size()) {
        const quint16 code = ReadU16(system, at);
        const quint16 length = ReadU16(system, at + 2);
        at += 4;
        if (at + length > system.size()) break;
        QByteArray value = system.mid(at, length);
        const int nul = value.indexOf('\0');
        if (nul >= 0) value.truncate(nul);
        const QString text = QString::fromLatin1(value);
        if (code == 0)
            contentsFile_ = text;
        else if (code == 2)
            defaultTopic_ = text;
        else if (code == 3)
            title_ = text;
        at += length;
    }
}

}  // namespace corvane::helpfile
