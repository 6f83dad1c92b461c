#pragma once
// The editor of one long-text section. Its text is the section's SectionText: every edit
// reaches the record at once, re-encoding only the lines that changed, so that typing into a
// section of several megabytes stays quick.

#include <QPlainTextEdit>

#include <string>
#include <vector>

namespace bw::gui {

class TSectionEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    /// text is the record field the editor edits (CP932, CR LF); it must outlive the editor.
    TSectionEditor(std::string& text, int fontPixels, QWidget* parent = nullptr);

    /// Shows the field's text again, with an empty undo history and without emitting edited().
    void LoadFromRecord();

    /// Replaces the whole text as one step that Ctrl+Z takes back (templates, the
    /// operating-environment phrase, history entries).
    void ReplaceAllText(const std::string& cp932);

    /// The display width of the text, in half-width columns, where the editor is wide enough.
    static constexpr int kWrapColumns = 70;

  signals:
    /// The user (or a replacement) changed the field.
    void edited();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void DocumentChanged(int position, int charsRemoved, int charsAdded);
    /// Re-encodes the whole document into the field; false when a character has no CP932 code.
    bool ResyncAll();
    /// The line lengths of the field as loaded, when it still holds that text and ends its
    /// lines in CR LF only; false otherwise.
    bool IndexLoadedField();
    /// The CP932 bytes of blocks first..last joined by CR LF, with the byte length of each.
    bool EncodeBlocks(int first, int last, std::string& bytes, std::vector<std::size_t>& lengths) const;
    void FitWrapWidth();

    std::string& text_;
    /// CP932 byte length of each block of the document while synced_; the field is these
    /// lines joined by CR LF.
    std::vector<std::size_t> lineBytes_;
    std::size_t syncedSize_ = 0;
    std::size_t loadedSize_ = 0;
    std::size_t loadedHash_ = 0;
    bool synced_ = false;
    bool loading_ = false;
};

} // namespace bw::gui
