#include "project/project_store.h"

#include "composer/composer.h"
#include "text/cp932.h"
#include "text/files.h"
#include "text/ini.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bw {

namespace fs = std::filesystem;

namespace {

// The store's own texts, converted to CP932 once.
struct Texts {
    std::string mark = "ProjectFile : Brindlewocket;";
    std::string rejected = Sjis("不正ファイルの為、読み込みを中断しました。");
    std::string cannotOpen = Sjis(" は開けません");
    std::string file = Sjis("ファイル ");
    std::string cannotCreate = Sjis(" を作成できません");
    std::string missingTail = Sjis("のファイルが存在しません。このファイルは読み込みませんでした");
    std::string notOpen = Sjis("プロジェクトを開いていません");
    std::string saved = Sjis("　　保存しました　　  ");
    std::string enterName = Sjis("プロジェクト名を入力して下さい");
    std::string badCharacters = Sjis("プロジェクト名に　 \\ / : * ? \" < > |  の文字は使用しないで下さい");
    std::string dotName = Sjis("「.」や「..」はプロジェクト名として使用できません");
    std::string exists = Sjis("既に同名のプロジェクトが存在します。上書きして宜しいですか？");
    std::string errorCaption = Sjis("えら～");
    std::string infoCaption = Sjis("じょーほー");
    std::string createFailed = Sjis("失敗しました。。。\r\n"
                                    "ここのエラーは予定外なので作者に連絡を取って下さい\r\n"
                                    "　　(予定外ならこんなダイアログ作るなよ...)");
    std::string deleteHead = Sjis("プロジェクト：");
    std::string deleteTail =
        Sjis(" を削除します。\r\n一旦削除すると元には戻せません。\r\n\r\n　よろしいですか？\r\n");
    // INI sections and keys.
    std::string oneLine = "OneLine";
    std::string longWord = "LongWord";
    std::string preview = "Preview";
};

const Texts& T() {
    static const Texts texts;
    return texts;
}

// The characters a project name may not hold, in the order of the wizard's message.
constexpr std::string_view kForbiddenNameChars = "\\/:*?\"<>|";

constexpr std::size_t kProjectFileLines = 18;
constexpr std::size_t kIniLine = 2;
constexpr std::size_t kFirstSectionLine = 4;

// A file-system path as the program's messages show it.
std::string MessagePath(const fs::path& path) {
    return Utf8ToCp932Lenient(path.string());
}

std::string CannotOpenMessage(const fs::path& path) {
    return T().file + MessagePath(path) + T().cannotOpen;
}
std::string CannotCreateMessage(const fs::path& path) {
    return T().file + MessagePath(path) + T().cannotCreate;
}

// A UTF-8 file name as CP932: raw bytes survive as they do for display, anything without a
// CP932 code becomes "?".
std::string FileNameToCp932(const std::string& utf8) {
    EncodeResult r = DisplayUtf8ToCp932(utf8);
    return r.ok ? std::move(r.bytes) : Utf8ToCp932Lenient(utf8);
}

// "Foo.bwk" -> "Foo": the name without its last extension.
std::string WithoutLastExtension(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

// Every path line from line 2 on names a file below the project folder; one that would
// reach outside it (or cannot be a name at all) makes the whole project file invalid.
bool PathLinesAreSafe(const fs::path& projectFolder, const std::vector<std::string>& lines) {
    for (std::size_t i = kIniLine; i < lines.size(); ++i)
        if (!lines[i].empty() && StoredPathToDisk(projectFolder, lines[i]).empty()) return false;
    return true;
}

// A project name as one folder or file name on disk; nullopt when it cannot be one.
std::optional<std::string> NameOnDisk(const std::string& name) {
    if (!IsPlainFileName(name)) return std::nullopt;
    return Cp932ToUtf8(name);
}

bool UserLayoutExists(const ProgramFolders& folders, const std::string& name) {
    const std::optional<fs::path> path = UserLayoutPath(folders.home, name);
    return path && IsRegularFile(*path);
}

// True when bytes hold no NUL and every line break is CR LF, so that the text needs no
// change. Large sections are scanned 16 bytes at a time: this check would otherwise cost
// about as much as reading the file.
bool HasOnlyCrLfBreaks(std::string_view bytes) {
    const char* s = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    bool pendingCr = false; // the byte before i was a CR that still needs its LF
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
        const unsigned lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, nul)) != 0) return false;
        // Each LF right after a CR and each CR right before an LF; a CR in the last byte
        // passes its LF on to the next block.
        if (lfs != (((crs << 1) | (pendingCr ? 1u : 0u)) & 0xFFFFu)) return false;
        pendingCr = (crs >> 15) != 0;
    }
#endif
    for (; i < n; ++i) {
        const char c = s[i];
        if (pendingCr) {
            if (c != '\n') return false;
            pendingCr = false;
        } else if (c == '\n' || c == '\0') {
            return false;
        } else {
            pendingCr = c == '\r';
        }
    }
    return !pendingCr;
}

// A section file's bytes as its text: CR LF line ends, cut at a NUL. Most files need no
// change, and a large one is then taken over without a copy.
std::string SectionTextFromBytes(std::string bytes) {
    return HasOnlyCrLfBreaks(bytes) ? std::move(bytes) : NormalizeLineBreaks(bytes);
}

std::string WriteOrderKey(int n) {
    return "WriteOrder" + std::to_string(n);
}

// The flags of one operating-system group, in key order.
constexpr const char* kOsKeys[] = {"W95", "W98", "WMe", "WNT", "W2k", "WXP"};
std::array<bool*, 6> OsFields(OsFlags& f) {
    return {&f.W95, &f.W98, &f.WMe, &f.WNT, &f.W2k, &f.WXP};
}
std::array<const bool*, 6> OsFields(const OsFlags& f) {
    return {&f.W95, &f.W98, &f.WMe, &f.WNT, &f.W2k, &f.WXP};
}

// The basic items stored under "OneLine", in the order they are written.
template <typename Project> auto OneLineFields(Project& p) {
    return std::array{std::pair{"SoftName", &p.SoftName},   std::pair{"Producer", &p.Producer},
                      std::pair{"Version", &p.Version},     std::pair{"ArcName", &p.ArcName},
                      std::pair{"ArcExt", &p.ArcExt},       std::pair{"Kind", &p.Kind},
                      std::pair{"Value", &p.Value},         std::pair{"DevLang", &p.DevLang},
                      std::pair{"CopyRight", &p.CopyRight}, std::pair{"RunTime", &p.RunTime},
                      std::pair{"HomePage", &p.HomePage},   std::pair{"Mailadrs", &p.Mailadrs}};
}

void ReadIni(ReadMeProject& p, const IniFile& ini) {
    const Texts& t = T();
    for (auto& [key, field] : OneLineFields(p))
        *field = ini.ReadString(t.oneLine, key, "");
    p.BasicOrder.resize(kBasicItemCount);
    for (int k = 0; k < kBasicItemCount; ++k)
        p.BasicOrder[static_cast<std::size_t>(k)] =
            ini.ReadString(t.oneLine, WriteOrderKey(k + 1), BasicItemCaption(k));
    for (auto [section, flags] : {std::pair{"Operate", &p.Operate}, std::pair{"Operated", &p.Operated}}) {
        const auto fields = OsFields(*flags);
        for (std::size_t i = 0; i < fields.size(); ++i)
            *fields[i] = ini.ReadBool(section, kOsKeys[i], false);
    }
    p.Other1Title = ini.ReadString(t.longWord, "Other1Title", "");
    p.Other2Title = ini.ReadString(t.longWord, "Other2Title", "");
    p.Other3Title = ini.ReadString(t.longWord, "Other3Title", "");
    p.SectionOrder.resize(kSectionCount);
    for (int k = 0; k < kSectionCount; ++k)
        p.SectionOrder[static_cast<std::size_t>(k)] =
            ini.ReadString(t.longWord, WriteOrderKey(k + 1), SectionCaption(k));
    PreviewOptions& o = p.Preview;
    o.LeftBracket = ini.ReadString(t.preview, "LeftBracket", Sjis("【"));
    o.RightBracket = ini.ReadString(t.preview, "RightBracket", Sjis("】"));
    // A stored indent outside 0..10 would otherwise size every indentation of the ReadMe.
    o.Indent = static_cast<int>(std::clamp(ini.ReadInteger(t.preview, "Indent", 6), 0L, 10L));
    o.HorizLine1 = ini.ReadString(t.preview, "HorizLine1", "*");
    o.HorizLine2 = ini.ReadString(t.preview, "HorizLine2", "-");
    o.Style = ini.ReadString(t.preview, "Style", BuiltinStyleName(0));
    o.PopUserCheck = ini.ReadBool(t.preview, "PopUserCheck", false);
}

std::vector<IniWrite> IniWrites(const ReadMeProject& p) {
    const Texts& t = T();
    std::vector<IniWrite> w;
    for (const auto& [key, field] : OneLineFields(p))
        w.push_back({t.oneLine, key, *field});
    for (int k = 0; k < kBasicItemCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        // An order shorter than eleven entries stores the default caption for the rest.
        w.push_back({t.oneLine, WriteOrderKey(k + 1),
                     i < p.BasicOrder.size() ? p.BasicOrder[i] : BasicItemCaption(k)});
    }
    for (auto [section, flags] : {std::pair{"Operate", &p.Operate}, std::pair{"Operated", &p.Operated}}) {
        const auto fields = OsFields(*flags);
        for (std::size_t i = 0; i < fields.size(); ++i)
            w.push_back({section, kOsKeys[i], *fields[i] ? "1" : "0"});
    }
    w.push_back({t.longWord, "Other1Title", p.Other1Title});
    w.push_back({t.longWord, "Other2Title", p.Other2Title});
    w.push_back({t.longWord, "Other3Title", p.Other3Title});
    for (int k = 0; k < kSectionCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        w.push_back({t.longWord, WriteOrderKey(k + 1),
                     i < p.SectionOrder.size() ? p.SectionOrder[i] : SectionCaption(k)});
    }
    const PreviewOptions& o = p.Preview;
    w.push_back({t.preview, "LeftBracket", o.LeftBracket});
    w.push_back({t.preview, "RightBracket", o.RightBracket});
    w.push_back({t.preview, "Indent", std::to_string(o.Indent)});
    w.push_back({t.preview, "HorizLine1", o.HorizLine1});
    w.push_back({t.preview, "HorizLine2", o.HorizLine2});
    w.push_back({t.preview, "Style", o.Style});
    w.push_back({t.preview, "PopUserCheck", o.PopUserCheck ? "1" : "0"});
    return w;
}

} // namespace

const std::string& ProjectFileMark() {
    return T().mark;
}

std::string ProjectFileText(const std::string& name) {
    std::string out = T().mark + "\r\n\r\n" + name + "\\" + name + ".ini\r\n\r\n";
    for (int k = 0; k < kSectionCount; ++k)
        out += name + "\\" + SectionFileName(k) + "\r\n";
    return out;
}

fs::path StoredPathToDisk(const fs::path& projectFolder, const std::string& line) {
    if (line.empty()) return projectFolder;
    if (line[0] == '\\' || line.find('/') != std::string::npos || line.find('\0') != std::string::npos)
        return {};
    std::string utf8;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = FindAnyChar(line, "\\", start);
        const std::string component =
            line.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (component == "..") return {};
        const std::optional<std::string> name = Cp932ToUtf8(component);
        if (!name) return {};
        utf8 += *name;
        if (sep == std::string::npos) break;
        utf8 += '/';
        start = sep + 1;
    }
    return projectFolder / utf8;
}

OpenOutcome OpenProject(ReadMeProject& p, const ProgramFolders& folders, const fs::path& path) {
    p.SavePending = true;
    ReadResult file = ReadWholeFile(path);
    if (!file.ok()) return {OpenOutcome::ReadFailed, {}, CannotOpenMessage(path)};
    const std::vector<std::string> lines = SplitLines(file.bytes);
    const fs::path projectFolder = folders.ProjectFolder();
    if (lines.size() < kProjectFileLines || lines[0] != T().mark || !PathLinesAreSafe(projectFolder, lines))
        return {OpenOutcome::Rejected, {}, T().rejected};

    p.ProjectName = WithoutLastExtension(FileNameToCp932(path.filename().string()));
    p.IniPath = StoredPathToDisk(projectFolder, lines[kIniLine]);
    for (int k = 0; k < kSectionCount; ++k)
        p.SectionPath[static_cast<std::size_t>(k)] =
            StoredPathToDisk(projectFolder, lines[kFirstSectionLine + static_cast<std::size_t>(k)]);

    const IniLoad ini = LoadIniFile(p.IniPath);
    if (!ini.ok) return {OpenOutcome::ReadFailed, {}, CannotOpenMessage(p.IniPath)};
    ReadIni(p, ini.ini);
    if (p.Preview.PopUserCheck && !UserLayoutExists(folders, p.Preview.Style)) p.Preview.PopUserCheck = false;

    OpenOutcome out;
    for (int k = 0; k < kSectionCount; ++k) {
        const fs::path& sectionPath = p.SectionPath[static_cast<std::size_t>(k)];
        std::error_code ec;
        // Only a file counts as there; a folder of that name is a missing file.
        if (fs::is_directory(sectionPath, ec)) {
            out.missingSections.push_back(k);
            continue;
        }
        ReadResult section = ReadWholeFile(sectionPath);
        if (section.status == ReadStatus::NotFound) {
            out.missingSections.push_back(k);
            continue;
        }
        if (!section.ok()) {
            out.status = OpenOutcome::ReadFailed;
            out.message = CannotOpenMessage(sectionPath);
            return out;
        }
        p.SectionText[static_cast<std::size_t>(k)] = SectionTextFromBytes(std::move(section.bytes));
    }
    return out;
}

std::string MissingSectionsMessage(const std::vector<int>& missing) {
    std::string text;
    for (const int k : missing)
        text += SectionCaption(k) + "\r\n";
    return text + T().missingTail;
}

SaveOutcome SaveProject(ReadMeProject& p) {
    if (!IsProjectOpen(p)) return {SaveOutcome::NotOpen, T().notOpen};
    if (!UpdateIniFile(p.IniPath, IniWrites(p)))
        return {SaveOutcome::Failed, IniWriteFailedMessage(p.IniPath)};
    for (int k = 0; k < kSectionCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        if (!WriteFileAtomic(p.SectionPath[i], p.SectionText[i]))
            return {SaveOutcome::Failed, CannotCreateMessage(p.SectionPath[i])};
    }
    p.SavePending = false;
    return {SaveOutcome::Saved, T().saved};
}

NameCheck CheckProjectName(const std::string& name, const ProgramFolders& folders) {
    NameCheck c;
    c.trimmed = std::string(TrimBlanks(name));
    c.caption = T().errorCaption;
    if (c.trimmed.empty()) {
        c.result = NameCheck::Empty;
        c.message = T().enterName;
        return c;
    }
    std::size_t select = std::string::npos;
    for (const char ch : kForbiddenNameChars) {
        const std::size_t at = FindAnyChar(c.trimmed, std::string_view(&ch, 1));
        if (at != std::string::npos && (select == std::string::npos || at > select)) select = at;
    }
    if (select != std::string::npos) {
        c.result = NameCheck::BadCharacter;
        c.selectStart = select;
        c.message = T().badCharacters;
        return c;
    }
    // "." and ".." would put the project's files into the project folder or the program
    // folder themselves.
    if (c.trimmed == "." || c.trimmed == "..") {
        c.result = NameCheck::DotName;
        c.message = T().dotName;
        return c;
    }
    const std::optional<std::string> onDisk = Cp932ToUtf8(c.trimmed);
    std::error_code ec;
    if (onDisk && fs::is_directory(folders.ProjectFolder() / *onDisk, ec)) {
        c.result = NameCheck::Exists;
        c.message = T().exists;
        c.caption = T().infoCaption;
        return c;
    }
    c.caption.clear();
    return c;
}

CreateOutcome CreateProject(ReadMeProject& p, const ProgramFolders& folders, const std::string& name,
                            const std::string& author, const std::string& homePage,
                            const std::string& contact) {
    p.SavePending = true;
    const CreateOutcome failed{false, T().createFailed};
    const std::optional<std::string> onDisk = NameOnDisk(name);
    if (!onDisk) return failed;
    const fs::path projectFolder = folders.ProjectFolder();
    const fs::path folder = projectFolder / *onDisk;
    std::error_code ec;
    fs::create_directory(folder, ec); // an existing folder is fine; a failure shows at the first file

    for (int k = 0; k < kSectionCount; ++k) {
        const fs::path path = StoredPathToDisk(projectFolder, name + "\\" + SectionFileName(k));
        if (!WriteFileAtomic(path, "")) return failed;
        p.SectionPath[static_cast<std::size_t>(k)] = path;
    }
    if (!WriteFileAtomic(projectFolder / (*onDisk + ".bwk"), ProjectFileText(name))) return failed;

    p.ProjectName = name;
    p.IniPath = StoredPathToDisk(projectFolder, name + "\\" + name + ".ini");
    p.SoftName = name;
    p.Producer = author;
    p.HomePage = homePage;
    p.Mailadrs = contact;
    const std::string& oneLine = T().oneLine;
    if (!UpdateIniFile(p.IniPath, {{oneLine, "SoftName", name},
                                   {oneLine, "Producer", author},
                                   {oneLine, "HomePage", homePage},
                                   {oneLine, "Mailadrs", contact}}))
        return failed;
    return {};
}

std::vector<std::string> ListProjectFolder(const ProgramFolders& folders) {
    return ListOrdinaryFiles(folders.ProjectFolder()).value_or(std::vector<std::string>{});
}

std::string DeleteConfirmationText(const std::string& fileName) {
    return T().deleteHead + FileNameToCp932(WithoutLastExtension(fileName)) + T().deleteTail;
}

DeleteOutcome DeleteProject(const ProgramFolders& folders, const std::string& fileName) {
    if (fileName.empty() || fileName == "." || fileName == ".." || fileName.find('/') != std::string::npos)
        return {DeleteOutcome::NotAProject, {}};
    const fs::path projectFolder = folders.ProjectFolder();
    const fs::path projectFile = projectFolder / fileName;
    const ReadResult file = ReadWholeFile(projectFile);
    if (!file.ok()) return {DeleteOutcome::ReadFailed, CannotOpenMessage(projectFile)};
    const std::vector<std::string> lines = SplitLines(file.bytes);
    if (lines.size() <= kIniLine || lines[0] != T().mark || !PathLinesAreSafe(projectFolder, lines))
        return {DeleteOutcome::NotAProject, {}};

    for (std::size_t i = kIniLine; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        // unlink, unlike remove, never takes a folder with it.
        ::unlink(StoredPathToDisk(projectFolder, lines[i]).c_str());
    }
    // The sub-folder goes only when it is empty, and never the project folder itself.
    const fs::path folder = StoredPathToDisk(projectFolder, lines[kIniLine]).parent_path();
    if ((folder / "").lexically_normal() == (projectFolder / "").lexically_normal() ||
        ::rmdir(folder.c_str()) != 0)
        return {DeleteOutcome::KeptFolder, {}};
    ::unlink(projectFile.c_str());
    return {DeleteOutcome::Deleted, {}};
}

} // namespace bw
