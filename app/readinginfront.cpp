#include "app/readinginfront.h"

#include "almanac/almanacpage.h"
#include "app/form1.h"
#include "boneweight/birthdatapage.h"
#include "mole/molepage.h"
#include "palm/palmpage.h"

#include <QTabWidget>

ReadingInFront readingInFront(const TForm1 &form)
{
    const QWidget *page = form.PageControl1->currentWidget();
    if (form.TabSheet2 && page == form.TabSheet2)
        return form.TabSheet2->keptReading();
    if (form.TabAlmanac && page == form.TabAlmanac)
        return form.TabAlmanac->keptReading();
    if (form.TabSheet10 && page == form.TabSheet10)
        return form.TabSheet10->keptReading();
    // The first page; also while the others wait to be built, since then it is the one in front.
    return form.TabSheet1->keptReading();
}
