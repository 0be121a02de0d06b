// OK and opening of the settings screen without the window: the animal type from the typed date,
// the mouse code kept, the defaults on opening. (What the screen shows and refuses: the screen test.)
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <initializer_list>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/settings_save.h"
#include "support/temp_folder.h"
#include "text/file_io.h"
#include "text/unicode.h"

using namespace kadelo;
using namespace kadelo::testing;

namespace {

std::u32string u(const char* s)
{
    return text::fromUtf8(s);
}

// 1975: March's base is 30, so 1975-3-15 is type 45. 1980 has two rows (a hand-edited table).
const char* const kTable = "75,10,20,30,40,50,0,5,15,25,35,45,55\r\n"
                           "80,1,2,3,4,5,6,7,8,9,10,11,12\r\n"
                           "80,21,22,23,24,25,26,27,28,29,30,31,32\r\n";

SettingsChoice choice(const char* year, const char* month, const char* day)
{
    SettingsChoice c;
    c.profile.familyName = u("山田");
    c.profile.name = u("寿限無助");
    c.profile.year = u(year);
    c.profile.month = u(month);
    c.profile.day = u(day);
    c.profile.blood = u("AB");
    c.mouse = 1;
    c.animation1 = false;
    c.animation2 = true;
    c.colours = SettingsFile::defaultColours();
    c.colours[22] = 255;
    return c;
}

class SettingsSaveTest : public ::testing::Test {
protected:
    void SetUp() override { writeBytes("conve.dat", kTable); }
    SaveOutcome save(const SettingsChoice& c, std::int16_t inEffect = 0) const
    {
        return saveSettings(file, table, c, inEffect);
    }
    TempFolder folder;
    SettingsFile file{"Kadelo.ini"};
    DateConversionTable table{"conve.dat"};
};

} // namespace

TEST_F(SettingsSaveTest, MonthAndDayAreTakenAsNumbersAndTheLastMatchingRowWins)
{
    EXPECT_EQ(userAnimalType(table, U"1975", U"03", U" 15 "), 45);
    EXPECT_EQ(userAnimalType(table, U"1975", U"12", U"31"), 26); // 55 + 31 = 86, less 60
    EXPECT_EQ(userAnimalType(table, U"1980", U"1", U"1"), 22);   // rows give 2 and 22; the last counts
}

TEST_F(SettingsSaveTest, ADateWithoutTypeSavesAnimalZero)
{
    struct Date {
        const char *year, *month, *day;
    };
    const Date dates[] = {{"75", "3", "15"}, {"1930", "3", "15"}, {"1975", "", "15"}, {"", "3", "15"}, {"", "", ""}};
    for (const Date& d : dates) {
        SCOPED_TRACE(std::string(d.year) + "-" + d.month + "-" + d.day);
        const SaveOutcome out = save(choice(d.year, d.month, d.day));
        ASSERT_EQ(out.status, SaveOutcome::Status::Saved);
        EXPECT_FALSE(out.animalFound);
        EXPECT_EQ(out.animal, 0);
        const std::u32string saved = text::decodeCp932(readBytes("Kadelo.ini"));
        EXPECT_NE(saved.find(U"\r\nuser_animal=0\r\n"), std::u32string::npos);
        EXPECT_NE(saved.find(U"\r\nyear=" + u(d.year) + U"\r\nmonth=" + u(d.month) + U"\r\nday=" + u(d.day) + U"\r\n"),
            std::u32string::npos);
    }

    std::filesystem::remove("conve.dat");
    const SaveOutcome out = save(choice("1975", "3", "15"));
    EXPECT_EQ(out.status, SaveOutcome::Status::Saved);
    EXPECT_FALSE(out.animalFound);
    EXPECT_EQ(file.firstUserAnimal(), 0);
}

TEST(BirthDate, FilledBoxesMustMakeADate)
{
    // Empty boxes, and numbers that give no animal type, are dates enough to save.
    EXPECT_TRUE(isBirthDate(U"", U"", U""));
    EXPECT_TRUE(isBirthDate(U" ", U"　", U""));
    EXPECT_TRUE(isBirthDate(U"75", U"3", U"15"));
    EXPECT_TRUE(isBirthDate(U"１９７５", U"０３", U" １５ "));
    EXPECT_TRUE(isBirthDate(U"1975", U"12", U"31"));
    // Leap years: every fourth year, but not whole centuries unless they divide by 400.
    EXPECT_TRUE(isBirthDate(U"2000", U"2", U"29"));
    EXPECT_TRUE(isBirthDate(U"1964", U"2", U"29"));
    EXPECT_FALSE(isBirthDate(U"1900", U"2", U"29"));
    EXPECT_FALSE(isBirthDate(U"1975", U"2", U"29"));
    EXPECT_FALSE(isBirthDate(U"2000", U"2", U"30"));
    EXPECT_FALSE(isBirthDate(U"1975", U"4", U"31"));
    EXPECT_TRUE(isBirthDate(U"1975", U"5", U"31"));
    // Without a four-digit year (or without a month) any day from 1 to 31.
    EXPECT_TRUE(isBirthDate(U"75", U"2", U"31"));
    EXPECT_TRUE(isBirthDate(U"", U"", U"31"));
    EXPECT_FALSE(isBirthDate(U"75", U"2", U"32"));
    // Not numbers, or numbers outside the calendar.
    for (const auto& [y, m, d] : std::initializer_list<std::array<std::u32string_view, 3>>{{U"abc", U"3", U"15"},
             {U"1975", U"13", U"15"}, {U"1975", U"0", U"15"}, {U"1975", U"3", U"0"}, {U"1975", U"3", U"40"},
             {U"1975", U"-3", U"15"}, {U"+1975", U"3", U"15"}, {U"1975", U"3", U"1.5"}, {U"1975", U"3", U"十五"},
             {U"1975", U"3月", U"15"}, {U"19 75", U"3", U"15"}, {U"1975", U"3", U"99999999999999999999"}}) {
        EXPECT_FALSE(isBirthDate(y, m, d)) << text::toUtf8(y) << "-" << text::toUtf8(m) << "-" << text::toUtf8(d);
    }
}

TEST_F(SettingsSaveTest, WithoutAPointerOptionTheCodeInEffectIsKept)
{
    SettingsChoice c = choice("1975", "3", "15");
    c.mouse.reset();
    EXPECT_EQ(save(c, 1).mouse, 1);
    EXPECT_EQ(file.readMenuSettings()->mflag, 1);
    EXPECT_EQ(save(c, 2).mouse, 2);
    // A code that acts as the standard pointer is written as the standard pointer's code.
    EXPECT_EQ(save(c, 7).mouse, 2);
    EXPECT_EQ(file.readMenuSettings()->mflag, 2);
    c.mouse = 0;
    EXPECT_EQ(save(c, 2).mouse, 0);
    EXPECT_EQ(file.readMenuSettings()->mflag, 0);
}

TEST(SettingsOpen, AMissingFileGetsTheDefaultsOnceAndIsReadBack)
{
    TempFolder folder;
    const SettingsFile file("Kadelo.ini");
    const OpenedProfile opened = openProfile(file);
    ASSERT_TRUE(opened.profile);
    EXPECT_TRUE(opened.wroteDefaults);
    EXPECT_TRUE(opened.error.empty());
    EXPECT_EQ(opened.profile->name, U"");
    EXPECT_EQ(opened.profile->mouse, 0);
    EXPECT_EQ(text::decodeCp932(readBytes("Kadelo.ini")), SettingsFile::defaultsText());

    // An existing file is only read.
    writeBytes("Kadelo.ini", cp932("Name=寿限無助\r\nName=花子\r\nyear=19751\r\nMouse=1\r\n"));
    const OpenedProfile again = openProfile(file);
    EXPECT_FALSE(again.wroteDefaults);
    EXPECT_EQ(again.profile->name, u("花子"));
    EXPECT_EQ(again.profile->year, u("1975"));
    EXPECT_EQ(again.profile->mouse, 1);
}

TEST(SettingsOpen, AFileThatCannotBeReadIsReportedAndNeverOverwritten)
{
    TempFolder folder;
    std::filesystem::create_directory("Kadelo.ini");
    const OpenedProfile unreadable = openProfile(SettingsFile("Kadelo.ini"));
    EXPECT_FALSE(unreadable.profile);
    EXPECT_FALSE(unreadable.wroteDefaults);
    EXPECT_FALSE(unreadable.error.empty());
    EXPECT_TRUE(std::filesystem::is_directory("Kadelo.ini"));

    // No file and no way to write one: reported, with no second attempt.
    const OpenedProfile unwritable = openProfile(SettingsFile("missing/Kadelo.ini"));
    EXPECT_FALSE(unwritable.profile);
    EXPECT_FALSE(unwritable.wroteDefaults);
    EXPECT_FALSE(unwritable.error.empty());
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

TEST(SettingsOpen, AFileItsUserMayNotReadIsLeftExactlyAsItIs)
{
    TempFolder folder;
    DateConversionTable table("conve.dat");
    const std::string before = "Name=花子\r\nuser_animal=12\r\n";
    writeBytes("Kadelo.ini", before);
    ::chmod("Kadelo.ini", 0);
    // Anyone may replace files in the folder, so only the program itself can keep the file.
    ::chmod(".", 0777);
    // Permission bits do not stop root: the reading is done by an ordinary user in a child.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(20);
        const SettingsFile file("Kadelo.ini");
        const OpenedProfile opened = openProfile(file);
        if (opened.profile || opened.wroteDefaults)
            ::_exit(21);
        if (opened.error.find("Permission denied") == std::string::npos)
            ::_exit(22);
        const text::ReadResult r = text::readFile("Kadelo.ini");
        if (r.missing || r.error.empty())
            ::_exit(23);
        const SaveOutcome saved = saveSettings(file, table, choice("1975", "3", "15"), 0);
        if (saved.status != SaveOutcome::Status::WriteFailed || saved.error.find("Permission denied") == std::string::npos)
            ::_exit(24);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "20: no ordinary user, 21: treated as missing, 22/23: no reason, 24: saved over it";
    ::chmod("Kadelo.ini", 0600);
    EXPECT_EQ(readBytes("Kadelo.ini"), before);
}
