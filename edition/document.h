#pragma once

// A rich text read from a file in a Traditional edition. The introduction we ship is in our
// catalogue fragment by fragment and is translated at once; a user's own "sxjj.txt" is not, and
// only for such a text are OpenCC's dictionaries (about 45 ms to load) loaded, on a thread of
// their own, the document being converted when they are ready. Nothing happens in the
// Simplified edition.

#include <QString>

#include <functional>

class QTextDocument;

namespace edition {

// Translates the document in place, fragment by fragment, keeping each fragment's format and
// putting the edition's Song face before the faces a fragment names. `context` is the
// catalogue's context for the document's fragments. If OpenCC is needed and cannot be loaded,
// `unavailable` is told why, once per run, and the document stays as written.
void translateDocument(QTextDocument *document, const char *context,
                       std::function<void(const QString &why)> unavailable);

// Whether OpenCC has been asked for in this run (loading or loaded).
bool converterRequested();

} // namespace edition
