#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace hv {

// Puts a printed document together from the PDF files of its parts: their pages in order,
// numbered through, each with the page of the same number of an overlay drawn over it (the
// header, the footer and the page numbers), and an outline entry per part that leads to its
// first page. Text stays text. The parts' files are read while the document is written, so
// they must stay in place until Write has returned.
class PdfAssembly {
public:
    struct PageSize {
        double width = 0; // points
        double height = 0;
    };

    PdfAssembly();
    ~PdfAssembly();
    PdfAssembly(const PdfAssembly&) = delete;
    PdfAssembly& operator=(const PdfAssembly&) = delete;

    // Adds the next part. False, with the reason, when its file is no readable PDF.
    bool AddPart(const std::string& title, const std::filesystem::path& pdf, std::string& error);

    // The pages of every part added so far, in order, as they are seen (rotation applied).
    const std::vector<PageSize>& Pages() const { return m_pages; }

    // Writes the document to target: beside it first, then renamed into its place, so a
    // failure leaves an existing target as it was. The overlay must have one page for every
    // page of the parts; an empty overlay path draws nothing over them. title goes into the
    // document's properties. False, with the reason, when it was not written.
    bool Write(const std::filesystem::path& overlay, const std::string& title,
               const std::filesystem::path& target, std::string& error);

private:
    struct Part;
    std::vector<std::unique_ptr<Part>> m_parts;
    std::vector<PageSize> m_pages;
};

// The number of pages of a PDF file; -1 when it cannot be read.
int PdfPageCount(const std::filesystem::path& pdf);

} // namespace hv
