#include "shell/OutputReadMeForm.h"

#include "app/DialogService.h"
#include "controls/XPGroupBox.h"
#include "shell/readme_output.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace bw::gui {

TOutputReadMe::TOutputReadMe(const TextLines& lines, DialogService& dialogs, QWidget* parent,
                             const QDateTime& opened)
    : QDialog(parent), lines_(lines), dialogs_(dialogs) {
    setObjectName(QStringLiteral("OutputReadMe"));
    setWindowTitle(QStringLiteral("ReadMe出力"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* pathLabel = new QLabel(QStringLiteral("保存先パス(&P)"), this);
    PathEdit = new QLineEdit(this);
    PathEdit->setObjectName(QStringLiteral("PathEdit"));
    PathEdit->setReadOnly(true);
    Button1 = new QToolButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setText(QStringLiteral("･･･"));
    Button1->setFixedSize(22, 22);
    pathLabel->setBuddy(Button1);

    auto* stampGroup = new TXPGroupBox(QStringLiteral("出力ファイルの作成日時(&D)"), this);
    NoStampRdoBtn = new QRadioButton(QStringLiteral("指定なし"), stampGroup);
    NoStampRdoBtn->setObjectName(QStringLiteral("NoStampRdoBtn"));
    NoStampRdoBtn->setChecked(true);
    StampRdoBtn = new QRadioButton(QStringLiteral("指定する"), stampGroup);
    StampRdoBtn->setObjectName(QStringLiteral("StampRdoBtn"));
    DatePicker = new QDateEdit(opened.date(), stampGroup);
    DatePicker->setObjectName(QStringLiteral("DatePicker"));
    DatePicker->setCalendarPopup(true);
    DatePicker->setDisplayFormat(QStringLiteral("yyyy年MM月dd日"));
    TimePicker = new QTimeEdit(QTime(opened.time().hour(), opened.time().minute(), opened.time().second()),
                               stampGroup);
    TimePicker->setObjectName(QStringLiteral("TimePicker"));
    TimePicker->setDisplayFormat(QStringLiteral("H:mm:ss"));
    auto* stampLayout = new QGridLayout(stampGroup);
    stampLayout->addWidget(NoStampRdoBtn, 0, 0);
    stampLayout->addWidget(StampRdoBtn, 1, 0);
    stampLayout->addWidget(DatePicker, 1, 1);
    stampLayout->addWidget(TimePicker, 1, 2);

    OutputBtn = new QPushButton(QStringLiteral("出力"), this);
    OutputBtn->setObjectName(QStringLiteral("OutputBtn"));
    OutputBtn->setEnabled(false);
    OutputBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(PathEdit, 1);
    pathRow->addWidget(Button1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OutputBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addWidget(stampGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QToolButton::clicked, this, &TOutputReadMe::Button1Click);
    connect(PathEdit, &QLineEdit::textChanged, this, &TOutputReadMe::PathEditChange);
    connect(NoStampRdoBtn, &QRadioButton::clicked, this, &TOutputReadMe::RadioClick);
    connect(StampRdoBtn, &QRadioButton::clicked, this, &TOutputReadMe::RadioClick);
    connect(OutputBtn, &QPushButton::clicked, this, &TOutputReadMe::OutputBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    RadioClick();
}

QDateTime TOutputReadMe::ChosenStamp() const {
    const QTime t = TimePicker->time();
    return QDateTime(DatePicker->date(), QTime(t.hour(), t.minute(), t.second()));
}

void TOutputReadMe::Button1Click() {
    const QString path =
        dialogs_.saveFile(this, QString(), PathEdit->text(),
                          {QStringLiteral("テキストファイル (*.txt)"), QStringLiteral("Allファイル (*)")},
                          QStringLiteral("txt"));
    if (!path.isEmpty()) PathEdit->setText(path);
}

void TOutputReadMe::PathEditChange(const QString& text) {
    if (!text.isEmpty()) OutputBtn->setEnabled(true);
}

void TOutputReadMe::RadioClick() {
    const bool stamp = StampRdoBtn->isChecked();
    // Disabled pickers take the button-face look from the style.
    DatePicker->setEnabled(stamp);
    TimePicker->setEnabled(stamp);
}

void TOutputReadMe::OutputBtnClick() {
    if (!PathEdit->text().isEmpty()) {
        std::optional<std::time_t> stamp;
        if (StampRdoBtn->isChecked()) stamp = static_cast<std::time_t>(ChosenStamp().toSecsSinceEpoch());
        const OutputOutcome outcome = WriteReadMeFile(QStringToPath(PathEdit->text()), lines_, stamp);
        if (!outcome.ok) ShowError(dialogs_, this, outcome.message);
    }
    accept();
}

} // namespace bw::gui
