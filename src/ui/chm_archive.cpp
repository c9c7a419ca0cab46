#include "ui/chm_archive.h"

#include <QFile>

#include <chm_lib.h>
#include <sys/stat.h>

#include <cstring>

namespace corvane::ui {

namespace {

QString Normalised(const QString& objectPath) {
    QString p = objectPath;
    if (!p.startsWith(QLatin1Char('/'))) p.prepend(QLatin1Char('/'));
    return p;
}

quint16 ReadU16(const QByteArray& data, int at) {
    return static_cast<quint16>(static_cast<unsigned char>(data[at]) |
                                (static_cast<unsigned char>(data[at + 1]) << 8));
}

quint64 ReadLittle(const QByteArray& data, int at, int bytes) {
    quint64 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

// Sizes a help file's headers may claim. Real files use 4 KiB directory
// chunks and 32 KiB compression blocks; the limits leave ample room.
constexpr quint64 kMaxDirectoryChunk = 64u * 1024u;
constexpr quint64 kMaxCompressionBlock = 1024u * 1024u;

// The file header and the directory header, checked against the file's
// size before the help library sizes its buffers from them: a damaged or
// crafted file must not make it ask for gigabytes.
bool LayoutFitsFile(QFile& file) {
    const quint64 size = static_cast<quint64>(file.size());
    const QByteArray head = file.read(0x60);
    if (head.size() < 0x58 || !head.startsWith("ITSF")) return false;
    const quint64 version = ReadLittle(head, 4, 4);
    if (version != 2 && version != 3) return false;
    if (version == 3 && head.size() < 0x60) return false;
    const quint64 section0 = ReadLittle(head, 0x38, 8);
    const quint64 section0Length = ReadLittle(head, 0x40, 8);
    const quint64 directory = ReadLittle(head, 0x48, 8);
    const quint64 directoryLength = ReadLittle(head, 0x50, 8);
    if (section0 > size || section0Length > size - section0) return false;
    if (directory > size || directoryLength > size - directory) return false;
    if (version == 3 && ReadLittle(head, 0x58, 8) > size) return false;

    if (!file.seek(static_cast<qint64>(directory))) return false;
    const QByteArray dir = file.read(0x54);
    if (dir.size() < 0x54 || !dir.startsWith("ITSP")) return false;
    const quint64 headerLength = ReadLittle(dir, 8, 4);
    const quint64 chunk = ReadLittle(dir, 0x10, 4);
    const auto root = static_cast<qint32>(ReadLittle(dir, 0x1C, 4));
    const quint64 first = ReadLittle(dir, 0x20, 4);
    const quint64 chunks = ReadLittle(dir, 0x2C, 4);
    if (headerLength < 0x54 || headerLength > directoryLength) return false;
    if (chunk == 0 || chunk > kMaxDirectoryChunk) return false;
    if (chunks == 0 || chunks * chunk > directoryLength - headerLength) return false;
    if (root < -1 || (root >= 0 && static_cast<quint64>(root) >= chunks)) return false;
    return first < chunks;
}

// The LZX parameters: the help library decodes only windows of 2^15 to
// 2^21 bytes and divides by the reset block count, so anything else would
// crash it on the first compressed read.
bool ControlDataIsSound(chmFile* file) {
    chmUnitInfo info{};
    if (chm_resolve_object(file, "::DataSpace/Storage/MSCompressed/ControlData", &info) !=
        CHM_RESOLVE_SUCCESS)
        return false;
    if (info.space != CHM_UNCOMPRESSED || info.length < 0x18) return false;
    QByteArray data(0x18, '\0');
    if (chm_retrieve_object(file, &info, reinterpret_cast<unsigned char*>(data.data()), 0, 0x18) != 0x18)
        return false;
    if (data.mid(4, 4) != "LZXC") return false;
    const quint64 version = ReadLittle(data, 8, 4);
    quint64 resetInterval = ReadLittle(data, 12, 4);
    quint64 window = ReadLittle(data, 16, 4);
    const quint64 windowsPerReset = ReadLittle(data, 20, 4);
    if (version == 2) {
        resetInterval *= 0x8000;
        window *= 0x8000;
    }
    if (window < (1u << 15) || window > (1u << 21) || (window & (window - 1)) != 0) return false;
    if (resetInterval == 0 || resetInterval % (window / 2) != 0 || windowsPerReset == 0) return false;
    return resetInterval / (window / 2) * windowsPerReset <= 0xFFFFFFFFu;
}

// The compressed section's reset table, read from the uncompressed part:
// its block size sizes the buffers of every compressed read.
bool CompressionFitsFile(chmFile* file, quint64 size) {
    chmUnitInfo info{};
    if (chm_resolve_object(file,
                           "::DataSpace/Storage/MSCompressed/Transform/"
                           "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable",
                           &info) != CHM_RESOLVE_SUCCESS)
        return true;  // nothing compressed
    if (info.space != CHM_UNCOMPRESSED || info.length < 0x28 || info.length > size) return false;
    QByteArray table(0x28, '\0');
    if (chm_retrieve_object(file, &info, reinterpret_cast<unsigned char*>(table.data()), 0, 0x28) != 0x28)
        return false;
    const quint64 blocks = ReadLittle(table, 4, 4);
    const quint64 tableOffset = ReadLittle(table, 12, 4);
    const quint64 compressed = ReadLittle(table, 0x18, 8);
    const quint64 block = ReadLittle(table, 0x20, 8);
    if (block == 0 || block > kMaxCompressionBlock || compressed > size) return false;
    if (tableOffset > info.length || blocks > (info.length - tableOffset) / 8) return false;
    return ControlDataIsSound(file);
}

}  // namespace

ChmArchive::~ChmArchive() {
    if (file_) chm_close(file_);
}

bool ChmArchive::open(const QString& path) {
    if (file_) {
        chm_close(file_);
        file_ = nullptr;
    }
    // Only a regular file: opening a FIFO or a device could block for ever.
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    QFile raw(path);
    if (!raw.open(QIODevice::ReadOnly) || !LayoutFitsFile(raw)) return false;
    raw.close();
    file_ = chm_open(native.constData());
    if (!file_) return false;
    if (!CompressionFitsFile(file_, static_cast<quint64>(info.st_size))) {
        chm_close(file_);
        file_ = nullptr;
        return false;
    }
    readSystemRecord();
    return true;
}

bool ChmArchive::contains(const QString& objectPath) const {
    if (!file_) return false;
    chmUnitInfo info{};
    return chm_resolve_object(file_, Normalised(objectPath).toUtf8().constData(), &info) ==
           CHM_RESOLVE_SUCCESS;
}

QByteArray ChmArchive::read(const QString& objectPath) const {
    if (!file_) return {};
    chmUnitInfo info{};
    if (chm_resolve_object(file_, Normalised(objectPath).toUtf8().constData(), &info) !=
        CHM_RESOLVE_SUCCESS)
        return {};
    // Help pages are small; anything claiming more is not a help page.
    if (info.length > 64u * 1024u * 1024u) return {};
    QByteArray data(static_cast<qsizetype>(info.length), '\0');
    const LONGINT64 got = chm_retrieve_object(file_, &info, reinterpret_cast<unsigned char*>(data.data()),
                                              0, static_cast<LONGINT64>(info.length));
    // A page cut short by a damaged file is no page.
    if (got != static_cast<LONGINT64>(info.length)) return {};
    return data;
}

void ChmArchive::readSystemRecord() {
    // A 4-byte version, then records of {u16 code, u16 length, data}.
    const QByteArray system = read(QStringLiteral("/#SYSTEM"));
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
        if (code == 0) contentsFile_ = text;
        else if (code == 2) defaultTopic_ = text;
        else if (code == 3) title_ = text;
        at += length;
    }
}

}  // namespace corvane::ui
