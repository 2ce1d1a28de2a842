#include "ui/testwindow/DischargeWarningWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ui {

DischargeWarningWindow::DischargeWarningWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("WARNING"));
    auto* heading = new QLabel(QStringLiteral("WARNING"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* text = new QLabel(QStringLiteral("The defibrillator power supply might still be charged.  Please check and "
                                           "safely discharge the defibrillator power supply."),
                            this);
    text->setWordWrap(true);
    // A warning sign on either side of the heading.
    const auto warningSign = [this] {
        auto* picture = new QLabel(this);
        picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
        picture->setAccessibleName(QStringLiteral("Warning sign"));
        return picture;
    };
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* headingRow = new QHBoxLayout();
    headingRow->addWidget(warningSign());
    headingRow->addStretch();
    headingRow->addWidget(heading);
    headingRow->addStretch();
    headingRow->addWidget(warningSign());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headingRow);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

} // namespace ui
