// The help-file reader on arbitrary bytes: it must refuse or read, never
// crash, hang or ask for more memory than the file could justify.
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "helpfile/chm_archive.h"

namespace {

const QString& ScratchFile() {
    static const QString path = QStringLiteral("/tmp/corvane-fuzz-help-%1.chm").arg(::getpid());
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile out(ScratchFile());
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    corvane::helpfile::ChmArchive archive;
    if (!archive.Open(ScratchFile())) return 0;
    // Everything the help window reads: the start page, the contents and a
    // page by name.
    for (const QString& page :
         {archive.DefaultTopic(), archive.ContentsFile(), QStringLiteral("/index.htm")})
        static_cast<void>(archive.Read(page));
    return 0;
}
