#ifndef FRMVIDEO_H
#define FRMVIDEO_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmVideo;
}

// A page that so far carries only its caption.
class frmVideo : public QWidget
{
    Q_OBJECT
public:
    explicit frmVideo(QWidget *parent = nullptr);
    ~frmVideo() override;

private:
    std::unique_ptr<Ui::frmVideo> ui;
};

#endif // FRMVIDEO_H
