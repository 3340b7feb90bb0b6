#pragma once
// The lit picture of a status lamp. It lies on its unlit twin and stays
// shown: lighting it or putting it out only repaints it (showing or hiding a
// control would make its parent lay out again and look for the control under
// the mouse, several times a page during a run).

#include <QPixmap>
#include <QWidget>

class LitLamp : public QWidget {
public:
    LitLamp(QWidget* parent, QPixmap picture);

    void SetLit(bool lit);
    bool Lit() const { return lit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    bool lit_ = false;
};
