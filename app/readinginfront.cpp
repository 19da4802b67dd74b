#include "app/readinginfront.h"

#include "app/form1.h"
#include "boneweight/birthdatapage.h"
#include "catalogue/cataloguewidgets.h"
#include "mole/molepage.h"
#include "palm/palmpage.h"
#include "palm/palmtopictab.h"

#include <QLabel>
#include <QTabWidget>

namespace {

QString tabCaption(const QTabWidget *tabs)
{
    return tabs->tabText(tabs->currentIndex()).trimmed();
}

// A verse as it reads on paper: the phrase on a line of its own, then the four clauses two by two.
QString verseLines(const QString &verse)
{
    const qsizetype split = verse.indexOf(QStringLiteral("  "));
    if (split < 0)
        return verse.trimmed();
    const QStringList clauses = verse.mid(split + 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList lines{verse.left(split)};
    for (qsizetype i = 0; i < clauses.size(); i += 2)
        lines << clauses.mid(i, 2).join(QChar(0x3000)); // an ideographic space
    return lines.join(QLatin1Char('\n'));
}

ReadingInFront birthReading(const BirthDataPage &page, const QString &caption)
{
    // The reading in front is the last one while l1 still shows its weight line: a later prompt
    // or refusal takes its place there, though the verse stays in m1.
    const auto &shown = page.lastReading();
    if (!shown || page.l1->text() != shown->weightLine)
        return {std::nullopt, QString::fromUtf8(NoReckoningToKeep)};
    // The numbers as the reckoning read them, whether picked from the lists or typed.
    const BirthData data = convertBirthParts(cutBirthTexts(shown->texts));
    const QString date
        = QStringLiteral("%1年%2月%3日").arg(data.Year).arg(data.Month).arg(data.Day);
    const QString calendar = shown->calendar == BirthCalendar::Gregorian ? QStringLiteral("公历")
                                                                         : QStringLiteral("农历");
    KeptReading kept;
    kept.title = caption;
    kept.facts << QStringLiteral("出生：%1%2 %3:%4")
                      .arg(calendar, date, QString::number(data.Hour), shown->texts.minute);
    if (!shown->converted.isEmpty())
        kept.facts << shown->converted;
    kept.weightLine = shown->weightLine;
    kept.text = verseLines(shown->verse);
    kept.picture = QStringLiteral(":/pictures/Image218.jpg");
    kept.fileStem = QStringLiteral("称骨_") + date;
    return {kept, {}};
}

ReadingInFront pictureReading(const PictureCatalogue &catalogue, PictureNaming naming,
                              const QString &title, const QString &kind, const QString &whyNot)
{
    const int item = catalogue.selectedItem();
    if (item < 0)
        return {std::nullopt, whyNot};
    const CatalogueItem &chosen = catalogue.Items().at(item);
    KeptReading kept;
    kept.title = title;
    kept.subject = naming(chosen);
    kept.text = chosen.Analysis.trimmed();
    kept.picture = chosen.Picture;
    kept.fileStem = kind + QLatin1Char('_') + kept.subject;
    return {kept, {}};
}

} // namespace

ReadingInFront readingInFront(const TForm1 &form)
{
    const QString top = tabCaption(form.PageControl1);
    const QWidget *page = form.PageControl1->currentWidget();
    if (page == form.TabSheet1)
        return birthReading(*form.TabSheet1, top);
    if (page == form.TabSheet2) {
        auto *topic = qobject_cast<PalmTopicTab *>(form.TabSheet2->PageControl2->currentWidget());
        if (!topic)
            return {std::nullopt, QString::fromUtf8(NoReadingInIntroduction)};
        return pictureReading(topic->catalogue(), palmPictureName,
                              top + QStringLiteral("·") + topic->caption(), QStringLiteral("手相"),
                              QString::fromUtf8(NoPalmPictureChosen));
    }
    MolePage &moles = *form.TabSheet10;
    const bool face = moles.PageControl3->currentWidget() == moles.TabSheet12;
    return pictureReading(face ? moles.faceCatalogue() : moles.bodyCatalogue(),
                          face ? faceMoleName : bodyMoleName,
                          top + QStringLiteral("·") + tabCaption(moles.PageControl3),
                          QStringLiteral("痣相"), QString::fromUtf8(NoMoleChosen));
}
