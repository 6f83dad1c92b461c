#include "shell/BaseOptionForm.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "editing/EntryEdits.h"
#include "shell/app_settings.h"
#include "text/cp932.h"
#include "text/ini.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bw::gui {

TBaseOption::TBaseOption(const std::filesystem::path& settingsFile, DialogService& dialogs,
                         Cp932InputGuard& guard, QWidget* parent)
    : QDialog(parent), settingsFile_(settingsFile), dialogs_(dialogs) {
    setObjectName(QStringLiteral("BaseOption"));
    setWindowTitle(QStringLiteral("基本設定"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignLeft);
    auto field = [&](QLineEdit* edit, const char* name, const QString& label) {
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(200);
        form->addRow(label, edit);
        guard.attach(edit);
        return edit;
    };
    ProducerEdit = field(new QLineEdit(group), "ProducerEdit", QStringLiteral("作者名(&D)"));
    CopyRighterEdit = field(new QLineEdit(group), "CopyRighterEdit", QStringLiteral("著作権者名(&C)"));
    DevelopLangEdit = field(new QLineEdit(group), "DevelopLangEdit", QStringLiteral("開発言語(&L)"));
    HomePageEdit = field(new THomePageEdit(group), "HomePageEdit", QStringLiteral("ホームページ(&H)"));
    MainAddressEdit = field(new TContactEdit(group), "MainAddressEdit", QStringLiteral("連絡先(&M)"));

    CreateReadChkBox = new QCheckBox(QStringLiteral("起動時にこの情報を読み込む"), this);
    CreateReadChkBox->setObjectName(QStringLiteral("CreateReadChkBox"));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TBaseOption::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(group);
    left->addWidget(CreateReadChkBox);
    auto* right = new QVBoxLayout;
    right->addWidget(OKBtn);
    right->addWidget(CancelBtn);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(414, 169);

    const AppSettings s = ReadAppSettings(settingsFile_, "http://");
    ProducerEdit->setText(FromCp932(s.Producer));
    CopyRighterEdit->setText(FromCp932(s.CopyRighter));
    DevelopLangEdit->setText(FromCp932(s.DevelopLang));
    HomePageEdit->setText(FromCp932(s.HomePage));
    MainAddressEdit->setText(FromCp932(s.MainAddress));
    CreateReadChkBox->setChecked(s.CreateRead);
}

void TBaseOption::OKBtnClick() {
    auto bytes = [](const QLineEdit* edit) { return ToCp932(edit->text()).value_or(std::string()); };
    const AppSettings s{bytes(ProducerEdit), bytes(CopyRighterEdit), bytes(DevelopLangEdit),
                        bytes(HomePageEdit), bytes(MainAddressEdit), CreateReadChkBox->isChecked()};
    if (!WriteAppSettings(settingsFile_, s)) ShowError(dialogs_, this, IniWriteFailedMessage(settingsFile_));
    accept();
}

void TBaseOption::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

} // namespace bw::gui
