// The settings file: the exact lines written, and the reading rule each screen applies.
#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "support/temp_folder.h"
#include "text/unicode.h"

using namespace kadelo;
using namespace kadelo::testing;

namespace {

const char* const kDefaults = "[Kadelo]\r\n\r\nName=\r\nFamily name=\r\n\r\n[option]\r\n\r\nyear=\r\nmonth=\r\nday=\r\n"
                              "user_animal=\r\nBlood=\r\n\r\n[Mouse]\r\n\r\nMouse=0\r\n\r\n[Animation]\r\n\r\n"
                              "Animation1=1\r\nAnimation2=1\r\n\r\n[Color]\r\n\r\n"
                              "No1=16777088\r\nNo2=16750487\r\nNo3=16702900\r\nNo4=16744448\r\nNo5=16744703\r\n"
                              "No6=8454143\r\nNo7=8453888\r\nNo8=11592197\r\nNo9=8421631\r\nNo10=8454143\r\n"
                              "No11=8454016\r\nNo12=16777088\r\nNo13=16744448\r\nNo14=16744703\r\nNo15=16711680\r\n"
                              "No16=16744703\r\nNo17=16777088\r\nNo18=8454143\r\nNo19=8453888\r\nNo20=11138558\r\n"
                              "No21=16744703\r\nNo22=12615935\r\nNo23=8454143\r\n\r\n#end\r\n";

std::u32string u(const char* s)
{
    return text::fromUtf8(s);
}

} // namespace

TEST(SettingsFileWrite, DefaultsAreTheFortyNineLinesByteForByte)
{
    TempFolder folder;
    SettingsFile file("Kadelo.ini");
    ASSERT_TRUE(file.writeDefaults());
    const std::string bytes = readBytes("Kadelo.ini");
    EXPECT_EQ(bytes, kDefaults);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 49);
}

TEST(SettingsFileWrite, SaveWritesEveryValueWholeAndEndsWithCapitalEnd)
{
    TempFolder folder;
    SettingsFile file("Kadelo.ini");
    SettingsRecord r;
    r.name = u("寿限無助");
    r.familyName = u("山田");
    r.year = u("1975");
    r.month = u("3");
    r.day = u("15");
    r.animal = 38;
    r.blood = u("AB");
    r.mouse = 2;
    r.animation1 = 0;
    r.animation2 = 1;
    r.colours = SettingsFile::defaultColours();
    r.colours[22] = 255;
    ASSERT_TRUE(file.save(r));
    const std::u32string text = text::decodeCp932(readBytes("Kadelo.ini"));
    EXPECT_NE(text.find(u("Name=寿限無助\r\nFamily name=山田\r\n")), std::u32string::npos);
    EXPECT_NE(text.find(u("year=1975\r\nmonth=3\r\nday=15\r\nuser_animal=38\r\nBlood=AB\r\n")), std::u32string::npos);
    EXPECT_NE(text.find(u("Mouse=2\r\n")), std::u32string::npos);
    EXPECT_NE(text.find(u("Animation1=0\r\nAnimation2=1\r\n")), std::u32string::npos);
    EXPECT_NE(text.find(u("No23=255\r\n\r\n#End\r\n")), std::u32string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), U'\n'), 49);

    // Reading back: every reader sees only the first three characters of the name.
    EXPECT_EQ(file.readProfile()->name, u("寿限無"));
    EXPECT_EQ(file.firstUserAnimal(), 38);

    // A saved animal type of 0 is written as 0, unlike the empty value of the defaults.
    r.animal = 0;
    ASSERT_TRUE(file.save(r));
    EXPECT_NE(readBytes("Kadelo.ini").find("user_animal=0\r\n"), std::string::npos);
}

TEST(SettingsFileWrite, TextShiftJisCannotHoldIsRefusedAndTheOldFileStays)
{
    TempFolder folder;
    SettingsFile file("Kadelo.ini");
    ASSERT_TRUE(file.writeDefaults());
    SettingsRecord r;
    r.familyName = u("𠮷田");
    const text::WriteResult result = file.save(r);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("𠮷"), std::string::npos);
    EXPECT_EQ(readBytes("Kadelo.ini"), kDefaults);
}

TEST(SettingsFileRead, KeysMatchExactlyAndTakeTheirSlices)
{
    TempFolder folder;
    writeBytes("Kadelo.ini", cp932("Family name=佐々木一郎\r\nName=太郎丸太\r\nname=小文字\r\nNo10=255\r\nNo1=65280\r\n"
                                   "year=19751\r\nmonth=123\r\nday=1\r\nBlood=ABO\r\nMouse=2x\r\nAnimation2=10\r\n"
                                   "Animation1=1\r\n"));
    SettingsFile file("Kadelo.ini");
    const ProfileSettings p = *file.readProfile();
    EXPECT_EQ(p.name, u("太郎丸"));
    EXPECT_EQ(p.familyName, u("佐々木"));
    EXPECT_EQ(p.year, u("1975"));
    EXPECT_EQ(p.month, u("12"));
    EXPECT_EQ(p.day, u("1"));
    EXPECT_EQ(p.blood, u("AB"));
    EXPECT_EQ(p.mouse, 2);
    const MenuSettings m = *file.readMenuSettings();
    EXPECT_EQ(m.mflag, 2);
    EXPECT_EQ(m.aflag1, 1);
    EXPECT_EQ(m.aflag2, 10);
    EXPECT_EQ(m.col[0], u("65280"));
    EXPECT_EQ(m.col[9], u("255"));
    EXPECT_EQ(m.col[1], U""); // a missing key leaves the text empty
}

TEST(SettingsFileRead, LastOccurrenceWinsForMenuAndProfileFirstForAboutAndNaming)
{
    TempFolder folder;
    writeBytes("Kadelo.ini", cp932("Family name=\r\nuser_animal=12\r\nMouse=1\r\nFamily name=山田\r\nuser_animal=2\r\n"
                                   "Mouse=0\r\nFamily name=田中\r\n"));
    SettingsFile file("Kadelo.ini");
    EXPECT_EQ(file.readMenuSettings()->mflag, 0);
    EXPECT_EQ(file.readProfile()->familyName, u("田中"));
    EXPECT_EQ(file.firstUserAnimal(), 12);
    EXPECT_EQ(file.firstFamilyName(), u("山田"));
    EXPECT_EQ(*file.familyNames(), (std::vector<std::u32string>{U"", u("山田"), u("田中")}));
}

TEST(SettingsFileRead, ACommaCutsANameAndTheRestMatchesNoKey)
{
    TempFolder folder;
    writeBytes("Kadelo.ini", cp932("Name=太,郎\r\nFamily name=\"山,田\"\r\n"));
    SettingsFile file("Kadelo.ini");
    EXPECT_EQ(file.readProfile()->name, u("太"));
    // The quote does not open the field, so it is kept and the comma still cuts.
    EXPECT_EQ(file.readProfile()->familyName, u("\"山"));
}

TEST(SettingsFileRead, BadValuesKeepTheirDefaultsAndTheRestStillLoads)
{
    TempFolder folder;
    writeBytes("Kadelo.ini", cp932("Mouse=x\r\nAnimation1=\r\nAnimation2=?\r\nNo5=abc\r\nNo6=123\r\nNo7=99999999999\r\n"));
    const MenuSettings m = *SettingsFile("Kadelo.ini").readMenuSettings();
    EXPECT_EQ(m.mflag, 0);
    EXPECT_EQ(m.aflag1, 1);
    EXPECT_EQ(m.aflag2, 1);
    EXPECT_EQ(m.col[4], u("16744703")); // the default of colour 5
    EXPECT_EQ(m.col[5], u("123"));
    EXPECT_EQ(m.col[6], u("8453888")); // 11 characters, but not a colour: the default of colour 7

    // Random bytes: read without a crash, nothing recognised.
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
    writeBytes("Kadelo.ini", noise);
    const auto garbage = SettingsFile("Kadelo.ini").readMenuSettings();
    ASSERT_TRUE(garbage);
    EXPECT_EQ(garbage->mflag, 0);
    EXPECT_EQ(garbage->col[0], U"");

    EXPECT_FALSE(SettingsFile("absent.ini").readMenuSettings());
    EXPECT_FALSE(SettingsFile("absent.ini").firstUserAnimal());
}

TEST(SettingsFileRead, AboutScreenAnimalValues)
{
    TempFolder folder;
    writeBytes("Kadelo.ini", cp932("user_animal=\r\n"));
    EXPECT_EQ(SettingsFile("Kadelo.ini").firstUserAnimal(), 0);
    writeBytes("Kadelo.ini", cp932("user_animal=759\r\n"));
    EXPECT_EQ(SettingsFile("Kadelo.ini").firstUserAnimal(), 75);
    writeBytes("Kadelo.ini", cp932("user_animal=ab\r\n"));
    EXPECT_EQ(SettingsFile("Kadelo.ini").firstUserAnimal(), 0);
}

TEST(Colours, TextToColourValue)
{
    EXPECT_EQ(colourValue(U"16777088"), 16777088u);
    EXPECT_EQ(colourValue(U"0"), 0u);
    EXPECT_EQ(colourValue(U"16777216"), std::nullopt);
    EXPECT_EQ(colourValue(U"-1"), std::nullopt);
    EXPECT_EQ(colourValue(U"abc"), std::nullopt);
}
