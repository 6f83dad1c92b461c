#pragma once
// Moving the ReadMeProject between memory and disk: the project file (.bwk), the project
// INI file, the section files, project creation and deletion. Nothing here shows a window;
// every operation returns its outcome with the program's message text (CP932).

#include "project/readme_project.h"
#include "text/lines.h"

#include <filesystem>
#include <string>
#include <vector>

namespace bw {

/// Folders of a running program: the executable's folder holds project/, template/ and the
/// settings file.
struct ProgramFolders {
    std::filesystem::path home;
    std::filesystem::path ProjectFolder() const { return home / "project"; }
    std::filesystem::path TemplateRoot() const { return home / "template"; }
};

/// First line of every project file: "ProjectFile : Brindlewocket;".
const std::string& ProjectFileMark();

/// The 18 lines of the project file of a project named name (CP932), each ended by CR LF.
std::string ProjectFileText(const std::string& name);

/// A stored path line ("Foo\Foo.ini", CP932) as a file-system path below projectFolder
/// (an empty line gives projectFolder itself); empty when the line is absolute, holds a ".."
/// component, "/", a NUL byte, or bytes that do not decode.
std::filesystem::path StoredPathToDisk(const std::filesystem::path& projectFolder, const std::string& line);

// ---- Open -----------------------------------------------------------------------------

struct OpenOutcome {
    enum Status {
        Loaded,     ///< loaded; missingSections lists the sections whose file was missing
        Rejected,   ///< wrong first line, fewer than 18 lines, or a path line that leaves the
                    ///< project folder: "不正ファイルの為、読み込みを中断しました。"
        ReadFailed, ///< the project file, its INI file or a section file could not be read:
                    ///< "ファイル %s は開けません"; missingSections holds those found missing before
    };
    Status status = Loaded;
    std::vector<int> missingSections;
    std::string message; ///< for Rejected and ReadFailed: the message box text
};

/// Loads the project file at path into p; INI and section files are taken below the project
/// folder wherever path lies. SavePending is set before anything is read; p keeps its other
/// fields on rejection. PopUserCheck stays on only when template/UserLayout/<Style> is a file
/// of a plain name; otherwise it is turned off and Style keeps the stored name.
OpenOutcome OpenProject(ReadMeProject& p, const ProgramFolders& folders, const std::filesystem::path& path);

/// "インストール\r\n免責\r\n" + "のファイルが存在しません。このファイルは読み込みませんでした".
std::string MissingSectionsMessage(const std::vector<int>& missing);

// ---- Save -----------------------------------------------------------------------------

struct SaveOutcome {
    enum Status { NotOpen, Saved, Failed };
    Status status = Saved;
    /// NotOpen: "プロジェクトを開いていません"; Saved: "　　保存しました　　  ";
    /// Failed: "%s に書き込めません" (INI file) or "ファイル %s を作成できません" (section file).
    std::string message;
};

/// Writes the INI keys and the 14 section files; clears SavePending on success.
SaveOutcome SaveProject(ReadMeProject& p);

// ---- Create (the new-project wizard) -----------------------------------------------------

struct NameCheck {
    enum Result { Ok, Empty, BadCharacter, DotName, Exists };
    Result result = Ok;
    std::string trimmed;         ///< the name with blanks and control bytes removed at both ends
    std::size_t selectStart = 0; ///< BadCharacter: byte offset in trimmed of the character to select
    std::string message;         ///< the message box text (CP932)
    std::string caption;         ///< its caption: "えら～", or "じょーほー" for Exists
};

/// Checks of the wizard's name page, in order: trim, empty, forbidden characters, "." or "..",
/// existing folder (Exists asks the user; it is not a refusal by itself).
NameCheck CheckProjectName(const std::string& name, const ProgramFolders& folders);

struct CreateOutcome {
    bool ok = true;
    std::string message; ///< the wizard's failure text when !ok
};

/// Creates the project folder, 14 empty section files, the project file and the four INI
/// keys, and binds p to them, stopping at the first failure. SavePending is set in every
/// case. A name that cannot be one folder ("", ".", "..", a separator) creates nothing.
CreateOutcome CreateProject(ReadMeProject& p, const ProgramFolders& folders, const std::string& name,
                            const std::string& author, const std::string& homePage,
                            const std::string& contact);

// ---- Delete (the project management window) ------------------------------------------------

/// Ordinary files of the project folder, sorted by name (file names as UTF-8).
std::vector<std::string> ListProjectFolder(const ProgramFolders& folders);

/// "プロジェクト：Foo を削除します。..." for the entry Foo.bwk (fileName as UTF-8; result CP932).
std::string DeleteConfirmationText(const std::string& fileName);

struct DeleteOutcome {
    enum Status { Deleted, KeptFolder, NotAProject, ReadFailed };
    Status status = Deleted;
    std::string message; ///< ReadFailed: "ファイル %s は開けません"
};

/// Deletes the files named by the project file fileName (UTF-8, in the project folder),
/// then its sub-folder if empty, then the project file itself. A file that is not a
/// project file, has fewer than 3 lines or names a path outside the project folder
/// deletes nothing (NotAProject); nothing here shows a message but ReadFailed.
DeleteOutcome DeleteProject(const ProgramFolders& folders, const std::string& fileName);

} // namespace bw
