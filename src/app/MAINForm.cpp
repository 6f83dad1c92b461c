#include "app/MAINForm.h"

#include "app/BasicPage.h"
#include "app/DialogService.h"
#include "app/PreviewPage.h"
#include "controls/Cp932InputGuard.h"
#include "controls/Fonts.h"
#include "editing/LongTextPage.h"
#include "project/NewProjectForm.h"
#include "shell/AboutForm.h"
#include "shell/BaseOptionForm.h"
#include "shell/OutputReadMeForm.h"
#include "shell/app_settings.h"
#include "text/cp932.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace bw::gui {

TMAIN::TMAIN(const std::filesystem::path& home, const std::filesystem::path& settingsFile,
             DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent), folders_{home}, settingsFile_(settingsFile), dialogs_(dialogs),
      guard_(new Cp932InputGuard(this)), context_{record_, folders_, dialogs_, *guard_} {
    setObjectName(QStringLiteral("MAIN"));
    setWindowIcon(QIcon(QStringLiteral(":/brindlewocket.png")));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    record_ = StartupDefaults();
    ApplyAuthorDefaults(record_, settingsFile);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new TBasicPage(context_, PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new TLongTextPage(context_, PageControl1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet3 = new TPreviewPage(context_, composer_, PageControl1);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet1, QStringLiteral("基本項目"));
    PageControl1->addTab(TabSheet2, QStringLiteral("長文項目"));
    PageControl1->addTab(TabSheet3, QStringLiteral("プレビュー"));
    PageControl1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 90px; }"));
    PageControl1->setFixedSize(634, 433);
    setCentralWidget(PageControl1);

    BuildMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    connect(guard_, &Cp932InputGuard::refused, this,
            [this](const QString& c) { statusBar()->showMessage(Cp932InputGuard::RefusalMessage(c), 5000); });
    for (QObject* page : std::initializer_list<QObject*>{TabSheet1, TabSheet2, TabSheet3})
        connect(page, SIGNAL(edited()), this, SLOT(RecordEdited()));

    FormCreate(settingsFile);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 2) TabSheet3Show();
    });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TMAIN::~TMAIN() = default;

void TMAIN::FormCreate(const std::filesystem::path&) {
    TabSheet1->SetLastUpdateEntries({FromCp932(TodaySlashed()), FromCp932(TodayKanji())});
    TabSheet1->LoadFromRecord();
    TabSheet2->LoadFromRecord();
    TabSheet3->LoadFromRecord();
    PageControl1->setCurrentIndex(0);
    UpdateCaption();
    mnSave1->setEnabled(false);
}

QAction* TMAIN::AddEntry(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut,
                         void (TMAIN::*handler)(), void (TMAIN::*opening)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, handler);
    if (!shortcut.isEmpty()) {
        // Shown in the menu and active only while the menu itself is open; the window's own
        // shortcut runs the menu's opening handler first, so the enabling is current.
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
        auto* sc = new QShortcut(shortcut, this);
        sc->setObjectName(QLatin1String(name) + QStringLiteral("Shortcut"));
        connect(sc, &QShortcut::activated, this,
                [this, shortcut, action, opening] { RunShortcut(shortcut, action, opening); });
    }
    return action;
}

void TMAIN::RunShortcut(const QKeySequence& seq, QAction* action, void (TMAIN::*opening)()) {
    const QWidget* focus = QApplication::focusWidget();
    for (const ShortcutOwner& owner : shortcutOwners_) {
        if (owner.target && owner.target == focus && owner.seq == seq) {
            if (owner.action && owner.action->isEnabled()) owner.action->trigger();
            return;
        }
    }
    (this->*opening)();
    if (action->isEnabled()) action->trigger();
}

void TMAIN::setShortcutOwner(QWidget* focusTarget, const QKeySequence& seq, QAction* action) {
    // No clean-up on the control's destruction: during the window's own destruction the
    // list is gone before its children; the QPointer just turns null.
    shortcutOwners_.push_back({focusTarget, seq, action});
}

void TMAIN::BuildMenus() {
    QMenuBar* bar = menuBar();
    mnFile = bar->addMenu(QStringLiteral("ファイル(&F)"));
    mnFile->setObjectName(QStringLiteral("mnFile"));
    const auto file = &TMAIN::mnFileClick;
    AddEntry(mnFile, "mnNewProject1", QStringLiteral("新規ReadMeプロジェクト(&N)"),
             QKeySequence(Qt::CTRL | Qt::Key_N), &TMAIN::mnNewProject1Click, file);
    AddEntry(mnFile, "mnProjectOpen1", QStringLiteral("ReadMeプロジェクトを開く(&O)..."),
             QKeySequence(Qt::CTRL | Qt::Key_O), &TMAIN::mnProjectOpen1Click, file);
    mnSave1 = AddEntry(mnFile, "mnSave1", QStringLiteral("プロジェクトの保存(&S)..."),
                       QKeySequence(Qt::CTRL | Qt::Key_S), &TMAIN::mnSave1Click, file);
    mnFile->addSeparator();
    AddEntry(mnFile, "mnProjectManage1", QStringLiteral("プロジェクトファイルの管理(&M)"),
             QKeySequence(Qt::CTRL | Qt::Key_M), &TMAIN::mnProjectManage1Click, file);
    mnFile->addSeparator();
    AddEntry(mnFile, "mnOutputReadMe1", QStringLiteral("ReadMe出力(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R),
             &TMAIN::mnOutputReadMe1Click, file);
    mnFile->addSeparator();
    AddEntry(mnFile, "mnExit1", QStringLiteral("終了(&X)"), {}, &TMAIN::mnExit1Click, file);
    connect(mnFile, &QMenu::aboutToShow, this, &TMAIN::mnFileClick);

    mnShow = bar->addMenu(QStringLiteral("表示(&V)"));
    mnShow->setObjectName(QStringLiteral("mnShow"));
    const auto show = &TMAIN::mnShowClick;
    mnBasic1 = AddEntry(mnShow, "mnBasic1", QStringLiteral("基本項目(&B)"),
                        QKeySequence(Qt::CTRL | Qt::Key_B), &TMAIN::mnBasic1Click, show);
    mnLongText1 = AddEntry(mnShow, "mnLongText1", QStringLiteral("長文項目(&L)"),
                           QKeySequence(Qt::CTRL | Qt::Key_L), &TMAIN::mnLongText1Click, show);
    mnPreview1 = AddEntry(mnShow, "mnPreview1", QStringLiteral("プレビュー(&P)"),
                          QKeySequence(Qt::CTRL | Qt::Key_P), &TMAIN::mnPreview1Click, show);
    auto* pages = new QActionGroup(this);
    for (QAction* a : {mnBasic1, mnLongText1, mnPreview1}) {
        a->setCheckable(true);
        pages->addAction(a);
    }
    connect(mnShow, &QMenu::aboutToShow, this, &TMAIN::mnShowClick);

    mnSetting = bar->addMenu(QStringLiteral("設定(&O)"));
    mnSetting->setObjectName(QStringLiteral("mnSetting"));
    const auto setting = &TMAIN::mnSettingClick;
    AddEntry(mnSetting, "mnBaseOption1", QStringLiteral("基本設定(&B)"), {}, &TMAIN::mnBaseOption1Click,
             setting);
    mnSetting->addSeparator();
    mnPreviewSetting1 = AddEntry(mnSetting, "mnPreviewSetting1", QStringLiteral("プレビュー設定(&P)"), {},
                                 &TMAIN::mnPreviewSetting1Click, setting);
    mnPreviewSetting1->setCheckable(true);
    connect(mnSetting, &QMenu::aboutToShow, this, &TMAIN::mnSettingClick);

    mnHelp = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnHelp->setObjectName(QStringLiteral("mnHelp"));
    const auto help = &TMAIN::mnFileClick; // no opening handler of its own; never reached (no shortcuts)
    AddEntry(mnHelp, "mnReadMe1", QStringLiteral("ReadMeを読む(&R)..."), {}, &TMAIN::mnReadMe1Click, help);
    mnHelp->addSeparator();
    AddEntry(mnHelp, "mnAbout1", QStringLiteral("バージョン情報(&V)..."), {}, &TMAIN::mnAbout1Click, help);
}

void TMAIN::UpdateCaption() {
    setWindowTitle(FromCp932(WindowCaption(record_)));
}

void TMAIN::ProjectBound() {
    UpdateCaption();
    mnSave1->setEnabled(AnyProjectBinding(record_));
    TabSheet1->LoadFromRecord();
    TabSheet2->LoadFromRecord();
    TabSheet3->LoadFromRecord();
}

void TMAIN::RecordEdited() {
    if (IsProjectOpen(record_)) record_.SavePending = true;
}

// ---- Menu opening ------------------------------------------------------------------------

void TMAIN::mnFileClick() {
    std::error_code ec;
    std::filesystem::create_directory(folders_.ProjectFolder(), ec);
    mnSave1->setEnabled(AnyProjectBinding(record_));
}

void TMAIN::mnShowClick() {
    QAction* const entries[] = {mnBasic1, mnLongText1, mnPreview1};
    entries[PageControl1->currentIndex()]->setChecked(true);
}

void TMAIN::mnSettingClick() {
    mnPreviewSetting1->setChecked(TabSheet3->optionPanel()->isVisibleTo(TabSheet3));
}

// ---- File ----------------------------------------------------------------------------------

bool TMAIN::ShowSaveOutcome(const SaveOutcome& outcome) {
    switch (outcome.status) {
    case SaveOutcome::Saved:
        dialogs_.message(this, FromCp932(outcome.message), QStringLiteral("情報"), DialogService::Buttons::Ok,
                         DialogService::Icon::Information);
        return true;
    case SaveOutcome::NotOpen:
        dialogs_.message(this, FromCp932(outcome.message), QStringLiteral("えらー"),
                         DialogService::Buttons::Ok, DialogService::Icon::Warning);
        return true;
    case SaveOutcome::Failed:
        ShowError(dialogs_, this, outcome.message);
        return false;
    }
    return false;
}

bool TMAIN::AskToSavePendingWork() {
    if (!record_.SavePending) return true;
    const auto answer = dialogs_.message(
        this, QStringLiteral("プロジェクトが開かれています。保存しますか？\n"), QStringLiteral("確認"),
        DialogService::Buttons::YesNoCancel, DialogService::Icon::Question);
    switch (answer) {
    case DialogService::Answer::Yes:
        return ShowSaveOutcome(SaveProject(record_));
    case DialogService::Answer::No:
        return true;
    default:
        return false;
    }
}

void TMAIN::mnNewProject1Click() {
    if (!AskToSavePendingWork()) return;
    TNewProject wizard(TNewProject::Mode::NewProject, context_, this);
    wizard.exec();
    // The caption and the pages show the new project; the preview is not refreshed.
    if (wizard.Created()) ProjectBound();
}

void TMAIN::mnProjectOpen1Click() {
    if (!AskToSavePendingWork()) return;
    const QString path = dialogs_.openFile(this, QString(), PathToQString(folders_.ProjectFolder()),
                                           QStringLiteral("Brindlewocketプロジェクトファイル (*.bwk)"));
    if (path.isEmpty()) {
        TabSheet3->Refresh();
        return;
    }
    const OpenOutcome outcome = OpenProject(record_, folders_, QStringToPath(path));
    switch (outcome.status) {
    case OpenOutcome::Rejected:
        dialogs_.message(this, FromCp932(outcome.message), QStringLiteral("いぢるな～"),
                         DialogService::Buttons::Ok, DialogService::Icon::Warning);
        TabSheet3->Refresh();
        return;
    case OpenOutcome::ReadFailed:
        // Fields read before the failure stay read: show them.
        ProjectBound();
        if (!outcome.missingSections.empty())
            dialogs_.message(this, FromCp932(MissingSectionsMessage(outcome.missingSections)),
                             QStringLiteral("読み込みエラー"), DialogService::Buttons::Ok,
                             DialogService::Icon::Warning);
        ShowError(dialogs_, this, outcome.message);
        return;
    case OpenOutcome::Loaded:
        ProjectBound();
        if (!outcome.missingSections.empty())
            dialogs_.message(this, FromCp932(MissingSectionsMessage(outcome.missingSections)),
                             QStringLiteral("読み込みエラー"), DialogService::Buttons::Ok,
                             DialogService::Icon::Warning);
        TabSheet3->Refresh();
        return;
    }
}

void TMAIN::mnSave1Click() {
    ShowSaveOutcome(SaveProject(record_));
}

void TMAIN::mnProjectManage1Click() {
    // Deleting files never touches the record, even when it deletes the open project.
    TNewProject manage(TNewProject::Mode::Manage, context_, this);
    manage.exec();
}

void TMAIN::mnOutputReadMe1Click() {
    // The whole refresh, header included, so that the file holds what the preview would show.
    if (!TabSheet3->Refresh()) return;
    TOutputReadMe dialog(composer_.ReadMeLines, dialogs_, this);
    dialog.exec();
}

void TMAIN::mnExit1Click() {
    close();
}

// ---- View --------------------------------------------------------------------------------

void TMAIN::mnBasic1Click() {
    PageControl1->setCurrentIndex(0);
}
void TMAIN::mnLongText1Click() {
    PageControl1->setCurrentIndex(1);
}
void TMAIN::mnPreview1Click() {
    PageControl1->setCurrentIndex(2);
}
void TMAIN::TabSheet3Show() {
    TabSheet3->Refresh();
}

// ---- Settings and help ---------------------------------------------------------------------

void TMAIN::mnBaseOption1Click() {
    // Only the settings file changes; the window takes the values at its next start.
    TBaseOption dialog(settingsFile_, dialogs_, *guard_, this);
    dialog.exec();
}

void TMAIN::mnPreviewSetting1Click() {
    QWidget* panel = TabSheet3->optionPanel();
    panel->setVisible(!panel->isVisibleTo(TabSheet3));
}

void TMAIN::mnReadMe1Click() {
    // Whatever the desktop answers is ignored: a missing file or no viewer reports nothing.
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQString(folders_.home / "ReadMe.txt")));
}

void TMAIN::mnAbout1Click() {
    TAboutBox dialog(this);
    dialog.exec();
}

// ---- Window --------------------------------------------------------------------------------

void TMAIN::closeEvent(QCloseEvent* event) {
    if (AskToSavePendingWork())
        event->accept();
    else
        event->ignore();
}

void TMAIN::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_) return;
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace bw::gui
