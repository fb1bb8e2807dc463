#include "platforma/FaktaSouboru.h"
#include "platforma/posix/Posix.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>
#include <sys/stat.h>

namespace vantrel::platforma {

// The desktop's name, from the shared MIME database that the file managers read.
std::u16string TypSouboru(const TCesta& cesta) {
    std::string bajty;
    struct stat st;
    // A missing file would otherwise be named by its suffix alone.
    if (!posix::BajtyCesty(cesta, bajty) || ::stat(bajty.c_str(), &st) != 0)
        return {};
    const QString jmeno = QString::fromStdU16String(cesta);
    const QFileInfo info(jmeno);
    // A name in the locale's codeset, which Qt cannot open: the type its name gives.
    const QMimeType typ =
        info.exists() ? QMimeDatabase().mimeTypeForFile(info)
                      : QMimeDatabase().mimeTypeForFile(jmeno, QMimeDatabase::MatchExtension);
    return typ.comment().toStdU16String();
}

} // namespace vantrel::platforma
