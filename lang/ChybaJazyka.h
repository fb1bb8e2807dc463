#pragma once

#include <QString>
#include <stdexcept>

namespace vantrel {

// A fault of the language file: unreadable, not well-formed, or holding an entry of the wrong
// shape. Nothing in lang/ catches it; the program's general error report shows what() as it is.
class EChybaJazyka : public std::runtime_error {
public:
    explicit EChybaJazyka(const QString& zprava)
        : std::runtime_error(zprava.toStdString()), zprava_(zprava) {}

    QString Zprava() const { return zprava_; }

private:
    QString zprava_;
};

} // namespace vantrel
