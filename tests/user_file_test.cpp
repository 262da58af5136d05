#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/PosixPorts.h"
#include "platform/fakes/FakeFileSystem.h"
#include "tests/support/TreeShape.h"
#include "tree/UserFile.h"

namespace cv2 {
namespace {

using testing::Build;
using testing::Dump;

std::string Load(std::string_view bytes) {
    ItemTree tree;
    ParseUserFile(bytes, tree);
    return Dump(tree);
}

std::string Format(const std::string& shape) {
    ItemTree tree;
    Build(tree, shape);
    return FormatUserFile(tree);
}

// ---- writer ----

TEST(UserFileFormat, OneLinePerItemIndentedByTabsEndingInCrLf) {
    EXPECT_EQ(Format("A|.a1|..x|.a2|B"), "A\r\n\ta1\r\n\t\tx\r\n\ta2\r\nB\r\n");
    EXPECT_EQ(Format("A|.b|..c|...d|e"), "A\r\n\tb\r\n\t\tc\r\n\t\t\td\r\ne\r\n");
    EXPECT_EQ(Format(""), "");
}

TEST(UserFileFormat, TextsAreWrittenByteForByte) {
    ItemTree tree;
    // Second bytes 0x5C ("\") and 0x40 ("@"), a full-width space, blanks, an empty text.
    Item* a = tree.AppendChild(nullptr, "表ソ\\ァ@");
    tree.AppendChild(a, "\x81\x40全角 ");
    tree.AppendChild(a, "");
    tree.AppendChild(nullptr, " X\t");
    EXPECT_EQ(FormatUserFile(tree), std::string("\x95\x5C\x83\x5C\\\x83\x40@\r\n"
                                                "\t\x81\x40\x91\x53\x8A\x70 \r\n"
                                                "\t\r\n"
                                                " X\t\r\n"));
    // Read back, the texts are the same bytes: no second byte is taken for a blank or a line end.
    EXPECT_EQ(Load("表ソ\\ァ@\r\n\t\x81\x40全角 \r\n\t\r\n"), "表ソ\\ァ@|.\x81\x40全角 |.");
}

// ---- reader ----

TEST(UserFileParse, LineEnds) {
    const std::string shape = "A|.a1|..x|.a2|B";
    EXPECT_EQ(Load("A\r\n\ta1\r\n\t\tx\r\n\ta2\r\nB\r\n"), shape);
    EXPECT_EQ(Load("A\n\ta1\n\t\tx\n\ta2\nB\n"), shape);
    EXPECT_EQ(Load("A\r\ta1\r\t\tx\r\ta2\rB\r"), shape);
    EXPECT_EQ(Load("A\r\n\ta1\r\t\tx\n\ta2\r\nB"), shape);  // mixed, last line without an end
    // LF CR is two line ends; the empty line between is a top-level item.
    EXPECT_EQ(Load("A\n\rB\n\r"), "A||B|");
    // An empty rest after the last end makes no line; a further end does.
    EXPECT_EQ(Load("A\r\n"), "A");
    EXPECT_EQ(Load("A\r\n\r\n"), "A|");
    EXPECT_EQ(Load("A\r\n\ta\r\n\r\n\tb\r\n"), "A|.a||.b");
    EXPECT_EQ(Load(""), "");
    ItemTree one;
    ParseUserFile("\r\n", one);
    EXPECT_EQ(one.Count(), 1);
}

TEST(UserFileParse, NulEndsTheText) {
    using namespace std::string_view_literals;
    EXPECT_EQ(Load("A\r\nB\0\r\nC\r\n"sv), "A|B");
    EXPECT_EQ(Load("A\r\n\0B\r\n"sv), "A");
    EXPECT_EQ(Load("\0A\r\n"sv), "");
}

TEST(UserFileParse, Levels) {
    // Spaces count like tabs, mixed too; a full-width space is text.
    EXPECT_EQ(Load("A\r\n a\r\n \tx\r\n\t b\r\n"), "A|.a|..x|..b");
    EXPECT_EQ(Load("A\r\n\x81\x40"
                   "B\r\n"),
              "A|\x81\x40"
              "B");
    // The first line is top-level whatever its level; the next is measured against that.
    EXPECT_EQ(Load("\t\tA\r\n\tB\r\nC\r\n"), "A|.B|C");
    // Climbing several levels at once.
    EXPECT_EQ(Load("A\n\tB\n\t\tC\n\t\t\tD\n\tE\n\t\tF\n\t\t\tG\nH\n\tI"), "A|.B|..C|...D|.E|..F|...G|H|.I");
    EXPECT_EQ(Load("A\n\tB\n\t\tC\n\t\t\tD\n\t\t\tE\nF"), "A|.B|..C|...D|...E|F");
}

TEST(UserFileParse, LeadingBlanksOfATextBecomeLevels) {
    EXPECT_EQ(Load(Format("A| X")), "A|.X");
    EXPECT_EQ(Load(Format(" X|A")), "X|A");
    ItemTree tree;
    EXPECT_THROW(ParseUserFile(Format("A|. X"), tree), BadLevelError);
    EXPECT_EQ(Dump(tree), "A");
}

TEST(UserFileParse, BadLevelStopsTheLoadAndKeepsWhatCameBefore) {
    ItemTree tree;
    try {
        ParseUserFile("A\r\n\tB\r\n\t\t\t表示\r\nC\r\n", tree);
        FAIL() << "no error";
    } catch (const BadLevelError& e) {
        EXPECT_EQ(e.Level(), 3);
        EXPECT_EQ(e.Text(), "表示");
        EXPECT_EQ(std::string(e.what()), "アイテム \"表示\" の階層 (3) が不正です");
    }
    EXPECT_EQ(Dump(tree), "A|.B");
    EXPECT_EQ(tree.Count(), 2);

    ItemTree second;
    EXPECT_THROW(ParseUserFile("\t\tA\r\n\t\tB\r\n", second), BadLevelError);  // 2 after the top level
    EXPECT_EQ(Dump(second), "A");
}

TEST(UserFileParse, RoundTripOfDeepAndWideTrees) {
    // Deep: one item per level (a depth of d costs d*d/2 bytes of tabs, so not 100,000 here).
    std::string deep;
    for (int i = 0; i < 3000; ++i) deep += std::string(static_cast<std::size_t>(i), '\t') + "深\r\n";
    deep += "戻り\r\n";
    ItemTree tree;
    ParseUserFile(deep, tree);
    EXPECT_EQ(tree.Count(), 3001);
    EXPECT_EQ(tree.First()->NextSibling()->Text(), "戻り");
    EXPECT_EQ(FormatUserFile(tree), deep);
}

// ---- files ----

class UserFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/cv2-userfile-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
        files_ = MakePosixFileSystem();
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    std::wstring WPath(const std::string& name) const {
        return std::wstring(dir_.begin(), dir_.end()) + L"/" + Wide(name);
    }
    static std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::string Bytes(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        DIR* d = opendir(dir_.c_str());
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
        closedir(d);
        return names;
    }

    std::string dir_;
    std::unique_ptr<FileSystem> files_;
};

TEST_F(UserFileOnDisk, SaveWritesExactBytesAndLoadReadsThemBack) {
    ItemTree tree;
    Build(tree, "住所|.東京都|..表参道|氏名");
    SaveUserFile(*files_, WPath("u.cv2"), tree);
    EXPECT_EQ(Bytes("u.cv2"), FormatUserFile(tree));
    EXPECT_EQ(Entries(), std::vector<std::string>{"u.cv2"});  // no temporary file left

    ItemTree loaded;
    Build(loaded, "old|.items");
    LoadUserFile(*files_, WPath("u.cv2"), loaded);
    EXPECT_EQ(Dump(loaded), "住所|.東京都|..表参道|氏名");

    ItemTree empty;
    SaveUserFile(*files_, WPath("u.cv2"), empty);
    EXPECT_EQ(Bytes("u.cv2"), "");
    LoadUserFile(*files_, WPath("u.cv2"), loaded);
    EXPECT_TRUE(loaded.Empty());
}

TEST_F(UserFileOnDisk, LoadOfAnUnreadableFileLeavesTheTreeAlone) {
    ItemTree tree;
    Build(tree, "A|.B");
    EXPECT_THROW(LoadUserFile(*files_, WPath("missing.cv2"), tree), Error);
    mkdir(Path("folder.cv2").c_str(), 0755);
    EXPECT_THROW(LoadUserFile(*files_, WPath("folder.cv2"), tree), Error);
    EXPECT_EQ(Dump(tree), "A|.B");
}

TEST_F(UserFileOnDisk, LoadWithABadLevelReplacesTheTreeUpToTheBadLine) {
    Put("bad.cv2", "X\r\n\t\tY\r\n");
    ItemTree tree;
    Build(tree, "A|.B");
    EXPECT_THROW(LoadUserFile(*files_, WPath("bad.cv2"), tree), BadLevelError);
    EXPECT_EQ(Dump(tree), "X");
}

TEST_F(UserFileOnDisk, FailedSaveLeavesTheOldFileIntact) {
    Put("u.cv2", "old\r\n");
    ItemTree tree;
    Build(tree, "new|.content");

    // The target is a folder.
    mkdir(Path("dir.cv2").c_str(), 0755);
    EXPECT_THROW(SaveUserFile(*files_, WPath("dir.cv2"), tree), Error);
    // The folder does not exist.
    EXPECT_THROW(SaveUserFile(*files_, WPath("nowhere/u.cv2"), tree), Error);

    // The disk fills up halfway through the write.
    std::string big(100000, 'x');
    ItemTree large;
    large.AppendChild(nullptr, big);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(SaveUserFile(*files_, WPath("u.cv2"), large), Error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(Bytes("u.cv2"), "old\r\n");
    auto entries = Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"dir.cv2", "u.cv2"}));  // no temporary left
}

TEST_F(UserFileOnDisk, SaveKeepsTheModeOfTheFileItReplaces) {
    Put("u.cv2", "old\r\n");
    chmod(Path("u.cv2").c_str(), 0640);
    ItemTree tree;
    tree.AppendChild(nullptr, "new");
    SaveUserFile(*files_, WPath("u.cv2"), tree);
    struct stat st {};
    ASSERT_EQ(stat(Path("u.cv2").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Bytes("u.cv2"), "new\r\n");
}

TEST(UserFileFake, SaveFailureIsAnError) {
    fakes::FakeFileSystem files;
    files.files[L"C:\\u.cv2"] = "old\r\n";
    files.unwritable.insert(L"C:\\u.cv2");
    ItemTree tree;
    tree.AppendChild(nullptr, "new");
    EXPECT_THROW(SaveUserFile(files, L"C:\\u.cv2", tree), Error);
    EXPECT_EQ(files.files[L"C:\\u.cv2"], "old\r\n");
}

}  // namespace
}  // namespace cv2
