#include "ui/viewer/ServerDialog.h"

#include "viewer/ViewerReportList.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

QLineEdit* addBox(QFormLayout* form, const char* caption, const char* name)
{
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(QString::fromLatin1(caption));
    form->addRow(QString::fromLatin1(caption), box);
    return box;
}

} // namespace

ServerDialog::ServerDialog(Connect connectTo, QWidget* parent) : QDialog(parent), m_connect(std::move(connectTo))
{
    setObjectName(QStringLiteral("SQLServerForm"));
    setWindowTitle(QStringLiteral("SQL Server Settings"));
    setModal(false);
    auto* form = new QFormLayout;
    m_host = addBox(form, "Server IP/Hostname", "txtServerIP");
    m_instance = addBox(form, "MSSQL Instance", "txtSQLInstance");
    m_databaseName = addBox(form, "Database", "txtDatabaseName");
    m_username = addBox(form, "Username", "txtUsername");
    m_password = addBox(form, "Password", "txtPassword");
    m_password->setEchoMode(QLineEdit::Password);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("lblTestStatus"));
    auto* connectButton = new QPushButton(QStringLiteral("Connect"));
    connectButton->setObjectName(QStringLiteral("cmdConnect"));
    connectButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"));
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    connect(connectButton, &QPushButton::clicked, this, &ServerDialog::connectServer);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(connectButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
}

void ServerDialog::load(const viewer::ServerLogOn& logOn)
{
    m_host->setText(logOn.host);
    m_instance->setText(logOn.instance);
    m_databaseName->setText(logOn.databaseName.isEmpty() ? QStringLiteral("ZAMO_Results") : logOn.databaseName);
    m_username->setText(logOn.username);
    m_password->setText(logOn.password);
    m_status->clear();
}

viewer::ServerLogOn ServerDialog::values() const
{
    return {m_host->text(), m_instance->text(), m_databaseName->text(), m_username->text(), m_password->text()};
}

QString ServerDialog::status() const
{
    return m_status->text();
}

void ServerDialog::connectServer()
{
    m_status->setText(viewer::ViewerReportList::TestingConnection);
    m_status->repaint();
    QString status;
    if (m_connect(values(), &status)) {
        accept();
        return;
    }
    m_status->setText(status);
}

} // namespace ui
