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
#include <csignal>
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

// Writes lines, each followed by CR LF, through a fixed buffer, to standard output or to an
// AtomicFile (a failure leaves the old file as it was).
class Output {
  public:
    Output() = default;
    explicit Output(const fs::path& target) : file_(std::in_place, target) {}

    void Line(std::string_view head, std::string_view tail) {
        const std::size_t size = head.size() + tail.size() + 2;
        if (buf_.size() - used_ < size) {
            Flush();
            if (buf_.size() < size) buf_.resize(size);
        }
        char* at = buf_.data() + used_;
        head.copy(at, head.size()); // unlike memcpy, fine with the null data of an empty view
        tail.copy(at + head.size(), tail.size());
        at[size - 2] = '\r';
        at[size - 1] = '\n';
        used_ += size;
    }

    // Ends the output; false when anything failed (error() tells what).
    bool Finish() {
        Flush();
        return file_ ? file_->Commit() : ok_;
    }
    int error() const { return file_ ? file_->error() : error_; }

  private:
    void Flush() {
        const std::string_view bytes(buf_.data(), used_);
        used_ = 0;
        if (file_) {
            file_->Write(bytes);
            return;
        }
        for (std::size_t done = 0; ok_ && done < bytes.size();) {
            const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : EIO;
                ok_ = false;
            } else {
                done += static_cast<std::size_t>(n);
            }
        }
    }

    std::optional<bw::AtomicFile> file_;
    bool ok_ = true;
    int error_ = 0;
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
    const bw::RefreshOutcome refresh = bw::RefreshHeader(state, p, header, folders.home);
    if (!refresh.ok) {
        const std::optional<std::string> name = bw::Cp932ToUtf8(header.layoutName);
        Say("ユーザ定義レイアウトを読み込めません: " +
            (bw::UserLayoutFolder(folders.home) / name.value_or(Utf8(header.layoutName))).string() + " (" +
            refresh.message + ")");
        return kExitFailure;
    }
    // The ReadMe is streamed line by line rather than kept whole as the preview keeps it.
    std::optional<Output> out;
    if (o.output)
        out.emplace(*o.output);
    else
        out.emplace();
    bw::ForEachReadMeLine(state, p,
                          [&](std::string_view head, std::string_view tail) { out->Line(head, tail); });
    if (!out->Finish()) {
        Say((o.output ? o.output->string() : std::string("標準出力")) +
            " に書き込めません: " + std::strerror(out->error()));
        return kExitFailure;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit (or a full quota) must fail the write, not kill the program before it
    // can clean up its temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
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
