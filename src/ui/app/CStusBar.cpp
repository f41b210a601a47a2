#include "ui/app/CStusBar.h"

#include "data/OperatorTexts.h"
#include "testing/SimulatedHid.h"
#include "ui/app/ControlIds.h"
#include "ui/widgets/UiText.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {
const QColor kNoticeColor(128, 128, 128);
const QColor kDemoColor(176, 0, 0);
constexpr int kVerticalPadding = 6;
constexpr int kDemoMargin = 8;
} // namespace

CStusBar::CStusBar(QWidget* parent) : QWidget(parent), m_pNotice(new QLabel(this)) {
    m_pNotice->setObjectName(QStringLiteral("stc%1").arg(ctl::StatusText));
    m_pNotice->setText(QStringLiteral("%1    %2    %3")
                           .arg(UiText(hv::texts::kStatusNotice), VersionLine(), RegisterLine()));
    m_pNotice->setAlignment(Qt::AlignCenter);
    // A long server name must not hold the main window wider than the operator makes it.
    m_pNotice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QPalette palette = m_pNotice->palette();
    palette.setColor(QPalette::WindowText, kNoticeColor);
    m_pNotice->setPalette(palette);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (hv::DemoSensorInUse()) {
        m_pDemo = new QLabel(UiText(hv::texts::kDemoSensorStatus), this);
        m_pDemo->setObjectName(QStringLiteral("demoNotice"));
        QFont bold = m_pDemo->font();
        bold.setBold(true);
        m_pDemo->setFont(bold);
        QPalette demo = m_pDemo->palette();
        demo.setColor(QPalette::WindowText, kDemoColor);
        m_pDemo->setPalette(demo);
        layout->addSpacing(kDemoMargin);
        layout->addWidget(m_pDemo);
    }
    layout->addWidget(m_pNotice, 1);
    setFixedHeight(fontMetrics().height() + kVerticalPadding);
}

QString CStusBar::Text() const {
    return m_pNotice->text();
}

QString CStusBar::DemoNotice() const {
    return m_pDemo ? m_pDemo->text() : QString();
}
