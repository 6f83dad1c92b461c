// brindlewocket-cli: composes the ReadMe of a project as the preview shows it after opening
// the project, and writes it as CP932 with CR LF line ends.
//
//   brindlewocket-cli compose PROJECT.bwk [--home DIR] [--date TEXT] [--output FILE]
//
// Exit codes: 0 composed (missing section files are warned about), 1 the project, its
// layout or the output could not be read or written, 2 usage error.

#include "composer/composer.h"
#include "project/project_store.h"
#include "text/cp932.h"
#include "text/files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "使い方: brindlewocket-cli compose PROJECT.bwk [--home DIR] [--date TEXT] [--output FILE]\n"
    "\n"
    "プロジェクトの ReadMe を、プロジェクトを開いた直後のプレビューと同じ内容で作り、\n"
    "Shift_JIS (CP932)、改行 CR LF で標準出力か FILE に書き出します。\n"
    "\n"
    "  PROJECT.bwk    プロジェクトファイル\n"
    "  --home DIR     project/ と template/ のあるプログラムフォルダ (既定: この実行ファイルのフォルダ)\n"
    "  --date TEXT    最終更新日 (既定: 今日の yyyy/mm/dd)\n"
    "  --output FILE  出力先のファイル (既定: 標準出力)\n"
    "\n"
    "終了コード: 0 完了 (存在しないセクションファイルは警告)、1 読み書きの失敗、2 使い方の誤り\n";

void Say(const std::string& utf8) {
    std::fputs(("brindlewocket-cli: " + utf8 + "\n").c_str(), stderr);
}

// A program message (CP932) for the terminal.
std::string Utf8(const std::string& cp932) {
    return bw::Cp932ToDisplayUtf8(cp932);
}

int UsageError(const std::string& what) {
    Say(what);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

struct Options {
    fs::path project;
    std::optional<fs::path> home;
    std::optional<std::string> date;
    std::optional<fs::path> output;
};

// Parses the arguments after "compose"; returns an error text for a usage error.
std::optional<std::string> ParseOptions(int argc, char** argv, Options& o) {
    bool haveProject = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::optional<std::string> value;
        std::string_view name = arg;
        if (arg.starts_with("--")) {
            if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                value = std::string(arg.substr(eq + 1));
            }
        }
        auto take = [&](auto& slot) -> std::optional<std::string> {
            if (slot) return std::string(name) + " が二度指定されています";
            if (!value) {
                if (i + 1 >= argc) return std::string(name) + " に値がありません";
                value = argv[++i];
            }
            slot = *value;
            return std::nullopt;
        };
        std::optional<std::string> error;
        if (name == "--home")
            error = take(o.home);
        else if (name == "--date")
            error = take(o.date);
        else if (name == "--output")
            error = take(o.output);
        else if (arg.starts_with("-") && arg != "-")
            return "不明なオプション " + std::string(arg);
        else if (haveProject)
            return "プロジェクトファイルは一つだけ指定してください: " + std::string(arg);
        else {
            o.project = std::string(arg);
            haveProject = true;
        }
        if (error) return error;
    }
    if (!haveProject) return std::string("プロジェクトファイルが指定されていません");
    return std::nullopt;
}

// Writes the ReadMe lines, each followed by CR LF, through a fixed buffer: the composed
// text is never copied whole. A file is written to a temporary file beside it and renamed
// over the target at the end, so a failure leaves the old file as it was.
class Output {
  public:
    Output() : fd_(STDOUT_FILENO) {}
    explicit Output(const fs::path& target) : target_(target) {
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        temp_ = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
        fd_ = ::mkstemp(temp_.data());
        if (fd_ < 0) Fail();
    }
    ~Output() {
        if (!target_.empty() && fd_ >= 0) {
            ::close(fd_);
            ::unlink(temp_.c_str());
        }
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void Line(std::string_view line) {
        if (buf_.size() - used_ < line.size() + 2) {
            Flush();
            if (buf_.size() < line.size() + 2) buf_.resize(line.size() + 2);
        }
        std::memcpy(buf_.data() + used_, line.data(), line.size());
        used_ += line.size();
        buf_[used_++] = '\r';
        buf_[used_++] = '\n';
    }

    // Ends the output; false when anything failed (error() tells what).
    bool Finish() {
        Flush();
        if (target_.empty()) return ok_;
        if (ok_ && ::fchmod(fd_, NewFileMode()) != 0) Fail();
        if (fd_ >= 0 && ::close(fd_) != 0) Fail();
        fd_ = -1;
        if (ok_ && ::rename(temp_.c_str(), target_.c_str()) != 0) Fail();
        if (!ok_) ::unlink(temp_.c_str());
        return ok_;
    }
    int error() const { return error_; }

  private:
    void Flush() {
        for (std::size_t done = 0; ok_ && done < used_;) {
            const ssize_t n = ::write(fd_, buf_.data() + done, used_ - done);
            if (n < 0 && errno == EINTR) continue;
            if (n == 0) errno = EIO;
            if (n <= 0)
                Fail();
            else
                done += static_cast<std::size_t>(n);
        }
        used_ = 0;
    }

    // A replaced file keeps its permissions; a new one gets 0666 less the umask. A folder
    // at the target makes the rename fail.
    mode_t NewFileMode() const {
        struct stat old {};
        if (::stat(target_.c_str(), &old) == 0) return old.st_mode & 07777;
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

    void Fail() {
        if (ok_) error_ = errno;
        ok_ = false;
    }

    fs::path target_;
    std::string temp_;
    int error_ = 0;
    int fd_ = -1;
    bool ok_ = true;
    std::string buf_ = std::string(1 << 20, '\0');
    std::size_t used_ = 0;
};

int Compose(const Options& o) {
    bw::ProgramFolders folders{o.home ? *o.home : bw::ExecutableFolder()};
    std::error_code ec;
    if (!fs::is_directory(folders.home, ec))
        return UsageError("プログラムフォルダがありません: " + folders.home.string());

    // Start-up values only: the settings file of an installed program is not consulted.
    bw::ReadMeProject p = bw::StartupDefaults();
    if (o.date) {
        bw::EncodeResult date = bw::DisplayUtf8ToCp932(*o.date);
        if (!date.ok) return UsageError("--date の文字 " + date.badCharacter + " は Shift_JIS で表せません");
        p.LastUpDate = std::move(date.bytes);
    }

    const bw::OpenOutcome open = bw::OpenProject(p, folders, o.project);
    for (const int k : open.missingSections)
        Say("警告: " + Utf8(bw::SectionCaption(k)) +
            " のファイルが存在しません。このセクションは出力しません (" +
            p.SectionPath[static_cast<std::size_t>(k)].string() + ")");
    if (open.status == bw::OpenOutcome::Rejected) {
        Say(o.project.string() + ": " + Utf8(open.message));
        return kExitFailure;
    }
    if (open.status == bw::OpenOutcome::ReadFailed) {
        Say(Utf8(open.message));
        return kExitFailure;
    }

    bw::ComposerState state;
    const bw::HeaderChoice header = bw::HeaderChoiceFromOptions(p.Preview);
    const bw::RefreshOutcome refresh = bw::RefreshPreview(state, p, header, folders.home);
    if (!refresh.ok) {
        const std::optional<std::string> name = bw::Cp932ToUtf8(header.layoutName);
        Say("ユーザ定義レイアウトを読み込めません: " +
            (bw::UserLayoutFolder(folders.home) / name.value_or(Utf8(header.layoutName))).string() + " (" +
            refresh.message + ")");
        return kExitFailure;
    }
    // The texts are composed into ReadMeLines; let their memory go before writing.
    for (std::string& text : p.SectionText)
        std::string().swap(text);

    std::optional<Output> out;
    if (o.output)
        out.emplace(*o.output);
    else
        out.emplace();
    const bw::TextLines& lines = state.ReadMeLines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out->Line(lines[i]);
    if (!out->Finish()) {
        Say((o.output ? o.output->string() : std::string("標準出力")) +
            " に書き込めません: " + std::strerror(out->error()));
        return kExitFailure;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 2 || std::string_view(argv[1]) != "compose")
        return UsageError(argc < 2 ? "コマンドがありません" : "不明なコマンド " + std::string(argv[1]));
    Options o;
    if (const std::optional<std::string> error = ParseOptions(argc, argv, o)) return UsageError(*error);
    return Compose(o);
}
