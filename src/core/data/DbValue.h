#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace hv {

// One field value or statement parameter: NULL, an integer, a double or text (UTF-8).
class DbValue {
public:
    enum class Type { Null, Integer, Real, Text };

    DbValue() = default;
    DbValue(std::nullptr_t) {}
    template <std::integral T> DbValue(T v) : m_value(static_cast<std::int64_t>(v)) {}
    DbValue(double v) : m_value(v) {}
    DbValue(const char* v) : m_value(std::string(v)) {}
    DbValue(std::string v) : m_value(std::move(v)) {}
    DbValue(std::string_view v) : m_value(std::string(v)) {}

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool IsNull() const { return type() == Type::Null; }

    // Conversions as the callers read fields: NULL reads as 0 or "", text is parsed.
    std::int64_t AsInt64() const;
    std::int32_t AsLong() const { return static_cast<std::int32_t>(AsInt64()); }
    double AsDouble() const;
    std::string AsText() const;
    // A Yes/No or flag column: the low 16 bits of the value, non-zero meaning yes.
    bool AsFlag() const { return static_cast<std::int16_t>(AsInt64() & 0xFFFF) != 0; }

    bool operator==(const DbValue&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, std::string> m_value;
};

} // namespace hv
