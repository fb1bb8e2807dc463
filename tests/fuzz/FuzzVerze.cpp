// The version reader on untrusted bytes: a file that is not ELF, is truncated or lies about its
// sections gives the empty text; nothing may crash, hang or read outside the file.

#include "Fuzz.h"
#include "support/SoubUtility.h"

#include <QRegularExpression>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    using namespace vantrel::fuzz;
    const std::string cesta =
        Zapis(Slozka().Soubor("program"), std::string(reinterpret_cast<const char*>(data), size));
    static const QRegularExpression tvar[] = {
        QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")),
        QRegularExpression(QStringLiteral("^\\d+$")),
        QRegularExpression(QStringLiteral("^\\d+\\.\\d+$")),
        QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")),
    };
    const TSouboroveInfo info;
    const std::u16string soubor = QString::fromStdString(cesta).toStdU16String();
    const QString uplna = QString::fromStdU16String(info.VerzeSouboru(soubor, 0));
    Over(uplna.isEmpty() || tvar[0].match(uplna).hasMatch(), "form 0 gives four numbers");
    for (std::uint8_t forma = 1; forma <= 3; ++forma) {
        const QString verze = QString::fromStdU16String(info.VerzeSouboru(soubor, forma));
        Over(verze.isEmpty() == uplna.isEmpty(), "every form finds the same record");
        Over(verze.isEmpty() || (tvar[forma].match(verze).hasMatch() && uplna.startsWith(verze)),
             "forms 1 to 3 give the leading numbers");
    }
    Over(info.VerzeSouboru(soubor, 4).empty(), "an unknown form gives the empty text");
    return 0;
}
