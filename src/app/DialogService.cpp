#include "app/DialogService.h"

#include "text/cp932.h"

#include <array>
#include <vector>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace bw::gui {

namespace {

QMessageBox::Icon ToBoxIcon(DialogService::Icon icon) {
    switch (icon) {
    case DialogService::Icon::Information:
        return QMessageBox::Information;
    case DialogService::Icon::Question:
        return QMessageBox::Question;
    case DialogService::Icon::Warning:
        return QMessageBox::Warning;
    case DialogService::Icon::Critical:
        return QMessageBox::Critical;
    case DialogService::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A folder tree rooted at one folder: the view never shows anything above it.
class FolderBrowser : public QDialog {
  public:
    FolderBrowser(QWidget* parent, const QString& caption, const QString& root, const QString& start)
        : QDialog(parent) {
        setWindowTitle(caption);
        model_.setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
        model_.setRootPath(root);
        view_.setModel(&model_);
        view_.setRootIndex(model_.index(root));
        for (int c = 1; c < model_.columnCount(); ++c)
            view_.hideColumn(c);
        view_.setHeaderHidden(true);
        const QModelIndex current = model_.index(start.isEmpty() ? root : start);
        if (current.isValid()) view_.setCurrentIndex(current);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(&view_);
        layout->addWidget(buttons);
        resize(320, 360);
        root_ = root;
    }
    QString chosen() const {
        const QModelIndex i = view_.currentIndex();
        return i.isValid() ? model_.filePath(i) : root_;
    }

  private:
    QFileSystemModel model_;
    QTreeView view_;
    QString root_;
};

} // namespace

DialogService::Answer WidgetDialogService::message(QWidget* parent, const QString& text,
                                                   const QString& caption, Buttons buttons, Icon icon) {
    QMessageBox box(ToBoxIcon(icon), caption, text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case Buttons::Ok: {
        QPushButton* ok = box.addButton(QMessageBox::Ok);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return Answer::Ok;
    }
    case Buttons::OkCancel: {
        QPushButton* ok = box.addButton(QMessageBox::Ok);
        QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
    }
    case Buttons::YesNo: {
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    case Buttons::YesNoCancel: {
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == yes) return Answer::Yes;
        if (box.clickedButton() == no) return Answer::No;
        return Answer::Cancel;
    }
    }
    return Answer::Cancel;
}

QString WidgetDialogService::openFile(QWidget* parent, const QString& caption, const QString& folder,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString WidgetDialogService::saveFile(QWidget* parent, const QString& caption, const QString& preset,
                                      const QStringList& filters, const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!preset.isEmpty()) dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> WidgetDialogService::prompt(QWidget* parent, const QString& caption,
                                                   const QString& label, const QString& initial) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

QString WidgetDialogService::browseFolder(QWidget* parent, const QString& caption, const QString& root,
                                          const QString& start) {
    FolderBrowser browser(parent, caption, root, start);
    if (browser.exec() != QDialog::Accepted) return {};
    return browser.chosen();
}

void ShowError(DialogService& dialogs, QWidget* parent, const std::string& cp932Text) {
    dialogs.message(parent, FromCp932(cp932Text), QStringLiteral("Brindlewocket"), DialogService::Buttons::Ok,
                    DialogService::Icon::Critical);
}

namespace {

// CP932 to UTF-16 by table: a large text (the 14 MB preview) is decoded in one tight pass
// instead of through iconv and UTF-8. The table is made once from the core's own decoding, so
// both agree on every byte, undecodable ones included.
struct DecodeTable {
    static constexpr char16_t kNone = 0xFFFF;
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pair = std::vector<char16_t>(65536, kNone);

    DecodeTable() {
        for (int b = 0; b < 256; ++b) {
            const QString s =
                QString::fromStdString(Cp932ToDisplayUtf8(std::string(1, static_cast<char>(b))));
            single[static_cast<std::size_t>(b)] = s.size() == 1 ? s[0].unicode() : kNone;
        }
        // Every lead and trail pair, one per line; a pair that does not decode comes back as
        // more than one character.
        std::string all;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                all += static_cast<char>(lead);
                all += static_cast<char>(trail);
                all += '\n';
            }
        }
        const QStringList decoded = QString::fromStdString(Cp932ToDisplayUtf8(all)).split(u'\n');
        qsizetype k = 0;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail, ++k) {
                const QString& c = decoded[k];
                if (c.size() == 1 && (c[0].unicode() < 0xF700 || c[0].unicode() > 0xF7FF))
                    pair[static_cast<std::size_t>(lead << 8 | trail)] = c[0].unicode();
            }
        }
    }
};

const DecodeTable& Table() {
    static const DecodeTable table;
    return table;
}

} // namespace

QString FromCp932(std::string_view bytes) {
    const DecodeTable& t = Table();
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    char16_t* const begin = o;
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            *o++ = b;
            ++i;
            continue;
        }
        if (IsLeadByte(b) && i + 1 < n) {
            const char16_t c = t.pair[static_cast<std::size_t>(b << 8 | s[i + 1])];
            if (c != DecodeTable::kNone) {
                *o++ = c;
                i += 2;
                continue;
            }
        }
        const char16_t c = t.single[b];
        *o++ = c != DecodeTable::kNone ? c : static_cast<char16_t>(0xF700 + b);
        ++i;
    }
    out.truncate(o - begin);
    return out;
}

std::optional<std::string> ToCp932(const QString& text) {
    EncodeResult r = DisplayUtf8ToCp932(text.toStdString());
    if (!r.ok) return std::nullopt;
    return std::move(r.bytes);
}

QString PathToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}
std::filesystem::path QStringToPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

} // namespace bw::gui
