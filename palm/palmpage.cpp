#include "palm/palmpage.h"

PalmPage::PalmPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
}

void PalmPage::SetStartTexts() {}
