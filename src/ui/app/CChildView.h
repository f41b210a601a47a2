#pragma once

#include <QWidget>
#include <functional>
#include <vector>

// The main window's client area. It holds the panes, keeps them at its full size, and
// shows the home picture while no pane is visible.
class CChildView : public QWidget {
    Q_OBJECT

public:
    // showHome tells whether the home picture is shown (no pane visible).
    explicit CChildView(std::function<bool()> showHome, QWidget* parent = nullptr);

    // Makes pane a child of the view, sized to the whole view.
    void AddPane(QWidget* pane);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::function<bool()> m_showHome;
    std::vector<QWidget*> m_panes;
};
