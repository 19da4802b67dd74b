#include "base/announce.h"

#include <QAccessible>
#include <QWidget>

namespace base {

void announce(QWidget *source, const QString &said)
{
    const QString &text = said;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(source);
    if (iface && iface->textInterface()) {
        // The whole content replaced: read from its start, as a reader reads an inserted text.
        QAccessibleTextUpdateEvent event(source, 0, QString(), text);
        QAccessible::updateAccessibility(&event);
        return;
    }
    // setAccessibleDescription reports the change itself, but only when the text differs: the
    // same line written again is reported here.
    if (source->accessibleDescription() == text) {
        QAccessibleEvent event(source, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        source->setAccessibleDescription(text);
    }
}

} // namespace base
