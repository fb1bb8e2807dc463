#pragma once

#include <string>

// The user's conventions for writing numbers and times, as the desktop's own programs follow
// them. Read anew at each call, so the program follows a change of the user's settings.
namespace vantrel::platforma {

// The decimal separator: on POSIX that of the locale the environment names for numbers (LC_ALL,
// else LC_NUMERIC, else LANG) in the desktop's locale data, as Qt programs show it; on Windows
// the user's (LOCALE_SDECIMAL). "." where the platform has none to give.
std::u16string DesetinnyOddelovac();

// The one character between hours and minutes in the short time format: on POSIX that of the
// locale the environment names for times (LC_ALL, else LC_TIME, else LANG), on Windows the
// user's (LOCALE_STIMEFORMAT). ":" where the format has no single sign there that is neither a
// letter, a digit nor a blank.
std::u16string OddelovacCasu();

} // namespace vantrel::platforma
