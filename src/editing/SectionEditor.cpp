#include "editing/SectionEditor.h"

#include "app/DialogService.h"
#include "controls/Fonts.h"
#include "text/cp932.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace bw::gui {

TSectionEditor::TSectionEditor(std::string& text, int fontPixels, QWidget* parent)
    : QPlainTextEdit(parent), text_(text) {
    setFont(FixedPitchFont(fontPixels));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The strip right of the 70th column looks like the rest of the editor.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    connect(document(), &QTextDocument::contentsChange, this, &TSectionEditor::DocumentChanged);
}

void TSectionEditor::LoadFromRecord() {
    loading_ = true;
    setPlainText(FromCp932(text_));
    loading_ = false;
    // The field keeps its bytes (lone CR or LF, undecodable bytes) until the user edits it.
    synced_ = false;
    lineBytes_.clear();
    loadedSize_ = text_.size();
    loadedHash_ = std::hash<std::string>{}(text_);
}

void TSectionEditor::ReplaceAllText(const std::string& cp932) {
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(FromCp932(cp932));
    cursor.endEditBlock();
    setTextCursor(cursor);
}

bool TSectionEditor::EncodeBlocks(int first, int last, std::string& bytes,
                                  std::vector<std::size_t>& lengths) const {
    QString joined;
    for (QTextBlock b = document()->findBlockByNumber(first); b.isValid() && b.blockNumber() <= last;
         b = b.next()) {
        if (b.blockNumber() > first) joined += QLatin1Char('\n');
        joined += b.text();
    }
    const std::optional<std::string> encoded = ToCp932(joined);
    if (!encoded) return false;
    bytes.clear();
    bytes.reserve(encoded->size() + 2 * static_cast<std::size_t>(last - first));
    lengths.clear();
    std::size_t lineStart = 0;
    for (char c : *encoded) {
        if (c == '\n') {
            lengths.push_back(bytes.size() - lineStart);
            bytes += "\r\n";
            lineStart = bytes.size();
        } else {
            bytes += c;
        }
    }
    lengths.push_back(bytes.size() - lineStart);
    if (lengths.size() == static_cast<std::size_t>(last - first + 1)) return true;

    // A private character standing for a raw LF byte came out as 0x0A: encode line by line.
    bytes.clear();
    lengths.clear();
    for (QTextBlock b = document()->findBlockByNumber(first); b.isValid() && b.blockNumber() <= last;
         b = b.next()) {
        const std::optional<std::string> line = ToCp932(b.text());
        if (!line) return false;
        if (b.blockNumber() > first) bytes += "\r\n";
        bytes += *line;
        lengths.push_back(line->size());
    }
    return true;
}

bool TSectionEditor::IndexLoadedField() {
    // The field still holds what LoadFromRecord showed. When its lines end in CR LF only, they
    // are the document's blocks as they were before this edit, and the lines the edit did not
    // touch keep their bytes.
    if (text_.size() != loadedSize_ || std::hash<std::string>{}(text_) != loadedHash_) return false;
    std::vector<std::size_t> lengths;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = text_.find('\n', start);
        const std::size_t end = lf == std::string::npos ? text_.size() : lf - 1;
        if (lf != std::string::npos && (lf == start || text_[lf - 1] != '\r')) return false;
        if (text_.find('\r', start) < end) return false; // a lone CR
        lengths.push_back(end - start);
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    lineBytes_ = std::move(lengths);
    syncedSize_ = text_.size();
    synced_ = true;
    return true;
}

bool TSectionEditor::ResyncAll() {
    std::string bytes;
    std::vector<std::size_t> lengths;
    if (!EncodeBlocks(0, document()->blockCount() - 1, bytes, lengths)) {
        synced_ = false;
        return false;
    }
    text_ = std::move(bytes);
    lineBytes_ = std::move(lengths);
    syncedSize_ = text_.size();
    synced_ = true;
    return true;
}

void TSectionEditor::DocumentChanged(int position, int, int charsAdded) {
    if (loading_) return;
    const QTextDocument* doc = document();
    const int newCount = doc->blockCount();
    // Something else may have replaced the field since the last edit: then start afresh.
    if ((!synced_ && !IndexLoadedField()) || text_.size() != syncedSize_) {
        ResyncAll();
        emit edited();
        return;
    }
    // Blocks before the one holding position are untouched, and so are those after the block
    // holding the end of the inserted text; the block count tells how many old blocks the
    // changed range replaced.
    const int end = std::clamp(position + charsAdded, 0, std::max(0, doc->characterCount() - 1));
    const int first = doc->findBlock(position).blockNumber();
    const int last = doc->findBlock(end).blockNumber();
    const int oldCount = static_cast<int>(lineBytes_.size());
    const int oldRange = (last - first + 1) + (oldCount - newCount);
    std::string bytes;
    std::vector<std::size_t> lengths;
    if (first < 0 || last < first || oldRange < 1 || first + oldRange > oldCount ||
        !EncodeBlocks(first, last, bytes, lengths)) {
        ResyncAll();
        emit edited();
        return;
    }
    const auto begin = lineBytes_.begin() + first;
    const std::size_t offset = std::accumulate(lineBytes_.begin(), begin, std::size_t{0}) + 2 * first;
    const std::size_t oldBytes =
        std::accumulate(begin, begin + oldRange, std::size_t{0}) + 2 * (oldRange - 1);
    text_.replace(offset, oldBytes, bytes);
    lineBytes_.erase(begin, begin + oldRange);
    lineBytes_.insert(lineBytes_.begin() + first, lengths.begin(), lengths.end());
    syncedSize_ = text_.size();
    emit edited();
}

void TSectionEditor::FitWrapWidth() {
    // The layout gives each line the viewport's width less the document margin on both sides
    // and the cursor's width; a narrower viewport leaves the wrap at the editor's width.
    const QFontMetricsF metrics(font());
    const int wanted = static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('0')) * kWrapColumns +
                                                  2 * document()->documentMargin())) +
                       cursorWidth() + 1;
    const int available =
        width() - 2 * frameWidth() -
        (verticalScrollBar()->isVisibleTo(this) ? verticalScrollBar()->sizeHint().width() : 0);
    setViewportMargins(0, 0, std::max(0, available - wanted), 0);
}

void TSectionEditor::resizeEvent(QResizeEvent* event) {
    // The margins first: the editor lays its text out again for the viewport's new width.
    FitWrapWidth();
    QPlainTextEdit::resizeEvent(event);
}

void TSectionEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        QResizeEvent same(size(), size());
        resizeEvent(&same);
    }
}

} // namespace bw::gui
