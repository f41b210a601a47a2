#pragma once

// Reads what a PDF file says, the way a reader of the file sees it: through Poppler's
// command-line tools (poppler-utils).

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace hv::test {

// The output of a shell command.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    std::array<char, 4096> buffer{};
    for (std::size_t got; (got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), got);
    pclose(pipe);
    return output;
}

inline std::string Quoted(const std::filesystem::path& file) {
    return "'" + file.string() + "'";
}

// The text of one page (counted from 1) in reading order, or of every page with page = 0.
inline std::string PdfText(const std::filesystem::path& file, int page = 0) {
    const std::string range =
        page > 0 ? "-f " + std::to_string(page) + " -l " + std::to_string(page) + " " : "";
    return CommandOutput("pdftotext -layout " + range + Quoted(file) + " - 2>/dev/null");
}

// A word on a page with its box in points from the top left corner.
struct PdfWord {
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

// Every word of one page with its position (pdftotext -bbox).
inline std::vector<PdfWord> PdfWords(const std::filesystem::path& file, int page) {
    const std::string html =
        CommandOutput("pdftotext -bbox -f " + std::to_string(page) + " -l " + std::to_string(page) +
                      " " + Quoted(file) + " - 2>/dev/null");
    std::vector<PdfWord> words;
    for (std::size_t at = html.find("<word "); at != std::string::npos;
         at = html.find("<word ", at + 1)) {
        PdfWord word;
        if (std::sscanf(html.c_str() + at,
                        "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\">", &word.xMin,
                        &word.yMin, &word.xMax, &word.yMax) != 4)
            continue;
        const std::size_t open = html.find('>', at) + 1;
        word.text = html.substr(open, html.find("</word>", open) - open);
        words.push_back(word);
    }
    return words;
}

// How many pictures a PDF file holds (pdfimages -list).
inline int PdfImageCount(const std::filesystem::path& file) {
    const std::string list = CommandOutput("pdfimages -list " + Quoted(file) + " 2>/dev/null");
    int lines = 0;
    for (char c : list)
        lines += c == '\n';
    return lines > 2 ? lines - 2 : 0; // two heading lines
}

} // namespace hv::test
