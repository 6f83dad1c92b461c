#include "app/DialogService.h"

#include "text/cp932.h"

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
    case DialogService::Icon::Information: return QMessageBox::Information;
    case DialogService::Icon::Question: return QMessageBox::Question;
    case DialogService::Icon::Warning: return QMessageBox::Warning;
    case DialogService::Icon::Critical: return QMessageBox::Critical;
    case DialogService::Icon::None: break;
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
        for (int c = 1; c < model_.columnCount(); ++c) view_.hideColumn(c);
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

DialogService::Answer WidgetDialogService::message(QWidget* parent, const QString& text, const QString& caption,
                                                   Buttons buttons, Icon icon) {
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

std::optional<QString> WidgetDialogService::prompt(QWidget* parent, const QString& caption, const QString& label,
                                                   const QString& initial) {
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

QString FromCp932(const std::string& bytes) { return QString::fromStdString(Cp932ToDisplayUtf8(bytes)); }

std::optional<std::string> ToCp932(const QString& text) {
    EncodeResult r = DisplayUtf8ToCp932(text.toStdString());
    if (!r.ok) return std::nullopt;
    return std::move(r.bytes);
}

QString PathToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
std::filesystem::path QStringToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

} // namespace bw::gui
