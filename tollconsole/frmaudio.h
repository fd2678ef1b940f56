#ifndef FRMAUDIO_H
#define FRMAUDIO_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmAudio;
}

// A page that so far carries only its caption.
class frmAudio : public QWidget
{
    Q_OBJECT
public:
    explicit frmAudio(QWidget *parent = nullptr);
    ~frmAudio() override;

private:
    std::unique_ptr<Ui::frmAudio> ui;
};

#endif // FRMAUDIO_H
