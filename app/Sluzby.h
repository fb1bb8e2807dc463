#pragma once

#include "lang/JazykyXML.h"
#include "support/HlaseniQt.h"
#include "support/SoubUtility.h"

namespace vantrel {

// The three process-wide services. Members are created in this order before any window and
// destroyed in the reverse order after the last one.
struct TSluzby {
    TJazykXML Jazyk;
    THlaseniQt Hlaseni;
    TSouboroveInfo SouboroveInfo;
};

} // namespace vantrel
