#pragma once
// Helpers for screen tests: answering modal message boxes and input boxes from a timer, and finding
// controls by object name.
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

namespace kadelo::testing {

struct SeenMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// While alive, answers every modal message box with OK and records what it said.
class MessageCatcher {
public:
    MessageCatcher()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            seen.push_back({box->text(), box->windowTitle(), box->icon()});
            box->accept();
        });
        timer_.start();
    }
    QList<SeenMessage> seen;
    QStringList texts() const
    {
        QStringList t;
        for (const SeenMessage& m : seen)
            t << m.text;
        return t;
    }

private:
    QTimer timer_;
};

// While alive, answers every modal input box: with `answer`, or cancels it when `cancel` is true.
// Records each prompt.
class InputAnswerer {
public:
    explicit InputAnswerer(QString answer, bool cancel = false) : answer_(std::move(answer)), cancel_(cancel)
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            prompts << dialog->labelText();
            if (cancel_) {
                dialog->reject();
            } else {
                dialog->setTextValue(answer_);
                dialog->accept();
            }
        });
        timer_.start();
    }
    QStringList prompts;

private:
    QString answer_;
    bool cancel_;
    QTimer timer_;
};

// Runs `whenShown(dialog)` on the next modal widget of type T that appears (then stops watching).
template <class T>
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(T*)> whenShown) : whenShown_(std::move(whenShown))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!w || !w->isVisible() || done_)
                return;
            done_ = true;
            timer_.stop();
            whenShown_(w);
        });
        timer_.start();
    }
    bool done() const { return done_; }

private:
    std::function<void(T*)> whenShown_;
    QTimer timer_;
    bool done_ = false;
};

// The child of `parent` with this object name; fails the test when there is none.
template <class T>
T* child(QObject* parent, const QString& name)
{
    T* w = parent->findChild<T*>(name);
    if (!w)
        qWarning("no control named %s", qPrintable(name));
    return w;
}

} // namespace kadelo::testing
