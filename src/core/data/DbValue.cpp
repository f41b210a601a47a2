#include "data/DbValue.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace hv {

std::int64_t DbValue::AsInt64() const {
    switch (type()) {
    case Type::Null:
        return 0;
    case Type::Integer:
        return std::get<std::int64_t>(m_value);
    case Type::Real: {
        double d = std::get<double>(m_value);
        return std::isfinite(d) ? static_cast<std::int64_t>(d) : 0;
    }
    case Type::Text:
        return std::strtoll(std::get<std::string>(m_value).c_str(), nullptr, 10);
    }
    return 0;
}

double DbValue::AsDouble() const {
    switch (type()) {
    case Type::Null:
        return 0.0;
    case Type::Integer:
        return static_cast<double>(std::get<std::int64_t>(m_value));
    case Type::Real:
        return std::get<double>(m_value);
    case Type::Text: {
        // Independent of the user's locale: the point is always the decimal separator.
        const std::string& s = std::get<std::string>(m_value);
        double d = 0.0;
        const char* begin = s.c_str();
        while (*begin == ' ')
            ++begin;
        std::from_chars(begin, s.c_str() + s.size(), d);
        return d;
    }
    }
    return 0.0;
}

std::string DbValue::AsText() const {
    switch (type()) {
    case Type::Null:
        return {};
    case Type::Integer:
        return std::to_string(std::get<std::int64_t>(m_value));
    case Type::Real: {
        char buf[32];
        auto res = std::to_chars(buf, buf + sizeof buf, std::get<double>(m_value));
        return std::string(buf, res.ptr);
    }
    case Type::Text:
        return std::get<std::string>(m_value);
    }
    return {};
}

} // namespace hv
