#ifndef FRMCONFIG_H
#define FRMCONFIG_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmConfig;
}

// The settings area: a left bar of four buttons over the business, alarm,
// system and network settings pages.
class frmConfig : public QWidget
{
    Q_OBJECT
public:
    explicit frmConfig(QWidget *parent = nullptr);
    ~frmConfig() override;

    // Writes the configuration file; when it cannot be written the operator
    // is told so, never that the settings were saved.
    static bool saveSettings();
    static QString saveFailedText();

private:
    std::unique_ptr<Ui::frmConfig> ui;

Q_SIGNALS:
    void returnMain();
    void changeStyle();

public Q_SLOTS:
    void initForm();
    void buttonClick();
};

#endif // FRMCONFIG_H
