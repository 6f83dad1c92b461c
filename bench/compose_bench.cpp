// Times `brindlewocket-cli compose` on a generated project of about 50 MB against `cat` of
// the same section files into a file and against `sed 's/^/      /'` over them, and reports
// the composer's peak memory. See bench/README.md.

#include "project/project_store.h"
#include "text/cp932.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Measure {
    double seconds = 0;
    long peakKiB = 0;
    int exitCode = 0;
};

// Runs argv with stdout sent to outFile; wall time and the child's peak resident size.
Measure RunOnce(const std::vector<std::string>& args, const fs::path& outFile,
                const std::vector<std::string>& env = {}) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, STDOUT_FILENO);
        for (const auto& e : env)
            ::putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    Measure m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakKiB = usage.ru_maxrss;
    m.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return m;
}

// The median of runs (fastest to slowest); the peak memory is the largest seen.
Measure Median(const std::vector<std::string>& args, const fs::path& outFile, int runs,
               const std::vector<std::string>& env = {}) {
    std::vector<Measure> all;
    for (int i = 0; i < runs; ++i) {
        all.push_back(RunOnce(args, outFile, env));
        if (all.back().exitCode != 0) {
            std::fprintf(stderr, "%s failed with exit code %d\n", args[0].c_str(), all.back().exitCode);
            std::exit(1);
        }
    }
    std::sort(all.begin(), all.end(),
              [](const Measure& a, const Measure& b) { return a.seconds < b.seconds; });
    Measure m = all[all.size() / 2];
    for (const auto& x : all)
        m.peakKiB = std::max(m.peakKiB, x.peakKiB);
    return m;
}

// Deterministic text: short and long ASCII lines with words, short and long Japanese lines,
// empty lines; about a fifth of the lines are longer than 70 bytes.
class TextMaker {
  public:
    std::string Line() {
        switch (Next() % 10) {
        case 0:
            return "";
        case 1:
        case 2:
        case 3:
            return Words(20 + Next() % 45);
        case 4:
            return Words(75 + Next() % 120);
        case 5:
        case 6:
        case 7:
            return Japanese(10 + Next() % 24);
        case 8:
            return Japanese(36 + Next() % 40);
        default:
            return "  - " + Words(10 + Next() % 30) + japanese_[Next() % japanese_.size()];
        }
    }

  private:
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::string Words(std::size_t bytes) {
        static const char* const words[] = {"the",
                                            "readme",
                                            "install",
                                            "folder",
                                            "version",
                                            "setup.exe",
                                            "C:\\Program Files\\Demo",
                                            "http://example.jp/",
                                            "option",
                                            "a"};
        std::string s;
        while (s.size() < bytes) {
            if (!s.empty()) s += ' ';
            s += words[Next() % 10];
        }
        return s;
    }
    std::string Japanese(std::size_t chars) {
        std::string s;
        for (std::size_t i = 0; i < chars; ++i)
            s += japanese_[Next() % japanese_.size()];
        return s;
    }

    std::uint32_t state_ = 12345;
    std::vector<std::string> japanese_ = [] {
        std::vector<std::string> v;
        for (const char* c :
             {"あ", "の", "ソ", "表", "能", "ー", "、", "。", "ﾃ", "ｽ", "ﾄ", "漢", "字", "予", "十"})
            v.push_back(bw::Sjis(c));
        return v;
    }();
};

// Writes project Bench below home with sections totalling about totalBytes; returns the
// section files.
std::vector<fs::path> MakeProject(const fs::path& home, std::size_t totalBytes) {
    const fs::path projects = home / "project", folder = projects / "Bench";
    fs::create_directories(folder);
    std::ofstream(projects / "Bench.bwk", std::ios::binary) << bw::ProjectFileText("Bench");
    std::ofstream(folder / "Bench.ini", std::ios::binary)
        << "[OneLine]\r\nSoftName=Bench\r\nVersion=1.0\r\nProducer=bench\r\n"
        << "[LongWord]\r\nOther1Title=One\r\nOther2Title=Two\r\nOther3Title=Three\r\n";
    TextMaker maker;
    std::vector<fs::path> files;
    for (int k = 0; k < bw::kSectionCount; ++k) {
        const fs::path path = folder / *bw::Cp932ToUtf8(bw::SectionFileName(k));
        std::string text;
        text.reserve(totalBytes / bw::kSectionCount + 256);
        while (text.size() < totalBytes / bw::kSectionCount)
            text += maker.Line() + "\r\n";
        std::ofstream(path, std::ios::binary) << text;
        files.push_back(path);
    }
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::string cli;
    std::size_t megabytes = 50;
    int runs = 5;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--keep")
            keep = true;
        else if (i + 1 >= argc)
            break;
        else if (name == "--cli")
            cli = argv[++i];
        else if (name == "--size-mb")
            megabytes = std::stoul(argv[++i]);
        else if (name == "--runs")
            runs = std::stoi(argv[++i]);
    }
    if (cli.empty()) {
        std::fprintf(stderr, "usage: compose_bench --cli PATH [--size-mb 50] [--runs 5] [--keep]\n");
        return 2;
    }
    char tmpl[] = "/tmp/bwbenchXXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    const fs::path dir = tmpl, home = dir / "home", out = dir / "out.txt";

    const std::vector<fs::path> sections = MakeProject(home, megabytes * 1000 * 1000);
    std::uintmax_t projectBytes = 0;
    for (const auto& e : fs::recursive_directory_iterator(home))
        if (e.is_regular_file()) projectBytes += e.file_size();

    std::vector<std::string> catArgs{"cat"}, sedArgs{"sed", "s/^/      /"};
    for (const auto& s : sections) {
        catArgs.push_back(s.string());
        sedArgs.push_back(s.string());
    }
    // Like cat and sed, the composer writes to its standard output, redirected into the file;
    // the atomic replacement of --output FILE is timed on its own.
    const std::vector<std::string> composeArgs{
        cli,      "compose",   (home / "project" / "Bench.bwk").string(), "--home", home.string(),
        "--date", "2024/01/01"};
    std::vector<std::string> composeToFileArgs = composeArgs;
    composeToFileArgs.insert(composeToFileArgs.end(), {"--output", (dir / "ReadMe.txt").string()});

    RunOnce(catArgs, out); // bring the files into the page cache
    const Measure cat = Median(catArgs, out, runs);
    const Measure sed = Median(sedArgs, out, runs, {"LC_ALL=C"});
    const Measure compose = Median(composeArgs, out, runs);
    const std::uintmax_t readmeBytes = fs::file_size(out);
    const Measure composeToFile = Median(composeToFileArgs, dir / "stdout.txt", runs);

    const double mb = 1e6;
    std::printf("project: %.1f MB in 14 sections; ReadMe: %.1f MB; median of %d runs\n", projectBytes / mb,
                readmeBytes / mb, runs);
    std::printf("  cat > file          %7.3f s\n", cat.seconds);
    std::printf("  sed 's/^/      /'   %7.3f s   (LC_ALL=C)\n", sed.seconds);
    std::printf("  brindlewocket-cli   %7.3f s   peak memory %.1f MB\n", compose.seconds,
                compose.peakKiB * 1024 / mb);
    std::printf("  ... --output FILE   %7.3f s   (temporary file renamed over the previous ReadMe)\n",
                composeToFile.seconds);
    const double vsCat = compose.seconds / cat.seconds, sedFactor = sed.seconds / compose.seconds;
    const double memory = compose.peakKiB * 1024.0 / static_cast<double>(projectBytes);
    std::printf("compose / cat    = %5.2f  (target <= 3)    %s\n", vsCat, vsCat <= 3 ? "met" : "MISSED");
    std::printf("sed / compose    = %5.2f  (target >= 2)    %s\n", sedFactor,
                sedFactor >= 2 ? "met" : "MISSED");
    std::printf("memory / project = %5.2f  (target <= 3)    %s\n", memory, memory <= 3 ? "met" : "MISSED");

    if (keep)
        std::printf("project kept in %s (program folder %s)\n", dir.c_str(), home.c_str());
    else
        fs::remove_all(dir);
    return 0;
}
