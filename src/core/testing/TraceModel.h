#pragma once

#include <deque>
#include <vector>

namespace hv {

// The scrolling trace of the test dialog: vertical columns that climb and fall inside
// its box, one per display tick, the newest at the right.
class TraceModel {
public:
    static constexpr int kLeft = 544;
    static constexpr int kTop = 343;
    static constexpr int kWidth = 285;
    static constexpr int kHeight = 147;
    static constexpr int kBottom = 490; // lowest row a column reaches
    static constexpr int kFirstTop = 470;
    static constexpr int kNewestX = 828;
    static constexpr int kMaxColumns = 1000;

    struct Column {
        int top = 0;
        int length = 0;
    };
    struct DrawnColumn {
        int x = 0;
        int top = 0;
        int bottom = 0;
    };

    // Adds a column of the given length (1..30), shortened where it would leave the box.
    // Beyond kMaxColumns the oldest is dropped.
    void AddColumn(int length);
    // Empties the trace; the next column starts again near the bottom.
    void Clear();

    int Count() const { return static_cast<int>(m_columns.size()); }
    const std::deque<Column>& Columns() const { return m_columns; }
    // The columns that fit into the box, with their x positions.
    std::vector<DrawnColumn> VisibleColumns() const;

private:
    std::deque<Column> m_columns;
    int m_run = 0;
    bool m_up = true;
};

} // namespace hv
