#pragma once
// Turns a ReadMeProject into the text of its ReadMe: horizontal lines, a header block
// (a built-in style or a user layout) and the long-text sections.

#include "composer/text_lines.h"
#include "project/readme_project.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

/// Width in bytes at which section lines are wrapped; with the widest indent (10) a line
/// stays within 80 columns.
inline constexpr std::size_t kWrapWidth = 70;
/// Width of the ReadMe and of every horizontal line.
inline constexpr std::size_t kLineWidth = 80;

/// What the last refresh captured from the preview options.
struct ComposerSettings {
    std::string LBracket;
    std::string RBracket;
    std::string IndentText;
    std::string HrzLine1;
    std::string HrzLine2;
};

/// The composer's state for a whole run of the program; never saved.
struct ComposerState {
    ComposerState();
    ComposerSettings Settings;
    TextLines HeaderLines;
    TextLines ReadMeLines;
};

/// Which header a refresh builds.
struct HeaderChoice {
    enum Kind { None, Builtin, UserLayout };
    Kind kind = None;
    int builtin = 0;        ///< position 0-3, for Builtin
    std::string layoutName; ///< file name in template/UserLayout/, for UserLayout (CP932)

    static HeaderChoice BuiltinStyle(int position) { return {Builtin, position, {}}; }
    static HeaderChoice Layout(std::string name) { return {UserLayout, 0, std::move(name)}; }
};

/// The header a project's stored options select: its layout in user-layout mode, otherwise
/// the built-in style of that exact name, or none.
HeaderChoice HeaderChoiceFromOptions(const PreviewOptions& options);

/// Outcome of a refresh: ok, or the I/O error that ended it ("File not found" ...).
struct RefreshOutcome {
    bool ok = true;
    std::string message;
};

/// An 80-byte line made of copies of pattern (80 spaces for an empty pattern), cut by bytes.
std::string MakeHorizLine(std::string_view pattern);

/// The 12-byte title field of a free section, centred with full-width spaces.
std::string PadSectionTitle(std::string_view title);

/// Header builders: each appends its lines to header.
void ComposeTamaraskHeader(const ReadMeProject& p, const ComposerSettings& s, TextLines& header);
void ComposeSimple1Header(const ReadMeProject& p, const ComposerSettings& s, TextLines& header);
void ComposeSimple2Header(const ReadMeProject& p, const ComposerSettings& s, TextLines& header);
void ComposeGeneralHeader(const ReadMeProject& p, const ComposerSettings& s, TextLines& header);

/// The folder of the user layouts below the program folder.
std::filesystem::path UserLayoutFolder(const std::filesystem::path& programFolder);

/// The file of layout name (CP932) in that folder; nullopt unless name is a plain file name
/// (no separator, not "." or "..", decodable).
std::optional<std::filesystem::path> UserLayoutPath(const std::filesystem::path& programFolder,
                                                    const std::string& name);

/// Appends the expanded lines of template/UserLayout/<name>; fails with "File not found"
/// or "File access denied" and appends nothing.
RefreshOutcome ComposeUserLayoutHeader(const ReadMeProject& p, const ComposerSettings& s,
                                       const std::filesystem::path& programFolder, const std::string& name,
                                       TextLines& header);

/// The eleven basic-item placeholders of templates and layouts, replaced in order; with
/// settings, the four layout placeholders (brackets, horizontal lines) as well.
std::string ExpandPlaceholders(std::string_view line, const ReadMeProject& p,
                               const ComposerSettings* layoutSettings = nullptr);

/// ReadMeLines := HeaderLines followed by every non-empty section in SectionOrder.
void ComposeSections(ComposerState& state, const ReadMeProject& p);

/// Calls emit(head, tail) for every line ComposeSections would make (the line is head + tail),
/// without keeping them: a writer can stream a huge ReadMe.
template <typename Emit>
void ForEachReadMeLine(const ComposerState& state, const ReadMeProject& p, Emit&& emit);

/// The title line of section k: brackets around its title field.
std::string SectionTitleLine(const ComposerSettings& s, const ReadMeProject& p, int k);

/// The refresh up to the sections: settings from the options, then the chosen header.
/// When the layout cannot be read, settings are updated and HeaderLines is empty.
RefreshOutcome RefreshHeader(ComposerState& state, const ReadMeProject& p, const HeaderChoice& header,
                             const std::filesystem::path& programFolder);

/// The whole refresh: RefreshHeader, then ComposeSections. When the layout cannot be read,
/// ReadMeLines keeps its previous text.
RefreshOutcome RefreshPreview(ComposerState& state, const ReadMeProject& p, const HeaderChoice& header,
                              const std::filesystem::path& programFolder);

/// Calls f(piece) for each display line of a text: split at CR LF, LF or a lone CR (a final
/// break makes no empty last line), each line then wrapped at width by the wrap rule.
template <typename F> void ForEachDisplayLine(std::string_view text, std::size_t width, F&& f);

/// Calls f(piece) for the pieces of one line wider than width; the pieces join back to line.
template <typename F> void WrapLine(std::string_view line, std::size_t width, F&& f);

} // namespace bw

#include "composer/wrap_impl.h"
