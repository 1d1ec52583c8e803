// The interactive mode's history file.
#include "history_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace quillo_eval {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

struct ParseCase {
  const char* name;
  std::string contents;
  Entries entries;
  std::size_t skipped = 0;  // lines that are not formulas
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, Reads) {
  const HistoryFile::Parsed parsed = HistoryFile::Parse(GetParam().contents, 3);
  EXPECT_EQ(parsed.entries, GetParam().entries);
  EXPECT_EQ(parsed.skipped, GetParam().skipped);
}

const std::string kLongest(HistoryFile::kMaxLineBytes, '1');

// A bad line costs only itself: the lines around it stay.
INSTANTIATE_TEST_SUITE_P(
    Table, ParseTest,
    ::testing::Values(
        ParseCase{"Empty", "", Entries{}},
        ParseCase{"Two", "1+1\n2*sin(30)\n", Entries{"1+1", "2*sin(30)"}},
        ParseCase{"BlankLinesSkipped", "1+1\n\n2+2\n", Entries{"1+1", "2+2"}},
        ParseCase{"CrLf", "1+1\r\n2+2\r\n", Entries{"1+1", "2+2"}},
        ParseCase{"CrInside", "1+1\r2\n3\n", Entries{"3"}, 1},
        ParseCase{"OnlyTheNewest", "1\n2\n3\n4\n5\n", Entries{"3", "4", "5"}},
        ParseCase{"FullWidth", "（１＋２）×3\n", Entries{"（１＋２）×3"}},
        ParseCase{"LongestLine", kLongest + "\n", Entries{kLongest}},
        ParseCase{"LineTooLong", kLongest + "1\n2\n", Entries{"2"}, 1},
        ParseCase{"LastLineWithoutBreak", "1+1\n2+2", Entries{"1+1", "2+2"}},
        ParseCase{"ControlCharacter", "1+1\n2\x01\n3\n", Entries{"1+1", "3"}, 1},
        ParseCase{"Tab", "1+\t1\n2\n", Entries{"2"}, 1},
        ParseCase{"Nul", std::string("1+1\n\0\n", 6), Entries{"1+1"}, 1},
        ParseCase{"NotUtf8", "1\xff\n2\n", Entries{"2"}, 1},
        ParseCase{"Overlong", "\xc0\xaf\n", Entries{}, 1},
        ParseCase{"Surrogate", "\xed\xa0\x80\n", Entries{}, 1},
        ParseCase{"TruncatedSequence", "1\xe4\xb8\n2\n3\n4\n5\n", Entries{"3", "4", "5"}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

class HistoryFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillo-history-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "state/quillo/history").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  HistoryFile Make(std::size_t limit = 3) {
    return HistoryFile(path_, [this](const std::string& m) { warnings_.push_back(m); }, limit);
  }
  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  void Write(const std::string& contents) {
    fs::create_directories(fs::path(path_).parent_path());
    std::ofstream(path_, std::ios::binary) << contents;
  }

  fs::path dir_;
  std::string path_;
  std::vector<std::string> warnings_;
};

TEST_F(HistoryFileTest, KeepsTheNewestUpToTheLimit) {
  HistoryFile file = Make();
  EXPECT_EQ(file.Load(), Entries{});
  for (const char* f : {"1", "2", "3", "4", "5"}) file.Add(f);
  EXPECT_EQ(Contents(), "3\n4\n5\n");
  EXPECT_EQ(Make().Load(), (Entries{"3", "4", "5"}));
  EXPECT_FALSE(fs::exists(path_ + ".new"));
  EXPECT_EQ(fs::status(fs::path(path_).parent_path()).permissions() & fs::perms::all,
            fs::perms::owner_all);
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(HistoryFileTest, TwoSessionsKeepEachOthersFormulas) {
  HistoryFile a = Make(10), b = Make(10);
  a.Load();
  b.Load();
  a.Add("1+1");
  b.Add("2+2");
  a.Add("3+3");
  EXPECT_EQ(Contents(), "1+1\n2+2\n3+3\n");
}

TEST_F(HistoryFileTest, RepeatsOfTheNewestAndUnstorableFormulasAreLeftOut) {
  HistoryFile file = Make(10);
  for (const char* f : {"1+1", "1+1", "", "1\x01", "2", "1+1", "1+\t2"}) file.Add(f);
  file.Add(std::string(HistoryFile::kMaxLineBytes + 1, '1'));
  EXPECT_EQ(Contents(), "1+1\n2\n1+1\n");
  // Said once, for the first formula the file cannot hold.
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].find("not kept"), std::string::npos) << warnings_[0];
}

TEST_F(HistoryFileTest, BadLinesAreSkippedWithOneWarningAndTheOthersKept) {
  Write("1+1\n\x01\xfe\n2+2\n" + std::string(5000, '3') + "\n4+4");
  HistoryFile file = Make();
  EXPECT_EQ(file.Load(), (Entries{"1+1", "2+2", "4+4"}));
  file.Add("5+5");
  EXPECT_EQ(Contents(), "2+2\n4+4\n5+5\n");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].find("2 lines"), std::string::npos) << warnings_[0];
}

TEST_F(HistoryFileTest, OfAnOversizedFileTheNewestLinesAreRead) {
  std::string big;
  for (int i = 0; big.size() < (9u << 20); ++i) big += std::to_string(i) + "+1\n";
  Write(big + "7*7\n");
  EXPECT_EQ(Make().Load().back(), "7*7");
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(HistoryFileTest, ASymbolicLinkIsWrittenThroughAndStaysALink) {
  const fs::path target = dir_ / "dotfiles/quillo-history";
  fs::create_directories(target.parent_path());
  std::ofstream(target) << "1+1\n";
  fs::create_directories(fs::path(path_).parent_path());
  fs::create_symlink("../../dotfiles/quillo-history", path_);  // relative, as dotfile managers make them
  HistoryFile file = Make();
  EXPECT_EQ(file.Load(), Entries{"1+1"});
  file.Add("2+2");
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Contents(), "1+1\n2+2\n");
  EXPECT_FALSE(fs::exists(target.string() + ".new"));
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(HistoryFileTest, AFailedWriteIsTriedAgainWithTheNextFormula) {
  Write("1+1\n");
  fs::create_directory(path_ + ".new");  // in the way, as a full disk would be
  HistoryFile file = Make(10);
  file.Load();
  file.Add("2+2");
  file.Add("3+3");
  EXPECT_EQ(Contents(), "1+1\n");
  fs::remove(path_ + ".new");
  file.Add("4+4");
  EXPECT_EQ(Contents(), "1+1\n2+2\n3+3\n4+4\n");  // nothing lost
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].find("tried again"), std::string::npos) << warnings_[0];
}

// A file this user may not read, or may not write, is left as it is. As
// root, which may do either, the session runs as "nobody".
TEST_F(HistoryFileTest, AFileThatMayNotBeReadOrWrittenIsNotReplaced) {
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  for (const fs::perms mode : {fs::perms::none, readOnly}) {
    Write("1+1\n");
    for (fs::path p = fs::path(path_).parent_path(); p != dir_.parent_path(); p = p.parent_path())
      fs::permissions(p, fs::perms::all);
    fs::permissions(path_, mode);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
      HistoryFile file = Make();
      const bool read = !file.Load().empty();
      file.Add("2+2");
      file.Add("3+3");
      _exit(static_cast<int>(warnings_.size()) + (read ? 10 : 0));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), mode == readOnly ? 11 : 1);  // one warning
    EXPECT_EQ(Contents(), "1+1\n");
    EXPECT_EQ(fs::status(path_).permissions(), mode);
  }
}

TEST_F(HistoryFileTest, NoPlaceForTheFileGivesOneWarning) {
  std::ofstream(dir_ / "state") << "a file where the directory should be";
  HistoryFile file = Make();
  EXPECT_EQ(file.Load(), Entries{});
  EXPECT_TRUE(warnings_.empty());  // nothing to read is no fault
  file.Add("1+1");
  file.Add("2+2");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].find("cannot write"), std::string::npos) << warnings_[0];
}

TEST_F(HistoryFileTest, ADirectoryInPlaceOfTheFileGivesOneWarning) {
  fs::create_directories(path_);
  HistoryFile file = Make();
  EXPECT_EQ(file.Load(), Entries{});
  file.Add("1+1");
  EXPECT_EQ(warnings_.size(), 1u);
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST(HistoryFilePath, FollowsXdgStateHomeWhenAbsolute) {
  const char* oldState = std::getenv("XDG_STATE_HOME");
  const char* oldHome = std::getenv("HOME");
  const std::string savedState = oldState ? oldState : "", savedHome = oldHome ? oldHome : "";
  setenv("HOME", "/home/u", 1);
  setenv("XDG_STATE_HOME", "/var/state", 1);
  EXPECT_EQ(HistoryFile::DefaultPath(), "/var/state/quillo/history");
  setenv("XDG_STATE_HOME", "relative/state", 1);  // not absolute: ignored
  EXPECT_EQ(HistoryFile::DefaultPath(), "/home/u/.local/state/quillo/history");
  unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(HistoryFile::DefaultPath(), "/home/u/.local/state/quillo/history");
  oldState ? setenv("XDG_STATE_HOME", savedState.c_str(), 1) : unsetenv("XDG_STATE_HOME");
  oldHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}

}  // namespace
}  // namespace quillo_eval
