#pragma once

#include <string>

namespace vantrel::platforma {

// The text between the hours and the minutes of a time format written as a picture, "HH:mm:ss"
// or "h:mm:ss tt", with literal text in quotes (the desktop's form on both platforms).
std::u16string MeziHodinamiAMinutami(const std::u16string& format);

} // namespace vantrel::platforma
