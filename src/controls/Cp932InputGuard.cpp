#include "controls/Cp932InputGuard.h"

#include "controls/Beep.h"
#include "text/cp932.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QValidator>

namespace bw::gui {

namespace {

class Cp932Validator : public QValidator {
  public:
    Cp932Validator(Cp932InputGuard* guard, int maxBytes, QObject* parent)
        : QValidator(parent), guard_(guard), maxBytes_(maxBytes) {}

    State validate(QString& input, int&) const override {
        const EncodeResult r = DisplayUtf8ToCp932(input.toStdString());
        if (!r.ok) {
            if (guard_) guard_->report(QString::fromStdString(r.badCharacter));
            return Invalid;
        }
        if (maxBytes_ >= 0 && r.bytes.size() > static_cast<std::size_t>(maxBytes_)) return Invalid;
        return Acceptable;
    }

  private:
    QPointer<Cp932InputGuard> guard_;
    int maxBytes_;
};

} // namespace

Cp932InputGuard::Cp932InputGuard(QObject* parent) : QObject(parent) {}

QString Cp932InputGuard::FirstUnencodable(const QString& text) {
    const EncodeResult r = DisplayUtf8ToCp932(text.toStdString());
    return r.ok ? QString() : QString::fromStdString(r.badCharacter);
}

QString Cp932InputGuard::RefusalMessage(const QString& character) {
    return QStringLiteral("「%1」はShift_JISで保存できない文字のため入力できません").arg(character);
}

void Cp932InputGuard::report(const QString& character) {
    Beep();
    emit refused(character);
}

void Cp932InputGuard::attach(QLineEdit* edit, int maxBytes) {
    edit->setValidator(new Cp932Validator(this, maxBytes, edit));
}

void Cp932InputGuard::attach(QComboBox* combo, int maxBytes) {
    combo->setValidator(new Cp932Validator(this, maxBytes, combo));
}

void Cp932InputGuard::attach(QPlainTextEdit* edit) {
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
}

bool Cp932InputGuard::refuseIfBad(const QString& text) {
    const QString bad = FirstUnencodable(text);
    if (bad.isEmpty()) return false;
    report(bad);
    return true;
}

bool Cp932InputGuard::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QPlainTextEdit*>(watched);
    if (!edit) {
        edit = qobject_cast<QPlainTextEdit*>(watched->parent());
        if (edit && edit->viewport() != watched) edit = nullptr;
    }
    if (!edit || edit->isReadOnly()) return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            const QMimeData* data = QApplication::clipboard()->mimeData();
            return data && data->hasText() && refuseIfBad(data->text());
        }
        return refuseIfBad(key->text());
    }
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (!refuseIfBad(im->commitString())) return false;
        QInputMethodEvent clear; // drops the pending composition as well
        QApplication::sendEvent(edit, &clear);
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasText() && refuseIfBad(drop->mimeData()->text())) {
            drop->ignore();
            return true;
        }
        return false;
    }
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        showGuardedContextMenu(edit, menu->globalPos(), menu->pos());
        return true;
    }
    default:
        return false;
    }
}

void Cp932InputGuard::showGuardedContextMenu(QPlainTextEdit* edit, const QPoint& globalPos,
                                             const QPoint& pos) {
    QMenu* menu = edit->createStandardContextMenu(pos);
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, edit, [this, edit] {
            const QMimeData* data = QApplication::clipboard()->mimeData();
            if (data && data->hasText() && refuseIfBad(data->text())) return;
            edit->paste();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

} // namespace bw::gui
