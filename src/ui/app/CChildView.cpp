#include "ui/app/CChildView.h"

#include "ui/widgets/Pictures.h"

#include <QPainter>
#include <utility>

namespace {
constexpr int kHomeBitmap = 143;
} // namespace

CChildView::CChildView(std::function<bool()> showHome, QWidget* parent)
    : QWidget(parent), m_showHome(std::move(showHome)) {
    setObjectName(QStringLiteral("childView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CChildView::AddPane(QWidget* pane) {
    pane->setParent(this);
    pane->setGeometry(rect());
    m_panes.push_back(pane);
}

void CChildView::resizeEvent(QResizeEvent* event) {
    for (QWidget* pane : m_panes)
        pane->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void CChildView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap home = m_showHome() ? BitmapPicture(kHomeBitmap) : QPixmap();
    if (home.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), home);
}
