// Pictures of the long-text page (sections shown, the template popup) and of the history
// dialog, with the sample project open and the shipped templates in place:
// long_text_screenshots OUTPUT_FOLDER DATA_FOLDER (run under a real X server by
// scripts/screenshots.sh).

#include "app/MAINForm.h"
#include "app/Startup.h"
#include "editing/InputHistoryForm.h"
#include "editing/LongTextPage.h"
#include "editing/SectionEditor.h"
#include "editing/TemplateListBox.h"
#include "gui_test_support.h"
#include "screenshot_support.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTranslator>

using namespace bw;

namespace {

QString out;

void Save(QWidget* w, const QString& name) {
    test::SaveShot(w, out, name, 300);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    const std::optional<QString> folderArg = test::PrepareScreenshots(
        argc, argv, 2, "long_text_screenshots OUTPUT_FOLDER DATA_FOLDER", translator);
    if (!folderArg) return 2;
    out = *folderArg;
    const std::filesystem::path data = argv[2];

    test::ProgramFolder folder;
    const auto copy =
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy(data / "sample" / "project", folder.home() / "project", copy);
    std::filesystem::copy(data / "template", folder.home() / "template", copy);
    test::ScriptedDialogs dialogs;
    gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
    window.show();
    dialogs.files.push_back(test::Q(folder.home() / "project" / "Brindlewocket.bwk"));
    window.findChild<QAction*>(QStringLiteral("mnProjectOpen1"))->trigger();
    window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    gui::TLongTextPage* page = window.longTextPage();
    Save(&window, QStringLiteral("long_text_none_shown.png"));

    const struct {
        int section;
        const char* file;
    } shots[] = {{SectionIndex::install, "long_text_install.png"},
                 {SectionIndex::introduction, "long_text_introduction.png"},
                 {SectionIndex::operate, "long_text_operate.png"},
                 {SectionIndex::history, "long_text_history.png"},
                 {SectionIndex::other1, "long_text_other1.png"}};
    for (const auto& shot : shots) {
        page->sectionList()->setCurrentRow(shot.section);
        page->sectionList()->scrollToItem(page->sectionList()->currentItem());
        Save(&window, QString::fromLatin1(shot.file));
    }

    // The template popup over the list, a file selected.
    page->sectionList()->setCurrentRow(SectionIndex::install);
    gui::TTemplateListBox* list = page->templateList();
    list->setCurrentRow(0);
    list->setFocus();
    list->LWTemplatePopupPopup();
    QMenu* popup = list->popup();
    popup->popup(list->mapToGlobal(list->visualItemRect(list->item(0)).center()));
    QTest::qWait(300);
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    painter.drawPixmap(window.mapFromGlobal(popup->pos()), popup->grab());
    painter.end();
    shot.save(out + QStringLiteral("/long_text_template_popup.png"));
    popup->hide();

    // The history dialog with an entry being written.
    page->sectionList()->setCurrentRow(SectionIndex::history);
    gui::TInputHistory* form = page->InputHistorySpdBtnClick();
    auto* grid = form->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    grid->setItem(
        0, 0, new QTableWidgetItem(QStringLiteral("テンプレートの一覧がセクションに付いて動くようにした")));
    grid->setItem(1, 0, new QTableWidgetItem(QStringLiteral("開発履歴の入力フォームを追加")));
    grid->setCurrentCell(2, 0);
    Save(form, QStringLiteral("input_history.png"));
    form->close();
    return 0;
}
