// Runs brindlewocket-cli as a separate process on small project folders.

#include "project/project_store.h"
#include "text/cp932.h"

#include "store_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace bw;
namespace fs = std::filesystem;
using bw::test::ReadBytes;
using bw::test::TempFolder;
using bw::test::WriteBytes;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out, err; // err as UTF-8
};

// Runs the program with args; stdout and stderr are caught in files of scratch. With
// fileLimit, the child may not write files larger than that many bytes.
Outcome RunCli(const fs::path& program, const std::vector<std::string>& args, const fs::path& scratch,
               rlim_t fileLimit = RLIM_INFINITY) {
    const fs::path outFile = scratch / "stdout", errFile = scratch / "stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (fileLimit != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit r{};
            getrlimit(RLIMIT_FSIZE, &r);
            r.rlim_cur = fileLimit;
            setrlimit(RLIMIT_FSIZE, &r);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    Outcome r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = ReadBytes(outFile);
    r.err = ReadBytes(errFile);
    return r;
}

const std::string kCli = BW_CLI;

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// Program folder with the project Demo: a few basic items, custom preview options, the
// history section moved to the front, a missing section file and an LF-only section.
class CliTest : public ::testing::Test {
  protected:
    CliTest() {
        WriteBytes(project() / "Demo.bwk", ProjectFileText("Demo"));
        WriteBytes(
            demo() / "Demo.ini",
            Sjis("[OneLine]\r\nSoftName=Demo\r\nVersion=1.0\r\nKind=シェアウェア\r\nValue=500\r\n"
                 "RunTime=なし\r\nProducer=作者\r\nHomePage=http://example.jp/\r\n"
                 "[LongWord]\r\nOther1Title=  FAQ \r\nWriteOrder1=開発履歴\r\nWriteOrder11=はじめに\r\n"
                 "[Preview]\r\nLeftBracket=[\r\nRightBracket=]\r\nIndent=4\r\nHorizLine1==\r\nHorizLine2="
                 "ab\r\n"));
        const char* sections[kSectionCount] = {
            "はじめに", "インストール", "アンインストール", "ファイル構成", "動作環境",
            "開発環境", "使い方",       "著作権",           "転載・再配布", "免責",
            "開発履歴", "その他１",     "その他２",         "その他３"};
        for (int k = 0; k < kSectionCount; ++k)
            if (k != copyright) WriteBytes(demo() / (std::string(sections[k]) + ".dat"), "");
        std::string longWords;
        for (int i = 0; i < 13; ++i)
            longWords += "abcd ";
        WriteBytes(demo() / "はじめに.dat",
                   "Line one\r\n" + longWords + "efghijkl\r\n" + Repeat(Sjis("あ"), 40));
        WriteBytes(demo() / "開発履歴.dat", "2024/01/02 v1.0\r\n  first release\r\n");
        WriteBytes(demo() / "その他１.dat", "Q\nA\n");
    }

    static std::string Repeat(const std::string& s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += s;
        return out;
    }

    // The ReadMe of Demo, line by line, as composed on 2024/01/02.
    static std::string Expected(const std::string& date = "2024/01/02") {
        std::string abcd;
        for (int i = 0; i < 13; ++i)
            abcd += "abcd ";
        const std::vector<std::string> lines = {
            std::string(80, '='),
            Sjis("[  ソフト名  ]　Demo"),
            Sjis("[ バージョン ]　1.0"),
            Sjis("[ 最終更新日 ]　") + date,
            Sjis("[    種別    ]　シェアウェア　[ ") + "\x5C" + "500 ]",
            Sjis("[ 必要ﾗﾝﾀｲﾑ  ]　なし"),
            Sjis("[   作者名   ]　作者"),
            Sjis("[ホームページ]　http://example.jp/"),
            std::string(80, '='),
            Repeat("ab", 40),
            Sjis("[　開発履歴　]"),
            "2024/01/02 v1.0",
            "  first release",
            "",
            Sjis("[　はじめに　]"),
            "    Line one",
            "    " + abcd, // cut after the last space before the word that crosses column 70
            "    efghijkl",
            "    " + Repeat(Sjis("あ"), 35),
            "    " + Repeat(Sjis("あ"), 5),
            "",
            Sjis("[　　FAQ 　　]"),
            "    Q",
            "    A",
            "",
        };
        std::string out;
        for (const auto& l : lines)
            out += l + "\r\n";
        return out;
    }

    fs::path home() const { return tmp.path() / "home"; }
    fs::path project() const { return home() / "project"; }
    fs::path demo() const { return project() / "Demo"; }
    fs::path bwk() const { return project() / "Demo.bwk"; }

    Outcome Cli(std::vector<std::string> args, rlim_t fileLimit = RLIM_INFINITY) {
        return RunCli(kCli, args, tmp.path(), fileLimit);
    }

    TempFolder tmp;
};

} // namespace

TEST_F(CliTest, ComposesTheProjectToAFileAndToStdout) {
    const fs::path out = tmp.path() / "ReadMe.txt";
    Outcome r = Cli({"compose", bwk().string(), "--home", home().string(), "--date", "2024/01/02", "--output",
                     out.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), Expected());
    EXPECT_EQ(r.out, "");
    // The missing section file is warned about, naming the section.
    EXPECT_NE(r.err.find("著作権"), std::string::npos) << r.err;

    // Options in any order, "--name=value" too; a Japanese date is converted to CP932.
    r = Cli({"compose", "--date=2024年1月2日", "--home=" + home().string(), bwk().string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, Expected(Sjis("2024年1月2日")));

    // An existing output file is replaced.
    WriteBytes(out, "old contents that are longer than nothing");
    r = Cli({"compose", bwk().string(), "--home", home().string(), "--date", "2024/01/02", "--output",
             out.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(ReadBytes(out), Expected());
}

TEST_F(CliTest, DefaultsAreTheExecutablesFolderAndToday) {
    const fs::path copy = home() / "brindlewocket-cli";
    fs::copy_file(kCli, copy);
    // A settings file beside the program is not applied.
    WriteBytes(home() / "brindlewocket-cli.ini",
               "[BaseSetting]\r\nMainAddress=x@y\r\n[CreateRead]\r\nRead=1\r\n");
    const Outcome r = RunCli(copy, {"compose", bwk().string()}, tmp.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string label = Sjis("[ 最終更新日 ]　");
    const std::size_t at = r.out.find(label);
    ASSERT_NE(at, std::string::npos);
    const std::string date = r.out.substr(at + label.size(), 12);
    ASSERT_EQ(date.substr(10), "\r\n");
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(date[i] == '/', i == 4 || i == 7) << date;
    EXPECT_EQ(r.out.find("x@y"), std::string::npos);
    std::string expected = Expected();
    expected.replace(expected.find("2024/01/02"), 10, date.substr(0, 10));
    EXPECT_EQ(r.out, expected);
}

TEST_F(CliTest, UserLayoutHeader) {
    WriteBytes(home() / "template" / "UserLayout" / "mine.txt", "[$HrzLine1]\r\n[%AppTitle] [%xVersion]\r\n");
    fs::remove_all(demo()); // no section files: the ReadMe is the header alone
    WriteBytes(
        demo() / "Demo.ini",
        "[OneLine]\r\nSoftName=Demo\r\nVersion=2\r\n[Preview]\r\nStyle=mine.txt\r\nPopUserCheck=1\r\n");
    const Outcome r = Cli({"compose", bwk().string(), "--home", home().string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string(80, '*') + "\r\nDemo 2\r\n");
}

TEST_F(CliTest, FailuresExitWithOne) {
    const fs::path out = tmp.path() / "ReadMe.txt";
    auto compose = [&](const fs::path& projectFile, const fs::path& output) {
        return Cli({"compose", projectFile.string(), "--home", home().string(), "--output", output.string()});
    };
    struct Case {
        const char* what;
        std::string bytes; // of the project file Other.bwk
        const char* message;
    } cases[] = {
        {"wrong first line", "ProjectFile : Brindlewocket; \r\n", "不正ファイルの為"},
        {"too short", "ProjectFile : Brindlewocket;\r\n\r\nDemo\\Demo.ini\r\n", "不正ファイルの為"},
        {"a path out of the project folder",
         Replace(ProjectFileText("Demo"), "Demo\\Demo.ini", "..\\..\\secret.ini"), "不正ファイルの為"},
    };
    for (const auto& c : cases) {
        WriteBytes(project() / "Other.bwk", c.bytes);
        const Outcome r = compose(project() / "Other.bwk", out);
        EXPECT_EQ(r.exitCode, 1) << c.what;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.what;
    }

    Outcome r = compose(project() / "None.bwk", out);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("None.bwk は開けません"), std::string::npos) << r.err;
    EXPECT_EQ(compose(project(), out).exitCode, 1); // a folder

    // The output cannot be written: a folder in its place, a missing folder.
    fs::create_directory(tmp.path() / "dir.txt");
    EXPECT_EQ(compose(bwk(), tmp.path() / "dir.txt").exitCode, 1);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "dir.txt"));
    r = compose(bwk(), tmp.path() / "gone" / "ReadMe.txt");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("gone/ReadMe.txt に書き込めません"), std::string::npos) << r.err;

    // A write that breaks off leaves the old output as it was, and no temporary file.
    WriteBytes(out, "old");
    r = Cli({"compose", bwk().string(), "--home", home().string(), "--output", out.string()}, 200);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadBytes(out), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()),
              5); // home, dir.txt, ReadMe.txt, stdout, stderr
}

TEST_F(CliTest, AnUnreadableLayoutExitsWithOne) {
    // A regular file whose read fails: the memory file of the reading process, at address 0.
    if (!fs::is_regular_file("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem";
    fs::create_directories(home() / "template" / "UserLayout");
    fs::create_symlink("/proc/self/mem", home() / "template" / "UserLayout" / "broken.txt");
    WriteBytes(demo() / "Demo.ini", "[Preview]\r\nStyle=broken.txt\r\nPopUserCheck=1\r\n");
    const fs::path out = tmp.path() / "ReadMe.txt";
    const Outcome r = Cli({"compose", bwk().string(), "--home", home().string(), "--output", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("broken.txt"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"build", bwk().string()},
        {"compose"},
        {"compose", bwk().string(), bwk().string()},
        {"compose", bwk().string(), "--verbose"},
        {"compose", bwk().string(), "--output"},
        {"compose", bwk().string(), "--date", "1", "--date", "2"},
        {"compose", bwk().string(), "--home", (tmp.path() / "none").string()},
        {"compose", bwk().string(), "--home", home().string(), "--date",
         "2024/01/02 \xF0\x9F\x98\x80"}, // no CP932 code
    };
    for (const auto& args : cases) {
        const Outcome r = Cli(args);
        std::string line;
        for (const auto& a : args)
            line += a + " ";
        EXPECT_EQ(r.exitCode, 2) << line;
        EXPECT_NE(r.err.find("brindlewocket-cli compose PROJECT.bwk"), std::string::npos) << line;
        EXPECT_EQ(r.out, "") << line;
    }
    const Outcome help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--output FILE"), std::string::npos);
}
