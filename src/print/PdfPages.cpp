#include "print/PdfPages.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace hv {

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
        const QImage image = m_document.render(page, target.size().toSize());
        painter.drawImage(target, image);
    }
    if (progress)
        progress(total, total);
    return true;
}

} // namespace hv
