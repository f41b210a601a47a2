#include "common/StationSettings.h"

#include "common/WorkFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <vector>

namespace hv {
namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A line of the file as the reader sees it.
struct Line {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string_view name; // the section or the key
    std::string_view value;
};

Line Parse(std::string_view text) {
    const std::string_view line = Trim(text);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return {};
    if (line.front() == '[' && line.back() == ']')
        return {Line::Kind::Section, Trim(line.substr(1, line.size() - 2)), {}};
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {Line::Kind::Entry, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::vector<std::string> ReadLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    if (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF"))
        lines.front().erase(0, 3);
    return lines;
}

} // namespace

std::optional<std::string> ReadStationSetting(std::string_view section, std::string_view key,
                                              const fs::path& file) {
    bool inSection = false;
    std::optional<std::string> found;
    for (const std::string& text : ReadLines(file)) {
        const Line line = Parse(text);
        if (line.kind == Line::Kind::Section)
            inSection = SameName(line.name, section);
        else if (inSection && line.kind == Line::Kind::Entry && SameName(line.name, key))
            found = std::string(line.value); // the last one counts, as an editor would show
    }
    return found;
}

bool WriteStationSetting(std::string_view section, std::string_view key,
                         std::optional<std::string_view> value, std::string& error,
                         const fs::path& file) {
    if (value && value->find_first_of("\r\n") != std::string_view::npos) {
        error = "a setting cannot hold a line break";
        return false;
    }
    std::vector<std::string> lines = ReadLines(file);
    const std::string entry = value ? std::string(key) + "=" + std::string(*value) : std::string();
    // Where a new entry goes: after the section's last entry. A repeated key is dropped.
    std::optional<std::size_t> sectionEnd;
    bool inSection = false, written = false;
    for (std::size_t i = 0; i < lines.size();) {
        const Line line = Parse(lines[i]);
        if (line.kind == Line::Kind::Section)
            inSection = SameName(line.name, section);
        const bool ours = inSection && line.kind == Line::Kind::Entry && SameName(line.name, key);
        if (ours && (!value || written)) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (ours) {
            lines[i] = entry;
            written = true;
        }
        if (inSection && line.kind != Line::Kind::Other)
            sectionEnd = i + 1;
        ++i;
    }
    if (value && !written) {
        if (sectionEnd) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
        } else {
            if (!lines.empty() && !Trim(lines.back()).empty())
                lines.emplace_back();
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        }
    }
    PublishedFile out;
    if (!out.Create(file, "settings", error))
        return false;
    {
        std::ofstream stream(out.path(), std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            stream << line << '\n';
        stream.close();
        if (!stream) {
            error = "cannot write " + out.path().string();
            return false;
        }
    }
    return out.Publish(error);
}

} // namespace hv
