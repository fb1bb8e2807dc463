#include "platforma/Registr.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

// The settings store is the registry: values have its real types, and a value that the user or
// another program gave another type is refused by name.
namespace vantrel::test {
namespace {

// A key of its own under HKEY_CURRENT_USER\Software, removed afterwards.
class RegistryTypes : public testing::Test {
protected:
    const std::string koren_ = "Software\\VantrelTest\\" + std::to_string(GetCurrentProcessId()) +
                               "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::wstring klic_ =
        std::wstring(koren_.begin(), koren_.end()) + L"\\Software\\Tarsk\\Vantrel";
    TRegistr registr_{koren_};

    void SetUp() override { ASSERT_TRUE(registr_.OpenKey(TRegistr::KlicVantrel, true)); }
    void TearDown() override {
        registr_.CloseKey();
        const std::wstring koren(koren_.begin(), koren_.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, koren.c_str());
        // Goes only once no other test's key is left under it.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VantrelTest");
    }

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
    const wchar_t text[] = L"CZ";
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
        {"Vlevo", REG_SZ, text, sizeof text, false, "Invalid data type for 'Vlevo'"},
        {"Jazyk", REG_DWORD, &cislo, sizeof cislo, true, "Invalid data type for 'Jazyk'"},
        {"Binarni", REG_BINARY, bajty, sizeof bajty, true, "Invalid data type for 'Binarni'"},
        {"BinarniCislo", REG_BINARY, bajty, sizeof bajty, false,
         "Invalid data type for 'BinarniCislo'"},
        {"Vice", REG_MULTI_SZ, vice, sizeof vice, true, "Invalid data type for 'Vice'"},
        {"Velke", REG_QWORD, &velke, sizeof velke, false, "Invalid data type for 'Velke'"},
        {"KratkeCislo", REG_DWORD, &cislo, 2, false, "Failed to get data for 'KratkeCislo'"},
        {"Chybi", REG_NONE, nullptr, 0, true, "Failed to get data for 'Chybi'"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.jmeno);
        const std::wstring jmeno(p.jmeno, p.jmeno + std::char_traits<char>::length(p.jmeno));
        if (p.data != nullptr)
            Nastav(jmeno.c_str(), p.typ, p.data, p.velikost);
        try {
            if (p.cteText)
                registr_.ReadString(p.jmeno);
            else
                registr_.ReadInteger(p.jmeno);
            ADD_FAILURE() << "no error";
        } catch (const EChybaRegistru& e) {
            EXPECT_STREQ(e.what(), p.chyba);
        }
        EXPECT_EQ(registr_.ValueExists(p.jmeno), p.data != nullptr);
        if (p.data != nullptr) {
            EXPECT_EQ(registr_.GetDataType(p.jmeno), p.typ);
        }
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
    // Names compare as the registry compares them; values read back as written.
    EXPECT_EQ(registr_.ReadString("JAZYK"), "Čeština");
    EXPECT_EQ(registr_.ReadString("Cesta"), "%USERPROFILE%\\vtrl.xml");
    EXPECT_EQ(registr_.ReadInteger("vlevo"), -10);
    EXPECT_EQ(registr_.CurrentPath(), "HKEY_CURRENT_USER\\Software\\Tarsk\\Vantrel");
}

TEST_F(RegistryTypes, AMissingKeyIsNotMadeByReading) {
    TRegistr jiny(koren_ + "\\Jiny");
    EXPECT_FALSE(jiny.OpenKey(TRegistr::KlicVantrel, false));
    EXPECT_FALSE(jiny.HasOpenKey());
    HKEY h;
    const std::wstring klic(koren_.begin(), koren_.end());
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (klic + L"\\Jiny").c_str(), 0, KEY_READ, &h),
              ERROR_FILE_NOT_FOUND);
}

} // namespace
} // namespace vantrel::test
