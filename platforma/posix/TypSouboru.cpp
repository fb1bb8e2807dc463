#include "platforma/FaktaSouboru.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>

namespace vantrel::platforma {

// The desktop's name, from the shared MIME database that the file managers read.
std::u16string TypSouboru(const TCesta& cesta) {
    if (cesta.empty() || cesta.find(u'\0') != TCesta::npos)
        return {};
    // A missing file would otherwise be named by its suffix alone.
    const QFileInfo info(QString::fromStdU16String(cesta));
    if (!info.exists())
        return {};
    return QMimeDatabase().mimeTypeForFile(info).comment().toStdU16String();
}

} // namespace vantrel::platforma
