#pragma once

#include "printing/PageDecoration.h"
#include "printing/PdfAssembly.h"

#include <QMarginsF>
#include <QString>
#include <vector>

namespace hv {

// Writes a PDF with one page for every page of a document, of the same size, holding only
// what is printed around the report: the header and footer texts, the page number and the
// line about the values (see PageDecoration). Text is written as text. margins are the
// printer's, in points. False, with the reason, when the file could not be written.
bool DrawDecorations(const QString& file, const std::vector<PdfAssembly::PageSize>& pages,
                     const QMarginsF& margins, const PageTexts& texts, QString& error);

} // namespace hv
