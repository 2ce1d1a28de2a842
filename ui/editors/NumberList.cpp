#include "ui/editors/NumberList.h"

#include <QComboBox>

namespace ui {

namespace NumberList {

void fill(QComboBox* list, int first, int last)
{
    list->clear();
    for (int n = first; n <= last; ++n)
        list->addItem(QString::number(n));
}

bool select(QComboBox* list, qint32 value)
{
    const int index = list->findText(QString::number(value));
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    return true;
}

qint16 selected(const QComboBox* list)
{
    return qint16(list->currentText().toShort());
}

} // namespace NumberList

} // namespace ui
