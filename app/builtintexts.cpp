#include "app/builtintexts.h"

#include "app/form1.h"
#include "app/helpabout.h"
#include "app/program.h"
#include "app/readinginfront.h"
#include "base/edition.h"
#include "boneweight/reckoning.h"
#include "boneweight/verses.h"
#include "catalogue/picturecatalogue.h"
#include "mole/moleitems.h"
#include "palm/palmitems.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QWidget>

QStringList builtInTexts()
{
    QStringList texts;
    {
        // Built as a Simplified desktop sees it, whatever the edition of the caller.
        const text::Edition edition = base::edition();
        base::setEdition(text::Edition::Simplified);
        // Qt's own words on the window, as the 繁體 editions have them.
        QTranslator qt;
        const bool translated = loadQtTraditional(qt) && QCoreApplication::installTranslator(&qt);
        TForm1 form;
        form.FormCreate();
        texts << base::widgetTexts(&form);
        for (QWidget *w : form.findChildren<QWidget *>())
            texts << base::widgetTexts(w);
        if (translated)
            QCoreApplication::removeTranslator(&qt);
        base::setEdition(edition);
    }
    // What the pages set as they are used.
    for (int total = 0; total <= 99; ++total) {
        const QString verse = VerseText(total);
        if (!verse.trimmed().isEmpty())
            texts << WeightLine(total) << verse;
    }
    for (int count = 1; count <= 9; ++count)
        for (int page = 1; page <= count; ++page)
            texts << pageIndicator(page, count);
    for (const char *message :
         {NoReckoningToKeep, NoReadingInIntroduction, NoPalmPictureChosen, NoMoleChosen})
        texts << QString::fromUtf8(message);
    texts << QString::fromUtf8(IncompletePrompt) << aboutText() << QStringLiteral("[评析]");
    for (const PalmItem &item : palmItems())
        texts << QString::fromUtf8(item.analysis);
    for (const MoleItem &item : faceMoles())
        texts << QString::fromUtf8(item.title) << QString::fromUtf8(item.analysis);
    for (const MoleItem &item : bodyMoles())
        texts << QString::fromUtf8(item.analysis);
    return texts;
}
