#pragma once
// What the main window hands to each of its pages: the one open record, the program's
// folders, the dialog interface and the guard against characters CP932 cannot hold.

#include "project/project_store.h"
#include "project/readme_project.h"

namespace bw::gui {

class DialogService;
class Cp932InputGuard;

struct PageContext {
    ReadMeProject& record;
    const ProgramFolders& folders;
    DialogService& dialogs;
    Cp932InputGuard& guard; ///< attach every field that edits the record
};

} // namespace bw::gui
