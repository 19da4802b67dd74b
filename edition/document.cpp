#include "edition/document.h"

#include "edition/edition.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <future>
#include <memory>
#include <vector>

namespace edition {

namespace {

using Converter = std::shared_ptr<const text::HanConverter>;

struct Loading
{
    text::Edition edition = text::Edition::Simplified;
    std::shared_future<Converter> converter;
    bool unavailable = false; // said once
};

Loading &loading()
{
    static Loading l;
    return l;
}

std::vector<QTextFragment> fragmentsOf(const QTextDocument *document)
{
    std::vector<QTextFragment> fragments;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fragments.push_back(it.fragment());
    return fragments;
}

// Writes the edition's texts into the document, from the last fragment to the first so that a
// change of length leaves the positions still to come as they were.
void rewrite(QTextDocument *document, const std::vector<QTextFragment> &fragments,
             const std::vector<QString> &shown)
{
    const bool modified = document->isModified();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    // A rich text names its own faces ("宋体" in sxjj.txt), which lack many Traditional forms.
    const QStringList song = songFaces();
    for (std::size_t i = fragments.size(); i-- > 0;) {
        const QTextFragment &fragment = fragments[i];
        QTextCharFormat format = fragment.charFormat();
        const QStringList families = format.fontFamilies().toStringList();
        const bool refaced = !families.isEmpty() && families.first() != song.value(0);
        if (refaced)
            format.setFontFamilies(song + families);
        if (shown[i] == fragment.text() && !refaced)
            continue;
        QTextCursor cursor(document);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        if (shown[i] == fragment.text())
            cursor.setCharFormat(format);
        else
            cursor.insertText(shown[i], format);
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(modified);
}

struct Waiting
{
    QPointer<QTextDocument> document;
    std::function<void(const QString &)> unavailable;
};

// Documents waiting for OpenCC, converted on the GUI thread once it is loaded.
std::vector<Waiting> &waiting()
{
    static std::vector<Waiting> documents;
    return documents;
}

void convertWaiting()
{
    Loading &l = loading();
    const std::vector<Waiting> documents = std::exchange(waiting(), {});
    if (!l.converter.valid())
        return;
    Converter converter;
    try {
        converter = l.converter.get();
    } catch (const std::exception &e) {
        l.converter = {};
        l.unavailable = true;
        for (const Waiting &w : documents)
            if (w.unavailable) {
                w.unavailable(QString::fromUtf8(e.what()));
                break; // said once
            }
        return;
    }
    for (const Waiting &w : documents) {
        if (!w.document)
            continue;
        const std::vector<QTextFragment> fragments = fragmentsOf(w.document);
        std::vector<QString> shown;
        for (const QTextFragment &fragment : fragments)
            shown.push_back(converter->convert(fragment.text()));
        rewrite(w.document, fragments, shown);
    }
}

void startLoading()
{
    Loading &l = loading();
    if (l.edition != current()) {
        l = Loading{};
        l.edition = current();
    }
    if (l.edition == text::Edition::Simplified || l.unavailable)
        return;
    if (l.converter.valid()) {
        if (l.converter.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            convertWaiting();
        return;
    }
    // The application waits for the loader before it ends, so that the loader never posts to
    // an application being taken down.
    static bool waitedForAtQuit = false;
    if (qApp && !std::exchange(waitedForAtQuit, true))
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
            if (loading().converter.valid())
                loading().converter.wait();
        });
    const text::Edition edition = l.edition;
    l.converter
        = std::async(std::launch::async, [edition] {
              // Tells the GUI thread when done, whether loading worked or raised.
              struct Done
              {
                  ~Done()
                  {
                      if (qApp)
                          QMetaObject::invokeMethod(qApp, convertWaiting, Qt::QueuedConnection);
                  }
              } done;
              return std::make_shared<const text::HanConverter>(edition);
          }).share();
}

} // namespace

bool converterRequested()
{
    return loading().converter.valid() && loading().edition == current();
}

void translateDocument(QTextDocument *document, const char *context,
                       std::function<void(const QString &why)> unavailable)
{
    if (current() == text::Edition::Simplified)
        return;
    const std::vector<QTextFragment> fragments = fragmentsOf(document);
    std::vector<QString> shown;
    for (const QTextFragment &fragment : fragments) {
        const QString source = fragment.text();
        if (text::staysAsWritten(source)) {
            shown.push_back(source);
        } else if (std::optional<QString> found = catalogueText(context, source)) {
            shown.push_back(*found);
        } else {
            // Not ours: the whole document goes through OpenCC once it is loaded.
            waiting().push_back({document, std::move(unavailable)});
            startLoading();
            return;
        }
    }
    rewrite(document, fragments, shown);
}

} // namespace edition
