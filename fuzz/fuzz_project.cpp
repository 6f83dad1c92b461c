// Opening and deleting a project whose files come from the input. Whatever the project file
// says, nothing outside the project folder is read into the record, and deletion removes
// nothing outside it.
#include "fuzz_check.h"
#include "project/project_store.h"
#include "text/files.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {
const fs::path& Home() {
    static const fs::path home = [] {
        char tmpl[] = "/tmp/bwfuzzprojXXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        return fs::path(tmpl);
    }();
    return home;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Input: project file, 0x00, INI file, 0x00, one section file.
    std::string parts[3];
    std::size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t nul = k < 2 ? bytes.find('\0', start) : std::string::npos;
        parts[k] = bytes.substr(std::min(start, bytes.size()),
                                nul == std::string::npos ? std::string::npos : nul - start);
        if (nul == std::string::npos) break;
        start = nul + 1;
    }
    const bw::ProgramFolders folders{Home()};
    std::error_code ec;
    fs::remove_all(Home(), ec);
    fs::create_directories(folders.ProjectFolder() / "Foo");
    bw::WriteFileAtomic(Home() / "outside.txt", "keep");
    bw::WriteFileAtomic(folders.ProjectFolder() / "Foo.bwk", parts[0]);
    bw::WriteFileAtomic(folders.ProjectFolder() / "Foo" / "Foo.ini", parts[1]);
    bw::WriteFileAtomic(folders.ProjectFolder() / "Foo" / "x.dat", parts[2]);

    bw::ReadMeProject p = bw::StartupDefaults();
    const bw::OpenOutcome open = bw::OpenProject(p, folders, folders.ProjectFolder() / "Foo.bwk");
    if (open.status == bw::OpenOutcome::Loaded) {
        FUZZ_CHECK(p.Preview.Indent >= 0 && p.Preview.Indent <= 10);
        // Every path is the project folder itself (an empty line) or lies below it.
        const std::string base = (folders.ProjectFolder() / "").string();
        auto below = [&](const fs::path& path) {
            return (path / "").lexically_normal().string().rfind(base, 0) == 0;
        };
        FUZZ_CHECK(below(p.IniPath));
        for (const fs::path& section : p.SectionPath)
            FUZZ_CHECK(below(section));
    }
    bw::DeleteProject(folders, "Foo.bwk");
    FUZZ_CHECK(bw::ReadWholeFile(Home() / "outside.txt").bytes == "keep");
    FUZZ_CHECK(fs::is_directory(folders.ProjectFolder()));
    return 0;
}
