#include "testing/TraceModel.h"

#include <algorithm>

namespace hv {

void TraceModel::AddColumn(int length) {
    Column column;
    if (m_columns.empty()) {
        // The box ends at kBottom: a first column longer than the room below its top is cut.
        column = {kFirstTop, std::min(length, kBottom - kFirstTop)};
        m_run = 0;
        m_up = true;
    } else {
        const Column& previous = m_columns.back();
        if (!m_up) {
            column.top = previous.top + previous.length;
            if (column.top + length > kBottom) {
                length = kBottom - column.top;
                m_up = true;
                m_run = 0;
            }
        } else {
            if (previous.top - length < kTop) {
                length = previous.top - kTop;
                m_up = false;
                m_run = 0;
            }
            column.top = previous.top - length;
        }
        column.length = length;
        if (m_run == 2) {
            m_run = 0;
            m_up = !m_up;
        }
        ++m_run;
    }
    if (m_columns.size() >= static_cast<std::size_t>(kMaxColumns))
        m_columns.pop_front();
    m_columns.push_back(column);
}

void TraceModel::Clear() {
    m_columns.clear();
}

std::vector<TraceModel::DrawnColumn> TraceModel::VisibleColumns() const {
    const int count = Count();
    const int shown = std::min(count, kWidth);
    std::vector<DrawnColumn> drawn;
    drawn.reserve(shown);
    for (int j = count - shown; j < count; ++j) {
        const Column& c = m_columns[j];
        drawn.push_back({kNewestX + 1 - (count - j), c.top, c.top + c.length});
    }
    return drawn;
}

} // namespace hv
