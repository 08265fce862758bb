// A list file on disk: storing, loading and deleting ringtones, the commands
// on whole lists, the folder scan and the tonelist.txt export.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/list_error.h"
#include "lists/list_files.h"
#include "lists/ringtone_list.h"
#include "lists/tone_list_export.h"
#include "support/expect_error.h"
#include "support/temp_files.h"

namespace {

using tw::test::ReadBytes;
using tw::test::WriteBytes;
using Reason = tw::ListError::Reason;

class RingtoneListTest : public ::testing::Test {
protected:
    RingtoneListTest() {
        ringtone.SetOutputSeparator(", ");
        list.SetListName("Favtones");
    }

    std::string Listed() {
        tw::SortedNameList names;
        list.LoadList(names);
        std::string text;
        for (const std::string& name : names.Items()) text += name + ";";
        return text;
    }
    // Every file of the folder as "name=content;", a folder as "name/;".
    std::string Folder() const {
        std::string text;
        for (const std::string& name : tw::test::FilesIn(dir.path()))
            text += name + (std::filesystem::is_directory(dir / name) ? "/" : "=" + ReadBytes(dir / name)) + ";";
        return text;
    }
    template <class Fn>
    void ExpectListError(Reason reason, Fn&& fn) {
        tw::test::ExpectError<tw::ListError>(fn, reason);
    }
    // The export of the list, dated 2001-12-05 21:56:40.
    std::string Export(const tw::ExportChoices& choices) {
        std::tm when{};
        when.tm_year = 101, when.tm_mon = 11, when.tm_mday = 5, when.tm_hour = 21, when.tm_min = 56, when.tm_sec = 40;
        problems.clear();
        return tw::ToneListText(list, choices, when, problems);
    }

    tw::test::TempDir dir;
    tw::CNotes ringtone;
    tw::RingtoneListFile list{ringtone, dir.path()};
    std::vector<std::string> problems;
};

const std::string ABC = "[A]\r\nRTTTL=a\r\n[B]\r\nRTTTL=b\r\n[C]\r\nRTTTL=c\r\n";
const std::string Foo = "[Foo]\r\nRTTTL=FOO:d=8,o=6,b=90:d, e\r\n";
const std::string Hand = "; kept by hand\n\n  [X]\nRTTTL=X:d=4,o=5,b=125:c\n\n[Y]\nrtttl = Y:d=4,o=5,b=125:d\n";

TEST_F(RingtoneListTest, StoreDeleteAndLoadWorkOnTheListFile) {
    const struct {
        std::string before;  // the list file; "-" when there is none
        char op;             // Store the RTTTL text, Delete or Load the name
        std::string text;
        bool result;
        std::string after;  // "=" when unchanged, "-" for no file
        std::string listed, loaded;
    } cases[] = {
        {"-", 'S', "Test:d=4,o=5,b=125:c,8d", true, "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n", "Test;", ""},
        {ABC, 'D', "B", true, "[A]\r\nRTTTL=a\r\n[C]\r\nRTTTL=c\r\n", "A;C;", ""},
        // Stored over an entry of its name in another case: the entry takes the new case.
        {"[Foo]\r\nRTTTL=x\r\n", 'S', "FOO:d=8,o=6,b=90:d,e", true, "[FOO]\r\nRTTTL=FOO:d=8,o=6,b=90:d, e\r\n", "FOO;",
         ""},
        {Foo, 'L', "foo", true, "=", "Foo;", "FOO:d=8,o=6,b=90:d, e"},
        {Foo, 'D', "FOO", true, "", "", ""},
        {Hand, 'S', "y:d=4,o=5,b=125:e,f", true,
         "; kept by hand\r\n\r\n  [X]\r\nRTTTL=X:d=4,o=5,b=125:c\r\n\r\n[y]\r\nRTTTL=y:d=4,o=5,b=125:e, f\r\n", "X;y;",
         ""},
        {Foo, 'L', "B", false, "=", "Foo;", "No name:d=4,o=5,b=125:"},
        {"-", 'D', "A", false, "-", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.op << " " << c.text << " in " << testing::PrintToString(c.before));
        std::filesystem::remove(list.ListFileName());
        if (c.before != "-") WriteBytes(list.ListFileName(), c.before);
        ringtone.Clear();
        bool result = true;
        if (c.op == 'L') result = list.LoadFromFile(c.text);
        else if (c.op == 'D') ringtone.SetName(c.text), result = list.DeleteFromFile();
        else ringtone.SetFull_RTTTL(c.text), list.SaveToFile();
        EXPECT_EQ(result, c.result);
        const std::string after = c.after == "=" ? c.before : c.after;
        EXPECT_EQ(Folder(), after == "-" ? "" : "Favtones.dat=" + after + ";");  // no temporary file left
        EXPECT_EQ(Listed(), c.listed);
        if (!c.loaded.empty()) EXPECT_EQ(ringtone.Full_RTTTL(), c.loaded);
    }
}

TEST_F(RingtoneListTest, FailuresChangeNothingAndOtherLetterCasesAreOtherLists) {
    WriteBytes(dir / "favtones.dat", "[A]\r\nRTTTL=A:d=4,o=5,b=125:c\r\n");
    EXPECT_EQ(Listed(), "");
    EXPECT_FALSE(list.LoadFromFile("A"));
    ringtone.SetFull_RTTTL("A:d=4,o=5,b=125:c");
    std::filesystem::create_directory(list.ListFileName());  // a list file that cannot be read is never overwritten
    ExpectListError(Reason::Io, [&] { list.SaveToFile(); });
    ExpectListError(Reason::Io, [&] { Listed(); });
    EXPECT_TRUE(std::filesystem::is_directory(list.ListFileName()));
    tw::RingtoneListFile gone(ringtone, dir / "gone");  // a program directory that has gone away
    gone.SetListName("Favtones");
    ExpectListError(Reason::Io, [&] { gone.SaveToFile(); });
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
    for (const char* bad : {"../Rock", "menu"}) ExpectListError(Reason::BadName, [&] { list.SetListName(bad); });
    EXPECT_EQ(list.ListFileName(), (dir / "Favtones.dat").string());
    tw::RingtoneListFile unnamed(ringtone, dir.path());
    ExpectListError(Reason::BadName, [&] { unnamed.SaveToFile(); });
}

TEST_F(RingtoneListTest, AListFileThatIsALinkStaysALink) {
    tw::test::TempDir elsewhere;
    WriteBytes(elsewhere / "Real.dat", "");
    std::filesystem::create_symlink(elsewhere / "Real.dat", list.ListFileName());
    ringtone.SetFull_RTTTL("A:d=4,o=5,b=125:c,d");
    list.SaveToFile();
    EXPECT_TRUE(std::filesystem::is_symlink(list.ListFileName()));
    EXPECT_EQ(ReadBytes(elsewhere / "Real.dat"), "[A]\r\nRTTTL=A:d=4,o=5,b=125:c, d\r\n");
}

TEST_F(RingtoneListTest, ScanOffersOnlyUsableListFilesOrFavtones) {
    tw::SortedNameList names;
    tw::ScanListFiles(names, dir.path());
    EXPECT_EQ(names.Items(), std::vector<std::string>{"Favtones"});
    EXPECT_EQ(Folder(), "");
    for (const char* file : {"a.dat", "B.dat", "menu.dat", "MENU.dat", ".hidden.dat", "~Rock.dat", "notes.txt",
                             "Rock.DAT", ".Rock.dat.12-0.tmp", " padded.dat", ".dat"})
        WriteBytes(dir / file, "");
    std::filesystem::create_directory(dir / "folder.dat");
    tw::ScanListFiles(names, dir.path());
    EXPECT_EQ(names.Items(), (std::vector<std::string>{"a", "B"}));
}

TEST_F(RingtoneListTest, NewRenameClearAndDeleteWholeLists) {
    EXPECT_TRUE(tw::NewList(list, "Dance"));
    WriteBytes(dir / "Rock.dat", "rock");
    EXPECT_FALSE(tw::NewList(list, " Rock"));  // an existing list just becomes the current one
    EXPECT_EQ(list.ListName(), "Rock");
    tw::RenameList(list, " Rock ");  // its own name: nothing happens
    ExpectListError(Reason::Exists, [&] { tw::RenameList(list, "Dance"); });
    EXPECT_EQ(Folder(), "Dance.dat=;Rock.dat=rock;");
    tw::RenameList(list, "Pop");
    EXPECT_EQ(list.ListName() + " " + list.ListFileName(), "Pop " + (dir / "Pop.dat").string());
    tw::ClearList(list);
    list.SetListName("New");
    tw::ClearList(list);
    EXPECT_EQ(Folder(), "Dance.dat=;New.dat=;Pop.dat=;");
    EXPECT_TRUE(tw::DeleteList(list));
    EXPECT_FALSE(tw::DeleteList(list));
    std::filesystem::create_directory(dir / "Odd.dat");
    list.SetListName("Odd");
    ExpectListError(Reason::Io, [&] { tw::DeleteList(list); });
    EXPECT_EQ(Folder(), "Dance.dat=;Odd.dat/;Pop.dat=;");
}

// The export header with the given type lines.
std::string Header(const std::string& typeLines) {
    const std::string hyphens(59, '-');
    return hyphens + "\r\nRingtone List Export 2001-12-05 21:56:40\r\nDisplayed in following order:\r\n" + typeLines +
           hyphens + "\r\n\r\n";
}

TEST_F(RingtoneListTest, ExportWritesTheChosenNotationsInListOrderWithTheCurrentSeparator) {
    WriteBytes(list.ListFileName(),
               "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c,8d\r\n[alpha]\r\nRTTTL=Alpha:d=8,o=6,b=90:c,4e\r\n");
    ringtone.SetFull_RTTTL("Current:d=4,o=5,b=100:g, a");
    const std::pair<tw::ExportChoices, std::string> cases[] = {
        {{}, Header("- Nokia Keypresses\r\n") + "Alpha (Tempo 90)\r\n18*, 39\r\n\r\nTest (Tempo 125)\r\n1, 28\r\n\r\n"},
        {{{true, true, true}, true, true},
         Header("- RTTTL/Chimekit Tones\r\n- Nokia Composer Tones\r\n- Nokia Keypresses\r\n") +
             "RTTTL = Alpha:d=8,o=6,b=90:c, 4e\r\nComposer = Alpha:Tempo=90:8c2, 4e2\r\nKeypresses = "
             "Alpha:Tempo=90:18*, 39\r\n"
             "RTTTL = Test:d=4,o=5,b=125:c, 8d\r\nComposer = Test:Tempo=125:4c1, 8d1\r\nKeypresses = Test:Tempo=125:1, "
             "28\r\n"},
        {{{false, true, false}, false, false},
         Header("- Nokia Composer Tones\r\n") +
             "Alpha (Tempo 90)\r\n8c2, 4e2\r\n\r\nTest (Tempo 125)\r\n4c1, 8d1\r\n\r\n"},
        {{{false, false, false}, true, false}, Header("")},
        {{{false, false, false}, false, false}, Header("") + "Alpha (Tempo 90)\r\n\r\nTest (Tempo 125)\r\n\r\n"},
    };
    for (const auto& [choices, text] : cases) EXPECT_EQ(Export(choices), text);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(ringtone.Full_RTTTL(), "Current:d=4,o=5,b=100:g, a");  // the current ringtone is not touched
}

TEST_F(RingtoneListTest, ExportWritesDamagedEntriesAsReadAndReportsThem) {
    WriteBytes(list.ListFileName(), "[Empty]\r\n[Odd]\r\nRTTTL=Odd:d=4,o=5,b=125:c,zz\r\n");
    EXPECT_EQ(Export({}),
              Header("- Nokia Keypresses\r\n") + "No name (Tempo 125)\r\n\r\n\r\nOdd (Tempo 125)\r\n1, 0\r\n\r\n");
    ASSERT_GE(problems.size(), 2u);
    EXPECT_EQ(problems.front(), "Empty: no ringtone text is stored");
    EXPECT_EQ(problems.back().rfind("Odd: ", 0), 0u);
    list.SetListName("Nothing");
    EXPECT_EQ(Export({}), Header("- Nokia Keypresses\r\n"));
}

}  // namespace
