// The registry and INI reader: hive names, the INI road on real files (sections, case,
// blanks, quotes, missing keys, the string buffer's limit, whole numbers), the registry
// road that finds nothing on this platform, and the product id built on it.
#include "platform/product_id.h"
#include "platform/registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

using platform::HKey_from_Name;
using platform::Read_Reg_or_INI;
using platform::RegistryValue;
namespace hive = platform::hive;

namespace {

const std::string windows_key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

RegistryValue text(const char* value) { return std::string(value); }

TEST(RegistryHive, NamesInAnyCaseButUntrimmed)
{
    const struct {
        const char* name;
        std::int32_t key;
    } cases[] = {
        {"HKEY_CLASSES_ROOT", hive::classes_root},   {"hkcr", hive::classes_root},
        {"HKEY_CURRENT_USER", hive::current_user},   {"HkCu", hive::current_user},
        {"HKEY_LOCAL_MACHINE", hive::local_machine}, {"hkey_local_machine", hive::local_machine},
        {"HKLM", hive::local_machine},               {"hklm", hive::local_machine},
        {"HKEY_USERS", hive::users},                 {"hku", hive::users},
        {"HKEY_CURRENT_CONFIG", hive::current_config}, {"HKCC", hive::current_config},
        {"HKEY_DYN_DATA", hive::dyn_data},           {"hkdd", hive::dyn_data},
        {" HKLM", hive::not_found},                  {"HKLM ", hive::not_found},
        {"HKEY_PERFORMANCE_DATA", hive::not_found},  {"HKLM\\SOFTWARE", hive::not_found},
        {"", hive::not_found},                       {"C:\\WINDOWS\\win.ini", hive::not_found},
    };
    for (const auto& each : cases) EXPECT_EQ(HKey_from_Name(each.name), each.key) << '"' << each.name << '"';
    EXPECT_EQ(static_cast<std::uint32_t>(hive::local_machine), 0x80000002u);
}

TEST(RegistryHive, AnExistingFileIsAnIniFileButAFolderIsNot)
{
    testing_support::TempFolder folder;
    folder.write_file("settings.ini", "[a]\r\nb=c\r\n");
    folder.write_file("empty.ini", "");
    EXPECT_EQ(HKey_from_Name(folder.file("settings.ini")), hive::ini_file);
    EXPECT_EQ(HKey_from_Name(folder.file("empty.ini")), hive::ini_file);
    EXPECT_EQ(HKey_from_Name(folder.path()), hive::not_found);
    EXPECT_EQ(HKey_from_Name(folder.file("missing.ini")), hive::not_found);
}

TEST(RegistryRoad, UnknownHiveGives99AndTheDefault)
{
    for (const char* hive_name : {" HKLM", "HKLM ", "HKEY_LOCAL", ""}) {
        RegistryValue value = text("old");
        EXPECT_EQ(Read_Reg_or_INI(hive_name, windows_key, "MediaPath", "S", text("C:\\WINDOWS\\media"), value), 99)
            << hive_name;
        EXPECT_EQ(value, text("C:\\WINDOWS\\media")) << hive_name;
    }
    RegistryValue number = text("old");
    EXPECT_EQ(Read_Reg_or_INI(" HKLM", windows_key, "Count", "D", 7LL, number), 99);
    EXPECT_EQ(number, RegistryValue(7LL));
}

TEST(RegistryRoad, FindsNoKeyAndKeepsTheDefaultForEveryType)
{
    const struct {
        const char* hive;
        const char* type;
        RegistryValue fallback;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE", "S", text("C:\\WINDOWS\\media")},
        {"hklm", "s", text("<Unknown ProductID>")},
        {"HKLM", "B", RegistryValue(true)},
        {"HKCU", "D", RegistryValue(12LL)},
        {"HKCR", "X", text("other type")},
    };
    for (const auto& each : cases) {
        RegistryValue value = text("old");
        EXPECT_EQ(Read_Reg_or_INI(each.hive, windows_key, "MediaPath", each.type, each.fallback, value), 2)
            << each.hive << ' ' << each.type;
        EXPECT_EQ(value, each.fallback) << each.hive << ' ' << each.type;
    }
}

TEST(RegistryRoad, ProductIdIsTheDefault) { EXPECT_EQ(platform::Windows_ProductID(), "<Unknown ProductID>"); }

TEST(RegistryValueText, NumbersAndBooleansAsText)
{
    EXPECT_EQ(platform::value_as_text(text("a b")), "a b");
    EXPECT_EQ(platform::value_as_text(RegistryValue(-42LL)), "-42");
    EXPECT_EQ(platform::value_as_text(RegistryValue(true)), "True");
    EXPECT_EQ(platform::value_as_text(RegistryValue(false)), "False");
}

// An INI file with sections in two cases, blanks around names and values, quotes, keys
// without a value, CR LF and LF line ends.
class RegistryIni : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write_file("zentrel.ini",
                          "top=before any section\r\n"
                          "; a comment line\r\n"
                          "[Sounds]\r\n"
                          "  Media Path  =   /usr/share/sounds  \r\n"
                          "Quoted=\"  spaced  \"\r\n"
                          "Single='x'\n"
                          "Half=\"open\n"
                          "Empty=\r\n"
                          "NoEquals\r\n"
                          "Count = 42 apples\r\n"
                          "Negative=-17\n"
                          "Plus=+8\n"
                          "Word=abc\n"
                          "Equals=a=b\n"
                          "\r\n"
                          "[sounds]\r\n"
                          "Media Path=the second section is never read\r\n"
                          "Later=only in the second\r\n"
                          "  [ Spaced ]  \r\n"
                          "Media Path=spaced section\r\n"
                          "[Other Section]\r\n"
                          "MEDIA PATH=other\r\n");
    }

    std::int32_t read(const std::string& section, const std::string& key, const std::string& type,
                      const RegistryValue& fallback)
    {
        return Read_Reg_or_INI(ini(), section, key, type, fallback, value);
    }

    std::string ini() const { return folder.file("zentrel.ini"); }

    testing_support::TempFolder folder;
    RegistryValue value = text("old");
};

TEST_F(RegistryIni, TextsBySectionAndKeyInAnyCase)
{
    const struct {
        const char* section;
        const char* key;
        const char* type;
        const char* fallback;
        const char* expected;
    } cases[] = {
        {"Sounds", "Media Path", "S", "def", "/usr/share/sounds"},
        {"SOUNDS", "mEdIa pAtH", "s", "def", "/usr/share/sounds"},
        {"  Sounds ", " Media Path  ", "S", "def", "/usr/share/sounds"},
        {"Other Section", "media path", "S", "def", "other"},
        {" spaced ", "Media Path", "S", "def", "spaced section"},
        {"", "top", "S", "def", "before any section"},
        {"Sounds", "top", "S", "def", "def"},
        {"Sounds", "Quoted", "S", "def", "  spaced  "},
        {"Sounds", "Single", "S", "def", "x"},
        {"Sounds", "Half", "S", "def", "\"open"},
        {"Sounds", "Equals", "S", "def", "a=b"},
        {"Sounds", "Empty", "S", "def", ""},
        {"Sounds", "NoEquals", "S", "def", "def"},
        {"Sounds", "Missing", "S", "def", "def"},
        {"Sounds", "Missing", "S", "def   ", "def"},
        {"Sounds", "Missing", "S", "'quoted default'", "quoted default"},
        {"Sounds", "Later", "S", "def", "def"},
        {"No such section", "Media Path", "S", "def", "def"},
        {"Sounds", "Media", "S", "def", "def"},
    };
    for (const auto& each : cases) {
        value = text("old");
        EXPECT_EQ(read(each.section, each.key, each.type, text(each.fallback)), 0) << each.section << '/' << each.key;
        EXPECT_EQ(value, text(each.expected)) << each.section << '/' << each.key;
    }
}

TEST_F(RegistryIni, DefaultOfAnotherKindBecomesText)
{
    EXPECT_EQ(read("Sounds", "Missing", "S", RegistryValue(7LL)), 0);
    EXPECT_EQ(value, text("7"));
    EXPECT_EQ(read("Sounds", "Missing", "S", RegistryValue(true)), 0);
    EXPECT_EQ(value, text("True"));
    EXPECT_EQ(read("Sounds", "Count", "S", RegistryValue(7LL)), 0);
    EXPECT_EQ(value, text("42 apples"));
}

TEST_F(RegistryIni, WholeNumbersForEveryOtherType)
{
    const struct {
        const char* key;
        const char* type;
        long long expected;
    } cases[] = {
        {"Count", "D", 42},   {"Count", "d", 42},    {"Count", "B", 42},   {"Count", "X", 42},
        {"Count", "", 42},    {"Negative", "D", -17}, {"Plus", "D", 8},    {"Word", "D", 0},
        {"Empty", "D", 0},    {"NoEquals", "D", 0},  {"Missing", "D", 0},  {"Media Path", "D", 0},
    };
    for (const auto& each : cases) {
        value = text("old");
        // The number ignores the caller's default: a missing key reads as 0.
        EXPECT_EQ(read("sounds", each.key, each.type, RegistryValue(99LL)), 0) << each.key << ' ' << each.type;
        EXPECT_EQ(value, RegistryValue(each.expected)) << each.key << ' ' << each.type;
    }
}

TEST_F(RegistryIni, TextsAreCutToTheStringBuffer)
{
    const std::string long_value(300, 'v');
    folder.write_file("long.ini", "[Long]\r\nfit=" + std::string(254, 'a') + "\r\nover=" + std::string(255, 'b') +
                                      "\r\nfar=" + long_value + "\r\n");
    const struct {
        const char* key;
        std::string fallback;
        std::string expected;
    } cases[] = {
        {"fit", "", std::string(254, 'a')},
        {"over", "", std::string(254, 'b')},
        {"far", "", std::string(254, 'v')},
        {"missing", std::string(300, 'd'), std::string(254, 'd')},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(Read_Reg_or_INI(folder.file("long.ini"), "long", each.key, "S", each.fallback, value), 0);
        EXPECT_EQ(value, RegistryValue(each.expected)) << each.key;
    }
}

TEST_F(RegistryIni, NumbersWrapAsThirtyTwoBits)
{
    folder.write_file("big.ini", "[n]\nbig=4294967298\nlow=-2147483648\n");
    EXPECT_EQ(Read_Reg_or_INI(folder.file("big.ini"), "n", "big", "D", 0LL, value), 0);
    EXPECT_EQ(value, RegistryValue(2LL));
    EXPECT_EQ(Read_Reg_or_INI(folder.file("big.ini"), "n", "low", "D", 0LL, value), 0);
    EXPECT_EQ(value, RegistryValue(-2147483648LL));
}

} // namespace
