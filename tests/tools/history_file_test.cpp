// The interactive mode's history file.
#include "history_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillo_eval {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

struct ParseCase {
  const char* name;
  std::string contents;
  std::optional<Entries> entries;  // nothing: damaged
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, Reads) {
  EXPECT_EQ(HistoryFile::Parse(GetParam().contents, 3), GetParam().entries);
}

const std::string kLongest(HistoryFile::kMaxLineBytes, '1');

INSTANTIATE_TEST_SUITE_P(
    Table, ParseTest,
    ::testing::Values(
        ParseCase{"Empty", "", Entries{}},
        ParseCase{"Two", "1+1\n2*sin(30)\n", Entries{"1+1", "2*sin(30)"}},
        ParseCase{"BlankLinesSkipped", "1+1\n\n2+2\n", Entries{"1+1", "2+2"}},
        ParseCase{"CrLf", "1+1\r\n2+2\r\n", Entries{"1+1", "2+2"}},
        ParseCase{"CrInside", "1+1\r2\n", std::nullopt},
        ParseCase{"OnlyTheNewest", "1\n2\n3\n4\n5\n", Entries{"3", "4", "5"}},
        ParseCase{"FullWidth", "（１＋２）×3\n", Entries{"（１＋２）×3"}},
        ParseCase{"LongestLine", kLongest + "\n", Entries{kLongest}},
        ParseCase{"LineTooLong", kLongest + "1\n", std::nullopt},
        ParseCase{"CutOff", "1+1\n2+", std::nullopt},
        ParseCase{"ControlCharacter", "1+1\n2\x01\n", std::nullopt},
        ParseCase{"Tab", "1+\t1\n", std::nullopt},
        ParseCase{"Nul", std::string("1+1\n\0\n", 6), std::nullopt},
        ParseCase{"NotUtf8", "1\xff\n", std::nullopt},
        ParseCase{"Overlong", "\xc0\xaf\n", std::nullopt},
        ParseCase{"Surrogate", "\xed\xa0\x80\n", std::nullopt},
        ParseCase{"TruncatedSequence", "1\xe4\xb8\n", std::nullopt}),
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
  for (const char* f : {"1+1", "1+1", "", "1\x01", "2", "1+1"}) file.Add(f);
  file.Add(std::string(HistoryFile::kMaxLineBytes + 1, '1'));
  EXPECT_EQ(Contents(), "1+1\n2\n1+1\n");
}

TEST_F(HistoryFileTest, DamagedFileIsIgnoredWithOneWarningAndReplaced) {
  Write("1+1\n\x01\xfe\n");
  HistoryFile file = Make();
  EXPECT_EQ(file.Load(), Entries{});
  file.Add("2+2");
  file.Add("3+3");
  EXPECT_EQ(Contents(), "2+2\n3+3\n");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].find("damaged"), std::string::npos);
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
