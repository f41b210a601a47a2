#include "printing/PdfAssembly.h"

#include "common/WorkFiles.h"

#include <exception>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace hv {
namespace fs = std::filesystem;

struct PdfAssembly::Part {
    std::string title;
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages;
};

namespace {

// A file opened for reading, without messages of its own on the terminal.
void OpenQuietly(QPDF& pdf, const fs::path& file) {
    pdf.setSuppressWarnings(true);
    pdf.processFile(file.string().c_str());
}

PdfAssembly::PageSize SizeOf(QPDFPageObjectHelper& page) {
    const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
    PdfAssembly::PageSize size{box.urx - box.llx, box.ury - box.lly};
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (rotate.isInteger() && (rotate.getIntValue() / 90) % 2 != 0)
        std::swap(size.width, size.height);
    return size;
}

// The resources of a page that only this page uses, with an XObject dictionary of its own.
QPDFObjectHandle OwnXObjects(QPDFPageObjectHelper& page, QPDFObjectHandle& resources) {
    resources = page.getAttribute("/Resources", true);
    if (!resources.isDictionary()) {
        resources = QPDFObjectHandle::newDictionary();
        page.getObjectHandle().replaceKey("/Resources", resources);
    }
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    if (!xobjects.isDictionary())
        xobjects = QPDFObjectHandle::newDictionary();
    else if (xobjects.isIndirect())
        xobjects = xobjects.shallowCopy();
    resources.replaceKey("/XObject", xobjects);
    return xobjects;
}

// Draws a form over a page, leaving the page's own drawing state closed off beneath it.
void DrawOver(QPDF& out, QPDFPageObjectHelper& page, QPDFObjectHandle form) {
    QPDFObjectHandle resources;
    QPDFObjectHandle xobjects = OwnXObjects(page, resources);
    int suffix = 0;
    const std::string name = resources.getUniqueResourceName("/Hv", suffix);
    xobjects.replaceKey(name, form);
    const std::string placed = page.placeFormXObject(
        form, name, page.getMediaBox().getArrayAsRectangle(), true, true, true);
    page.addPageContents(QPDFObjectHandle::newStream(&out, "q\n"), true);
    page.addPageContents(QPDFObjectHandle::newStream(&out, "\nQ\n" + placed), false);
}

void Overlay(QPDF& out, std::vector<QPDFPageObjectHelper>& pages, const fs::path& overlay,
             QPDF& drawn) {
    OpenQuietly(drawn, overlay);
    std::vector<QPDFPageObjectHelper> over = QPDFPageDocumentHelper(drawn).getAllPages();
    if (over.size() != pages.size())
        throw std::runtime_error("the overlay has " + std::to_string(over.size()) + " pages for " +
                                 std::to_string(pages.size()));
    for (std::size_t i = 0; i < pages.size(); ++i)
        DrawOver(out, pages[i], out.copyForeignObject(over[i].getFormXObjectForPage()));
}

struct OutlineEntry {
    std::string title;
    QPDFObjectHandle page;
};

// A destination at the top left corner of a page, keeping the reader's zoom.
QPDFObjectHandle TopOf(QPDFObjectHandle page) {
    const double top = QPDFPageObjectHelper(page).getMediaBox().getArrayAsRectangle().ury;
    return QPDFObjectHandle::newArray(
        {page, QPDFObjectHandle::newName("/XYZ"), QPDFObjectHandle::newInteger(0),
         QPDFObjectHandle::newReal(top, 2), QPDFObjectHandle::newNull()});
}

void AddOutline(QPDF& out, const std::vector<OutlineEntry>& entries) {
    if (entries.empty())
        return;
    QPDFObjectHandle outlines = out.makeIndirectObject(QPDFObjectHandle::newDictionary());
    outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
    std::vector<QPDFObjectHandle> items;
    for (const OutlineEntry& entry : entries) {
        QPDFObjectHandle item = out.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(entry.title));
        item.replaceKey("/Parent", outlines);
        item.replaceKey("/Dest", TopOf(entry.page));
        if (!items.empty()) {
            item.replaceKey("/Prev", items.back());
            items.back().replaceKey("/Next", item);
        }
        items.push_back(item);
    }
    outlines.replaceKey("/First", items.front());
    outlines.replaceKey("/Last", items.back());
    outlines.replaceKey("/Count",
                        QPDFObjectHandle::newInteger(static_cast<long long>(items.size())));
    QPDFObjectHandle root = out.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
}

void SetTitle(QPDF& out, const std::string& title) {
    QPDFObjectHandle info = out.makeIndirectObject(QPDFObjectHandle::newDictionary());
    info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
    info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString("Halvoret"));
    out.getTrailer().replaceKey("/Info", info);
}

} // namespace

PdfAssembly::PdfAssembly() = default;
PdfAssembly::~PdfAssembly() = default;

bool PdfAssembly::AddPart(const std::string& title, const fs::path& pdf, std::string& error) {
    auto part = std::make_unique<Part>();
    part->title = title;
    try {
        OpenQuietly(part->pdf, pdf);
        part->pages = QPDFPageDocumentHelper(part->pdf).getAllPages();
        for (QPDFPageObjectHelper& page : part->pages)
            m_pages.push_back(SizeOf(page));
    } catch (const std::exception& e) {
        error = pdf.string() + " is not a readable PDF file: " + e.what();
        return false;
    }
    m_parts.push_back(std::move(part));
    return true;
}

bool PdfAssembly::Write(const fs::path& overlay, const std::string& title, const fs::path& target,
                        std::string& error) {
    PublishedFile file;
    if (!file.Create(target, "pdf", error))
        return false;
    try {
        QPDF out;
        out.setSuppressWarnings(true);
        out.emptyPDF();
        QPDFPageDocumentHelper document(out);
        std::vector<std::size_t> firstPages;
        std::size_t added = 0;
        for (const auto& part : m_parts) {
            firstPages.push_back(added);
            for (QPDFPageObjectHelper& page : part->pages)
                document.addPage(page, false);
            added += part->pages.size();
        }
        std::vector<QPDFPageObjectHelper> pages = document.getAllPages();
        QPDF drawn;
        if (!overlay.empty())
            Overlay(out, pages, overlay, drawn);
        std::vector<OutlineEntry> outline;
        for (std::size_t i = 0; i < m_parts.size(); ++i)
            if (!m_parts[i]->pages.empty())
                outline.push_back({m_parts[i]->title, pages[firstPages[i]].getObjectHandle()});
        AddOutline(out, outline);
        SetTitle(out, title);
        // The writer keeps the name it is given, so the name must outlive it.
        const std::string name = file.path().string();
        QPDFWriter writer(out, name.c_str());
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setCompressStreams(true);
        writer.write();
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return file.Publish(error);
}

int PdfPageCount(const fs::path& pdf) {
    try {
        QPDF file;
        OpenQuietly(file, pdf);
        return static_cast<int>(QPDFPageDocumentHelper(file).getAllPages().size());
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace hv
