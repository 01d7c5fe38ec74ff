#pragma once
// The strip at the left of the editor text; the view paints it.

#include <QWidget>

class CVersewrightView;

class CGutter : public QWidget {
public:
    explicit CGutter(CVersewrightView* pView);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    CVersewrightView* m_pView;
};
