#include "boneweight/birthdatapage.h"

BirthDataPage::BirthDataPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));
}

void BirthDataPage::FillLists(QDate today)
{
    Q_UNUSED(today);
}
