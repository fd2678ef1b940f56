#include "frmconfignet.h"
#include "ui_frmconfignet.h"

#include "appconfig.h"
#include "frmconfig.h"

frmConfigNet::frmConfigNet(QWidget *parent) : QWidget(parent), ui(new Ui::frmConfigNet)
{
    ui->setupUi(this);
    initForm();
}

frmConfigNet::~frmConfigNet() = default;

void frmConfigNet::initForm()
{
    const bool small = AppConfig::smallScreen();
    if (small) {
        ui->layoutNet->setContentsMargins(20, 20, 20, 20);
        ui->layoutGroups->setSpacing(10);
        ui->layoutClientGrid->setHorizontalSpacing(6);
        ui->layoutServerGrid->setHorizontalSpacing(6);
        ui->layoutReturn->setContentsMargins(0, 0, 0, 0);
        ui->btnSave->setMinimumSize(120, 46);
        ui->btnReturn->setMinimumSize(120, 46);
        // Two columns of full addresses must fit in the narrow page.
        setStyleSheet(QStringLiteral("QLabel{font:13pt;}QLabel[flag=\"title\"]{font:16pt;}"
                                     "QLineEdit{font:12pt;padding:5px 2px;}"));
    }
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        edit->setFixedHeight(50);
    }
    connect(ui->btnReturn, &QPushButton::clicked, this, &frmConfigNet::returnMain);
    connect(ui->btnSave, &QPushButton::clicked, this, &frmConfigNet::saveConfig);
    ui->widgetReturn->setProperty("flag", "return");
    ui->labClient->setProperty("flag", "title");
    ui->labServer->setProperty("flag", "title");
}

void frmConfigNet::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    initConfig();
}

void frmConfigNet::initConfig()
{
    // The address first: it fills in mask and gateway, which the stored values then replace.
    ui->txtIPClient->setText(AppConfig::IPClient);
    ui->txtMaskClient->setText(AppConfig::MaskClient);
    ui->txtGatewayClient->setText(AppConfig::GatewayClient);
    ui->txtPortClient->setText(AppConfig::PortClient);
    ui->txtIPServer->setText(AppConfig::IPServer);
    ui->txtPortServer->setText(AppConfig::PortServer);
    ui->txtIPServer2->setText(AppConfig::IPServer2);
}

void frmConfigNet::saveConfig()
{
    AppConfig::IPClient = ui->txtIPClient->text().trimmed();
    AppConfig::MaskClient = ui->txtMaskClient->text().trimmed();
    AppConfig::GatewayClient = ui->txtGatewayClient->text().trimmed();
    AppConfig::PortClient = ui->txtPortClient->text().trimmed();
    AppConfig::IPServer = ui->txtIPServer->text().trimmed();
    AppConfig::PortServer = ui->txtPortServer->text().trimmed();
    AppConfig::IPServer2 = ui->txtIPServer2->text().trimmed();
    frmConfig::saveSettings();
}

void frmConfigNet::on_txtIPClient_textChanged(const QString &arg1)
{
    const QStringList parts = arg1.split(QLatin1Char('.'));
    const int first = parts.first().toInt();
    if (first >= 1 && first <= 126) {
        ui->txtMaskClient->setText(QStringLiteral("255.0.0.0"));
    } else if (first >= 128 && first <= 191) {
        ui->txtMaskClient->setText(QStringLiteral("255.255.0.0"));
    } else if (first >= 192 && first <= 222) {
        ui->txtMaskClient->setText(QStringLiteral("255.255.255.0"));
    }
    if (parts.size() == 4) {
        ui->txtGatewayClient->setText(QStringLiteral("%1.%2.%3.1").arg(parts.at(0), parts.at(1), parts.at(2)));
    }
}
