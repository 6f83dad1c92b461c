#pragma once
// Every message box, file dialog, input prompt and folder browser of the program goes through
// DialogService, so that tests can answer them with a script instead of a person.

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace bw::gui {

class DialogService {
  public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };
    enum class Icon { None, Information, Question, Warning, Critical };

    virtual ~DialogService() = default;

    /// A message box; Esc and the close box answer Cancel (Ok for a box with only OK, No for
    /// a Yes/No box).
    virtual Answer message(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                           Icon icon = Icon::None) = 0;
    /// A file-open dialog; empty when cancelled. filter is in Qt's form ("Name (*.ext)").
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter) = 0;
    /// A file-save dialog that asks nothing about existing files; empty when cancelled.
    /// defaultSuffix (without the dot) is added to a typed name that has no extension.
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& preset,
                             const QStringList& filters, const QString& defaultSuffix) = 0;
    /// A one-line input prompt; nullopt when cancelled.
    virtual std::optional<QString> prompt(QWidget* parent, const QString& caption, const QString& label,
                                          const QString& initial) = 0;
    /// A folder browser whose root the user cannot leave; empty when cancelled.
    virtual QString browseFolder(QWidget* parent, const QString& caption, const QString& root,
                                 const QString& start) = 0;
};

/// The production implementation with the toolkit's dialogs (Japanese button texts).
class WidgetDialogService : public DialogService {
  public:
    Answer message(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override;
    QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& preset,
                     const QStringList& filters, const QString& defaultSuffix) override;
    std::optional<QString> prompt(QWidget* parent, const QString& caption, const QString& label,
                                  const QString& initial) override;
    QString browseFolder(QWidget* parent, const QString& caption, const QString& root,
                         const QString& start) override;
};

/// The general error report: a box captioned "Brindlewocket" with the error's text (CP932).
void ShowError(DialogService& dialogs, QWidget* parent, const std::string& cp932Text);

/// CP932 bytes as display text (undecodable bytes kept as private code points).
QString FromCp932(std::string_view bytes);
/// Display text back to CP932; nullopt when a character has no CP932 code.
std::optional<std::string> ToCp932(const QString& text);
/// A file-system path (UTF-8 on disk) as display text, and back.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& path);

} // namespace bw::gui
