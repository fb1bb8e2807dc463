#pragma once

#include <functional>
#include <string>

namespace vantrel::okna {

// How wide a text is drawn, in pixels.
using TSirkaTextu = std::function<int(const std::u16string&)>;

// The join's report `zacatek` + `jmeno` + `konec` as it fits `sirka`: whole where it fits;
// otherwise with the file name shortened in its middle ("…"); where not even that fits, the
// text before the end cut short at its end, the end (the size) kept whole.
std::u16string ZkracenyText(const std::u16string& zacatek, const std::u16string& jmeno,
                            const std::u16string& konec, int sirka, const TSirkaTextu& sirkaTextu);

} // namespace vantrel::okna
