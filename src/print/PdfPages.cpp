#include "print/PdfPages.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace hv {
namespace {

// The engine renders a page on a transparent ground; paper is white. Laid on white in place,
// the picture goes to the printer without a transparency mask.
void LayOnWhite(QImage& image) {
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int clear = 255 - qAlpha(line[x]);
            line[x] = qRgb(qRed(line[x]) + clear, qGreen(line[x]) + clear, qBlue(line[x]) + clear);
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

} // namespace

bool PdfPages::Open(const QString& pdf) {
    return m_document.load(pdf) == QPdfDocument::Error::None && m_document.pageCount() > 0;
}

bool PdfPages::Paint(QPainter& painter, QPagedPaintDevice& device, const QRectF& target, int first,
                     int last, const Progress& progress) {
    const int total = last - first + 1;
    for (int page = first; page <= last; ++page) {
        if (progress && !progress(page - first, total))
            return false;
        if (page > first && !device.newPage())
            return false;
        QImage image = m_document.render(page, target.size().toSize());
        LayOnWhite(image);
        painter.drawImage(target, image);
    }
    if (progress)
        progress(total, total);
    return true;
}

} // namespace hv
