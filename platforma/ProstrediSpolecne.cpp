#include "platforma/ProstrediSpolecne.h"

namespace vantrel::platforma {

std::u16string MeziHodinamiAMinutami(const std::u16string& format) {
    std::size_t i = format.find_first_of(u"hH");
    i = i == std::u16string::npos ? format.size() : format.find_first_not_of(u"hH", i);
    std::u16string text;
    for (; i < format.size() && format[i] != u'm'; ++i) {
        if (format[i] != u'\'')
            text += format[i];
    }
    return text;
}

} // namespace vantrel::platforma
