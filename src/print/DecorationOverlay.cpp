#include "print/DecorationOverlay.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace hv {
namespace {

// The writer's units are points, so the boxes' measures apply as they are.
constexpr int kPointsPerInch = 72;
const QColor kInk(51, 51, 51);

Qt::Alignment FlagsOf(const TextBox& box) {
    Qt::Alignment flags = box.wrap ? Qt::AlignTop : Qt::AlignVCenter;
    switch (box.align) {
    case TextBox::Align::Left:
        return flags | Qt::AlignLeft;
    case TextBox::Align::Center:
        return flags | Qt::AlignHCenter;
    case TextBox::Align::Right:
        return flags | Qt::AlignRight;
    }
    return flags;
}

void DrawBox(QPainter& painter, const TextBox& box) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(box.pointSize);
    painter.setFont(font);
    const QRectF rect(box.x, box.y, box.width, box.height);
    QString text = QString::fromStdString(box.text);
    int flags = static_cast<int>(FlagsOf(box));
    if (box.wrap)
        flags |= Qt::TextWordWrap;
    else // a text longer than the line ends in an ellipsis instead of running off the page
        text = QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, rect.width());
    painter.drawText(rect, flags, text);
}

QPageSize ExactSize(const PdfAssembly::PageSize& size) {
    return QPageSize(QSizeF(size.width, size.height), QPageSize::Point, QString(),
                     QPageSize::ExactMatch);
}

} // namespace

bool DrawDecorations(const QString& file, const std::vector<PdfAssembly::PageSize>& pages,
                     const QMarginsF& margins, const PageTexts& texts, QString& error) {
    if (pages.empty()) {
        error = QStringLiteral("there are no pages");
        return false;
    }
    const PageMargins printer{margins.left(), margins.top(), margins.right(), margins.bottom()};
    QPdfWriter writer(file);
    writer.setResolution(kPointsPerInch);
    writer.setCreator(QStringLiteral("Halvoret"));
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(ExactSize(pages.front()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = QStringLiteral("cannot write ") + file;
        return false;
    }
    painter.setPen(kInk);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        const PdfAssembly::PageSize& size = pages[static_cast<std::size_t>(i)];
        if (i > 0) {
            writer.setPageSize(ExactSize(size));
            writer.newPage();
        }
        for (const TextBox& box :
             PageDecoration({size.width, size.height, printer}, texts, i + 1, count))
            DrawBox(painter, box);
    }
    if (!painter.end() || QFileInfo(file).size() == 0) {
        error = QStringLiteral("cannot write ") + file;
        return false;
    }
    return true;
}

} // namespace hv
