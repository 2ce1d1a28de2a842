#include "ui/testwindow/ActiveLotWindow.h"

#include "ui/common/CloseGuard.h"
#include "ui/common/Twips.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ui {

ActiveLotWindow::ActiveLotWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ActiveLotNumbersForm"));
    setWindowTitle(QStringLiteral("Test Lot Numbers"));
    setWindowFlags(windowFlags() | Qt::Tool);
    lotNumbersEdit = new QPlainTextEdit(this);
    lotNumbersEdit->setObjectName(QStringLiteral("TestLotNumbersTextBox"));
    lotNumbersEdit->setAccessibleName(QStringLiteral("Test Lot Numbers"));
    lotNumbersEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lotNumbersEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(lotNumbersEdit);
    resize(Twips::toPixels(4500), Twips::toPixels(2400));
}

void ActiveLotWindow::load()
{
    ui::disableCloseMenu(this);
}

void ActiveLotWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
}

} // namespace ui
