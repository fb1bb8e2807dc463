#include "../ZkusebniRegistr.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

// The settings store is the registry: values have its real types, and a value of a type that
// the store never writes, as the user or another program may leave it, is refused by name.
namespace vantrel::test {
namespace {

// A key of its own under HKEY_CURRENT_USER, removed afterwards.
class RegistryTypes : public testing::Test {
protected:
    TZkusebniRegistr uloziste_;
    const std::wstring klic_ =
        std::wstring(uloziste_.Umisteni().begin(), uloziste_.Umisteni().end()) +
        L"\\Software\\Tarsk\\Vantrel";
    TRegistr registr_{uloziste_.Umisteni()};

    void SetUp() override { ASSERT_TRUE(registr_.OpenKey(TRegistr::KlicVantrel, true)); }

    void Nastav(const wchar_t* jmeno, DWORD typ, const void* data, DWORD velikost) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, klic_.c_str(), jmeno, typ, data, velikost),
                  ERROR_SUCCESS);
    }
    DWORD Typ(const wchar_t* jmeno, std::wstring& data) {
        DWORD typ = 0;
        wchar_t buf[256] = {};
        DWORD velikost = sizeof buf;
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, klic_.c_str(), jmeno, RRF_RT_ANY | RRF_NOEXPAND,
                               &typ, buf, &velikost),
                  ERROR_SUCCESS);
        data = buf;
        return typ;
    }
};

TEST_F(RegistryTypes, AValueOfAnotherTypeIsRefusedByItsName) {
    const DWORD cislo = 7;
    const unsigned char bajty[] = {1, 2, 3, 4};
    const wchar_t vice[] = L"a\0b\0";
    const unsigned long long velke = 7;
    struct TPripad {
        const char* jmeno;
        DWORD typ;
        const void* data;
        DWORD velikost;
        bool cteText; // else ReadInteger
        const char* chyba;
    };
    const TPripad pripady[] = {
        {"Binarni", REG_BINARY, bajty, sizeof bajty, true, "Invalid data type for 'Binarni'"},
        {"BinarniCislo", REG_BINARY, bajty, sizeof bajty, false,
         "Invalid data type for 'BinarniCislo'"},
        {"Vice", REG_MULTI_SZ, vice, sizeof vice, true, "Invalid data type for 'Vice'"},
        {"Velke", REG_QWORD, &velke, sizeof velke, false, "Invalid data type for 'Velke'"},
        {"KratkeCislo", REG_DWORD, &cislo, 2, false, "Failed to get data for 'KratkeCislo'"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.jmeno);
        const std::wstring jmeno(p.jmeno, p.jmeno + std::char_traits<char>::length(p.jmeno));
        Nastav(jmeno.c_str(), p.typ, p.data, p.velikost);
        EXPECT_EQ(ChybaRegistru([&] {
                      if (p.cteText)
                          registr_.ReadString(p.jmeno);
                      else
                          registr_.ReadInteger(p.jmeno);
                  }),
                  p.chyba);
        EXPECT_TRUE(registr_.ValueExists(p.jmeno));
        EXPECT_EQ(registr_.GetDataType(p.jmeno), p.typ);
    }
}

TEST_F(RegistryTypes, ValuesAreWrittenWithTheirRealTypes) {
    registr_.WriteString("Jazyk", "Čeština");
    registr_.WriteExpandString("Cesta", "%USERPROFILE%\\vtrl.xml");
    registr_.WriteInteger("Vlevo", -10);
    std::wstring data;
    EXPECT_EQ(Typ(L"Jazyk", data), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, L"Čeština");
    EXPECT_EQ(Typ(L"Cesta", data), static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(data, L"%USERPROFILE%\\vtrl.xml");
    DWORD cislo = 0, velikost = sizeof cislo, typ = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, klic_.c_str(), L"Vlevo", RRF_RT_ANY, &typ, &cislo,
                           &velikost),
              ERROR_SUCCESS);
    EXPECT_EQ(typ, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(cislo, 0xFFFFFFF6u);
}

} // namespace
} // namespace vantrel::test
