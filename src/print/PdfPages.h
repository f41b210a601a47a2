#pragma once

#include <QPdfDocument>
#include <QRectF>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace hv {

// A finished document drawn onto a printer, or any paged device, page by page: each page is
// rendered at the device's resolution just before it is drawn and let go right after, so
// the memory used does not grow with the number of pages.
class PdfPages {
public:
    // Opens a finished document; false when it cannot be read.
    bool Open(const QString& pdf);
    int PageCount() const { return m_document.pageCount(); }

    // Called before each page is drawn with the pages drawn so far and the pages to draw;
    // returning false stops the drawing.
    using Progress = std::function<bool(int done, int total)>;

    // Draws pages first .. last (counted from 0) on a painter that is active on device, each
    // filling target (device pixels: the whole paper). Starts a new device page before every
    // page but the first. False when drawing was stopped or the device refused a new page.
    bool Paint(QPainter& painter, QPagedPaintDevice& device, const QRectF& target, int first,
               int last, const Progress& progress = {});

private:
    QPdfDocument m_document;
};

} // namespace hv
