#pragma once

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

namespace ui {

class FormWindow;

// One window of the program: a single instance whose variables outlive its controls. The
// first reference loads it (controls built, Load run); Unload destroys the controls and the
// next reference loads it again. The program ends when its last loaded form is unloaded. A form
// tells whoever opened it what happened through its signals.
class Form : public QObject {
    Q_OBJECT
public:
    explicit Form(QString formName);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool isLoaded() const { return !window_.isNull(); }
    // The window with its controls; loads the form on first reference.
    QMainWindow* window();
    void load();
    // Shows modeless and brings to the front.
    void show();
    void hide();
    // Unloads without asking queryUnload(), as the program does when it closes a window itself.
    void unload();
    // Unloads unless queryUnload() refuses, as the close box does.
    void requestUnload();
    bool isVisible() const;
    QString formName() const { return formName_; }

    // Inner (client) size in twips.
    int innerWidth();
    int innerHeight();

signals:
    // The form is being unloaded, after its own unload handling and before its controls go.
    void unloaded();

protected:
    // Builds the controls on the window's client area of the given design size in twips.
    virtual void build(QMainWindow* window, QWidget* clientArea) = 0;
    // Forgets the controls once the window that held them is gone.
    virtual void forgetControls() = 0;
    virtual QSize designSize() const = 0;
    virtual void onLoad() { }
    virtual void onResize() { }
    virtual void onUnload() { }
    // Asked before the user's own closing of the window; false keeps the window open.
    virtual bool queryUnload() { return true; }

private:
    friend class FormWindow;
    void windowClosed();
    void windowResized();
    void discardWindow();

    QString formName_;
    QPointer<FormWindow> window_;
    bool loading_ = false;
    bool unloading_ = false;
};

// A form that holds its controls as the typed members of one struct, which build() fills in, as
// uic's classes do.
template <typename Controls>
class TypedForm : public Form {
public:
    using Form::Form;

    // The controls of the window; the first reference loads it.
    Controls& controls()
    {
        load();
        return controls_;
    }

protected:
    void forgetControls() override { controls_ = Controls {}; }

    Controls controls_ {};
};

namespace forms {
int loadedCount();
// What happens when the last loaded form is unloaded: by default the application quits.
void setOnLastUnload(std::function<void()> action);
void unloadAll();
}  // namespace forms

}  // namespace ui
