#pragma once
// Helpers for the GUI tests: a scripted stand-in for every dialog, a temporary program
// folder with projects and layouts in it, and a way to act on our own modal dialogs.

#include "app/DialogService.h"
#include "project/project_store.h"
#include "text/cp932.h"
#include "text/files.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace bw::test {

namespace fs = std::filesystem;

/// Answers dialogs from queues filled by the test and records every one that was shown.
/// A dialog with no scripted answer is recorded as unscripted and answered Cancel (OK for
/// a box with only OK), so a test fails on unscriptedCount rather than hanging.
class ScriptedDialogs : public gui::DialogService {
  public:
    struct Shown {
        QString kind; ///< "message", "open", "save", "prompt", "folder"
        QString caption;
        QString text; ///< message text, or the preset / start folder of a file dialog
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    std::deque<Answer> answers;
    std::deque<QString> files;
    std::deque<std::optional<QString>> prompts;
    std::deque<QString> folders;
    std::vector<Shown> shown;
    int unscriptedCount = 0;
    /// Runs while a message box would be on the screen (to look at the window meanwhile).
    std::function<void()> whileMessageShown;

    Answer message(QWidget*, const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override {
        shown.push_back({QStringLiteral("message"), caption, text, buttons, icon});
        if (whileMessageShown) whileMessageShown();
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) {
            ++unscriptedCount;
            return Answer::Cancel;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString openFile(QWidget*, const QString& caption, const QString& folder,
                     const QString& filter) override {
        shown.push_back({QStringLiteral("open"), caption, folder + QStringLiteral("|") + filter});
        return next(files);
    }
    QString saveFile(QWidget*, const QString& caption, const QString& preset, const QStringList& filters,
                     const QString& suffix) override {
        shown.push_back({QStringLiteral("save"), caption,
                         preset + QStringLiteral("|") + filters.join(QStringLiteral(";;")) +
                             QStringLiteral("|") + suffix});
        return next(files);
    }
    std::optional<QString> prompt(QWidget*, const QString& caption, const QString& label,
                                  const QString& initial) override {
        shown.push_back({QStringLiteral("prompt"), caption, label + QStringLiteral("|") + initial});
        if (prompts.empty()) {
            ++unscriptedCount;
            return std::nullopt;
        }
        auto a = prompts.front();
        prompts.pop_front();
        return a;
    }
    QString browseFolder(QWidget*, const QString& caption, const QString& root, const QString&) override {
        shown.push_back({QStringLiteral("folder"), caption, root});
        return next(folders);
    }

    /// The message boxes shown so far.
    std::vector<Shown> messages() const {
        std::vector<Shown> out;
        for (const Shown& s : shown)
            if (s.kind == QStringLiteral("message")) out.push_back(s);
        return out;
    }

  private:
    QString next(std::deque<QString>& queue) {
        if (queue.empty()) {
            ++unscriptedCount;
            return {};
        }
        QString v = queue.front();
        queue.pop_front();
        return v;
    }
};

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// A temporary program folder: project/ and template/UserLayout/ beside a settings file.
class ProgramFolder {
  public:
    ProgramFolder() {
        fs::create_directories(home() / "project");
        fs::create_directories(home() / "template" / "UserLayout");
    }
    fs::path home() const { return fs::path(dir_.path().toStdString()); }
    fs::path settingsFile() const { return home() / "brindlewocket.ini"; }
    ProgramFolders folders() const { return {home()}; }

    /// A layout file (name and text given as UTF-8; the text is stored as CP932).
    void writeLayout(const std::string& name, const std::string& utf8Text) const {
        WriteBytes(home() / "template" / "UserLayout" / name, Sjis(utf8Text));
    }

    /// Creates and saves a project; edit fills the record before the save. Returns the path
    /// of its project file.
    fs::path makeProject(const std::string& name,
                         const std::function<void(ReadMeProject&)>& edit = {}) const {
        ReadMeProject p = StartupDefaults();
        const CreateOutcome created = CreateProject(p, folders(), name, Sjis("作者"), "http://", "");
        if (!created.ok) qFatal("cannot create the test project");
        if (edit) edit(p);
        if (SaveProject(p).status != SaveOutcome::Saved) qFatal("cannot save the test project");
        return folders().ProjectFolder() / (name + ".bwk");
    }

  private:
    QTemporaryDir dir_;
};

inline QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

/// Runs act on the next modal widget of type T once it is shown; pass it before the call
/// that opens the dialog. act runs inside the dialog's event loop and must close it. The
/// returned timer polls until then; delete it to give up waiting.
template <typename T> QTimer* WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
    return timer;
}

} // namespace bw::test
