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
    if (page == form.TabSheet1)
        return form.TabSheet1->keptReading();
    if (page == form.TabSheet2)
        return form.TabSheet2->keptReading();
    if (page == form.TabAlmanac)
        return form.TabAlmanac->keptReading();
    return form.TabSheet10->keptReading();
}
