#pragma once
// Ends the event loop once the watched window has painted for the first time.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

class QuitOnFirstPaint : public QObject {
  public:
    explicit QuitOnFirstPaint(QWidget* window) { window->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return false;
    }

  private:
    bool done_ = false;
};
