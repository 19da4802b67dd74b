#include "base/edition.h"

#include "base/errorreport.h"
#include "base/look.h"
#include "text/hanttable.h"

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
#include <QPointer>
#include <QSet>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <future>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace base {

namespace {

// Built-in texts come converted from a table (text/hanttable.h). OpenCC's dictionaries, which
// take about 45 ms to load, are needed only for any other text: the introduction of a user's own
// "sxjj.txt", a message with a date or a path in it. They are loaded on a thread of their own
// when such a text first comes, or a little after the window is up.
struct Loading
{
    text::Edition edition = text::Edition::Simplified;
    std::shared_future<std::shared_ptr<const text::HanConverter>> converter;
    bool unavailable = false; // OpenCC could not be loaded; said once
};

Loading &loading()
{
    static Loading l;
    return l;
}

// Documents waiting for the converter, converted on the GUI thread once it is loaded.
QList<QPointer<QTextDocument>> &waiting()
{
    static QList<QPointer<QTextDocument>> documents;
    return documents;
}

void convertWaitingDocuments()
{
    const QList<QPointer<QTextDocument>> documents = std::exchange(waiting(), {});
    for (const QPointer<QTextDocument> &document : documents)
        if (document)
            convertDocument(document);
}

void startLoading()
{
    Loading &l = loading();
    if (l.edition == text::Edition::Simplified || l.converter.valid() || l.unavailable)
        return;
    const text::Edition edition = l.edition;
    // The loader tells the application when it is done: the application waits for it before it
    // ends, so that it is never told while it is being taken down.
    static bool waitedForAtQuit = false;
    if (qApp && !std::exchange(waitedForAtQuit, true))
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
            if (loading().converter.valid())
                loading().converter.wait();
        });
    l.converter
        = std::async(std::launch::async, [edition] {
              auto converter = std::make_shared<const text::HanConverter>(edition);
              if (qApp)
                  QMetaObject::invokeMethod(qApp, convertWaitingDocuments, Qt::QueuedConnection);
              return converter;
          }).share();
}

bool converterReady()
{
    const Loading &l = loading();
    return l.converter.valid()
           && l.converter.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

// The loaded converter (loading it first if need be), or none in the Simplified edition or if
// OpenCC could not be loaded. That is said once, in the error report; the edition stays, with
// its face and the texts of the table, and any other text is shown as written.
const text::HanConverter *converter()
{
    Loading &l = loading();
    startLoading();
    if (!l.converter.valid())
        return nullptr;
    try {
        return l.converter.get().get();
    } catch (const std::exception &e) {
        l.converter = {};
        l.unavailable = true;
        showErrorReport(QString::fromUtf8(e.what()));
        return nullptr;
    }
}

// The edition's writing from the table, or nothing. Spaces and line breaks around a text (a
// memo's indent, a title's padding) are the same in every edition and are not in the table.
std::optional<QString> fromTable(const QString &simplified)
{
    if (text::staysAsWritten(simplified))
        return simplified;
    const QStringView core = text::coreOf(simplified);
    const std::optional<QString> ahead = text::convertedAhead(edition(), core);
    if (!ahead)
        return std::nullopt;
    if (core.size() == simplified.size())
        return ahead;
    const qsizetype from = core.data() - simplified.data();
    return simplified.first(from) + *ahead + simplified.sliced(from + core.size());
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

std::vector<QTextFragment> fragmentsOf(const QTextDocument *document)
{
    std::vector<QTextFragment> fragments;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fragments.push_back(it.fragment());
    return fragments;
}

// Hands every text one widget shows or says to a screen reader to text(get, set), and its
// document, if it has one, to document(): its own texts, its actions', a label's, button's,
// group box's, menu's, tab's, list's or line's (not its children's).
template<typename Text, typename Document>
void forEachWidgetText(QWidget *w, Text text, Document document)
{
    text([w] { return w->windowTitle(); }, [w](auto t) { w->setWindowTitle(t); });
    text([w] { return w->accessibleName(); }, [w](auto t) { w->setAccessibleName(t); });
    text([w] { return w->accessibleDescription(); },
         [w](auto t) { w->setAccessibleDescription(t); });
    text([w] { return w->toolTip(); }, [w](auto t) { w->setToolTip(t); });
    for (QAction *action : w->actions())
        text([action] { return action->text(); }, [action](auto t) { action->setText(t); });
    if (auto *label = qobject_cast<QLabel *>(w)) {
        text([label] { return label->text(); }, [label](auto t) { label->setText(t); });
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        text([button] { return button->text(); }, [button](auto t) { button->setText(t); });
    } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
        text([box] { return box->title(); }, [box](auto t) { box->setTitle(t); });
    } else if (auto *menu = qobject_cast<QMenu *>(w)) {
        text([menu] { return menu->title(); }, [menu](auto t) { menu->setTitle(t); });
    } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            text([tabs, i] { return tabs->tabText(i); },
                 [tabs, i](auto t) { tabs->setTabText(i, t); });
    } else if (auto *list = qobject_cast<QComboBox *>(w)) {
        // The drop-down lives in a popup of its own, which may never be shown.
        text([list] { return list->view()->accessibleName(); },
             [list](auto t) { list->view()->setAccessibleName(t); });
        for (int i = 0; i < list->count(); ++i)
            text([list, i] { return list->itemText(i); },
                 [list, i](auto t) { list->setItemText(i, t); });
        // The words a list shows before anything is picked; what the user types stays as typed.
        if (list->isEditable() && list->currentIndex() < 0)
            text([list] { return list->currentText(); }, [list](auto t) { list->setEditText(t); });
    } else if (auto *line = qobject_cast<QLineEdit *>(w)) {
        text([line] { return line->placeholderText(); },
             [line](auto t) { line->setPlaceholderText(t); });
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
        document(plain->document());
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        document(rich->document());
    }
}

} // namespace

text::Edition edition()
{
    return loading().edition;
}

void setEdition(text::Edition edition)
{
    if (edition == loading().edition)
        return;
    loading() = Loading{};
    loading().edition = edition;
}

void loadConverterSoon()
{
    if (edition() == text::Edition::Simplified || !qApp)
        return;
    // A second after start the window stands and the user has yet to choose anything: the
    // dictionaries then load beside the running program instead of holding up its first frame.
    QTimer::singleShot(1000, qApp, [] { startLoading(); });
}

bool converterRequested()
{
    return loading().converter.valid();
}

QString displayText(const QString &simplified)
{
    // A text already shown (gathered back from a control) is not converted a second time.
    if (edition() == text::Edition::Simplified || isWritten(simplified))
        return simplified;
    std::optional<QString> shown = fromTable(simplified);
    if (!shown) {
        const text::HanConverter *openCC = converter();
        if (!openCC)
            return simplified;
        shown = openCC->convert(simplified);
    }
    written().insert(writtenKey(*shown));
    return *shown;
}

void convertDocument(QTextDocument *document)
{
    if (edition() == text::Edition::Simplified || isWritten(document->toPlainText()))
        return;
    const std::vector<QTextFragment> fragments = fragmentsOf(document);
    // Every fragment's writing first: a text not in the table (a user's own introduction) waits
    // for OpenCC rather than holding up the window, and the document is converted whole then.
    std::vector<QString> shown;
    for (const QTextFragment &fragment : fragments) {
        const QString before = fragment.text();
        if (isWritten(before)) {
            shown.push_back(before);
        } else if (std::optional<QString> ahead = fromTable(before)) {
            shown.push_back(*ahead);
        } else if (converterReady()) {
            shown.push_back(displayText(before));
        } else {
            if (!waiting().contains(document))
                waiting().append(document);
            startLoading();
            return;
        }
    }
    const bool modified = document->isModified();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    // A rich text names its own faces ("宋体" in sxjj.txt), which lack many Traditional forms:
    // the edition's Song face goes in front of them.
    const QString song = songFont(13).families().value(0);
    // From the last fragment to the first, so that a change of length leaves the positions still
    // to come as they were.
    for (std::size_t i = fragments.size(); i-- > 0;) {
        const QTextFragment &fragment = fragments[i];
        const QString before = fragment.text();
        const QString &after = shown[i];
        written().insert(writtenKey(after));
        QTextCharFormat format = fragment.charFormat();
        const QStringList families = format.fontFamilies().toStringList();
        const bool refaced = !families.isEmpty() && families.first() != song;
        if (refaced)
            format.setFontFamilies(QStringList{song} + families);
        if (after == before && !refaced)
            continue;
        QTextCursor cursor(document);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
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
    if (edition() == text::Edition::Simplified)
        return;
    forEachWidgetText(
        w, [](auto get, auto set) { convertProperty(get, set); },
        [](QTextDocument *document) { convertDocument(document); });
}

QStringList widgetTexts(QWidget *w)
{
    QStringList texts;
    const auto add = [&texts](const QString &text) {
        if (!text.isEmpty())
            texts << text;
    };
    forEachWidgetText(
        w, [&add](auto get, auto) { add(get()); },
        [&add](QTextDocument *document) {
            for (const QTextFragment &fragment : fragmentsOf(document))
                add(fragment.text());
        });
    return texts;
}

void convertWidgetTree(QWidget *root)
{
    if (edition() == text::Edition::Simplified)
        return;
    convertWidgetTexts(root);
    for (QWidget *child : root->findChildren<QWidget *>())
        convertWidgetTexts(child);
}

void convertWidgetsWhenShown()
{
    if (edition() == text::Edition::Simplified || !qApp)
        return;
    static ShowWatcher *watcher = nullptr;
    if (!watcher) {
        watcher = new ShowWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
}

} // namespace base
