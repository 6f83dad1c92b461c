#include "editing/VersionInputForm.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "editing/EntryEdits.h"
#include "editing/phrases.h"
#include "text/ini.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace bw::gui {

namespace {

constexpr const char* kSection = "VerInput";

/// The remembered value of each control: its key and the value without a project or key.
struct Remembered {
    const char* key;
    const char* fallback;
};
constexpr Remembered kPrefix{"VerCmb", ""}, kMajor{"VerEd1", "0"}, kMinor{"VerEd2", "0"},
    kRelease{"VerEd3", "0"}, kBuild{"VerEd4", "0"}, kExtra{"+alpha", ""};

std::string Bytes(const QString& text) {
    return ToCp932(text).value_or(std::string());
}

/// While a combo box's list is open, the list takes the keyboard; this hands the keys that
/// edit text on to the box's own field, so typing goes on there. The list keeps the keys that
/// move in it, pick (Enter) and close it (Esc).
class TypingForwarder : public QObject {
  public:
    TypingForwarder(QLineEdit* field, QObject* parent) : QObject(parent), field_(field) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_F4:
            return false;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            break;
        default:
            if (key->text().isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                return false;
        }
        QApplication::sendEvent(field_, event);
        return true;
    }

  private:
    QLineEdit* field_;
};

} // namespace

// ---- Arrows --------------------------------------------------------------------------------

TVerUpDown::TVerUpDown(QLineEdit* buddy, QWidget* parent) : QWidget(parent), buddy_(buddy) {
    auto* up = new QToolButton(this);
    up->setObjectName(QStringLiteral("UpButton"));
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setObjectName(QStringLiteral("DownButton"));
    down->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up, down}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    connect(up, &QToolButton::clicked, this, &TVerUpDown::StepUp);
    connect(down, &QToolButton::clicked, this, &TVerUpDown::StepDown);
    buddy_->installEventFilter(this);
}

void TVerUpDown::Step(int delta) {
    // Like the system's arrows, the field's number is taken when it is one.
    bool ok = false;
    const int typed = buddy_->text().trimmed().toInt(&ok);
    if (ok) position_ = std::clamp(typed, 0, 100);
    position_ = std::clamp(position_ + delta, 0, 100);
    buddy_->setText(QString::number(position_));
}

bool TVerUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Dialog --------------------------------------------------------------------------------

TVersionInput::TVersionInput(ReadMeProject& record, DialogService& dialogs, Cp932InputGuard& guard,
                             QWidget* parent)
    : QDialog(parent), record_(record), dialogs_(dialogs) {
    setObjectName(QStringLiteral("VersionInput"));
    setWindowTitle(QStringLiteral("必要性を感じない入力ﾌｫｰﾑ"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    VerCmbBox = new QComboBox(this);
    VerCmbBox->setObjectName(QStringLiteral("VerCmbBox"));
    VerCmbBox->setEditable(true);
    VerCmbBox->setInsertPolicy(QComboBox::NoInsert);
    for (const char16_t* offer : {u"ver", u"version", u"バージョン", u"ばーじょん", u"型番(?)"})
        VerCmbBox->addItem(QString::fromUtf16(offer));
    VerCmbBox->setFixedWidth(96);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(VerCmbBox, 1, 0);

    QLineEdit** numbers[] = {&VerEdit1, &VerEdit2, &VerEdit3, &VerEdit4};
    const char16_t* captions[] = {u"ﾒｼﾞｬｰ(&M)", u"ﾏｲﾅｰ(&N)", u"ﾘﾘｰｽ(&R)", u"ﾋﾞﾙﾄﾞ(&B)"};
    for (int k = 0; k < 4; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("VerEdit%1").arg(k + 1));
        edit->setFixedWidth(40);
        auto* arrows = new TVerUpDown(edit, this);
        arrows->setObjectName(QStringLiteral("Ver%1UpDown").arg(k + 1));
        auto* label = new QLabel(QString::fromUtf16(captions[k]), this);
        label->setBuddy(edit);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(edit);
        cell->addWidget(arrows);
        grid->addWidget(label, 0, k + 1);
        grid->addLayout(cell, 1, k + 1);
        *numbers[k] = edit;
    }
    // Only the major number filters its keys; the others take any text.
    InstallDigitKeyFilter(VerEdit1);

    ExtraCmbBox = new QComboBox(this);
    ExtraCmbBox->setObjectName(QStringLiteral("ExtraCmbBox"));
    ExtraCmbBox->setEditable(true);
    ExtraCmbBox->setInsertPolicy(QComboBox::NoInsert);
    for (const char16_t* offer : {u"α", u"β", u"γ", u"＋", u"－", u"+", u"-"})
        ExtraCmbBox->addItem(QString::fromUtf16(offer));
    ExtraCmbBox->setFixedWidth(56);
    auto* extraLabel = new QLabel(QStringLiteral("おまけ(&O)"), this);
    extraLabel->setBuddy(ExtraCmbBox);
    grid->addWidget(extraLabel, 0, 5);
    grid->addWidget(ExtraCmbBox, 1, 5);
    // The list opens as soon as the user types in the box, and typing goes on in the box.
    connect(ExtraCmbBox->lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (!ExtraCmbBox->view()->isVisible()) ExtraCmbBox->showPopup();
    });
    ExtraCmbBox->view()->installEventFilter(new TypingForwarder(ExtraCmbBox->lineEdit(), this));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TVersionInput::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    guard.attach(VerCmbBox);
    for (QLineEdit* edit : {VerEdit1, VerEdit2, VerEdit3, VerEdit4})
        guard.attach(edit);
    guard.attach(ExtraCmbBox);

    // A new dialog is made for every opening, so filling it now is filling it when shown.
    FormShow();
}

void TVersionInput::FormShow() {
    IniFile ini;
    if (!record_.IniPath.empty()) {
        IniLoad loaded = LoadIniFile(record_.IniPath);
        if (loaded.ok) ini = std::move(loaded.ini);
    }
    auto value = [&](const Remembered& r) { return FromCp932(ini.ReadString(kSection, r.key, r.fallback)); };
    VerCmbBox->setEditText(value(kPrefix));
    VerEdit1->setText(value(kMajor));
    VerEdit2->setText(value(kMinor));
    VerEdit3->setText(value(kRelease));
    VerEdit4->setText(value(kBuild));
    ExtraCmbBox->setEditText(value(kExtra));
}

void TVersionInput::OKBtnClick() {
    const std::string prefix = Bytes(VerCmbBox->currentText()), major = Bytes(VerEdit1->text()),
                      minor = Bytes(VerEdit2->text()), release = Bytes(VerEdit3->text()),
                      build = Bytes(VerEdit4->text()), extra = Bytes(ExtraCmbBox->currentText());
    record_.Version = ComposeVersionText(prefix, major, minor, release, build, extra);
    // Without a project there is nowhere to remember the input.
    if (!record_.IniPath.empty()) {
        const std::vector<IniWrite> writes{{kSection, kPrefix.key, prefix}, {kSection, kMajor.key, major},
                                           {kSection, kMinor.key, minor},   {kSection, kRelease.key, release},
                                           {kSection, kBuild.key, build},   {kSection, kExtra.key, extra}};
        if (!UpdateIniFile(record_.IniPath, writes))
            ShowError(dialogs_, this, IniWriteFailedMessage(record_.IniPath));
    }
    accept();
}

void TVersionInput::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace bw::gui
