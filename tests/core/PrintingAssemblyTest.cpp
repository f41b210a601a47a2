#include "PdfText.h"
#include "TempDir.h"
#include "printing/PdfAssembly.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace hv::test {
namespace {

namespace fs = std::filesystem;

// A PDF whose pages each say one text in a standard font, as the engine's pages would.
// The text stands at height y (points from the bottom).
void WritePdf(const fs::path& file, const std::vector<std::string>& pageTexts, double width = 595,
              double height = 842, int y = 400) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
    QPDFPageDocumentHelper pages(pdf);
    for (const std::string& text : pageTexts) {
        QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page >>");
        page.replaceKey("/MediaBox", QPDFObjectHandle::newArray(
                                         QPDFObjectHandle::Rectangle(0, 0, width, height)));
        QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey("/F1", font);
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/Font", fonts);
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents",
                        QPDFObjectHandle::newStream(&pdf, "BT /F1 12 Tf 72 " + std::to_string(y) +
                                                              " Td (" + text + ") Tj ET"));
        pages.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    }
    const std::string name = file.string(); // the writer keeps the name
    QPDFWriter writer(pdf, name.c_str());
    writer.write();
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outline {
    std::string title;
    int page; // counted from 1
};

std::vector<Outline> ReadOutline(const fs::path& file) {
    QPDF pdf;
    pdf.processFile(file.string().c_str());
    const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    std::vector<Outline> entries;
    for (QPDFOutlineObjectHelper& item : QPDFOutlineDocumentHelper(pdf).getTopLevelOutlines()) {
        const auto target = item.getDestPage().getObjGen();
        int number = 0;
        for (std::size_t i = 0; i < pages.size(); ++i)
            if (pages[i].getObjectHandle().getObjGen() == target)
                number = static_cast<int>(i) + 1;
        entries.push_back({item.getTitle(), number});
    }
    return entries;
}

class PrintingAssemblyTest : public ::testing::Test {
protected:
    fs::path File(const std::string& name) const { return dir.path() / name; }

    TempDir dir;
};

TEST_F(PrintingAssemblyTest, JoinsThePartsInOrderWithTheOverlayOnEveryPageAndAnOutline) {
    WritePdf(File("a.pdf"), {"Alpha one", "Alpha two"});
    WritePdf(File("b.pdf"), {"Beta one"});
    WritePdf(File("c.pdf"), {"Gamma one", "Gamma two", "Gamma three"}, 842, 595);
    WritePdf(File("over.pdf"), {"Over 1", "Over 2", "Over 3", "Over 4", "Over 5", "Over 6"}, 595,
             842, 40);

    PdfAssembly assembly;
    std::string error;
    ASSERT_TRUE(assembly.AddPart("Composite", File("a.pdf"), error)) << error;
    ASSERT_TRUE(assembly.AddPart("Blood Lipids", File("b.pdf"), error)) << error;
    ASSERT_TRUE(assembly.AddPart("Männer & Frauen", File("c.pdf"), error)) << error;
    ASSERT_EQ(assembly.Pages().size(), 6u);
    EXPECT_EQ(assembly.Pages()[0].width, 595);
    EXPECT_EQ(assembly.Pages()[5].width, 842);
    EXPECT_EQ(assembly.Pages()[5].height, 595);

    ASSERT_TRUE(assembly.Write(File("over.pdf"), "Reports of test 7", File("out.pdf"), error))
        << error;
    ASSERT_EQ(PdfPageCount(File("out.pdf")), 6);
    const char* bodies[] = {"Alpha one", "Alpha two", "Beta one",
                            "Gamma one", "Gamma two", "Gamma three"};
    for (int page = 1; page <= 6; ++page) {
        const std::string text = PdfText(File("out.pdf"), page);
        EXPECT_NE(text.find(bodies[page - 1]), std::string::npos) << page << ": " << text;
        EXPECT_NE(text.find("Over " + std::to_string(page)), std::string::npos) << text;
    }
    const std::vector<Outline> outline = ReadOutline(File("out.pdf"));
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_EQ(outline[0].title, "Composite");
    EXPECT_EQ(outline[0].page, 1);
    EXPECT_EQ(outline[1].title, "Blood Lipids");
    EXPECT_EQ(outline[1].page, 3);
    EXPECT_EQ(outline[2].title, "Männer & Frauen");
    EXPECT_EQ(outline[2].page, 4);
    EXPECT_NE(CommandOutput("pdfinfo " + Quoted(File("out.pdf"))).find("Reports of test 7"),
              std::string::npos);
    // Nothing is left beside the target.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5);
}

TEST_F(PrintingAssemblyTest, FailuresSayWhyAndLeaveTheTargetAsItWas) {
    WritePdf(File("a.pdf"), {"Alpha one", "Alpha two"});
    WritePdf(File("short.pdf"), {"Over 1"});
    std::ofstream(File("broken.pdf")) << "%PDF-1.4 this is no PDF";
    std::ofstream(File("out.pdf")) << "the earlier document";

    PdfAssembly assembly;
    std::string error;
    EXPECT_FALSE(assembly.AddPart("Broken", File("broken.pdf"), error));
    EXPECT_NE(error.find("broken.pdf is not a readable PDF file"), std::string::npos) << error;
    EXPECT_FALSE(assembly.AddPart("Missing", File("missing.pdf"), error));
    EXPECT_TRUE(assembly.Pages().empty());

    ASSERT_TRUE(assembly.AddPart("Alpha", File("a.pdf"), error)) << error;
    error.clear();
    EXPECT_FALSE(assembly.Write(File("short.pdf"), "T", File("out.pdf"), error));
    EXPECT_EQ(error, "the overlay has 1 pages for 2");
    EXPECT_EQ(ReadBytes(File("out.pdf")), "the earlier document");

    error.clear();
    EXPECT_FALSE(assembly.Write({}, "T", File("no folder") / "out.pdf", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);

    // Without an overlay the parts are joined as they are, replacing the earlier document.
    ASSERT_TRUE(assembly.Write({}, "T", File("out.pdf"), error)) << error;
    EXPECT_EQ(PdfPageCount(File("out.pdf")), 2);
    EXPECT_EQ(PdfPageCount(File("broken.pdf")), -1);
}

} // namespace
} // namespace hv::test
