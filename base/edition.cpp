#include "base/edition.h"

#include "base/errorreport.h"
#include "base/look.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <future>
#include <memory>
#include <vector>

namespace base {

namespace {

// OpenCC takes about 45 ms to load its dictionaries: they are loaded on a thread of their own
// while the window is built, and the first text to convert waits for them.
struct Loading
{
    text::Edition edition = text::Edition::Simplified;
    std::shared_future<std::shared_ptr<const text::HanConverter>> converter;
};

Loading &loading()
{
    static Loading l;
    return l;
}

// The loaded converter, or none in the Simplified edition or if OpenCC could not be loaded (said
// once, in the error report).
const text::HanConverter *converter()
{
    Loading &l = loading();
    if (!l.converter.valid())
        return nullptr;
    try {
        return l.converter.get().get();
    } catch (const std::exception &e) {
        l = Loading{};
        showErrorReport(QString::fromUtf8(e.what()));
        return nullptr;
    }
}

// Every text displayText() wrote. OpenCC's conversion is not idempotent (邻里 gives 鄰里, and 鄰里
// again gives 鄰裡), so a text that is already one of ours is never converted a second time. The
// key reads a memo's no-break spaces and paragraph breaks as spaces and line breaks, as
// QPlainTextEdit::toPlainText() hands them back.
QSet<QString> &written()
{
    static QSet<QString> texts;
    return texts;
}

QString writtenKey(QString text)
{
    text.replace(QChar::Nbsp, u' ');
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

bool isWritten(const QString &text)
{
    return written().contains(writtenKey(text));
}

// Sets a text only where the edition changes it, so that nothing relays out or signals for
// nothing.
template<typename Get, typename Set>
void convertProperty(Get get, Set set)
{
    const QString before = get();
    if (isWritten(before))
        return;
    const QString after = displayText(before);
    if (after != before)
        set(after);
}

class ShowWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            // A window is converted whole, its hidden pages too (a screen reader reaches them);
            // any other widget shown later has its own texts looked at again. A text already
            // converted is known and left as it is.
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow())
                convertWidgetTree(widget);
            else
                convertWidgetTexts(widget);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

text::Edition edition()
{
    return loading().edition;
}

void setEdition(text::Edition edition)
{
    if (edition == loading().edition
        && (edition == text::Edition::Simplified || loading().converter.valid()))
        return; // already chosen, and loading or loaded
    loading() = Loading{};
    if (edition == text::Edition::Simplified)
        return;
    loading().edition = edition;
    loading().converter = std::async(std::launch::async, [edition] {
                              return std::shared_ptr<const text::HanConverter>(
                                  std::make_shared<text::HanConverter>(edition));
                          }).share();
}

QString displayText(const QString &simplified)
{
    if (!converter())
        return simplified;
    QString shown = converter()->convert(simplified);
    written().insert(writtenKey(shown));
    return shown;
}

void convertDocument(QTextDocument *document)
{
    if (!converter() || isWritten(document->toPlainText()))
        return;
    // Fragments from the last to the first, so that a change of length leaves the positions
    // still to come as they were.
    std::vector<QTextFragment> fragments;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fragments.push_back(it.fragment());
    const bool modified = document->isModified();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    // A rich text names its own faces ("宋体" in sxjj.txt), which lack many Traditional forms:
    // the edition's Song face goes in front of them.
    const QString song = songFont(13).families().value(0);
    for (auto it = fragments.rbegin(); it != fragments.rend(); ++it) {
        const QString before = it->text();
        const QString after = isWritten(before) ? before : displayText(before);
        QTextCharFormat format = it->charFormat();
        const QStringList families = format.fontFamilies().toStringList();
        const bool refaced = !families.isEmpty() && families.first() != song;
        if (refaced)
            format.setFontFamilies(QStringList{song} + families);
        if (after == before && !refaced)
            continue;
        QTextCursor cursor(document);
        cursor.setPosition(it->position());
        cursor.setPosition(it->position() + it->length(), QTextCursor::KeepAnchor);
        if (after == before)
            cursor.setCharFormat(format);
        else
            cursor.insertText(after, format);
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(modified);
    written().insert(writtenKey(document->toPlainText()));
}

void convertWidgetTexts(QWidget *w)
{
    if (!converter())
        return;
    convertProperty([w] { return w->windowTitle(); }, [w](auto t) { w->setWindowTitle(t); });
    convertProperty([w] { return w->accessibleName(); }, [w](auto t) { w->setAccessibleName(t); });
    convertProperty([w] { return w->accessibleDescription(); },
                    [w](auto t) { w->setAccessibleDescription(t); });
    convertProperty([w] { return w->toolTip(); }, [w](auto t) { w->setToolTip(t); });
    for (QAction *action : w->actions())
        convertProperty([action] { return action->text(); },
                        [action](auto t) { action->setText(t); });
    if (auto *label = qobject_cast<QLabel *>(w)) {
        convertProperty([label] { return label->text(); }, [label](auto t) { label->setText(t); });
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        convertProperty([button] { return button->text(); },
                        [button](auto t) { button->setText(t); });
    } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
        convertProperty([box] { return box->title(); }, [box](auto t) { box->setTitle(t); });
    } else if (auto *menu = qobject_cast<QMenu *>(w)) {
        convertProperty([menu] { return menu->title(); }, [menu](auto t) { menu->setTitle(t); });
    } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            convertProperty([tabs, i] { return tabs->tabText(i); },
                            [tabs, i](auto t) { tabs->setTabText(i, t); });
    } else if (auto *list = qobject_cast<QComboBox *>(w)) {
        // The drop-down lives in a popup of its own, which may never be shown.
        convertProperty([list] { return list->view()->accessibleName(); },
                        [list](auto t) { list->view()->setAccessibleName(t); });
        for (int i = 0; i < list->count(); ++i)
            convertProperty([list, i] { return list->itemText(i); },
                            [list, i](auto t) { list->setItemText(i, t); });
        // The words a list shows before anything is picked; what the user types stays as typed.
        if (list->isEditable() && list->currentIndex() < 0)
            convertProperty([list] { return list->currentText(); },
                            [list](auto t) { list->setEditText(t); });
    } else if (auto *line = qobject_cast<QLineEdit *>(w)) {
        convertProperty([line] { return line->placeholderText(); },
                        [line](auto t) { line->setPlaceholderText(t); });
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
        convertDocument(plain->document());
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        convertDocument(rich->document());
    }
}

void convertWidgetTree(QWidget *root)
{
    if (!converter())
        return;
    convertWidgetTexts(root);
    for (QWidget *child : root->findChildren<QWidget *>())
        convertWidgetTexts(child);
}

void convertWidgetsWhenShown()
{
    if (!converter() || !qApp)
        return;
    static ShowWatcher *watcher = nullptr;
    if (!watcher) {
        watcher = new ShowWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
}

} // namespace base
