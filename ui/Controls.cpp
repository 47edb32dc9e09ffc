#include "ui/Controls.h"

#include "ui/Twips.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QValidator>
#include <limits>

namespace ui {

namespace {

template <typename T>
T* placed(T* widget, const QString& name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    place(widget, left, top, width, height);
    return widget;
}

// Refuses an edit that makes the text longer than the limit and longer than it was.
class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit* box, int limit)
        : QValidator(box), box_(box), limit_(limit), before_(box->text().size())
    {
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text.size(); });
    }

    State validate(QString& input, int&) const override
    {
        // A text the program sets comes with an empty undo history; a typed one never does.
        if (!box_->isUndoAvailable() || input.size() <= limit_ || input.size() <= before_)
            return Acceptable;
        return Invalid;
    }

private:
    QLineEdit* box_;
    int limit_;
    qsizetype before_;
};

const char* const kStoredNotes = "storedNotes";
const char* const kStoredNotesShown = "storedNotesShown";

// The raw text, as toPlainText() would turn a no-break space into a plain one.
QString shownNotes(const QPlainTextEdit* box)
{
    return box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

const char* const kNamedByText = "namedByText";

// A label of the toolkit, named by its text. Qt's own interface names a label without text after
// the frame around it, which a screen reader then reads as the label's value.
class TextLabel : public QAccessibleWidget {
public:
    explicit TextLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? label()->text().trimmed() : name;
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled && label()->buddy())
            found.append({QAccessible::queryAccessibleInterface(label()->buddy()), QAccessible::Labelled});
        return found;
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* textLabelInterface(const QString& className, QObject* object)
{
    if (className != QStringLiteral("QLabel") || !object->property(kNamedByText).toBool())
        return nullptr;
    return new TextLabel(static_cast<QLabel*>(object));
}

// A style sheet (a frame's border) turns the filling off: a styled widget paints the colour through
// a rule of its own, over its caption's band too, so nothing behind shows through.
void paintBackground(QWidget* widget, const QString& colour)
{
    widget->setAutoFillBackground(true);
    if (!widget->styleSheet().isEmpty())
        widget->setStyleSheet(widget->styleSheet()
                              + QStringLiteral("#%1 { background-color: %2; background-clip: margin; }")
                                        .arg(widget->objectName(), colour));
}

}  // namespace

void fillBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    paintBackground(widget, colour.name());
}

void makeOpaque(QWidget* widget) { paintBackground(widget, QStringLiteral("palette(window)")); }

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                  int height)
{
    static const bool named = (QAccessible::installFactory(&textLabelInterface), true);
    auto* label = placed(new QLabel(parent), name, left, top, width, height);
    // Marked before it has a text: setting one makes Qt look its interface up.
    label->setProperty(kNamedByText, named);
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    // A caption starts at its label's top, so labels placed side by side read on one line.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height)
{
    auto* button = placed(new QPushButton(caption, parent), name, left, top, width, height);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                     int width, int height)
{
    auto* frame = placed(new QGroupBox(caption, parent), name, left, top, width, height);
    // The caption sits on the frame's top line, so controls placed near the top stay inside the frame.
    frame->setStyleSheet(
            QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
                           "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0px 2px; }"));
    return frame;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& text, int left, int top,
                       int width, int height)
{
    auto* box = placed(new QLineEdit(parent), name, left, top, width, height);
    // The default limit of 32,767 characters would cut a longer stored value.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setText(text);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    box->setPalette(palette);
    return box;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height)
{
    return placed(new QCheckBox(caption, parent), name, left, top, width, height);
}

QRadioButton* makeOptionButton(QWidget* parent, const QString& name, const QString& caption, int left,
                               int top, int width, int height)
{
    return placed(new QRadioButton(caption, parent), name, left, top, width, height);
}

QPlainTextEdit* makeNotesBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* box = placed(new QPlainTextEdit(parent), name, left, top, width, height);
    box->setFont(arial(9.75));
    box->setTabChangesFocus(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    box->setPalette(palette);
    return box;
}

QComboBox* makeDropDownList(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    return placed(new QComboBox(parent), name, left, top, width, height);
}

void limitTyping(QLineEdit* box, int characters) { box->setValidator(new TypingLimit(box, characters)); }

void showNotes(QPlainTextEdit* box, const QString& text)
{
    box->setPlainText(text);
    box->setProperty(kStoredNotes, text);
    box->setProperty(kStoredNotesShown, shownNotes(box));
}

QString notesText(const QPlainTextEdit* box)
{
    const QString shown = shownNotes(box);
    const QVariant stored = box->property(kStoredNotes);
    return stored.isValid() && box->property(kStoredNotesShown).toString() == shown ? stored.toString()
                                                                                    : shown;
}

void nameAfter(QWidget* control, QLabel* caption)
{
    caption->setBuddy(control);
    // The label relation reaches only a caption in the same container.
    if (caption->parentWidget() != control->parentWidget())
        control->setAccessibleName(caption->text());
}

}  // namespace ui
