#include "ui/Form.h"

#include "ui/Guard.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <exception>

namespace ui {

namespace {

int loadedForms = 0;
QList<Form*>& allForms()
{
    static QList<Form*> forms;
    return forms;
}
std::function<void()> lastUnloadAction = [] { QCoreApplication::quit(); };

}  // namespace

class FormWindow : public QMainWindow {
public:
    explicit FormWindow(Form* form) : form_(form) { }
    void detach() { form_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (form_)
            guarded([this] { form_->windowClosed(); });
        // Still attached: the form refused to unload, or failed before it could, so it stays open.
        if (form_)
            event->ignore();
        else
            event->accept();
    }
    // The inner size is the client area's: it changes after the menu bar has taken its share.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == centralWidget() && form_)
            guarded([this] { form_->windowResized(); });
        return QMainWindow::eventFilter(watched, event);
    }

private:
    Form* form_;
};

Form::Form(QString formName) : formName_(std::move(formName)) { allForms().append(this); }

Form::~Form()
{
    allForms().removeAll(this);
    if (window_) {
        window_->detach();
        delete window_.data();
        --loadedForms;
    }
}

QMainWindow* Form::window()
{
    load();
    return window_.data();
}

void Form::load()
{
    if (window_ || loading_)
        return;
    loading_ = true;
    auto* win = new FormWindow(this);
    win->setObjectName(formName_);
    auto* client = new QWidget(win);
    client->setObjectName(formName_ + QStringLiteral("_client"));
    win->setCentralWidget(client);
    client->installEventFilter(win);
    window_ = win;
    ++loadedForms;
    try {
        build(win, client);
        const QSize design(px(designSize().width()), px(designSize().height()));
        const int menuHeight = win->menuWidget() ? win->menuWidget()->sizeHint().height() : 0;
        win->resize(design.width(), design.height() + menuHeight);
        onLoad();
    } catch (...) {
        // A form that cannot load is not left half-built.
        loading_ = false;
        discardWindow();
        throw;
    }
    loading_ = false;
}

void Form::show()
{
    load();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void Form::hide()
{
    if (window_)
        window_->hide();
}

bool Form::isVisible() const { return window_ && window_->isVisible(); }

void Form::unload()
{
    if (!window_ || unloading_)
        return;
    unloading_ = true;
    // The window goes whatever its own handling does; whoever opened it hears of it first.
    std::exception_ptr failure;
    try {
        onUnload();
    } catch (...) {
        failure = std::current_exception();
    }
    emit unloaded();
    discardWindow();
    if (failure)
        std::rethrow_exception(failure);
}

void Form::requestUnload()
{
    if (!window_ || unloading_ || queryUnload())
        unload();
}

void Form::discardWindow()
{
    FormWindow* win = window_.data();
    win->detach();
    window_.clear();
    forgetControls();
    unloading_ = false;
    win->hide();
    win->deleteLater();
    if (--loadedForms == 0)
        lastUnloadAction();
}

void Form::windowClosed() { requestUnload(); }

void Form::windowResized()
{
    if (!loading_)
        onResize();
}

int Form::innerWidth() { return twips(window()->centralWidget()->width()); }

int Form::innerHeight() { return twips(window()->centralWidget()->height()); }

namespace forms {
int loadedCount() { return loadedForms; }
void setOnLastUnload(std::function<void()> action) { lastUnloadAction = std::move(action); }
void unloadAll()
{
    for (Form* form : allForms())
        form->unload();
}
}  // namespace forms

}  // namespace ui
