#include "platforma/Prostredi.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

// The locale for numbers and for times is named by the environment as the C library and the
// desktop read it: LC_ALL over the category's own variable over LANG, an empty one as none.
namespace vantrel::platforma {
namespace {

class TPromenne {
public:
    TPromenne() {
        for (const char* jmeno : Jmena) {
            const char* hodnota = std::getenv(jmeno);
            puvodni_.push_back(hodnota ? std::optional<std::string>(hodnota) : std::nullopt);
        }
    }
    ~TPromenne() {
        for (std::size_t i = 0; i < puvodni_.size(); ++i)
            Nastav(Jmena[i], puvodni_[i] ? puvodni_[i]->c_str() : nullptr);
    }
    static void Nastav(const char* jmeno, const char* hodnota) {
        if (hodnota != nullptr)
            ::setenv(jmeno, hodnota, 1);
        else
            ::unsetenv(jmeno);
    }
    static constexpr const char* Jmena[] = {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"};

private:
    std::vector<std::optional<std::string>> puvodni_;
};

TEST(Prostredi, TheEnvironmentNamesTheLocaleForNumbersAndForTimes) {
    const struct {
        const char* promenne[4]; // LC_ALL, LC_NUMERIC, LC_TIME, LANG
        const char16_t* desetinny;
        const char16_t* casu;
    } pripady[] = {
        {{nullptr, nullptr, nullptr, nullptr}, u".", u":"},
        {{nullptr, nullptr, nullptr, "cs_CZ.UTF-8"}, u",", u":"},
        {{nullptr, nullptr, nullptr, "fi_FI.UTF-8"}, u",", u"."},
        {{nullptr, "cs_CZ.UTF-8", "fi_FI.UTF-8", "C"}, u",", u"."},
        {{nullptr, "C", nullptr, "fi_FI.UTF-8"}, u".", u"."},
        {{nullptr, nullptr, "C", "fi_FI.UTF-8"}, u",", u":"},
        {{"fi_FI.UTF-8", "C", "C", "C"}, u",", u"."},
        {{"C", "fi_FI.UTF-8", "fi_FI.UTF-8", "fi_FI.UTF-8"}, u".", u":"},
        {{"", "", "", "fi_FI.UTF-8"}, u",", u"."},
        {{"", "cs_CZ.ISO-8859-2", "", "en_US.UTF-8"}, u",", u":"},
    };
    const TPromenne puvodni;
    for (const auto& p : pripady) {
        SCOPED_TRACE(testing::Message() << (p.promenne[0] ? p.promenne[0] : "-") << " "
                                        << (p.promenne[1] ? p.promenne[1] : "-") << " "
                                        << (p.promenne[2] ? p.promenne[2] : "-") << " "
                                        << (p.promenne[3] ? p.promenne[3] : "-"));
        for (std::size_t i = 0; i < 4; ++i)
            TPromenne::Nastav(TPromenne::Jmena[i], p.promenne[i]);
        EXPECT_EQ(DesetinnyOddelovac(), p.desetinny);
        EXPECT_EQ(OddelovacCasu(), p.casu);
    }
}

} // namespace
} // namespace vantrel::platforma
