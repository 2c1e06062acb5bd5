#include "platform/runtime/date_format.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Utf8(const std::u16string& s) { return text::ToUtf8(s); }

// Runs the process in the C locale for the test's scope, as a host that never set one does.
class RuntimeStamps : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(setlocale(LC_TIME, "C"), nullptr); }
    void TearDown() override {
        setlocale(LC_TIME, "C");
        runtime::SetClockForTesting({});
    }
};

TEST_F(RuntimeStamps, EnglishStampsByDefault) {
    struct Case {
        runtime::LocalTime moment;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {{2003, 12, 9, 17, 5, 9}, "09/Dec/2003", "17:05:09"},
        {{2024, 1, 31, 0, 0, 0}, "31/Jan/2024", "00:00:00"},
        {{999, 6, 1, 23, 59, 59}, "01/Jun/0999", "23:59:59"},
    };
    runtime::TimeLocale locale = runtime::CurrentTimeLocale();
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8(runtime::FormatDate(c.moment, locale)), c.date);
        EXPECT_EQ(Utf8(runtime::FormatTime(c.moment, locale)), c.time);
    }
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 0; m < 12; ++m) EXPECT_EQ(Utf8(locale.monthAbbreviations[m]), months[m]);
}

TEST_F(RuntimeStamps, StampsReadTheFixedClock) {
    runtime::SetClockForTesting([] { return runtime::LocalTime{2003, 12, 9, 17, 5, 9}; });
    EXPECT_EQ(Utf8(runtime::DateStamp()), "09/Dec/2003");
    EXPECT_EQ(Utf8(runtime::TimeStamp()), "17:05:09");
}

TEST(RuntimeDateFormat, SeparatorsComeFromTheLocalesFormats) {
    struct Case {
        const char* format;
        const char* separator;
    };
    const Case cases[] = {
        {"%m/%d/%y", "/"},   {"%d.%m.%Y", "."},     {"%D", "/"},          {"%F", "-"},
        {"%H:%M:%S", ":"},   {"%T", ":"},           {"%H.%M.%S", "."},    {"%Y. %m. %d.", ". "},
        {"%Od.%Om.%EY", "."}, {"%-d/%-m/%Y", "/"},  {"%%%d-%m", "-"},     {"%d", ""},
        {"", ""},            {"%d%m%Y", ""},        {"%Y\xE5\xB9\xB4%m", ""},  // a word, not a separator
        {"%d, %m, %Y", ", "}, {"%d || %m", ""},     // longer than a separator
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::SeparatorOfFormat(c.format), c.separator) << c.format;
}

TEST(RuntimeDateFormat, FormatsWithTheLocalesNamesAndSeparators) {
    runtime::TimeLocale german;
    german.monthAbbreviations = {u"Jan", u"Feb", u"M\u00E4r", u"Apr", u"Mai", u"Jun",
                                 u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"};
    german.dateSeparator = u".";
    german.timeSeparator = u".";
    EXPECT_EQ(runtime::FormatDate({2003, 3, 9, 7, 5, 9}, german), u"09.M\u00E4r.2003");
    EXPECT_EQ(runtime::FormatTime({2003, 3, 9, 7, 5, 9}, german), u"07.05.09");
}

// The user's regional settings reach the stamps: a real locale compiled for the test.
TEST(RuntimeDateFormat, ProcessLocaleSetsMonthNamesAndSeparators) {
    if (access("/usr/bin/localedef", X_OK) != 0 || access("/usr/share/i18n/locales/de_DE", R_OK) != 0)
        GTEST_SKIP() << "no localedef or no de_DE locale source";
    testing_support::TempDir dir;
    std::string command = "localedef -i de_DE -f UTF-8 '" + dir.str() + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !std::filesystem::exists(dir.path() / "de_DE.UTF-8"))
        GTEST_SKIP() << "localedef could not build de_DE";
    testing_support::ScopedEnv path("LOCPATH", dir.str());
    ASSERT_NE(setlocale(LC_TIME, "de_DE.UTF-8"), nullptr);
    runtime::TimeLocale locale = runtime::CurrentTimeLocale();
    setlocale(LC_TIME, "C");
    EXPECT_EQ(runtime::FormatDate({2003, 3, 9, 17, 5, 9}, locale), u"09.M\u00E4r.2003");
    EXPECT_EQ(runtime::FormatTime({2003, 3, 9, 17, 5, 9}, locale), u"17:05:09");
}

}  // namespace
