#pragma once

#include <QWidget>
#include <array>

class QLabel;

// The "Basic Info" page of the person pane: the selected person's stored data as read-only
// labels, the values in bold dark blue.
class CTabPage0 : public QWidget {
    Q_OBJECT

public:
    explicit CTabPage0(QWidget* parent = nullptr);

    // Shows the person's data; 0 (or a person that cannot be read) leaves every label empty.
    void ShowExamer(int examerId);

    // The value label of a field by its control id (1028 .. 1039); null for another id.
    QLabel* ValueLabel(int controlId) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ClearLabels();

    static constexpr int kFirstValueId = 1028;
    std::array<QLabel*, 12> m_values{};
};
