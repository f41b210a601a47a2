#include "exchange/CsvReader.h"

#include <array>
#include <cstdlib>
#include <csv.h>
#include <memory>

namespace hv {
namespace {

constexpr std::size_t kPieceBytes = 64 * 1024;
constexpr std::array<char, 3> kDelimiters{',', ';', '\t'};
constexpr unsigned char kParserOptions = CSV_STRICT | CSV_STRICT_FINI;

// libcsv grows a field's buffer through this; refusing makes it report CSV_ENOMEM, which
// is how an overlong field ends the reading before it can take the memory.
void* BoundedRealloc(void* block, std::size_t size) {
    if (size > kCsvMaxFieldBytes + kPieceBytes)
        return nullptr;
    return std::realloc(block, size);
}

struct ParserDeleter {
    void operator()(csv_parser* p) const {
        csv_free(p);
        delete p;
    }
};
using Parser = std::unique_ptr<csv_parser, ParserDeleter>;

// Blanks around a field are part of it, as typed (libcsv would strip them).
int NoBlanks(unsigned char) {
    return 0;
}

Parser MakeParser(char delimiter) {
    Parser p(new csv_parser);
    if (csv_init(p.get(), kParserOptions) != 0) {
        delete p.release();
        return nullptr;
    }
    csv_set_delim(p.get(), static_cast<unsigned char>(delimiter));
    csv_set_realloc_func(p.get(), &BoundedRealloc);
    csv_set_space_func(p.get(), &NoBlanks);
    csv_set_blk_size(p.get(), kPieceBytes);
    return p;
}

// The fields of one line split at a separator (the header line, to choose the separator).
std::vector<std::string> SplitLine(const std::string& line, char delimiter) {
    std::vector<std::string> fields;
    Parser p = MakeParser(delimiter);
    if (!p)
        return fields;
    auto onField = [](void* s, std::size_t n, void* data) {
        static_cast<std::vector<std::string>*>(data)->emplace_back(static_cast<char*>(s), n);
    };
    csv_parse(p.get(), line.data(), line.size(), onField, nullptr, &fields);
    csv_fini(p.get(), onField, nullptr, &fields);
    return fields;
}

class Reader {
public:
    Reader(std::istream& in, const CsvReadHandlers& handlers) : m_in(in), m_handlers(handlers) {}

    CsvReadResult Run();

private:
    bool Piece(std::string_view text);
    bool Segment(std::string_view text, bool endsLine);
    bool FinishHeader();
    bool Parse(std::string_view text);
    bool Finish();
    bool Fail(CsvFault fault, long line);
    bool IsBlank(std::string_view text) const;
    bool DecodeFault(const TextDecoder& decoder, std::string_view decodedSoFar);

    static void OnField(void* s, std::size_t n, void* data);
    static void OnRecordEnd(int, void* data);

    std::istream& m_in;
    const CsvReadHandlers& m_handlers;
    CsvReadResult m_result;
    Parser m_parser;
    std::string m_header;
    bool m_headerDone = false;
    bool m_pendingCR = false;
    bool m_sawText = false;
    long m_line = 1;
    long m_recordStart = 0;
    CsvRecord m_record;
};

bool Reader::Fail(CsvFault fault, long line) {
    m_result.fault = fault;
    m_result.line = line;
    return false;
}

// A line libcsv skips: only line breaks. Before the header, blank lines are skipped too.
bool Reader::IsBlank(std::string_view text) const {
    for (char c : text) {
        const bool blank = c == '\r' || c == '\n' || (!m_headerDone && (c == ' ' || c == '\t'));
        if (!blank)
            return false;
    }
    return true;
}

void Reader::OnField(void* s, std::size_t n, void* data) {
    auto* self = static_cast<Reader*>(data);
    if (self->m_result.stopped)
        return;
    CsvRecord& r = self->m_record;
    if (r.fields.size() < kCsvMaxColumns)
        r.fields.emplace_back(s ? static_cast<const char*>(s) : "", s ? n : 0);
    ++r.fieldCount;
}

void Reader::OnRecordEnd(int, void* data) {
    auto* self = static_cast<Reader*>(data);
    CsvRecord& r = self->m_record;
    r.line = self->m_recordStart ? self->m_recordStart : self->m_line;
    self->m_recordStart = 0;
    if (!self->m_result.stopped && self->m_handlers.record && !self->m_handlers.record(r))
        self->m_result.stopped = true;
    r.fields.clear();
    r.fieldCount = 0;
}

bool Reader::Parse(std::string_view text) {
    if (m_recordStart == 0 && !IsBlank(text))
        m_recordStart = m_line;
    const std::size_t used =
        csv_parse(m_parser.get(), text.data(), text.size(), &OnField, &OnRecordEnd, this);
    if (used < text.size()) {
        const int error = csv_error(m_parser.get());
        return Fail(error == CSV_EPARSE ? CsvFault::BadQuote : CsvFault::FieldTooLong, m_line);
    }
    return !m_result.stopped;
}

bool Reader::FinishHeader() {
    if (IsBlank(m_header)) {
        m_header.clear(); // blank lines before the header
        return true;
    }
    int bestRate = -1;
    std::size_t bestCount = 0;
    for (char delimiter : kDelimiters) {
        const std::vector<std::string> fields = SplitLine(m_header, delimiter);
        const int rate = m_handlers.rateHeader ? m_handlers.rateHeader(fields) : 0;
        if (rate > bestRate || (rate == bestRate && fields.size() > bestCount)) {
            bestRate = rate;
            bestCount = fields.size();
            m_result.delimiter = delimiter;
        }
    }
    if (bestCount > kCsvMaxColumns)
        return Fail(CsvFault::TooManyColumns, m_line);
    m_parser = MakeParser(m_result.delimiter);
    if (!m_parser)
        return Fail(CsvFault::ReadFailed, m_line);
    m_headerDone = true;
    const std::string header = std::move(m_header);
    m_header.clear();
    return Parse(header);
}

bool Reader::Segment(std::string_view text, bool endsLine) {
    if (!text.empty() && !IsBlank(text))
        m_sawText = true;
    if (m_headerDone)
        return Parse(text);
    m_header += text;
    if (m_header.size() > kCsvMaxHeaderBytes)
        return Fail(CsvFault::HeaderTooLong, m_line);
    return !endsLine || FinishHeader();
}

// Splits decoded text at line breaks (LF, CR LF or a lone CR) to count the lines.
bool Reader::Piece(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (m_pendingCR) {
            m_pendingCR = false;
            if (c != '\n')
                ++m_line; // the CR before ended a line on its own
        }
        if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] != '\n')) {
            if (!Segment(text.substr(start, i + 1 - start), true))
                return false;
            ++m_line;
            start = i + 1;
        } else if (c == '\r' && i + 1 == text.size()) {
            if (!Segment(text.substr(start), true))
                return false;
            m_pendingCR = true;
            start = text.size();
        }
    }
    return start >= text.size() || Segment(text.substr(start), false);
}

bool Reader::DecodeFault(const TextDecoder& decoder, std::string_view decodedSoFar) {
    // The text before the fault is fed first, so the fault's line is the current line.
    if (!Piece(decodedSoFar))
        return false;
    const long line = m_line + (m_pendingCR ? 1 : 0);
    return Fail(decoder.error() == DecodeError::NulByte ? CsvFault::NulByte : CsvFault::NotText,
                line);
}

bool Reader::Finish() {
    if (!m_headerDone) {
        if (!m_header.empty() && !FinishHeader())
            return false;
        if (!m_headerDone)
            return Fail(CsvFault::Empty, m_sawText ? m_line : 1);
    }
    const long start = m_recordStart;
    if (csv_fini(m_parser.get(), &OnField, &OnRecordEnd, this) != 0)
        return Fail(CsvFault::UnclosedQuote, start ? start : m_line);
    return true;
}

CsvReadResult Reader::Run() {
    TextDecoder decoder;
    std::string raw(kPieceBytes, '\0');
    std::string text;
    std::uint64_t total = 0;
    while (m_in) {
        m_in.read(raw.data(), static_cast<std::streamsize>(raw.size()));
        const auto got = static_cast<std::size_t>(m_in.gcount());
        if (got == 0)
            break;
        total += got;
        text.clear();
        if (!decoder.Decode(std::string_view(raw.data(), got), text)) {
            DecodeFault(decoder, text);
            break;
        }
        if (!Piece(text))
            break;
        if (m_handlers.progress)
            m_handlers.progress(total);
    }
    m_result.encoding = decoder.encoding();
    if (m_result.fault != CsvFault::None || m_result.stopped)
        return m_result;
    if (m_in.bad()) {
        Fail(CsvFault::ReadFailed, m_line);
        return m_result;
    }
    text.clear();
    if (!decoder.Finish(text)) {
        DecodeFault(decoder, text);
        return m_result;
    }
    if (Piece(text))
        Finish();
    return m_result;
}

} // namespace

CsvReadResult ReadCsv(std::istream& in, const CsvReadHandlers& handlers) {
    Reader reader(in, handlers);
    return reader.Run();
}

} // namespace hv
